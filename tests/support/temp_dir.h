// A fresh directory for one test, made the current directory while the test
// runs and removed afterwards.
#ifndef PENDRAKE_TESTS_SUPPORT_TEMP_DIR_H_
#define PENDRAKE_TESTS_SUPPORT_TEMP_DIR_H_

#include <filesystem>
#include <string>

namespace pendrake {

class ScopedTempDir {
 public:
  ScopedTempDir();
  ~ScopedTempDir();
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

/// Writes `bytes` to `path`, replacing what was there.
void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes);
/// The whole content of `path`; empty when it cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);

}  // namespace pendrake

#endif  // PENDRAKE_TESTS_SUPPORT_TEMP_DIR_H_
