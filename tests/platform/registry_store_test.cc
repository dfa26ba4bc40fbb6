// The POSIX backend's registry store: a REGEDIT4 file that the mount table
// writer changes, key by key, without ever leaving it cut, damaged or
// overwritten by a concurrent writer.
#include "platform/registry_store.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/failure.h"
#include "platform/regedit4.h"
#include "platform/system_platform.h"
#include "setup/mount_table.h"
#include "support/temp_dir.h"

namespace pendrake {
namespace {

namespace fs = std::filesystem;

const std::string kTree = "Software\\Cygnus Solutions\\CYGWIN.DLL setup";

std::string MountTableText(const std::string& install_dir) {
  std::string text = "REGEDIT4\r\n\r\n";
  for (const char* key :
       {"Software", "Software\\Cygnus Solutions", "Software\\Cygnus Solutions\\CYGWIN.DLL setup",
        "Software\\Cygnus Solutions\\CYGWIN.DLL setup\\b15.0",
        "Software\\Cygnus Solutions\\CYGWIN.DLL setup\\b15.0\\mounts"}) {
    text += std::string("[HKEY_CURRENT_USER\\") + key + "]\r\n\r\n";
  }
  const char* native[] = {
      "\\\\\\\\.\\\\tape1:", "\\\\\\\\.\\\\tape0:", "\\\\\\\\.\\\\b:", "\\\\\\\\.\\\\a:"};
  const char* unix[] = {"/dev/st1", "/dev/st0", "/dev/fd1", "/dev/fd0", "/"};
  std::string escaped_dir;
  for (char c : install_dir) escaped_dir += c == '\\' ? std::string("\\\\") : std::string(1, c);
  for (int i = 0; i < 5; ++i) {
    text += "[HKEY_CURRENT_USER\\" + kTree + "\\b15.0\\mounts\\0" + std::to_string(i) + "]\r\n";
    text += "\"fbinary\"=dword:00000000\r\n";
    text += std::string("\"fsilent\"=dword:0000000") + (i < 4 ? "1" : "0") + "\r\n";
    text += "\"native\"=\"" + (i < 4 ? std::string(native[i]) : escaped_dir) + "\"\r\n";
    text += std::string("\"unix\"=\"") + unix[i] + "\"\r\n\r\n";
  }
  return text;
}

class RegistryStoreTest : public testing::Test {
 protected:
  RegistryStoreTest()
      : store_((dir_.path() / "config" / "pendrake" / "HKEY_CURRENT_USER.reg").string()) {
    setenv("XDG_CONFIG_HOME", (dir_.path() / "config").c_str(), 1);
    char program[] = "install.exe";
    char* argv[] = {program, nullptr};
    platform_ = MakeSystemPlatform(1, argv);
  }

  std::vector<std::string> FilesBesideTheStore() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(store_).parent_path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  ScopedTempDir dir_;
  std::string store_;
  std::unique_ptr<Platform> platform_;
};

TEST_F(RegistryStoreTest, AFirstInstallWritesTheTableAsAnExport) {
  EXPECT_EQ(store_, RegistryStorePath());
  WriteMountTable(*platform_, "C:\\TOOLS");
  EXPECT_EQ(MountTableText("C:\\TOOLS"), ReadWholeFile(store_));
  // Only the store and its lock: no temporary file is left behind.
  EXPECT_EQ((std::vector<std::string>{"HKEY_CURRENT_USER.reg", "HKEY_CURRENT_USER.reg.lock"}),
            FilesBesideTheStore());
}

TEST_F(RegistryStoreTest, ADeepOldTreeGoesWholeAndOtherKeysStayAsTheyWere) {
  fs::create_directories(fs::path(store_).parent_path());
  const std::string outside =
      "[HKEY_CURRENT_USER\\Software\\Other]\r\n\"path\"=\"D:\\\\x \\\"y\\\" \xe9\"\r\n"
      "\"flags\"=hex:00,ff\r\n\r\n";
  std::string old = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + kTree + "]\r\n\"top\"=\"1\"\r\n\r\n";
  std::string deep = kTree + "\\b15.0\\mounts\\05";
  for (int level = 0; level < 12; ++level) {
    deep += "\\level" + std::to_string(level);
    old += "[HKEY_CURRENT_USER\\" + deep + "]\r\n\"v\"=dword:00000001\r\n\r\n";
  }
  WriteWholeFile(store_, old + outside);

  WriteMountTable(*platform_, "D:\\pendrake");

  const std::optional<RegistryTree> tree = ParseRegedit4(ReadWholeFile(store_));
  ASSERT_TRUE(tree.has_value());
  std::optional<RegistryTree> expected = ParseRegedit4(MountTableText("D:\\pendrake"));
  ASSERT_TRUE(expected.has_value());
  expected->CreateKey("Software\\Other");
  expected->SetValue("Software\\Other", RegistryValue{"path", kRegString, "D:\\x \"y\" \xe9"});
  expected->SetValue("Software\\Other",
                     RegistryValue{"flags", kRegBinary, std::string("\x00\xff", 2)});
  EXPECT_EQ(WriteRegedit4(*expected), WriteRegedit4(*tree));
}

TEST_F(RegistryStoreTest, ADamagedStoreIsNeverWritten) {
  fs::create_directories(fs::path(store_).parent_path());
  const std::string damaged = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\"cut";
  WriteWholeFile(store_, damaged);
  try {
    WriteMountTable(*platform_, "C:\\TOOLS");
    ADD_FAILURE() << "a damaged store must refuse the keys";
  } catch (const Failure& failure) {
    EXPECT_EQ("ERegistryException", failure.class_name());
    EXPECT_EQ("Failed to create key '\\" + kTree + "\\b15.0\\mounts\\00'",
              std::string(failure.what()));
  }
  EXPECT_EQ(damaged, ReadWholeFile(store_));
}

TEST_F(RegistryStoreTest, AStoreThatCannotBeWrittenRefusesTheFirstKey) {
  WriteWholeFile(dir_.path() / "config", "a file where the directory should be");
  EXPECT_THROW(WriteMountTable(*platform_, "C:\\TOOLS"), Failure);
}

TEST_F(RegistryStoreTest, ConcurrentInstallersLeaveOneWholeTable) {
  const char* dirs[] = {"C:\\FIRST", "D:\\second dir"};
  pid_t children[2];
  for (int i = 0; i < 2; ++i) {
    children[i] = fork();
    ASSERT_GE(children[i], 0);
    if (children[i] == 0) {
      int status = 0;
      for (int round = 0; round < 10; ++round) {
        try {
          WriteMountTable(*platform_, dirs[i]);
        } catch (...) {
          status = 1;
        }
      }
      _exit(status);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "every write succeeded";
  }
  const std::string text = ReadWholeFile(store_);
  EXPECT_TRUE(text == MountTableText(dirs[0]) || text == MountTableText(dirs[1])) << text;
}

}  // namespace
}  // namespace pendrake
