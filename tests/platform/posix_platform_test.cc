// What only the POSIX backend does: rebuild a Windows-style command line
// from argv.
#include <gtest/gtest.h>

#include "install/command_line.h"
#include "platform/system_platform.h"

namespace pendrake {
namespace {

std::vector<std::string> ArgumentsSeenFor(std::vector<std::string> argv) {
  std::vector<char*> pointers;
  for (std::string& argument : argv) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  auto platform = MakeSystemPlatform(static_cast<int>(argv.size()), pointers.data());
  return SplitArguments(platform->CommandLine());
}

TEST(PosixPlatformTest, CommandLineSplitsBackToTheSameArguments) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"/opt/pendrake"},
      {"/opt/My Tools"},
      {"a", "b"},
      {"tab\tand\nnewline"},
      {"\xe9t\xe9 \xff"},
      {std::string(400, 'x')},
      {"-rf", "--directory=/"},
  };
  for (const std::vector<std::string>& arguments : cases) {
    std::vector<std::string> argv = {"/dist/install.exe"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    EXPECT_EQ(arguments, ArgumentsSeenFor(argv));
  }
}

TEST(PosixPlatformTest, QuotesAreDroppedAndAnEmptyArgumentCountsAsNone) {
  EXPECT_EQ(std::vector<std::string>{"ab c"},
            ArgumentsSeenFor({"/dist/my dir/install.exe", "a\"b c\""}));
  EXPECT_EQ(std::vector<std::string>{}, ArgumentsSeenFor({"install.exe", ""}));
  EXPECT_EQ(std::vector<std::string>{"x"}, ArgumentsSeenFor({"install.exe", "", "x"}));
}

}  // namespace
}  // namespace pendrake
