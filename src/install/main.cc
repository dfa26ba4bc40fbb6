// The entry point: the real platform, the out-of-memory handler, the run.
#include "install/install_sequence.h"
#include "platform/failure.h"
#include "platform/system_platform.h"

int main(int argc, char** argv) {
  pendrake::InstallOutOfMemoryHandler();
  std::unique_ptr<pendrake::Platform> platform = pendrake::MakeSystemPlatform(argc, argv);
  return pendrake::RunInstall(*platform);
}
