// What only the Win32 backend does, checked on the real calls under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "platform/system_platform.h"
#include "setup/mount_table.h"
#include "support/temp_dir.h"

namespace pendrake {
namespace {

// Puts `handle` in place of a standard handle for one test.
class StdHandleSwap {
 public:
  StdHandleSwap(DWORD which, HANDLE handle) : which_(which), saved_(GetStdHandle(which)) {
    SetStdHandle(which_, handle);
  }
  ~StdHandleSwap() { SetStdHandle(which_, saved_); }

 private:
  DWORD which_;
  HANDLE saved_;
};

std::unique_ptr<Platform> Backend() { return MakeSystemPlatform(0, nullptr); }

TEST(Win32PlatformTest, OnlyACharacterDeviceCountsAsAConsole) {
  ScopedTempDir dir;
  HANDLE file = CreateFileA("out.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  HANDLE device =
      CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE read_end, write_end;
  ASSERT_TRUE(CreatePipe(&read_end, &write_end, nullptr, 0));
  {
    StdHandleSwap swap(STD_OUTPUT_HANDLE, file);
    EXPECT_FALSE(Backend()->StdoutIsConsole());
  }
  {
    StdHandleSwap swap(STD_OUTPUT_HANDLE, write_end);
    EXPECT_FALSE(Backend()->StdoutIsConsole());
  }
  {
    StdHandleSwap swap(STD_OUTPUT_HANDLE, device);
    EXPECT_TRUE(Backend()->StdoutIsConsole());
  }
  for (HANDLE h : {file, device, read_end, write_end}) CloseHandle(h);
}

// The console line ends at CR (taking the LF after it along), at Ctrl-Z and
// at the end of input; a lone LF does not end it.
TEST(Win32PlatformTest, ReadConsoleLineTakesOneLineAndNoMore) {
  struct Case {
    std::string input;
    std::string left;
  };
  const Case cases[] = {{"\r\nrest", "rest"},
                        {"typed\r\nrest", "rest"},
                        {"a\nb\r\nrest", "rest"},
                        {"stop\x1arest", "rest"},
                        {"no end", ""}};
  for (const Case& c : cases) {
    HANDLE read_end, write_end;
    ASSERT_TRUE(CreatePipe(&read_end, &write_end, nullptr, 0));
    DWORD written;
    WriteFile(write_end, c.input.data(), static_cast<DWORD>(c.input.size()), &written, nullptr);
    CloseHandle(write_end);
    {
      StdHandleSwap swap(STD_INPUT_HANDLE, read_end);
      Backend()->ReadConsoleLine();
    }
    char rest[64];
    DWORD got = 0;
    std::string left;
    while (ReadFile(read_end, rest, sizeof rest, &got, nullptr) && got > 0) left.append(rest, got);
    CloseHandle(read_end);
    EXPECT_EQ(c.left, left) << c.input;
  }
}

TEST(Win32PlatformTest, RunAndWaitGivesTheWholeExitStatus) {
  ScopedTempDir dir;
  std::filesystem::copy_file(PENDRAKE_CHILD_PROBE, dir.path() / "tar.exe");
  const ProcessResult result = Backend()->RunAndWait("tar.exe", "tar 3221225477");
  EXPECT_TRUE(result.started);
  EXPECT_EQ(0xC0000005u, result.exit_status);
}

TEST(Win32PlatformTest, FullPathUsesTheCurrentDrive) {
  ScopedTempDir dir;
  const std::string full = Backend()->FullPath("\\TOOLS");
  ASSERT_GE(full.size(), 3u);
  EXPECT_EQ(":\\TOOLS", full.substr(1));
}

HKEY CreateTestKey(const std::string& path) {
  HKEY key = nullptr;
  EXPECT_EQ(ERROR_SUCCESS,
            RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr));
  return key;
}

bool KeyExists(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

TEST(Win32RegistryTest, DeleteTreeTakesEveryLevelAndLeavesTheParent) {
  const std::string top = "Software\\pendrake-test\\tree";
  std::string path = top;
  for (int level = 0; level < 40; ++level) {
    for (const char* sibling : {"a", "b"}) {
      HKEY key = CreateTestKey(path + "\\" + sibling);
      const DWORD number = static_cast<DWORD>(level);
      RegSetValueExA(key, "n", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
      RegSetValueExA(key, "s", 0, REG_SZ, reinterpret_cast<const BYTE*>("text"), 5);
      RegCloseKey(key);
    }
    path += "\\b";
  }
  RegCloseKey(CreateTestKey("Software\\pendrake-test\\kept"));

  std::unique_ptr<Registry> registry = Backend()->OpenRegistry();
  EXPECT_TRUE(registry->DeleteTree(top));
  EXPECT_FALSE(KeyExists(top));
  EXPECT_TRUE(KeyExists("Software\\pendrake-test\\kept"));
  EXPECT_FALSE(registry->DeleteTree(top)) << "nothing left to delete";
  registry->DeleteTree("Software\\pendrake-test");
}

TEST(Win32RegistryTest, TheMountTableReadsBackWithItsTypesAndData) {
  WriteMountTable(*Backend(), "C:\\My Tools\\");
  const std::string mounts = "Software\\Cygnus Solutions\\CYGWIN.DLL setup\\b15.0\\mounts\\";
  struct Expected {
    const char* key;
    DWORD fsilent;
    const char* native;
    const char* unix;
  };
  const Expected table[] = {{"00", 1, "\\\\.\\tape1:", "/dev/st1"},
                            {"01", 1, "\\\\.\\tape0:", "/dev/st0"},
                            {"02", 1, "\\\\.\\b:", "/dev/fd1"},
                            {"03", 1, "\\\\.\\a:", "/dev/fd0"},
                            {"04", 0, "C:\\My Tools\\", "/"}};
  for (const Expected& entry : table) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_CURRENT_USER, (mounts + entry.key).c_str(), 0, KEY_READ, &key));
    DWORD type = 0;
    DWORD number = 99;
    DWORD size = sizeof number;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "fbinary", nullptr, &type,
                                              reinterpret_cast<BYTE*>(&number), &size));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(0u, number);
    size = sizeof number;
    RegQueryValueExA(key, "fsilent", nullptr, &type, reinterpret_cast<BYTE*>(&number), &size);
    EXPECT_EQ(entry.fsilent, number) << entry.key;
    for (const auto& [name, text] :
         {std::pair<const char*, const char*>{"native", entry.native}, {"unix", entry.unix}}) {
      char data[64] = {};
      size = sizeof data;
      EXPECT_EQ(ERROR_SUCCESS,
                RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size));
      EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
      EXPECT_EQ(std::string(text), std::string(data)) << entry.key << " " << name;
      EXPECT_EQ(std::strlen(text) + 1, size) << "the text and one NUL";
    }
    RegCloseKey(key);
  }
}

}  // namespace
}  // namespace pendrake
