#include "setup/environment_script.h"

namespace pendrake {
namespace {

// cmd.exe acts on these outside double quotes: a directory holding one would
// make the plain line run a command or expand a variable.
bool HasCommandCharacters(const std::string& text) {
  return text.find_first_of("&|<>^%") != std::string::npos;
}

std::string WithPercentDoubled(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '%') out += '%';
    out += c;
  }
  return out;
}

}  // namespace

std::string EnvironmentScriptLine(const std::string& install_dir) {
  if (HasCommandCharacters(install_dir)) {
    // Between the quotes of set "name=value" cmd.exe takes every character
    // literally but the doubled %, so the tools bin directory goes in as it
    // is and %path% still expands.
    return "set \"path=" + WithPercentDoubled(install_dir) + "\\pendrake\\bin;%path%\"\r\n";
  }
  return "path=" + install_dir + "\\pendrake\\bin;%path%\r\n";
}

void WriteEnvironmentScript(Platform& platform, const std::string& install_dir) {
  // A line break would end the one line early and make cmd.exe run the rest
  // of the directory's name as a command: such a directory gets no script.
  if (install_dir.find_first_of("\r\n") != std::string::npos) return;
  // The whole path, however long: a name cut short would be another file.
  std::unique_ptr<OutputFile> script = platform.CreateOutputFile(install_dir + "\\setenv.bat");
  if (script) script->Write(EnvironmentScriptLine(install_dir));
}

}  // namespace pendrake
