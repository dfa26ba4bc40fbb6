// The POSIX backend: the installer's services on Linux and other POSIX
// systems, behaving as the Windows calls they stand for do where the
// installer can tell the difference.
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <spawn.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "platform/child_arguments.h"
#include "platform/posix_io.h"
#include "platform/registry_store.h"
#include "platform/system_platform.h"

extern "C" char** environ;
// The program image's first byte, as GNU ld names it.
extern "C" char __executable_start;  // NOLINT(bugprone-reserved-identifier)

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

// A last-write time as a DOS date-time in local time, date word high;
// nothing outside 1980 to 2107.
std::optional<std::uint32_t> DosDateTime(time_t time) {
  struct tm local {};
  if (localtime_r(&time, &local) == nullptr) return std::nullopt;
  const int year = local.tm_year + 1900;
  if (year < 1980 || year > 2107) return std::nullopt;
  const auto date =
      static_cast<std::uint32_t>((year - 1980) << 9 | (local.tm_mon + 1) << 5 | local.tm_mday);
  const int seconds = local.tm_sec > 59 ? 59 : local.tm_sec;  // a leap second
  const auto clock =
      static_cast<std::uint32_t>(local.tm_hour << 11 | local.tm_min << 5 | seconds / 2);
  return date << 16 | clock;
}

class PosixOutputFile : public OutputFile {
 public:
  explicit PosixOutputFile(int fd) : fd_(fd) {}
  ~PosixOutputFile() override { close(fd_); }
  PosixOutputFile(const PosixOutputFile&) = delete;
  PosixOutputFile& operator=(const PosixOutputFile&) = delete;

  bool Write(const std::string& bytes) override {
    return WriteAll(fd_, bytes.data(), bytes.size());
  }

 private:
  int fd_;
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
    struct stat info {};
    return fstat(STDOUT_FILENO, &info) == 0 && S_ISCHR(info.st_mode);
  }

  bool WriteStdout(const std::string& bytes) override {
    return WriteAll(STDOUT_FILENO, bytes.data(), bytes.size());
  }

  void ReadConsoleLine() override {
    // A terminal's Enter gives LF, a Windows console's CR LF; either ends
    // the line (the LF of a CR LF pair with it), as do Ctrl-Z, the end of
    // input and a failing read.
    char c = 0;
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
    return RenameNoReplace(NativePath(from), NativePath(to));
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
    std::string native = NativePath(path);
    if (!native.empty() && native[0] == '/') return native;
    std::vector<char> buffer(PATH_MAX + 1);
    if (getcwd(buffer.data(), buffer.size()) == nullptr) return std::string();
    std::string full = buffer.data();
    if (full.back() != '/') full += '/';
    return full + native;
  }

  std::unique_ptr<OutputFile> CreateOutputFile(const std::string& path) override {
    const std::string native = NativePath(path);
    // A file without write permission stands for a read-only one, which
    // Windows will not empty, not even for an administrator.
    struct stat info {};
    if (stat(native.c_str(), &info) == 0 && S_ISREG(info.st_mode) && !(info.st_mode & S_IWUSR)) {
      return nullptr;
    }
    const int fd = open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixOutputFile>(fd);
  }

  std::optional<std::uint32_t> FindFileDate(const std::string& path) override {
    struct stat info {};
    if (stat(NativePath(path).c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return std::nullopt;
    return DosDateTime(info.st_mtime);
  }

  std::optional<std::uint32_t> FileDate(const std::string& path) override {
    const int fd = open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    const bool dated = fstat(fd, &info) == 0;
    close(fd);
    if (!dated) return std::nullopt;
    return DosDateTime(info.st_mtime);
  }

  // The copy is made whole in a temporary file beside the destination and
  // then renamed into place, so that a failing copy (a full disk, a size
  // limit) never leaves a cut file where a whole one stood.
  bool CopyFile(const std::string& source, const std::string& destination,
                bool fail_if_exists) override {
    const std::string target = NativePath(destination);
    const int in = open(NativePath(source).c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    struct stat info {};
    if (fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
      close(in);
      return false;
    }
    std::string temp = target + ".XXXXXX";
    const int out = mkstemp(temp.data());
    if (out < 0) {
      close(in);
      return false;
    }
    bool copied = true;
    char buffer[65536];
    for (;;) {
      const ssize_t got = read(in, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) {
        copied = got == 0;
        break;
      }
      if (!WriteAll(out, buffer, static_cast<std::size_t>(got))) {
        copied = false;
        break;
      }
    }
    close(in);
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    copied = copied && fchmod(out, info.st_mode & 07777) == 0 && futimens(out, times) == 0;
    copied = close(out) == 0 && copied;
    if (copied) {
      copied = fail_if_exists ? RenameNoReplace(temp, target)
                              : rename(temp.c_str(), target.c_str()) == 0;
    }
    if (!copied) unlink(temp.c_str());
    return copied;
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
    argv.reserve(arguments.size() + 1);
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    // The child gets SIGPIPE back as a program expects it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t default_signals;
    sigemptyset(&default_signals);
    sigaddset(&default_signals, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &default_signals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    ProcessResult result;
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, program.c_str(), nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0) return result;
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
  // A console line that cannot be written is passed over, as WriteFile on a
  // closed pipe fails on Windows: a reader that went away must not end the
  // run between two steps.
  signal(SIGPIPE, SIG_IGN);
  return std::make_unique<PosixPlatform>(std::vector<std::string>(argv, argv + argc));
}

}  // namespace pendrake
