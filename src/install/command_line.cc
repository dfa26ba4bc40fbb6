#include "install/command_line.h"

#include <cstddef>

namespace pendrake {
namespace {

bool IsSeparator(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 32;
}

// Reads the token that starts at or after `*pos` and moves `*pos` past it.
// A NUL ends the text, as it ends the command line on Windows.
std::string NextToken(const std::string& text, std::size_t* pos) {
  std::size_t p = *pos;
  const std::size_t n = text.size();
  for (;;) {
    while (p < n && IsSeparator(text[p])) ++p;
    if (p + 1 < n && text[p] == '"' && text[p + 1] == '"') {
      p += 2;
    } else {
      break;
    }
  }
  std::string token;
  while (p < n && text[p] != '\0' && !IsSeparator(text[p])) {
    if (text[p] == '"') {
      ++p;
      while (p < n && text[p] != '\0' && text[p] != '"') token += text[p++];
      if (p < n && text[p] == '"') ++p;
    } else {
      token += text[p++];
    }
  }
  *pos = p;
  return token;
}

}  // namespace

std::vector<std::string> SplitArguments(const std::string& command_line) {
  std::size_t pos = 0;
  NextToken(command_line, &pos);  // the program's name
  std::vector<std::string> arguments;
  for (;;) {
    std::string token = NextToken(command_line, &pos);
    if (token.empty()) break;
    arguments.push_back(std::move(token));
  }
  return arguments;
}

}  // namespace pendrake
