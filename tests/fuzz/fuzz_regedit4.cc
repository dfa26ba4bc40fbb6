// The registry store's reader and writer on any file content: what the
// reader accepts, the writer gives back so that it reads the same again;
// what it rejects is a store the registry never writes, byte for byte.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/regedit4.h"
#include "platform/registry_store.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::optional<pendrake::RegistryTree> tree = pendrake::ParseRegedit4(text);
  if (tree) {
    const std::string written = pendrake::WriteRegedit4(*tree);
    const std::optional<pendrake::RegistryTree> again = pendrake::ParseRegedit4(written);
    if (!again || !(*again == *tree) || pendrake::WriteRegedit4(*again) != written) std::abort();
    return 0;
  }
  static const std::string store = [] {
    char dir[] = "/tmp/pendrake-fuzz-XXXXXX";
    if (mkdtemp(dir) == nullptr) std::abort();
    return std::string(dir) + "/HKEY_CURRENT_USER.reg";
  }();
  {
    std::ofstream out(store, std::ios::binary | std::ios::trunc);
    out << text;
  }
  {
    std::unique_ptr<pendrake::Registry> registry = pendrake::OpenRegistryStore(store);
    if (registry->CreateKey("Software\\x") || registry->WriteString("v", "x") ||
        registry->DeleteTree("Software")) {
      std::abort();
    }
  }
  if (ReadAll(store) != text) std::abort();
  return 0;
}
