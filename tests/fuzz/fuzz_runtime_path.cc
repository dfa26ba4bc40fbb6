// ToRuntimePath on any install directory: a drive path keeps its length
// but for the colon gone and "//" added, and no result holds a backslash.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "archives/expand_archive.h"
#include "support/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path(reinterpret_cast<const char*>(data), size);
  pendrake::FakePlatform platform;
  const std::string runtime = pendrake::ToRuntimePath(platform, path);
  if (runtime.find('\\') != std::string::npos) std::abort();
  const bool drive = path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                     path[1] == ':' && (path.size() == 2 || path[2] == '\\' || path[2] == '/');
  if (drive && (runtime.size() != path.size() + 1 || runtime.compare(0, 2, "//") != 0 ||
                runtime[2] != path[0])) {
    std::abort();
  }
  return 0;
}
