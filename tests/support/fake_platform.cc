#include "support/fake_platform.h"

#include "platform/failure.h"

namespace pendrake {
namespace {

class FakeSearch : public DirectorySearch {
 public:
  FakeSearch(FakePlatform& platform, std::vector<std::string> names)
      : platform_(platform), names_(std::move(names)) {}
  ~FakeSearch() override { platform_.Record("FindClose"); }

  bool Next(std::string* name) override {
    if (platform_.Record("FindNextFile") || next_ >= names_.size()) return false;
    *name = names_[next_++];
    return true;
  }

 private:
  FakePlatform& platform_;
  std::vector<std::string> names_;
  std::size_t next_ = 1;
};

// A registry object over the fake's tree, with the semantics of the real
// ones: one current key, values only on an existing current key.
class FakeRegistry : public Registry {
 public:
  explicit FakeRegistry(FakePlatform& platform) : platform_(platform) {}
  ~FakeRegistry() override { platform_.Record("RegClose"); }

  bool DeleteTree(const std::string& path) override {
    if (platform_.Record("RegDeleteTree " + path)) return false;
    return platform_.registry.DeleteTree(path);
  }

  bool CreateKey(const std::string& path) override {
    if (platform_.Record("RegCreateKey " + path) || !platform_.registry.CreateKey(path)) {
      return false;
    }
    current_ = path;
    return true;
  }

  bool WriteInteger(const std::string& name, std::uint32_t value) override {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
    return Set("RegWriteInteger " + name + "=" + std::to_string(value),
               RegistryValue{name, kRegDword, bytes});
  }

  bool WriteString(const std::string& name, const std::string& text) override {
    return Set("RegWriteString " + name + "=" + text, RegistryValue{name, kRegString, text});
  }

 private:
  bool Set(const std::string& call, RegistryValue value) {
    if (platform_.Record(call) || current_.empty()) return false;
    return platform_.registry.SetValue(current_, std::move(value));
  }

  FakePlatform& platform_;
  std::string current_;
};

class FakeOutputFile : public OutputFile {
 public:
  FakeOutputFile(FakePlatform& platform, std::string path)
      : platform_(platform), path_(std::move(path)) {}
  ~FakeOutputFile() override { platform_.Record("CloseFile " + path_); }

  bool Write(const std::string& bytes) override {
    if (platform_.Record("WriteFile " + path_)) return false;
    platform_.files[path_] += bytes;
    return true;
  }

 private:
  FakePlatform& platform_;
  std::string path_;
};

}  // namespace

bool FakePlatform::Record(const std::string& call) {
  calls.push_back(call);
  if (!raise_at.empty() && !raised_ && call.rfind(raise_at, 0) == 0) {
    raised_ = true;
    Raise(raise_class.c_str(), raise_message);
  }
  const std::string operation = call.substr(0, call.find(' '));
  const int number = ++call_counts_[operation];
  auto nth = fail_nth.find(operation);
  if (nth != fail_nth.end() && nth->second == number) return true;
  return failing.count(operation) > 0;
}

std::string FakePlatform::Transcript() const {
  std::string all;
  for (const std::string& bytes : stdout_writes) all += bytes;
  return all;
}

std::string FakePlatform::CommandLine() {
  Record("CommandLine");
  return command_line;
}

std::string FakePlatform::ProgramFilePath() {
  Record("ProgramFilePath");
  return program_file_path;
}

bool FakePlatform::StdoutIsConsole() {
  Record("StdoutIsConsole");
  return is_console;
}

bool FakePlatform::WriteStdout(const std::string& bytes) {
  // Output is not part of the call record: tests read it from stdout_writes.
  stdout_writes.push_back(bytes);
  return true;
}

void FakePlatform::ReadConsoleLine() {
  Record("ReadConsoleLine");
  stdout_at_read = Transcript();
}

std::uint32_t FakePlatform::CodeOffset(const void* /*code_address*/) { return kCodeOffset; }

bool FakePlatform::CreateDirectory(const std::string& path) {
  if (Record("CreateDirectory " + path) || entries.count(path) > 0) return false;
  entries.insert(path);
  return true;
}

bool FakePlatform::MoveFile(const std::string& from, const std::string& to) {
  if (Record("MoveFile " + from + " -> " + to)) return false;
  if (entries.count(from) == 0 || entries.count(to) > 0) return false;
  entries.erase(from);
  entries.insert(to);
  return true;
}

std::unique_ptr<DirectorySearch> FakePlatform::FindFirstFile(const std::string& pattern,
                                                             std::string* first_name) {
  if (Record("FindFirstFile " + pattern)) return nullptr;
  auto found = search_results.find(pattern);
  if (found == search_results.end() || found->second.empty()) return nullptr;
  *first_name = found->second.front();
  return std::make_unique<FakeSearch>(*this, found->second);
}

std::string FakePlatform::FullPath(const std::string& path) {
  if (Record("FullPath " + path)) return std::string();
  if (path.size() >= 2 && path[1] == ':') {
    if (path.size() == 2 || path[2] == '\\' || path[2] == '/') return path;
    return current_directory + "\\" + path.substr(2);  // drive-relative, same drive
  }
  if (!path.empty() && (path[0] == '\\' || path[0] == '/')) {
    if (path.size() >= 2 && (path[1] == '\\' || path[1] == '/')) return path;  // UNC
    return current_directory.substr(0, 2) + path;
  }
  return current_directory + "\\" + path;
}

std::unique_ptr<OutputFile> FakePlatform::CreateOutputFile(const std::string& path) {
  if (Record("CreateFile " + path)) return nullptr;
  files[path].clear();
  return std::make_unique<FakeOutputFile>(*this, path);
}

std::optional<std::uint32_t> FakePlatform::FindFileDate(const std::string& path) {
  Record("FindFileDate " + path);
  auto found = dates.find(path);
  if (files.count(path) == 0 || found == dates.end()) return std::nullopt;
  return found->second;
}

std::optional<std::uint32_t> FakePlatform::FileDate(const std::string& path) {
  if (Record("FileDate " + path)) return std::nullopt;
  auto found = dates.find(path);
  if (files.count(path) == 0 || found == dates.end()) return std::nullopt;
  return found->second;
}

bool FakePlatform::CopyFile(const std::string& source, const std::string& destination,
                            bool fail_if_exists) {
  if (Record("CopyFile " + source + " -> " + destination +
             (fail_if_exists ? " (fail if exists)" : " (replace)"))) {
    return false;
  }
  if (files.count(source) == 0 || (fail_if_exists && files.count(destination) > 0)) return false;
  files[destination] = files[source];
  if (dates.count(source) > 0) dates[destination] = dates[source];
  return true;
}

std::unique_ptr<Registry> FakePlatform::OpenRegistry() {
  Record("RegOpen");
  return std::make_unique<FakeRegistry>(*this);
}

ProcessResult FakePlatform::RunAndWait(const std::string& application,
                                       const std::string& command_line_text) {
  if (Record("RunAndWait " + application + " | " + command_line_text)) return ProcessResult{};
  return run(application, command_line_text);
}

}  // namespace pendrake
