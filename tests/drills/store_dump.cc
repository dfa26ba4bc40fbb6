// Reads a REGEDIT4 registry store and prints each value as
// key|name|type|data, one a line, in the store's order; exits 1 when the
// store does not parse, 0 when it does or is absent (an empty hive).
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/regedit4.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) return 0;
  std::ostringstream text;
  text << in.rdbuf();
  const std::optional<pendrake::RegistryTree> tree = pendrake::ParseRegedit4(text.str());
  if (!tree) {
    std::cout << "unparseable\n";
    return 1;
  }
  for (const auto& [key, values] : tree->keys()) {
    for (const pendrake::RegistryValue& value : values) {
      std::cout << key << '|' << value.name << '|' << value.type << '|' << value.data << '\n';
    }
  }
  return 0;
}
