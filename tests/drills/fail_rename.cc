// Preloaded into the installer by the fault drills: makes the Nth call of
// rename() fail with EIO, N from PENDRAKE_FAIL_RENAME_AT. The registry store
// replaces itself by rename, so this refuses one chosen store write.
#include <dlfcn.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>

extern "C" int rename(const char* from, const char* to) {
  static std::atomic<long> calls{0};
  using RenameFunction = int (*)(const char*, const char*);
  static const auto real = reinterpret_cast<RenameFunction>(dlsym(RTLD_NEXT, "rename"));
  const char* at = std::getenv("PENDRAKE_FAIL_RENAME_AT");
  if (at != nullptr && ++calls == std::atol(at)) {
    errno = EIO;
    return -1;
  }
  return real(from, to);
}
