// The benchmark's baseline for the installer's fixed cost: starts
// ./tar.exe N times in a row, as the installer does, and waits for each.
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>

extern char** environ;

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 1;
  char program[] = "./tar.exe";
  char* child_argv[] = {program, nullptr};
  for (int i = 0; i < count; ++i) {
    pid_t child = 0;
    if (posix_spawn(&child, program, nullptr, nullptr, child_argv, environ) != 0) return 1;
    int status = 0;
    waitpid(child, &status, 0);
  }
  return 0;
}
