#include "setup/environment_script.h"

#include <gtest/gtest.h>

#include "platform/system_platform.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace pendrake {
namespace {

namespace fs = std::filesystem;

struct ScriptCase {
  const char* install_dir;
  const char* line;
};

TEST(EnvironmentScriptLineTest, PutsTheToolsBinDirectoryInFrontOfPath) {
  const ScriptCase cases[] = {
      {"C:\\TOOLS", "path=C:\\TOOLS\\pendrake\\bin;%path%\r\n"},
      {"C:\\TOOLS\\", "path=C:\\TOOLS\\\\pendrake\\bin;%path%\r\n"},
      {"C:\\Program Files\\pd", "path=C:\\Program Files\\pd\\pendrake\\bin;%path%\r\n"},
      {"C:\\Tools & Utils", "set \"path=C:\\Tools & Utils\\pendrake\\bin;%path%\"\r\n"},
      {"D:\\100%\\x", "set \"path=D:\\100%%\\x\\pendrake\\bin;%path%\"\r\n"},
      {"D:\\a|b<c>d^e", "set \"path=D:\\a|b<c>d^e\\pendrake\\bin;%path%\"\r\n"},
  };
  for (const ScriptCase& c : cases) {
    EXPECT_EQ(c.line, EnvironmentScriptLine(c.install_dir)) << c.install_dir;
  }
  EXPECT_EQ(35u, EnvironmentScriptLine("C:\\TOOLS").size());
}

TEST(WriteEnvironmentScriptTest, ADirectoryWithALineBreakGetsNoScript) {
  for (const char* install_dir : {"C:\\a\nrun-this", "C:\\a\r\nrun-this", "C:\\a\r"}) {
    FakePlatform platform;
    WriteEnvironmentScript(platform, install_dir);
    EXPECT_TRUE(platform.calls.empty()) << "no file is even created or emptied";
  }
}

class EnvironmentScriptTest : public testing::Test {
 protected:
  EnvironmentScriptTest() {
    char program[] = "install.exe";
    char* argv[] = {program, nullptr};
    platform_ = MakeSystemPlatform(1, argv);
  }

  ScopedTempDir dir_;
  std::unique_ptr<Platform> platform_;
};

TEST_F(EnvironmentScriptTest, WritesExactlyTheLineIntoTheInstallDirectory) {
  struct Case {
    const char* install_dir;
    const char* directory;  // the same, as this system names it
  };
  for (const Case& c : {Case{"tools", "tools"}, Case{"tools2\\", "tools2"},
                        Case{"my tools", "my tools"}, Case{"a&b", "a&b"}, Case{"50%", "50%"}}) {
    fs::create_directory(c.directory);
    WriteEnvironmentScript(*platform_, c.install_dir);
    EXPECT_EQ(EnvironmentScriptLine(c.install_dir),
              ReadWholeFile(fs::path(c.directory) / "setenv.bat"))
        << c.install_dir;
  }
}

TEST_F(EnvironmentScriptTest, ReplacesAnOlderScriptWhole) {
  fs::create_directory("tools");
  WriteWholeFile("tools/setenv.bat", "@echo off\r\nset a=1\r\nset b=2\r\npath=x;%path%\r\n");
  WriteEnvironmentScript(*platform_, "tools");
  EXPECT_EQ(EnvironmentScriptLine("tools"), ReadWholeFile("tools/setenv.bat"));
  WriteEnvironmentScript(*platform_, "tools");
  EXPECT_EQ(EnvironmentScriptLine("tools"), ReadWholeFile("tools/setenv.bat"));
}

TEST_F(EnvironmentScriptTest, AMissingDirectoryGetsNothingAndRaisesNothing) {
  WriteEnvironmentScript(*platform_, "missing");
  EXPECT_FALSE(fs::exists("missing"));
}

TEST_F(EnvironmentScriptTest, ALongPathIsNeverCutToAnotherName) {
  // 261 characters with the file name: one that keeps only the first 259
  // would write setenv.b instead.
  const fs::path long_dir(std::string(250, 'd'));
  fs::create_directory(long_dir);
  WriteEnvironmentScript(*platform_, long_dir.string());
  EXPECT_FALSE(fs::exists(long_dir / "setenv.b"));
  EXPECT_FALSE(fs::exists(long_dir / "setenv.ba"));
  // Written whole where the system reaches the path, otherwise not at all.
  if (fs::exists(long_dir / "setenv.bat")) {
    EXPECT_EQ(EnvironmentScriptLine(long_dir.string()), ReadWholeFile(long_dir / "setenv.bat"));
  }
}

}  // namespace
}  // namespace pendrake
