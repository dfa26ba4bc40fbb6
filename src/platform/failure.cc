#include "platform/failure.h"

namespace pendrake {

// Not inlined, so that the return address is the raising call's site.
[[gnu::noinline]] void Raise(const char* class_name, const std::string& message) {
  throw Failure(class_name, message, __builtin_return_address(0));
}

namespace {

[[gnu::noinline]] void OnAllocationFailure() {
  // The return address lies in the allocator that ran out; the report needs
  // only a code address, and this is the nearest one that is not ours.
  throw OutOfMemory(__builtin_return_address(0));
}

}  // namespace

void InstallOutOfMemoryHandler() { std::set_new_handler(OnAllocationFailure); }

}  // namespace pendrake
