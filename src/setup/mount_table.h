// The tools' runtime mount table in the current user's registry.
#ifndef PENDRAKE_SETUP_MOUNT_TABLE_H_
#define PENDRAKE_SETUP_MOUNT_TABLE_H_

#include <string>

#include "platform/platform.h"

namespace pendrake {

/// Replaces the runtime's settings tree in HKEY_CURRENT_USER with the five
/// mount entries, the root entry pointing at `install_dir` as typed. Raises
/// ERegistryException when a mount key cannot be created or a value cannot
/// be set; what was written before stays.
void WriteMountTable(Platform& platform, const std::string& install_dir);

}  // namespace pendrake

#endif  // PENDRAKE_SETUP_MOUNT_TABLE_H_
