#include "setup/install_files.h"

namespace pendrake {

void CopyInstallFile(Console& /*console*/, Platform& /*platform*/, const std::string& /*source*/,
                     const std::string& /*name*/, const std::string& /*destination_dir*/) {}

}  // namespace pendrake
