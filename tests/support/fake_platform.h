// An in-memory platform for the install logic's tests: it answers from what
// a test sets up, records every call in order, and fails or raises wherever a
// test asks it to.
#ifndef PENDRAKE_TESTS_SUPPORT_FAKE_PLATFORM_H_
#define PENDRAKE_TESTS_SUPPORT_FAKE_PLATFORM_H_

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/regedit4.h"

namespace pendrake {

class FakePlatform : public Platform {
 public:
  static constexpr std::uint32_t kCodeOffset = 0x0040A1B2;

  // What the machine looks like.
  std::string command_line = "install C:\\TOOLS";
  std::string program_file_path = "C:\\DIST\\install.exe";
  bool is_console = false;
  /// Entries each search pattern finds, in the order the search returns them.
  std::map<std::string, std::vector<std::string>> search_results;
  /// Names of existing files and directories, as the installer spells them.
  std::set<std::string> entries;
  std::string current_directory = "C:\\DIST";
  /// Files by path with their contents, and the dates of dated files.
  std::map<std::string, std::string> files;
  std::map<std::string, std::uint32_t> dates;
  /// Answers process starts; by default the child starts and exits with 0.
  std::function<ProcessResult(const std::string& application, const std::string& command_line)>
      run = [](const std::string&, const std::string&) {
        return ProcessResult{true, 0};
      };

  // Faults to inject.
  /// Operations (by the first word of their record) that fail.
  std::set<std::string> failing;
  /// Operations that fail only at their Nth call (counting from 1).
  std::map<std::string, int> fail_nth;
  /// The first call whose record starts with this raises a Failure.
  std::string raise_at;
  std::string raise_class = "ERegistryException";
  std::string raise_message = "Failed to set data for 'fbinary'";

  // What happened.
  /// Every call, in order: the operation's name and its arguments.
  std::vector<std::string> calls;
  /// Each write to standard output, as it was made.
  std::vector<std::string> stdout_writes;
  /// What standard output had received when standard input was read.
  std::string stdout_at_read;
  /// The current user's registry as the registry objects left it.
  RegistryTree registry;
  /// All bytes written to standard output.
  std::string Transcript() const;

  std::string CommandLine() override;
  std::string ProgramFilePath() override;
  bool StdoutIsConsole() override;
  bool WriteStdout(const std::string& bytes) override;
  void ReadConsoleLine() override;
  std::uint32_t CodeOffset(const void* code_address) override;
  bool CreateDirectory(const std::string& path) override;
  bool MoveFile(const std::string& from, const std::string& to) override;
  std::unique_ptr<DirectorySearch> FindFirstFile(const std::string& pattern,
                                                 std::string* first_name) override;
  std::string FullPath(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateOutputFile(const std::string& path) override;
  std::optional<std::uint32_t> FindFileDate(const std::string& path) override;
  std::optional<std::uint32_t> FileDate(const std::string& path) override;
  bool CopyFile(const std::string& source, const std::string& destination,
                bool fail_if_exists) override;
  std::unique_ptr<Registry> OpenRegistry() override;
  ProcessResult RunAndWait(const std::string& application,
                           const std::string& command_line) override;

  /// Records a call; raises when it is the one to raise at. Returns whether
  /// the operation is to fail.
  bool Record(const std::string& call);

 private:
  bool raised_ = false;
  std::map<std::string, int> call_counts_;
};

}  // namespace pendrake

#endif  // PENDRAKE_TESTS_SUPPORT_FAKE_PLATFORM_H_
