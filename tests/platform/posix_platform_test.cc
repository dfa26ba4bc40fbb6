// What only the POSIX backend does: rebuild a Windows-style command line
// from argv, and end a console line at a terminal's Enter.
#include <gtest/gtest.h>
#include <unistd.h>

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

// Reads a console line from standard input holding `input`; returns what
// the read left unread.
std::string LeftAfterReading(const std::string& input) {
  int fds[2];
  EXPECT_EQ(0, pipe(fds));
  EXPECT_EQ(static_cast<ssize_t>(input.size()), write(fds[1], input.data(), input.size()));
  close(fds[1]);
  const int saved = dup(STDIN_FILENO);
  dup2(fds[0], STDIN_FILENO);
  close(fds[0]);
  char program[] = "install.exe";
  char* argv[] = {program, nullptr};
  MakeSystemPlatform(1, argv)->ReadConsoleLine();
  std::string left;
  char buffer[64];
  ssize_t got;
  while ((got = read(STDIN_FILENO, buffer, sizeof buffer)) > 0) {
    left.append(buffer, static_cast<std::size_t>(got));
  }
  dup2(saved, STDIN_FILENO);
  close(saved);
  return left;
}

TEST(PosixPlatformTest, ReadConsoleLineEndsAtCrLfCtrlZOrTheEnd) {
  EXPECT_EQ("rest", LeftAfterReading("\nrest"));
  EXPECT_EQ("rest", LeftAfterReading("typed\nrest"));
  EXPECT_EQ("rest", LeftAfterReading("typed\r\nrest"));
  EXPECT_EQ("\nrest", LeftAfterReading("a\r\n\nrest"));
  EXPECT_EQ("rest", LeftAfterReading("stop\x1arest"));
  EXPECT_EQ("", LeftAfterReading("no end"));
}

}  // namespace
}  // namespace pendrake
