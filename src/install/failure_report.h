// The text written when a failure ends the run.
#ifndef PENDRAKE_INSTALL_FAILURE_REPORT_H_
#define PENDRAKE_INSTALL_FAILURE_REPORT_H_

#include <cstdint>
#include <string>

namespace pendrake {

/// "Exception <class> in module <program> at <offset>." and a line feed,
/// then the message with a closing "." added where it has none. The console
/// ends it with CR LF.
std::string FailureReport(const std::string& class_name, const std::string& program_file_name,
                          std::uint32_t code_offset, const std::string& message);

/// The last component of a path: what follows its last "\", "/" or ":".
std::string FileNamePart(const std::string& path);

/// Everything up to and including the last "\", "/" or ":" of a path.
std::string DirectoryPart(const std::string& path);

}  // namespace pendrake

#endif  // PENDRAKE_INSTALL_FAILURE_REPORT_H_
