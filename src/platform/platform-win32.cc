// The Win32 backend: the installer's services through the ANSI Windows calls
// that Windows 95 and NT 4.0 already had.
#include <windows.h>

// windows.h maps these names to their A or W functions; the platform's own
// operations bear the plain names, and this file calls the A functions.
#undef CreateDirectory
#undef MoveFile
#undef FindFirstFile
#undef CopyFile

#include <optional>
#include <string>
#include <vector>

#include "platform/registry-win32.h"
#include "platform/system_platform.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;  // The program image's first byte.

namespace pendrake {
namespace {

class Win32Search : public DirectorySearch {
 public:
  explicit Win32Search(HANDLE handle) : handle_(handle) {}
  ~Win32Search() override { FindClose(handle_); }
  Win32Search(const Win32Search&) = delete;
  Win32Search& operator=(const Win32Search&) = delete;

  bool Next(std::string* name) override {
    WIN32_FIND_DATAA entry;
    if (!FindNextFileA(handle_, &entry)) return false;
    *name = entry.cFileName;
    return true;
  }

 private:
  HANDLE handle_;
};

// Writes all bytes, going on after short writes.
bool WriteAll(HANDLE handle, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written,
                   nullptr) ||
        written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

class Win32OutputFile : public OutputFile {
 public:
  explicit Win32OutputFile(HANDLE handle) : handle_(handle) {}
  ~Win32OutputFile() override { CloseHandle(handle_); }
  Win32OutputFile(const Win32OutputFile&) = delete;
  Win32OutputFile& operator=(const Win32OutputFile&) = delete;

  bool Write(const std::string& bytes) override { return WriteAll(handle_, bytes); }

 private:
  HANDLE handle_;
};

// A last-write time as a local DOS date-time, date word high; nothing when
// it lies outside what a DOS date can hold.
std::optional<std::uint32_t> DosDateTime(const FILETIME& written) {
  FILETIME local;
  WORD date = 0;
  WORD time = 0;
  if (!FileTimeToLocalFileTime(&written, &local) || !FileTimeToDosDateTime(&local, &date, &time)) {
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(date) << 16 | time;
}

class Win32Platform : public Platform {
 public:
  std::string CommandLine() override {
    const char* line = GetCommandLineA();
    return line != nullptr ? line : "";
  }

  std::string ProgramFilePath() override {
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
      const DWORD size = static_cast<DWORD>(buffer.size());
      const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
      if (length == 0) return std::string();
      if (length < size) return std::string(buffer.data(), length);
      buffer.resize(buffer.size() * 2);  // cut short: try again with more room
    }
  }

  bool StdoutIsConsole() override {
    return GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR;
  }

  bool WriteStdout(const std::string& bytes) override {
    return WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), bytes);
  }

  void ReadConsoleLine() override {
    const HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    for (;;) {
      char c;
      DWORD got = 0;
      if (!ReadFile(in, &c, 1, &got, nullptr) || got != 1 || c == 26) return;
      if (c == '\r') {
        // The line feed of a CR LF pair belongs to this line.
        ReadFile(in, &c, 1, &got, nullptr);
        return;
      }
    }
  }

  std::uint32_t CodeOffset(const void* code_address) override {
    if (code_address == nullptr) return 0;
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(code_address) -
                                      reinterpret_cast<std::uintptr_t>(&__ImageBase));
  }

  bool CreateDirectory(const std::string& path) override {
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
  }

  bool MoveFile(const std::string& from, const std::string& to) override {
    return MoveFileA(from.c_str(), to.c_str()) != 0;
  }

  std::unique_ptr<DirectorySearch> FindFirstFile(const std::string& pattern,
                                                 std::string* first_name) override {
    WIN32_FIND_DATAA entry;
    const HANDLE handle = FindFirstFileA(pattern.c_str(), &entry);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    *first_name = entry.cFileName;
    return std::make_unique<Win32Search>(handle);
  }

  std::string FullPath(const std::string& path) override {
    char* file_part = nullptr;
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, &file_part);
    if (needed == 0) return std::string();
    std::vector<char> buffer(needed + 1);
    const DWORD length = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()),
                                          buffer.data(), &file_part);
    if (length == 0 || length >= buffer.size()) return std::string();
    return std::string(buffer.data(), length);
  }

  std::unique_ptr<OutputFile> CreateOutputFile(const std::string& path) override {
    const HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32OutputFile>(handle);
  }

  std::optional<std::uint32_t> FindFileDate(const std::string& path) override {
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA(path.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    FindClose(search);
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    return DosDateTime(entry.ftLastWriteTime);
  }

  std::optional<std::uint32_t> FileDate(const std::string& path) override {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    FILETIME written;
    const bool dated = GetFileTime(file, nullptr, nullptr, &written) != 0;
    CloseHandle(file);
    if (!dated) return std::nullopt;
    return DosDateTime(written);
  }

  bool CopyFile(const std::string& source, const std::string& destination,
                bool fail_if_exists) override {
    return CopyFileA(source.c_str(), destination.c_str(), fail_if_exists ? TRUE : FALSE) != 0;
  }

  std::unique_ptr<Registry> OpenRegistry() override { return OpenWin32Registry(); }

  ProcessResult RunAndWait(const std::string& application,
                           const std::string& command_line) override {
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    ZeroMemory(&process, sizeof process);
    // CreateProcessA may write into the command line; it gets its own copy.
    std::vector<char> line(command_line.begin(), command_line.end());
    line.push_back('\0');

    ProcessResult result;
    if (!CreateProcessA(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
      return result;
    }
    result.started = true;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exit_code = 1;
    if (GetExitCodeProcess(process.hProcess, &exit_code))
      result.exit_status = exit_code;
    else
      result.exit_status = 1;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
  }
};

}  // namespace

std::unique_ptr<Platform> MakeSystemPlatform(int /*argc*/, char** /*argv*/) {
  return std::make_unique<Win32Platform>();
}

}  // namespace pendrake
