#include "setup/environment_script.h"

namespace pendrake {

void WriteEnvironmentScript(Platform& /*platform*/, const std::string& /*install_dir*/) {}

}  // namespace pendrake
