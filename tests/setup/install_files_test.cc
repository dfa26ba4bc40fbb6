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
enum Destination { kAbsent, kFile, kDirectory };

struct CopyCase {
  const char* name;
  bool source_present;
  bool bin_present;
  Destination destination;
  /// The destination's last-write time against the source's.
  fs::file_time_type::duration destination_offset;
  const char* expected_content;  // of bin/tar.exe; null: no file there
  const char* expected_output;
};

const auto kSixtyYears = hours(24 * 365 * 60);  // back to before 1980

const CopyCase kCopyCases[] = {
    // name, source, bin/, destination, its date, bin/tar.exe afterwards, output
    {"AbsentDestination", true, true, kAbsent, {}, kNew, ""},
    {"AbsentWithoutSource", false, true, kAbsent, {}, nullptr, ""},
    {"NoToolsBinDirectory", true, false, kAbsent, {}, nullptr, ""},
    {"OlderDestination", true, true, kFile, -hours(1), kNew, ""},
    {"SameDate", true, true, kFile, {}, kNew, ""},
    {"SameTwoSecondStep", true, true, kFile, seconds(1), kNew, ""},
    {"NewerDestination", true, true, kFile, seconds(2), kInstalled, "Newer tar.exe exists!\r\n"},
    {"DirectoryInTheWay", true, true, kDirectory, {}, nullptr, ""},
    {"DestinationBefore1980", true, true, kFile, -kSixtyYears, kInstalled, ""},
    {"SourceMissingWhileACopyIsThere", false, true, kFile, {}, kInstalled, ""},
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
  if (c.destination == kFile) {
    WriteWholeFile("bin/tar.exe", kInstalled);
    fs::last_write_time("bin/tar.exe", base + c.destination_offset);
  } else if (c.destination == kDirectory) {
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
  if (c.destination == kDirectory) {
    EXPECT_TRUE(fs::is_directory("bin/tar.exe"));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, CopyInstallFileTest, testing::ValuesIn(kCopyCases),
                         [](const testing::TestParamInfo<CopyCase>& param_info) {
                           return std::string(param_info.param.name);
                         });

}  // namespace
}  // namespace pendrake
