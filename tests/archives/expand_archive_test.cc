#include "archives/expand_archive.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace pendrake {
namespace {

struct RuntimePathCase {
  const char* path;
  const char* runtime_path;
};

TEST(ToRuntimePathTest, DrivePathsAsTheRuntimeNamesThem) {
  const RuntimePathCase cases[] = {
      {"C:\\TOOLS", "//C/TOOLS"},
      {"C:\\TOOLS\\", "//C/TOOLS/"},
      {"d:\\dev\\tools", "//d/dev/tools"},
      {"C:\\Program Files\\x", "//C/Program Files/x"},
      {"C:\\", "//C/"},
      {"C:", "//C"},
      {"C:/TOOLS", "//C/TOOLS"},
      {"C:\\a\\\\b", "//C/a//b"},
  };
  for (const RuntimePathCase& c : cases) {
    FakePlatform platform;
    EXPECT_EQ(c.runtime_path, ToRuntimePath(platform, c.path)) << c.path;
    EXPECT_TRUE(platform.calls.empty()) << "a drive path needs no full form: " << c.path;
  }
}

TEST(ToRuntimePathTest, OtherFormsAreMadeFullFirst) {
  const RuntimePathCase cases[] = {
      {"TOOLS", "//C/DIST/TOOLS"},
      {"tools\\sub", "//C/DIST/tools/sub"},
      {"\\TOOLS", "//C/TOOLS"},
      {"C:TOOLS", "//C/DIST/TOOLS"},
      {"\\\\server\\share\\x", "//server/share/x"},
      {"/usr/local/tools", "//C/usr/local/tools"},
  };
  for (const RuntimePathCase& c : cases) {
    FakePlatform platform;
    platform.current_directory = "C:\\DIST";
    EXPECT_EQ(c.runtime_path, ToRuntimePath(platform, c.path)) << c.path;
  }
}

TEST(ToRuntimePathTest, APosixFullPathKeepsItsForm) {
  FakePlatform platform;
  platform.current_directory = "/home/user";
  // The fake's full form of a relative POSIX path.
  EXPECT_EQ("/home/user/tools", ToRuntimePath(platform, "tools"));
}

TEST(ToolCommandLineTest, PlainNamesGoInAsTheyAre) {
  EXPECT_EQ("tar -xfbase.bz2 --use-compress-program=bzip2 --directory=//C/TOOLS",
            ToolCommandLine("//C/TOOLS", "base.bz2"));
  EXPECT_EQ("tar -xvfbase.bz2 --use-compress-program=./bzip2 --directory=//C/TOOLS",
            EchoedCommandLine("//C/TOOLS", "base.bz2"));
}

TEST(ToolCommandLineTest, BlanksAndQuotesAreQuotedSoEachStaysOneArgument) {
  EXPECT_EQ(
      "tar -xf\"my tools.bz2\" --use-compress-program=bzip2 "
      "--directory=\"//C/Program Files/x\"",
      ToolCommandLine("//C/Program Files/x", "my tools.bz2"));
  EXPECT_EQ(
      "tar -xvf\"x.bz2 --to-command=sh\" --use-compress-program=./bzip2 "
      "--directory=\"\"",
      EchoedCommandLine("", "x.bz2 --to-command=sh"));
  EXPECT_EQ("tar -xf\"a\\\"b.bz2\" --use-compress-program=bzip2 --directory=//C/T",
            ToolCommandLine("//C/T", "a\"b.bz2"));
}

struct OutcomeCase {
  ProcessResult result;
  const char* outcome_line;
  bool expanded;
};

TEST(ExpandArchiveTest, WritesTheEchoedLineRunsTheToolAndTellsTheOutcome) {
  const OutcomeCase cases[] = {
      {{true, 0}, "Completed OK", true},
      {{true, 2}, "Unable to expand archive", false},
      {{true, 0xC0000005u}, "Unable to expand archive", false},
      {{false, 0}, "Unable to expand archive", false},
  };
  for (const OutcomeCase& c : cases) {
    FakePlatform platform;
    platform.run = [&](const std::string&, const std::string&) { return c.result; };
    Console console(platform);
    EXPECT_EQ(c.expanded, ExpandArchive(console, platform, "//C/TOOLS", "base.bz2"));
    console.Flush();
    EXPECT_EQ("tar -xvfbase.bz2 --use-compress-program=./bzip2 --directory=//C/TOOLS\r\n" +
                  std::string(c.outcome_line) + "\r\n",
              platform.Transcript());
    EXPECT_EQ(
        "RunAndWait tar.exe | tar -xfbase.bz2 --use-compress-program=bzip2 "
        "--directory=//C/TOOLS",
        platform.calls.back());
  }
}

TEST(ExpandArchiveTest, TheEchoedLineIsOutBeforeTheToolStarts) {
  FakePlatform platform;
  std::string written_before_start;
  platform.run = [&](const std::string&, const std::string&) {
    written_before_start = platform.Transcript();
    return ProcessResult{true, 0};
  };
  Console console(platform);
  console.WriteLine("Installing : base.bz2");
  ExpandArchive(console, platform, "//C/TOOLS", "base.bz2");
  EXPECT_EQ(
      "Installing : base.bz2\r\n"
      "tar -xvfbase.bz2 --use-compress-program=./bzip2 --directory=//C/TOOLS\r\n",
      written_before_start);
}

}  // namespace
}  // namespace pendrake
