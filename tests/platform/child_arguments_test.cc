#include "platform/child_arguments.h"

#include <gtest/gtest.h>

namespace pendrake {
namespace {

class QuoteArgumentTest : public testing::TestWithParam<std::string> {};

// What the child's splitter gives back must be exactly the one argument that
// was quoted, and nothing more.
TEST_P(QuoteArgumentTest, SplitsBackToTheSameSingleArgument) {
  const std::string& argument = GetParam();
  const std::vector<std::string> argv =
      SplitChildCommandLine("tar " + QuoteArgument(argument) + " next");
  ASSERT_EQ(3u, argv.size());
  EXPECT_EQ(argument, argv[1]);
  EXPECT_EQ("next", argv[2]);
}

TEST_P(QuoteArgumentTest, SplitsBackInsideAnOptionCluster) {
  const std::string& argument = GetParam();
  const std::vector<std::string> argv = SplitChildCommandLine("tar -xf" + QuoteArgument(argument));
  ASSERT_EQ(2u, argv.size());
  EXPECT_EQ("-xf" + argument, argv[1]);
}

INSTANTIATE_TEST_SUITE_P(Awkward, QuoteArgumentTest,
                         testing::Values("", "plain", "my tools.bz2", "tab\there", "a\"b", "\"",
                                         "\"\"", "trailing\\", "trailing\\\\", "\\\"", "a\\\\\"b",
                                         "C:\\Program Files\\x\\", " lead and trail ",
                                         "x.bz2 --to-command=evil", "-rf", "\xe9\xff\x80",
                                         "\\\\server\\share"));

struct NeedsQuotesCase {
  const char* argument;
  bool needs_quotes;
};

TEST(NeedsQuotesTest, OnlyEmptyBlankTabOrQuote) {
  const NeedsQuotesCase cases[] = {{"", true},           {"a b", true},       {"a\tb", true},
                                   {"a\"b", true},       {"base.bz2", false}, {"C:\\x\\", false},
                                   {"//C/TOOLS", false}, {"-x;&|<>", false}};
  for (const NeedsQuotesCase& c : cases) {
    EXPECT_EQ(c.needs_quotes, NeedsQuotes(c.argument)) << c.argument;
  }
}

struct ChildSplitCase {
  const char* command_line;
  std::vector<std::string> argv;
};

TEST(SplitChildCommandLineTest, FollowsTheCRuntimeConvention) {
  const ChildSplitCase cases[] = {
      {"tar -xfbase.bz2 --directory=//C/TOOLS", {"tar", "-xfbase.bz2", "--directory=//C/TOOLS"}},
      {"tar -xfmy tools.bz2", {"tar", "-xfmy", "tools.bz2"}},
      {"\"C:\\a b\\tar.exe\" x", {"C:\\a b\\tar.exe", "x"}},
      {"tar a\\\\b \\x", {"tar", "a\\\\b", "\\x"}},
      {"tar \"a\\\"b\"", {"tar", "a\"b"}},
      {"tar \"a\\\\\" b", {"tar", "a\\", "b"}},
      {"tar \"a\"\"b\"", {"tar", "a\"b"}},
      {"tar   \t x  ", {"tar", "x"}},
      {"tar \"\"", {"tar", ""}},
  };
  for (const ChildSplitCase& c : cases) {
    EXPECT_EQ(c.argv, SplitChildCommandLine(c.command_line)) << c.command_line;
  }
}

}  // namespace
}  // namespace pendrake
