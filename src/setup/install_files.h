// Copies of the install files in the tools bin directory.
#ifndef PENDRAKE_SETUP_INSTALL_FILES_H_
#define PENDRAKE_SETUP_INSTALL_FILES_H_

#include <string>

#include "platform/console.h"
#include "platform/platform.h"

namespace pendrake {

/// Copies `source` to `destination_dir`\`name`. A copy already there is
/// replaced unless its date is later than the source's; then it is kept and
/// the line "Newer <name> exists!" says so. An entry there that is no dated
/// file (a directory, a date before 1980) is left alone, and so is a copy
/// when the source has no date. Copies that fail are passed over silently.
void CopyInstallFile(Console& console, Platform& platform, const std::string& source,
                     const std::string& name, const std::string& destination_dir);

}  // namespace pendrake

#endif  // PENDRAKE_SETUP_INSTALL_FILES_H_
