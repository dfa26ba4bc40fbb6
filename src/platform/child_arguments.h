// The Windows C runtime's convention for passing arguments to a child
// process in one command line: how to quote one argument so that the child
// gets it back whole, and how a child splits its command line into argv.
// Portable code only.
#ifndef PENDRAKE_PLATFORM_CHILD_ARGUMENTS_H_
#define PENDRAKE_PLATFORM_CHILD_ARGUMENTS_H_

#include <string>
#include <vector>

namespace pendrake {

/// Whether `argument` must be quoted to reach a child as one argument: it is
/// empty or holds a blank, a tab or a double quote.
bool NeedsQuotes(const std::string& argument);

/// `argument` in double quotes, with each double quote and the backslashes
/// before it (or before the closing quote) escaped.
std::string QuoteArgument(const std::string& argument);

/// Splits a command line as a C program started with it sees it: argv[0] runs
/// to the first blank or tab, or between quotes; the other arguments follow
/// the backslash and double quote rules that QuoteArgument writes for.
std::vector<std::string> SplitChildCommandLine(const std::string& command_line);

}  // namespace pendrake

#endif  // PENDRAKE_PLATFORM_CHILD_ARGUMENTS_H_
