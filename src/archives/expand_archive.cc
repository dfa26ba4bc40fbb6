#include "archives/expand_archive.h"

#include <cctype>

#include "platform/child_arguments.h"

namespace pendrake {
namespace {

bool IsDrivePath(const std::string& path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
         (path.size() == 2 || path[2] == '\\' || path[2] == '/');
}

std::string WithSlashes(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

// Names and directories go into the tool's command line as they are, unless
// a blank, tab or quote would split them or let them run into the next
// option; then they are quoted, so the tool always gets each as one argument.
std::string AsOneArgument(const std::string& text) {
  return NeedsQuotes(text) ? QuoteArgument(text) : text;
}

}  // namespace

std::string ToRuntimePath(Platform& platform, const std::string& path) {
  std::string full = path;
  if (!IsDrivePath(full)) {
    full = platform.FullPath(path);
    if (full.empty()) full = path;
  }
  if (IsDrivePath(full)) return "//" + WithSlashes(full.erase(1, 1));
  return WithSlashes(full);
}

std::string ToolCommandLine(const std::string& runtime_dir, const std::string& archive) {
  return "tar -xf" + AsOneArgument(archive) +
         " --use-compress-program=bzip2 --directory=" + AsOneArgument(runtime_dir);
}

std::string EchoedCommandLine(const std::string& runtime_dir, const std::string& archive) {
  return "tar -xvf" + AsOneArgument(archive) +
         " --use-compress-program=./bzip2 --directory=" + AsOneArgument(runtime_dir);
}

bool ExpandArchive(Console& console, Platform& platform, const std::string& runtime_dir,
                   const std::string& archive) {
  console.WriteLine(EchoedCommandLine(runtime_dir, archive));
  // The tool writes to the same output; what the installer wrote before it
  // must be out first.
  console.Flush();
  const ProcessResult result =
      platform.RunAndWait("tar.exe", ToolCommandLine(runtime_dir, archive));
  const bool expanded = result.started && result.exit_status == 0;
  console.WriteLine(expanded ? "Completed OK" : "Unable to expand archive");
  return expanded;
}

}  // namespace pendrake
