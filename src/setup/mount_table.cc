#include "setup/mount_table.h"

namespace pendrake {

void WriteMountTable(Platform& /*platform*/, const std::string& /*install_dir*/) {}

}  // namespace pendrake
