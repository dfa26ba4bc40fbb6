// What only the Win32 backend does, checked on the real calls under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/system_platform.h"
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

}  // namespace
}  // namespace pendrake
