// The operating-system services the installer uses, as one narrow interface.
//
// Everything above src/platform/ reaches the machine only through this class,
// so the install logic never includes an OS header and runs unchanged over the
// Win32 backend (the product), the POSIX backend and the tests' fake. The
// operations are shaped after the Windows calls they stand for: texts are
// 8-bit strings passed byte for byte, paths may use "\" as separator, and
// results that the installer ignores are still reported, so that a backend
// never has to decide what matters to its caller.
#ifndef PENDRAKE_PLATFORM_PLATFORM_H_
#define PENDRAKE_PLATFORM_PLATFORM_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace pendrake {

/// An open directory search; destroying it ends the search (FindClose).
class DirectorySearch {
 public:
  virtual ~DirectorySearch() = default;
  /// Moves to the next matching entry and stores its bare name. False when no
  /// entry is left or the search fails; the search is over then.
  virtual bool Next(std::string* name) = 0;
};

/// How a child process ended, telling "could not start" apart from "started
/// and failed".
struct ProcessResult {
  bool started = false;
  /// The child's exit status; meaningful only when `started`.
  std::uint32_t exit_status = 0;
};

/// The current user's registry (HKEY_CURRENT_USER) with at most one current
/// key; destroying it closes that key. Key paths are relative to the root,
/// components separated by "\".
class Registry {
 public:
  virtual ~Registry() = default;
  /// Deletes the key with every key below it, at any depth; a key that cannot
  /// be deleted is left with what is below it. Returns whether the key itself
  /// was deleted.
  virtual bool DeleteTree(const std::string& path) = 0;
  /// Creates the key, with any missing keys above it, or opens it, and makes
  /// it the current key. On failure the current key stays as it was.
  virtual bool CreateKey(const std::string& path) = 0;
  /// Sets a REG_DWORD value on the current key; false without a current key.
  virtual bool WriteInteger(const std::string& name, std::uint32_t value) = 0;
  /// Sets a REG_SZ value on the current key; false without a current key.
  virtual bool WriteString(const std::string& name, const std::string& text) = 0;
};

/// A file open for writing; destroying it closes the file.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  /// Writes bytes as they are; false when they could not all be written.
  virtual bool Write(const std::string& bytes) = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Process start-up and console.

  /// The whole command line as one text (GetCommandLineA).
  virtual std::string CommandLine() = 0;
  /// The full path of the running program file (GetModuleFileNameA).
  virtual std::string ProgramFilePath() = 0;
  /// Whether standard output is a character device (GetFileType).
  virtual bool StdoutIsConsole() = 0;
  /// Writes bytes to standard output as they are; false when it could not.
  virtual bool WriteStdout(const std::string& bytes) = 0;
  /// Reads one line of standard input and discards it. Returns at the line's
  /// end, at Ctrl-Z, at the end of input and when reading fails.
  virtual void ReadConsoleLine() = 0;
  /// The position of a code address inside the program's image, as the
  /// failure report shows it.
  virtual std::uint32_t CodeOffset(const void* code_address) = 0;

  // Files and directories.

  /// Creates one directory (CreateDirectoryA); false when it could not.
  virtual bool CreateDirectory(const std::string& path) = 0;
  /// Renames a file, never replacing an existing entry (MoveFileA).
  virtual bool MoveFile(const std::string& from, const std::string& to) = 0;
  /// Starts a directory search for `pattern`, a directory followed by a
  /// wildcard name (FindFirstFileA). Returns null when nothing matches or the
  /// directory cannot be read; otherwise stores the first entry's bare name.
  virtual std::unique_ptr<DirectorySearch> FindFirstFile(const std::string& pattern,
                                                         std::string* first_name) = 0;
  /// The full form of a path, resolved against the current directory
  /// (GetFullPathNameA); empty when it cannot be formed.
  virtual std::string FullPath(const std::string& path) = 0;
  /// Creates a file for writing, emptying one of the same name (CreateFileA
  /// with CREATE_ALWAYS). Null when it cannot, as for a read-only file.
  virtual std::unique_ptr<OutputFile> CreateOutputFile(const std::string& path) = 0;

  // File dates are last-write times in local time as DOS date-times: the date
  // word in the high 16 bits, the time word in the low, so that later dates
  // are larger numbers. Only 1980 to 2107 can be held, in 2-second steps.

  /// The date of the directory entry `path` found by a directory search
  /// (FindFirstFileA); nothing when there is no such entry, it is a
  /// directory, or its date cannot be held.
  virtual std::optional<std::uint32_t> FindFileDate(const std::string& path) = 0;
  /// The date of the existing file `path`, opened for reading (CreateFileA,
  /// GetFileTime); nothing when it cannot be opened or dated.
  virtual std::optional<std::uint32_t> FileDate(const std::string& path) = 0;
  /// Copies a file with its attributes and last-write time (CopyFileA). With
  /// `fail_if_exists` it fails, changing nothing, when the destination name
  /// exists; otherwise it replaces the destination.
  virtual bool CopyFile(const std::string& source, const std::string& destination,
                        bool fail_if_exists) = 0;

  // Registry.

  /// A registry object for the current user's registry, with no key open.
  virtual std::unique_ptr<Registry> OpenRegistry() = 0;

  // Processes.

  /// Starts `application` with `command_line` (CreateProcessA) and waits for
  /// it to end. An application name without a directory is looked up in the
  /// current directory only, never along the search path.
  virtual ProcessResult RunAndWait(const std::string& application,
                                   const std::string& command_line) = 0;
};

}  // namespace pendrake

#endif  // PENDRAKE_PLATFORM_PLATFORM_H_
