// The POSIX backend's HKEY_CURRENT_USER: a REGEDIT4 file.
#ifndef PENDRAKE_PLATFORM_REGISTRY_STORE_H_
#define PENDRAKE_PLATFORM_REGISTRY_STORE_H_

#include <memory>
#include <string>

#include "platform/platform.h"

namespace pendrake {

/// Where the store lives: $XDG_CONFIG_HOME/pendrake/HKEY_CURRENT_USER.reg,
/// or under $HOME/.config when XDG_CONFIG_HOME is unset; empty when neither
/// is set.
std::string RegistryStorePath();

/// A registry object over the store file at `store_path`. It holds the
/// store's lock from its opening to its release, so that concurrent
/// installers take turns; each change is on disk, whole, when it returns.
/// A store that does not parse is never written: every operation on it fails.
std::unique_ptr<Registry> OpenRegistryStore(const std::string& store_path);

}  // namespace pendrake

#endif  // PENDRAKE_PLATFORM_REGISTRY_STORE_H_
