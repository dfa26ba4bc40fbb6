#include "install/install_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/fake_platform.h"

namespace pendrake {
namespace {

const char kBanner[] = "INSTALL - pendrake for Win95/NT Release 4\r\n\r\n";
const char kUsage[] =
    "Usage:\r\n"
    "  install install-directory\r\n"
    "\r\n"
    "This program will install pendrake Release 4\r\n"
    "to the install-directory from the current directory.\r\n"
    "\r\n"
    "Press return to continue...\r\n";

// A distribution in C:\DIST with two archives, started from that directory.
class InstallSequenceTest : public testing::Test {
 protected:
  InstallSequenceTest() {
    platform_.search_results["C:\\DIST\\*.bz2"] = {"base.bz2", "extra.bz2"};
    platform_.entries = {"base.bz2", "extra.bz2"};
  }

  bool Called(const std::string& prefix) const {
    return std::any_of(platform_.calls.begin(), platform_.calls.end(),
                       [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
  }

  std::vector<std::string> CallsStartingWith(const std::vector<std::string>& prefixes) const {
    std::vector<std::string> kept;
    for (const std::string& call : platform_.calls) {
      for (const std::string& prefix : prefixes) {
        if (call.rfind(prefix, 0) == 0) kept.push_back(call);
      }
    }
    return kept;
  }

  FakePlatform platform_;
};

TEST_F(InstallSequenceTest, ACompleteRunReportsEveryStep) {
  EXPECT_EQ(0, RunInstall(platform_));
  EXPECT_EQ(std::string(kBanner) +
                "Found the following archives:\r\n"
                "  base.bz2\r\n"
                "  extra.bz2\r\n"
                "\r\n"
                "Creating C:\\TOOLS directory...\r\n"
                "Creating Registry Entries...\r\n"
                "Creating SETENV.BAT...\r\n"
                "Uncompressing to C:\\TOOLS\r\n"
                "Installing : base.bz2\r\n"
                "tar -xvfbase.bz2 --use-compress-program=./bzip2 --directory=//C/TOOLS\r\n"
                "Completed OK\r\n"
                "Installing : extra.bz2\r\n"
                "tar -xvfextra.bz2 --use-compress-program=./bzip2 --directory=//C/TOOLS\r\n"
                "Completed OK\r\n"
                "Copying install files to C:\\TOOLS\r\n"
                "Install Complete\r\n",
            platform_.Transcript());
}

TEST_F(InstallSequenceTest, ACompleteRunWorksInTheFixedOrder) {
  RunInstall(platform_);
  std::vector<std::string> expected = {
      "FindFirstFile C:\\DIST\\*.bz2",
      "FindClose",
      "CreateDirectory C:\\TOOLS",
      "RegOpen",
      "RegClose",
      "CreateFile C:\\TOOLS\\setenv.bat",
      "RunAndWait tar.exe | tar -xfbase.bz2 --use-compress-program=bzip2 "
      "--directory=//C/TOOLS",
      "MoveFile base.bz2 -> base.bz2.installed",
      "RunAndWait tar.exe | tar -xfextra.bz2 --use-compress-program=bzip2 "
      "--directory=//C/TOOLS",
      "MoveFile extra.bz2 -> extra.bz2.installed",
  };
  for (const char* file : {"install.exe", "tar.exe", "bzip2.exe", "cygwinb19.dll"}) {
    expected.push_back(std::string("CopyFile ") + file + " -> C:\\TOOLS\\pendrake\\bin\\" + file +
                       " (fail if exists)");
  }
  EXPECT_EQ(expected,
            CallsStartingWith({"FindFirstFile", "FindClose", "CreateDirectory", "RegOpen",
                               "RegClose", "CreateFile", "RunAndWait", "MoveFile", "CopyFile"}));
  EXPECT_EQ((std::set<std::string>{"base.bz2.installed", "extra.bz2.installed", "C:\\TOOLS"}),
            platform_.entries);
  EXPECT_EQ("path=C:\\TOOLS\\pendrake\\bin;%path%\r\n", platform_.files["C:\\TOOLS\\setenv.bat"]);
}

TEST_F(InstallSequenceTest, AnyArgumentCountButOneShowsTheUsageAndWaits) {
  for (const char* command_line :
       {"install", "install C:\\My Tools", "install \"\"", "install a b c"}) {
    FakePlatform platform;
    platform.command_line = command_line;
    EXPECT_EQ(0, RunInstall(platform)) << command_line;
    EXPECT_EQ(std::string(kBanner) + kUsage, platform.Transcript()) << command_line;
    EXPECT_EQ("ReadConsoleLine", platform.calls.back());
    EXPECT_FALSE(std::any_of(platform.calls.begin(), platform.calls.end(),
                             [](const std::string& call) {
                               return call.rfind("FindFirstFile", 0) == 0 ||
                                      call.rfind("CreateDirectory", 0) == 0;
                             }))
        << command_line;
  }
}

TEST_F(InstallSequenceTest, TheUsageScreenIsOutBeforeTheWait) {
  platform_.command_line = "install";
  RunInstall(platform_);
  EXPECT_EQ(std::string(kBanner) + kUsage, platform_.stdout_at_read);
}

TEST_F(InstallSequenceTest, NoArchiveEndsAtOnceWithoutTouchingAnything) {
  platform_.search_results.clear();
  EXPECT_EQ(0, RunInstall(platform_));
  EXPECT_EQ(std::string(kBanner) + "Unable to find install files(*.bz2)!\r\n",
            platform_.Transcript());
  EXPECT_FALSE(Called("CreateDirectory"));
  EXPECT_FALSE(Called("ReadConsoleLine"));
}

TEST_F(InstallSequenceTest, QuotedInstallDirectoryIsTakenWithoutItsQuotes) {
  platform_.command_line = "install \"C:\\Program Files\\pd\\\"";
  RunInstall(platform_);
  EXPECT_TRUE(Called("CreateDirectory C:\\Program Files\\pd\\"));
  const std::string transcript = platform_.Transcript();
  EXPECT_NE(std::string::npos,
            transcript.find("Creating C:\\Program Files\\pd\\ directory...\r\n"));
  EXPECT_NE(std::string::npos, transcript.find("Uncompressing to C:\\Program Files\\pd\\\r\n"));
  EXPECT_NE(std::string::npos, transcript.find("--directory=\"//C/Program Files/pd/\"\r\n"));
  EXPECT_NE(std::string::npos,
            transcript.find("Copying install files to C:\\Program Files\\pd\\\r\n"));
}

TEST_F(InstallSequenceTest, AnArchiveThatFailsKeepsItsNameAndTheRunEndsIncomplete) {
  platform_.run = [](const std::string&, const std::string& command_line) {
    return ProcessResult{true, command_line.find("base.bz2") != std::string::npos ? 2u : 0u};
  };
  EXPECT_EQ(1, RunInstall(platform_));
  EXPECT_EQ((std::set<std::string>{"base.bz2", "extra.bz2.installed", "C:\\TOOLS"}),
            platform_.entries);
  const std::string transcript = platform_.Transcript();
  EXPECT_NE(std::string::npos, transcript.find("Installing : base.bz2\r\n"
                                               "tar -xvfbase.bz2 --use-compress-program=./bzip2 "
                                               "--directory=//C/TOOLS\r\n"
                                               "Unable to expand archive\r\n"
                                               "Installing : extra.bz2\r\n"));
  EXPECT_NE(std::string::npos, transcript.find("Copying install files to C:\\TOOLS\r\n"
                                               "Install Incomplete\r\n"));
  EXPECT_EQ(std::string::npos, transcript.find("Install Complete"));
}

TEST_F(InstallSequenceTest, AToolThatCannotStartLeavesTheArchiveForTheNextRun) {
  platform_.failing = {"RunAndWait"};
  EXPECT_EQ(1, RunInstall(platform_));
  EXPECT_FALSE(Called("MoveFile"));
  EXPECT_EQ(2u, CallsStartingWith({"RunAndWait"}).size());
}

TEST_F(InstallSequenceTest, IgnoredFailuresDoNotStopTheRun) {
  platform_.failing = {"CreateDirectory", "MoveFile"};
  EXPECT_EQ(0, RunInstall(platform_));
  EXPECT_NE(std::string::npos, platform_.Transcript().find("Install Complete\r\n"));
}

TEST_F(InstallSequenceTest, OnlyTheArchivesInTheListAreExpanded) {
  std::vector<std::string> names;
  for (char c = 'a'; c <= 'n'; ++c) names.push_back(std::string(1, c) + ".bz2");
  platform_.search_results["C:\\DIST\\*.bz2"] = names;
  RunInstall(platform_);
  EXPECT_EQ(11u, CallsStartingWith({"RunAndWait"}).size());
  EXPECT_EQ(std::string::npos, platform_.Transcript().find("  l.bz2"));
}

TEST_F(InstallSequenceTest, AnUncaughtFailureEndsTheRunWithTheReport) {
  platform_.raise_at = "RunAndWait";
  platform_.raise_class = "ERegistryException";
  platform_.raise_message = "Failed to set data for 'fbinary'";
  EXPECT_EQ(1, RunInstall(platform_));
  const std::string transcript = platform_.Transcript();
  const std::string report =
      "Installing : base.bz2\r\n"
      "tar -xvfbase.bz2 --use-compress-program=./bzip2 --directory=//C/TOOLS\r\n"
      "Exception ERegistryException in module install.exe at 0040A1B2.\n"
      "Failed to set data for 'fbinary'.\r\n";
  ASSERT_GE(transcript.size(), report.size());
  EXPECT_EQ(report, transcript.substr(transcript.size() - report.size()));
  EXPECT_FALSE(Called("MoveFile"));
}

TEST_F(InstallSequenceTest, RunningOutOfMemoryIsReportedAsSuch) {
  platform_.run = [](const std::string&, const std::string&) -> ProcessResult {
    throw std::bad_alloc();
  };
  EXPECT_EQ(1, RunInstall(platform_));
  const std::string transcript = platform_.Transcript();
  const std::string report =
      "Exception EOutOfMemory in module install.exe at 0040A1B2.\nOut of memory.\r\n";
  ASSERT_GE(transcript.size(), report.size());
  EXPECT_EQ(report, transcript.substr(transcript.size() - report.size()));
}

}  // namespace
}  // namespace pendrake
