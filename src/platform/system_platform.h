// The platform of the machine the program runs on, as the build chose it.
#ifndef PENDRAKE_PLATFORM_SYSTEM_PLATFORM_H_
#define PENDRAKE_PLATFORM_SYSTEM_PLATFORM_H_

#include <memory>

#include "platform/platform.h"

namespace pendrake {

/// The Win32 or the POSIX backend. `argc` and `argv` are main's; the Win32
/// backend reads the command line from the system instead.
std::unique_ptr<Platform> MakeSystemPlatform(int argc, char** argv);

}  // namespace pendrake

#endif  // PENDRAKE_PLATFORM_SYSTEM_PLATFORM_H_
