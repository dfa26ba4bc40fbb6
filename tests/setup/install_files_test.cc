// Copying one install file, over real files on the backend the build chose.
#include "setup/install_files.h"

#include <gtest/gtest.h>

#include <chrono>

#include "platform/system_platform.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace pendrake {
namespace {

namespace fs = std::filesystem;
using std::chrono::hours;
using std::chrono::seconds;

const char kInstalled[] = "installed by an earlier run";
const char kNew[] = "the install file";

// The distribution's tar.exe in the current directory and the tools bin
// directory bin/, both dated by the case.
struct CopyCase {
  const char* name;
  bool source_present = true;
  bool bin_present = true;
  enum { kAbsent, kFile, kDirectory } destination = kFile;
  /// The destination's last-write time against the source's.
  fs::file_time_type::duration destination_offset{};
  bool destination_before_1980 = false;
  const char* expected_content;  // of bin/tar.exe; null: no file there
  const char* expected_output;
};

class CopyInstallFileTest : public testing::TestWithParam<CopyCase> {};

TEST_P(CopyInstallFileTest, CopiesOrKeepsAsTheDatesSay) {
  const CopyCase& c = GetParam();
  ScopedTempDir dir;
  // A source time on an even second, so that one second later still falls
  // in the same two-second step of a DOS date.
  const fs::file_time_type base(std::chrono::duration_cast<fs::file_time_type::duration>(
      std::chrono::duration_cast<seconds>(fs::file_time_type::clock::now().time_since_epoch() -
                                          hours(24 * 30)) /
      2 * 2));
  if (c.source_present) {
    WriteWholeFile("tar.exe", kNew);
    fs::last_write_time("tar.exe", base);
  }
  if (c.bin_present) fs::create_directory("bin");
  if (c.destination == CopyCase::kFile) {
    WriteWholeFile("bin/tar.exe", kInstalled);
    fs::last_write_time("bin/tar.exe", c.destination_before_1980 ? base - hours(24 * 365 * 60)
                                                                 : base + c.destination_offset);
  } else if (c.destination == CopyCase::kDirectory) {
    fs::create_directory("bin/tar.exe");
  }

  char program[] = "install.exe";
  char* argv[] = {program, nullptr};
  std::unique_ptr<Platform> platform = MakeSystemPlatform(1, argv);
  FakePlatform output;
  Console console(output);
  CopyInstallFile(console, *platform, "tar.exe", "tar.exe", "bin");
  console.Flush();

  EXPECT_EQ(c.expected_output, output.Transcript());
  if (c.expected_content == nullptr) {
    EXPECT_FALSE(fs::is_regular_file("bin/tar.exe"));
  } else {
    EXPECT_EQ(c.expected_content, ReadWholeFile("bin/tar.exe"));
  }
  if (c.expected_content != nullptr && std::string(c.expected_content) == kNew) {
    EXPECT_EQ(fs::last_write_time("tar.exe"), fs::last_write_time("bin/tar.exe"))
        << "the copy carries the install file's date";
  }
  if (c.destination == CopyCase::kDirectory) {
    EXPECT_TRUE(fs::is_directory("bin/tar.exe"));
  }
}

CopyCase Case(const char* name) {
  CopyCase c;
  c.name = name;
  c.expected_content = kNew;
  c.expected_output = "";
  return c;
}

CopyCase AbsentDestination() {
  CopyCase c = Case("AbsentDestination");
  c.destination = CopyCase::kAbsent;
  return c;
}

CopyCase AbsentWithoutSource() {
  CopyCase c = Case("AbsentWithoutSource");
  c.destination = CopyCase::kAbsent;
  c.source_present = false;
  c.expected_content = nullptr;
  return c;
}

CopyCase NoToolsBinDirectory() {
  CopyCase c = Case("NoToolsBinDirectory");
  c.bin_present = false;
  c.destination = CopyCase::kAbsent;
  c.expected_content = nullptr;
  return c;
}

CopyCase OlderDestination() {
  CopyCase c = Case("OlderDestination");
  c.destination_offset = -hours(1);
  return c;
}

CopyCase SameDate() { return Case("SameDate"); }

CopyCase SameTwoSecondStep() {
  CopyCase c = Case("SameTwoSecondStep");
  c.destination_offset = seconds(1);
  return c;
}

CopyCase NewerDestination() {
  CopyCase c = Case("NewerDestination");
  c.destination_offset = seconds(2);
  c.expected_content = kInstalled;
  c.expected_output = "Newer tar.exe exists!\r\n";
  return c;
}

CopyCase DirectoryInTheWay() {
  CopyCase c = Case("DirectoryInTheWay");
  c.destination = CopyCase::kDirectory;
  c.expected_content = nullptr;
  return c;
}

CopyCase DestinationBefore1980() {
  CopyCase c = Case("DestinationBefore1980");
  c.destination_before_1980 = true;
  c.expected_content = kInstalled;
  return c;
}

CopyCase SourceMissingWhileACopyIsThere() {
  CopyCase c = Case("SourceMissingWhileACopyIsThere");
  c.source_present = false;
  c.expected_content = kInstalled;
  return c;
}

INSTANTIATE_TEST_SUITE_P(Cases, CopyInstallFileTest,
                         testing::Values(AbsentDestination(), AbsentWithoutSource(),
                                         NoToolsBinDirectory(), OlderDestination(), SameDate(),
                                         SameTwoSecondStep(), NewerDestination(),
                                         DirectoryInTheWay(), DestinationBefore1980(),
                                         SourceMissingWhileACopyIsThere()),
                         [](const testing::TestParamInfo<CopyCase>& param_info) {
                           return std::string(param_info.param.name);
                         });

}  // namespace
}  // namespace pendrake
