// Copies of the install files in the tools bin directory.
#ifndef PENDRAKE_SETUP_INSTALL_FILES_H_
#define PENDRAKE_SETUP_INSTALL_FILES_H_

#include <string>

#include "platform/console.h"
#include "platform/platform.h"

namespace pendrake {

/// Copies `source` to `destination_dir`\`name`, keeping a copy there whose
/// date is later, with the line "Newer <name> exists!".
void CopyInstallFile(Console& console, Platform& platform, const std::string& source,
                     const std::string& name, const std::string& destination_dir);

}  // namespace pendrake

#endif  // PENDRAKE_SETUP_INSTALL_FILES_H_
