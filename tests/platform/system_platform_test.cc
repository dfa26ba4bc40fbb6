// The behaviour the install logic relies on, checked on the backend the
// build chose: the POSIX one natively, the Win32 one under Wine.
#include "platform/system_platform.h"

#include <gtest/gtest.h>

#include "archives/expand_archive.h"
#include "platform/child_arguments.h"
#include "support/temp_dir.h"

#ifndef PENDRAKE_CHILD_PROBE
#error "PENDRAKE_CHILD_PROBE names the probe program"
#endif

namespace pendrake {
namespace {

namespace fs = std::filesystem;

class SystemPlatformTest : public testing::Test {
 protected:
  SystemPlatformTest() : platform_(MakeSystemPlatform(1, argv_)) {}

  std::vector<std::string> Search(const std::string& pattern) {
    std::vector<std::string> names;
    std::string name;
    std::unique_ptr<DirectorySearch> search = platform_->FindFirstFile(pattern, &name);
    if (!search) return names;
    do {
      names.push_back(name);
    } while (search->Next(&name));
    return names;
  }

  void PlaceProbe(const std::string& name) {
    fs::copy_file(PENDRAKE_CHILD_PROBE, dir_.path() / name);
  }

  char program_[12] = "install.exe";
  char* argv_[2] = {program_, nullptr};
  ScopedTempDir dir_;
  std::unique_ptr<Platform> platform_;
};

TEST_F(SystemPlatformTest, MoveFileNeverReplacesAnExistingName) {
  WriteWholeFile("a.bz2", "archive");
  WriteWholeFile("a.bz2.installed", "older");
  EXPECT_FALSE(platform_->MoveFile("a.bz2", "a.bz2.installed"));
  EXPECT_EQ("archive", ReadWholeFile("a.bz2"));
  EXPECT_EQ("older", ReadWholeFile("a.bz2.installed"));

  fs::remove("a.bz2.installed");
  EXPECT_TRUE(platform_->MoveFile("a.bz2", "a.bz2.installed"));
  EXPECT_FALSE(fs::exists("a.bz2"));
  EXPECT_EQ("archive", ReadWholeFile("a.bz2.installed"));
  EXPECT_FALSE(platform_->MoveFile("missing.bz2", "missing.bz2.installed"));
}

TEST_F(SystemPlatformTest, CreateDirectoryMakesOnlyTheLastComponent) {
  EXPECT_TRUE(platform_->CreateDirectory("tools"));
  EXPECT_TRUE(fs::is_directory("tools"));
  EXPECT_FALSE(platform_->CreateDirectory("tools"));
  EXPECT_FALSE(platform_->CreateDirectory("no\\such\\parent"));
  EXPECT_FALSE(fs::exists("no"));
}

TEST_F(SystemPlatformTest, SearchMatchesWithoutCaseInUpperCasedNameOrder) {
  for (const char* name :
       {"b.bz2", "A.BZ2", "c.Bz2", "base.bz2.installed", "readme.txt", "_x.bz2"}) {
    WriteWholeFile(name, "x");
  }
  fs::create_directory("old.bz2");
  EXPECT_EQ((std::vector<std::string>{"A.BZ2", "b.bz2", "c.Bz2", "old.bz2", "_x.bz2"}),
            Search((dir_.path() / "").string() + "*.bz2"));
  EXPECT_TRUE(Search((dir_.path() / "").string() + "*.gz").empty());
  EXPECT_TRUE(Search((dir_.path() / "missing" / "").string() + "*.bz2").empty());
}

TEST_F(SystemPlatformTest, FullPathResolvesAgainstTheCurrentDirectory) {
  const std::string full = platform_->FullPath("tools");
  EXPECT_EQ(fs::path(full), dir_.path() / "tools");
}

TEST_F(SystemPlatformTest, RunAndWaitGivesTheExitStatus) {
  PlaceProbe("tar.exe");
  const ProcessResult result = platform_->RunAndWait("tar.exe", "tar 7");
  EXPECT_TRUE(result.started);
  EXPECT_EQ(7u, result.exit_status);
}

TEST_F(SystemPlatformTest, RunAndWaitStartsOnlyFromTheCurrentDirectory) {
  EXPECT_FALSE(platform_->RunAndWait("tar.exe", "tar 0").started);
  fs::create_directory("sub");
  fs::copy_file(PENDRAKE_CHILD_PROBE, "sub/tar.exe");
  EXPECT_FALSE(platform_->RunAndWait("tar.exe", "tar 0").started);
}

TEST_F(SystemPlatformTest, ToolArgumentsArriveWhole) {
  PlaceProbe("tar.exe");
  const std::string runtime_dir = "//C/Program Files/x y";
  const std::string archive = "my \"odd\" tools\\.bz2";
  const ProcessResult result =
      platform_->RunAndWait("tar.exe", ToolCommandLine(runtime_dir, archive));
  EXPECT_TRUE(result.started);
  EXPECT_EQ("-xf" + archive + "\n--use-compress-program=bzip2\n--directory=" + runtime_dir + "\n",
            ReadWholeFile("probe-args.txt"));
}

}  // namespace
}  // namespace pendrake
