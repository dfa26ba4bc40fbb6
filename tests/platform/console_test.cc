#include "platform/console.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace pendrake {
namespace {

TEST(ConsoleTest, OnAConsoleEachLineGoesOutAtOnceInOneWrite) {
  FakePlatform platform;
  platform.is_console = true;
  Console console(platform);
  console.WriteLine("Creating Registry Entries...");
  console.WriteLine("");
  EXPECT_EQ((std::vector<std::string>{"Creating Registry Entries...\r\n", "\r\n"}),
            platform.stdout_writes);
}

TEST(ConsoleTest, IntoAFileOrPipeBytesGoOutIn128ByteBlocksAndAtTheFlush) {
  FakePlatform platform;
  Console console(platform);
  const std::string line(50, 'x');  // 52 bytes with its line end
  console.WriteLine(line);
  console.WriteLine(line);
  EXPECT_TRUE(platform.stdout_writes.empty());
  console.WriteLine(line);  // 156 bytes in all
  ASSERT_EQ(1u, platform.stdout_writes.size());
  EXPECT_EQ(128u, platform.stdout_writes[0].size());
  console.Flush();
  ASSERT_EQ(2u, platform.stdout_writes.size());
  EXPECT_EQ(28u, platform.stdout_writes[1].size());
  EXPECT_EQ(line + "\r\n" + line + "\r\n" + line + "\r\n", platform.Transcript());
  console.Flush();
  EXPECT_EQ(2u, platform.stdout_writes.size()) << "an empty buffer writes nothing";
}

TEST(ConsoleTest, ALineLongerThanTheBufferIsWrittenWhole) {
  FakePlatform platform;
  Console console(platform);
  const std::string line(300, 'y');
  console.WriteLine(line);
  console.Flush();
  EXPECT_EQ(line + "\r\n", platform.Transcript());
  for (const std::string& write : platform.stdout_writes) EXPECT_LE(write.size(), 128u);
}

}  // namespace
}  // namespace pendrake
