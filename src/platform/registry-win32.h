// The Windows backend's registry object over HKEY_CURRENT_USER.
#ifndef PENDRAKE_PLATFORM_REGISTRY_WIN32_H_
#define PENDRAKE_PLATFORM_REGISTRY_WIN32_H_

#include <memory>

#include "platform/platform.h"

namespace pendrake {

std::unique_ptr<Registry> OpenWin32Registry();

}  // namespace pendrake

#endif  // PENDRAKE_PLATFORM_REGISTRY_WIN32_H_
