// Expanding one archive into the install directory with the archive tool.
#ifndef PENDRAKE_ARCHIVES_EXPAND_ARCHIVE_H_
#define PENDRAKE_ARCHIVES_EXPAND_ARCHIVE_H_

#include <string>

#include "platform/console.h"
#include "platform/platform.h"

namespace pendrake {

/// `path` in the form the tools' runtime names directories: a drive path
/// C:\TOOLS becomes //C/TOOLS (the drive letter kept, the colon dropped,
/// every backslash turned into a slash, nothing merged). A path of any other
/// form is first made full by the platform; a full path that is not a drive
/// path (a UNC or POSIX path) only has its backslashes turned into slashes.
std::string ToRuntimePath(Platform& platform, const std::string& path);

/// The command line that runs the archive tool on `archive` into
/// `runtime_dir`, and the line echoed to the console for it.
std::string ToolCommandLine(const std::string& runtime_dir, const std::string& archive);
std::string EchoedCommandLine(const std::string& runtime_dir, const std::string& archive);

/// Writes the echoed line, runs tar.exe from the current directory on
/// `archive` and waits for it, then writes "Completed OK" when the tool ended
/// with status 0, or "Unable to expand archive" when it failed or could not
/// start. Returns whether the archive was expanded.
bool ExpandArchive(Console& console, Platform& platform, const std::string& runtime_dir,
                   const std::string& archive);

}  // namespace pendrake

#endif  // PENDRAKE_ARCHIVES_EXPAND_ARCHIVE_H_
