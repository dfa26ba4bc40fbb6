// The installer's own command-line splitting, on any bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "install/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  for (const std::string& argument : pendrake::SplitArguments(line)) {
    // Counting stops at the first empty token, and quotes are always dropped.
    if (argument.empty() || argument.find('"') != std::string::npos) std::abort();
    if (argument.size() > line.size()) std::abort();
  }
  return 0;
}
