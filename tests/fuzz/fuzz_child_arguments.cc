// Quoting an argument for the tool's command line and splitting it back as
// the child does gives exactly that one argument, whatever its bytes; and
// splitting any command line never fails.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/child_arguments.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  pendrake::SplitChildCommandLine(text);

  const std::vector<std::string> argv =
      pendrake::SplitChildCommandLine("tar " + pendrake::QuoteArgument(text) + " -x");
  if (argv.size() != 3 || argv[1] != text || argv[2] != "-x") std::abort();
  // Inside an option cluster, as the archive name stands.
  const std::vector<std::string> cluster =
      pendrake::SplitChildCommandLine("tar -xf" + pendrake::QuoteArgument(text));
  if (cluster.size() != 2 || cluster[1] != "-xf" + text) std::abort();
  return 0;
}
