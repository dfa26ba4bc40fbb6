#include "setup/install_files.h"

#include <optional>

namespace pendrake {

void CopyInstallFile(Console& console, Platform& platform, const std::string& source,
                     const std::string& name, const std::string& destination_dir) {
  const std::string destination = destination_dir + "\\" + name;
  if (!platform.FindFileDate(destination)) {
    // Also when something stands there that is no dated file, such as a
    // directory: the copy then fails and leaves it alone.
    platform.CopyFile(source, destination, true);
    return;
  }
  const std::optional<std::uint32_t> source_date = platform.FileDate(source);
  const std::optional<std::uint32_t> destination_date = platform.FileDate(destination);
  // Without the install file's date nothing can show that it is the newer
  // one: the copy in place stays.
  if (!source_date) return;
  if (destination_date && *destination_date > *source_date) {
    console.WriteLine("Newer " + name + " exists!");
    return;
  }
  platform.CopyFile(source, destination, false);
}

}  // namespace pendrake
