#include "install/failure_report.h"

#include <cstdio>

namespace pendrake {
namespace {

std::size_t AfterLastDelimiter(const std::string& path) {
  const std::size_t last = path.find_last_of("\\/:");
  return last == std::string::npos ? 0 : last + 1;
}

}  // namespace

std::string FailureReport(const std::string& class_name, const std::string& program_file_name,
                          std::uint32_t code_offset, const std::string& message) {
  char address[9];
  std::snprintf(address, sizeof address, "%08X", static_cast<unsigned>(code_offset));
  std::string report = "Exception " + class_name + " in module " + program_file_name + " at " +
                       address + ".\n" + message;
  if (!message.empty() && message.back() != '.') report += '.';
  return report;
}

std::string FileNamePart(const std::string& path) { return path.substr(AfterLastDelimiter(path)); }

std::string DirectoryPart(const std::string& path) {
  return path.substr(0, AfterLastDelimiter(path));
}

}  // namespace pendrake
