// Failures that end the run with the failure report.
//
// The installer handles none of them: they travel to the one handler in the
// entry point, which writes the report and ends with status 1. Each carries
// the name of its class as the report shows it, its message and the code
// address it was raised from.
#ifndef PENDRAKE_PLATFORM_FAILURE_H_
#define PENDRAKE_PLATFORM_FAILURE_H_

#include <new>
#include <stdexcept>
#include <string>

namespace pendrake {

class Failure : public std::runtime_error {
 public:
  Failure(std::string class_name, const std::string& message, const void* address)
      : std::runtime_error(message), class_name_(std::move(class_name)), address_(address) {}

  const std::string& class_name() const { return class_name_; }
  const void* address() const { return address_; }

 private:
  std::string class_name_;
  const void* address_;
};

/// Memory exhausted; raised from the allocator through the new-handler.
class OutOfMemory : public std::bad_alloc {
 public:
  explicit OutOfMemory(const void* address) : address_(address) {}
  const char* what() const noexcept override { return "Out of memory"; }
  const void* address() const { return address_; }

 private:
  const void* address_;
};

/// Raises `Failure` of class `class_name`, recording the caller as the place
/// it was raised from.
[[noreturn]] void Raise(const char* class_name, const std::string& message);

/// Makes every failed allocation raise `OutOfMemory` with its address.
void InstallOutOfMemoryHandler();

}  // namespace pendrake

#endif  // PENDRAKE_PLATFORM_FAILURE_H_
