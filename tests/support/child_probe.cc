// A child process for the platform tests: writes the arguments it received,
// one per line, to probe-args.txt in its current directory, and exits with
// the status its first argument names (0 when it names none).
#include <cstdlib>
#include <fstream>

int main(int argc, char** argv) {
  std::ofstream out("probe-args.txt", std::ios::binary);
  for (int i = 1; i < argc; ++i) out << argv[i] << '\n';
  return argc > 1 ? static_cast<int>(std::strtoul(argv[1], nullptr, 10)) : 0;
}
