// The POSIX backend: the installer's services on Linux and other POSIX
// systems, behaving as the Windows calls they stand for do where the
// installer can tell the difference.
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <spawn.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/child_arguments.h"
#include "platform/registry_store.h"
#include "platform/system_platform.h"

extern "C" char** environ;
extern "C" char __executable_start;  // The program image's first byte (GNU ld).

namespace pendrake {
namespace {

// "\" and "/" both separate path components; the OS only knows "/".
std::string NativePath(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

// argv joined back into one command line that the installer's own splitting
// rules take apart into the same arguments. Those rules know no escape for a
// double quote and drop every quote character, so quotes are left out here
// too; an argument with a separator or an empty one goes between quotes.
std::string JoinCommandLine(const std::vector<std::string>& argv) {
  std::string line;
  for (const std::string& raw : argv) {
    std::string argument;
    bool needs_quotes = raw.empty();
    for (char c : raw) {
      if (c == '"') continue;
      const auto code = static_cast<unsigned char>(c);
      if (code >= 1 && code <= 32) needs_quotes = true;
      argument += c;
    }
    if (!line.empty()) line += ' ';
    line += needs_quotes ? "\"" + argument + "\"" : argument;
  }
  return line;
}

int UpperByte(char c) { return std::toupper(static_cast<unsigned char>(c)); }

// Wildcard match with "*" and "?", without regard to letter case, as the
// Windows directory search matches.
bool MatchesWildcard(const char* pattern, const char* name) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name != '\0') {
    if (*pattern == '*') {
      star = pattern++;
      resume = name;
    } else if (*pattern == '?' || (*pattern != '\0' && UpperByte(*pattern) == UpperByte(*name))) {
      ++pattern;
      ++name;
    } else if (star != nullptr) {
      pattern = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

// Entries in the order NTFS and Wine return them: by upper-cased name, ties
// by the bytes themselves.
bool ComesBefore(const std::string& a, const std::string& b) {
  const bool upper_less =
      std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                   [](char x, char y) { return UpperByte(x) < UpperByte(y); });
  const bool upper_greater =
      std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                   [](char x, char y) { return UpperByte(x) < UpperByte(y); });
  if (upper_less || upper_greater) return upper_less;
  return a < b;
}

class ListedSearch : public DirectorySearch {
 public:
  explicit ListedSearch(std::vector<std::string> names) : names_(std::move(names)) {}

  bool Next(std::string* name) override {
    if (next_ >= names_.size()) return false;
    *name = names_[next_++];
    return true;
  }

 private:
  std::vector<std::string> names_;
  std::size_t next_ = 1;  // The first entry went out with the search's start.
};

bool ReadByte(char* c) {
  for (;;) {
    const ssize_t got = read(STDIN_FILENO, c, 1);
    if (got < 0 && errno == EINTR) continue;
    return got == 1;
  }
}

class PosixPlatform : public Platform {
 public:
  explicit PosixPlatform(std::vector<std::string> argv) : argv_(std::move(argv)) {}

  std::string CommandLine() override { return JoinCommandLine(argv_); }

  std::string ProgramFilePath() override {
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length > 0) return std::string(buffer.data(), static_cast<std::size_t>(length));
    return argv_.empty() ? std::string() : argv_[0];
  }

  bool StdoutIsConsole() override {
    struct stat info;
    return fstat(STDOUT_FILENO, &info) == 0 && S_ISCHR(info.st_mode);
  }

  bool WriteStdout(const std::string& bytes) override {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t written = write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return false;
      done += static_cast<std::size_t>(written);
    }
    return true;
  }

  void ReadConsoleLine() override {
    // A terminal's Enter gives LF, a Windows console's CR LF; either ends
    // the line (the LF of a CR LF pair with it), as do Ctrl-Z, the end of
    // input and a failing read.
    char c;
    while (ReadByte(&c)) {
      if (c == '\n' || c == 26) return;
      if (c == '\r') {
        ReadByte(&c);
        return;
      }
    }
  }

  std::uint32_t CodeOffset(const void* code_address) override {
    if (code_address == nullptr) return 0;
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(code_address) -
                                      reinterpret_cast<std::uintptr_t>(&__executable_start));
  }

  bool CreateDirectory(const std::string& path) override {
    return mkdir(NativePath(path).c_str(), 0777) == 0;
  }

  bool MoveFile(const std::string& from, const std::string& to) override {
    const std::string source = NativePath(from);
    const std::string target = NativePath(to);
    if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
      return true;
    }
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without the no-replace rename: a hard link fails on an
    // existing name just as well.
    if (link(source.c_str(), target.c_str()) != 0) return false;
    unlink(source.c_str());
    return true;
  }

  std::unique_ptr<DirectorySearch> FindFirstFile(const std::string& pattern,
                                                 std::string* first_name) override {
    const std::string native = NativePath(pattern);
    const std::size_t slash = native.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : native.substr(0, slash + 1);
    const std::string wildcard = slash == std::string::npos ? native : native.substr(slash + 1);

    DIR* listing = opendir(directory.c_str());
    if (listing == nullptr) return nullptr;
    std::vector<std::string> names;
    while (const dirent* entry = readdir(listing)) {
      const std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      if (MatchesWildcard(wildcard.c_str(), name.c_str())) names.push_back(name);
    }
    closedir(listing);
    if (names.empty()) return nullptr;
    std::sort(names.begin(), names.end(), ComesBefore);
    *first_name = names.front();
    return std::make_unique<ListedSearch>(std::move(names));
  }

  std::string FullPath(const std::string& path) override {
    const std::string native = NativePath(path);
    if (!native.empty() && native[0] == '/') return native;
    std::vector<char> buffer(PATH_MAX + 1);
    if (getcwd(buffer.data(), buffer.size()) == nullptr) return std::string();
    std::string full = buffer.data();
    if (full.back() != '/') full += '/';
    return full + native;
  }

  std::unique_ptr<Registry> OpenRegistry() override {
    return OpenRegistryStore(RegistryStorePath());
  }

  ProcessResult RunAndWait(const std::string& application,
                           const std::string& command_line) override {
    // Like CreateProcessA, a bare application name means the current
    // directory, never the search path.
    std::string program = NativePath(application);
    if (program.find('/') == std::string::npos) program = "./" + program;

    std::vector<std::string> arguments = SplitChildCommandLine(command_line);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    ProcessResult result;
    pid_t child;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
      return result;
    }
    result.started = true;
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
      if (errno != EINTR) {
        result.exit_status = 1;
        return result;
      }
    }
    if (WIFEXITED(status)) {
      result.exit_status = static_cast<std::uint32_t>(WEXITSTATUS(status));
    } else {
      result.exit_status = 128u + static_cast<std::uint32_t>(WTERMSIG(status));
    }
    return result;
  }

 private:
  std::vector<std::string> argv_;
};

}  // namespace

std::unique_ptr<Platform> MakeSystemPlatform(int argc, char** argv) {
  return std::make_unique<PosixPlatform>(std::vector<std::string>(argv, argv + argc));
}

}  // namespace pendrake
