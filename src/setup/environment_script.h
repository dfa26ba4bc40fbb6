// setenv.bat, the script that puts the tools in front of PATH.
#ifndef PENDRAKE_SETUP_ENVIRONMENT_SCRIPT_H_
#define PENDRAKE_SETUP_ENVIRONMENT_SCRIPT_H_

#include <string>

#include "platform/platform.h"

namespace pendrake {

/// The one line of setenv.bat, with its CR LF: "path=" `install_dir`
/// "\pendrake\bin;%path%", or, for a directory holding a character that
/// cmd.exe would act on (& | < > ^ %), the same put literally as
/// set "path=...;%path%" with each % of the directory doubled.
std::string EnvironmentScriptLine(const std::string& install_dir);

/// Writes setenv.bat into `install_dir`, replacing one that is there; not
/// for a directory whose name holds a line break, which no one-line script
/// can hold. Reports nothing: a script
/// that cannot be written does not stop the installation.
void WriteEnvironmentScript(Platform& platform, const std::string& install_dir);

}  // namespace pendrake

#endif  // PENDRAKE_SETUP_ENVIRONMENT_SCRIPT_H_
