#include "platform/child_arguments.h"

#include <cstddef>

namespace pendrake {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool NeedsQuotes(const std::string& argument) {
  return argument.empty() || argument.find_first_of(" \t\"") != std::string::npos;
}

std::string QuoteArgument(const std::string& argument) {
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count only before a double quote; there they are doubled
    // and the quote itself gets one more.
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, '\\');
  quoted += '"';
  return quoted;
}

std::vector<std::string> SplitChildCommandLine(const std::string& command_line) {
  const std::string& s = command_line;
  const std::size_t n = s.size();
  std::vector<std::string> argv;
  std::size_t i = 0;

  std::string program;
  if (i < n && s[i] == '"') {
    ++i;
    while (i < n && s[i] != '"') program += s[i++];
    if (i < n) ++i;
  } else {
    while (i < n && !IsBlank(s[i])) program += s[i++];
  }
  argv.push_back(program);

  for (;;) {
    while (i < n && IsBlank(s[i])) ++i;
    if (i >= n) break;
    std::string argument;
    bool quoted = false;
    while (i < n) {
      const char c = s[i];
      if (c == '\\') {
        std::size_t count = 0;
        while (i < n && s[i] == '\\') ++count, ++i;
        if (i < n && s[i] == '"') {
          argument.append(count / 2, '\\');
          if (count % 2 == 1) argument += s[i++];
        } else {
          argument.append(count, '\\');
        }
      } else if (c == '"') {
        if (quoted && i + 1 < n && s[i + 1] == '"') {
          argument += '"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else if (IsBlank(c) && !quoted) {
        break;
      } else {
        argument += c;
        ++i;
      }
    }
    argv.push_back(argument);
  }
  return argv;
}

}  // namespace pendrake
