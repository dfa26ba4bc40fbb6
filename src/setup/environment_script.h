// setenv.bat, the script that puts the tools in front of PATH.
#ifndef PENDRAKE_SETUP_ENVIRONMENT_SCRIPT_H_
#define PENDRAKE_SETUP_ENVIRONMENT_SCRIPT_H_

#include <string>

#include "platform/platform.h"

namespace pendrake {

/// Writes setenv.bat into `install_dir`. Reports nothing: a script that
/// cannot be written does not stop the installation.
void WriteEnvironmentScript(Platform& platform, const std::string& install_dir);

}  // namespace pendrake

#endif  // PENDRAKE_SETUP_ENVIRONMENT_SCRIPT_H_
