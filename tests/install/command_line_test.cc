#include "install/command_line.h"

#include <gtest/gtest.h>

namespace pendrake {
namespace {

struct SplitCase {
  const char* command_line;
  std::vector<std::string> arguments;
};

class SplitArgumentsTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitArgumentsTest, GivesTheArgumentsAfterTheProgramName) {
  EXPECT_EQ(GetParam().arguments, SplitArguments(GetParam().command_line));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitArgumentsTest,
    testing::Values(SplitCase{"install", {}}, SplitCase{"install C:\\TOOLS", {"C:\\TOOLS"}},
                    SplitCase{"\"C:\\DIST\\install.exe\" C:\\TOOLS", {"C:\\TOOLS"}},
                    SplitCase{"install C:\\My Tools", {"C:\\My", "Tools"}},
                    SplitCase{"install \"C:\\My Tools\"", {"C:\\My Tools"}},
                    SplitCase{"install \"\"", {}},
                    SplitCase{"install \"\" C:\\TOOLS", {"C:\\TOOLS"}},
                    SplitCase{"install C:\\\"My Tools\"\\x", {"C:\\My Tools\\x"}},
                    SplitCase{"install /?", {"/?"}},
                    SplitCase{"install\t\x01\x1f C:\\TOOLS \x20", {"C:\\TOOLS"}},
                    SplitCase{"install \"C:\\open to the end", {"C:\\open to the end"}},
                    SplitCase{"install \"", {}}, SplitCase{"install a \"", {"a"}},
                    SplitCase{"install a\"\"b", {"ab"}}, SplitCase{"install \"\"\"a b\"", {"a b"}},
                    SplitCase{"install \xe9t\xe9 C:\\\xc4", {"\xe9t\xe9", "C:\\\xc4"}},
                    SplitCase{"", {}}));

TEST(SplitArgumentsTest, TakesALongArgumentWhole) {
  const std::string long_path = "C:\\" + std::string(300, 'x');
  EXPECT_EQ(std::vector<std::string>{long_path}, SplitArguments("install " + long_path));
}

TEST(SplitArgumentsTest, StopsAtANul) {
  EXPECT_EQ(std::vector<std::string>{"a"}, SplitArguments(std::string("install a\0b", 11)));
}

}  // namespace
}  // namespace pendrake
