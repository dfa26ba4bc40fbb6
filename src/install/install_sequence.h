// The installer's whole control flow, from the banner to the exit status.
#ifndef PENDRAKE_INSTALL_INSTALL_SEQUENCE_H_
#define PENDRAKE_INSTALL_INSTALL_SEQUENCE_H_

#include "platform/platform.h"

namespace pendrake {

/// Runs the installation described by the command line and returns the exit
/// status: 0 at the usage screen, when no archive is found and after a
/// complete installation; 1 when an archive could not be expanded or a
/// failure ended the run, after the failure report.
int RunInstall(Platform& platform);

}  // namespace pendrake

#endif  // PENDRAKE_INSTALL_INSTALL_SEQUENCE_H_
