#include "install/install_sequence.h"

#include <new>
#include <string>
#include <vector>

#include "archives/expand_archive.h"
#include "archives/find_archives.h"
#include "install/command_line.h"
#include "install/failure_report.h"
#include "platform/console.h"
#include "platform/failure.h"
#include "setup/environment_script.h"
#include "setup/install_files.h"
#include "setup/mount_table.h"

namespace pendrake {
namespace {

const char* const kInstallFiles[] = {"install.exe", "tar.exe", "bzip2.exe", "cygwinb19.dll"};
const char kInstalledSuffix[] = ".installed";

void ShowUsage(Console& console, Platform& platform) {
  console.WriteLine("Usage:");
  console.WriteLine("  install install-directory");
  console.WriteLine("");
  console.WriteLine("This program will install pendrake Release 4");
  console.WriteLine("to the install-directory from the current directory.");
  console.WriteLine("");
  console.WriteLine("Press return to continue...");
  console.Flush();
  platform.ReadConsoleLine();
}

int InstallSequence(Console& console, Platform& platform) {
  console.WriteLine("INSTALL - pendrake for Win95/NT Release 4");
  console.WriteLine("");
  const std::vector<std::string> arguments = SplitArguments(platform.CommandLine());
  if (arguments.size() != 1) {
    ShowUsage(console, platform);
    return 0;
  }

  const std::string ProgramDir = DirectoryPart(platform.ProgramFilePath());
  ArchiveList archives;
  FindArchives(platform, ProgramDir, &archives);
  if (archives.Count < 1) {
    console.WriteLine("Unable to find install files(*.bz2)!");
    return 0;
  }

  console.WriteLine("Found the following archives:");
  for (int i = 0; i < archives.Count; ++i) console.WriteLine("  " + archives.Names[i]);
  console.WriteLine("");

  const std::string& InstallDir = arguments[0];
  console.WriteLine("Creating " + InstallDir + " directory...");
  platform.CreateDirectory(InstallDir);

  console.WriteLine("Creating Registry Entries...");
  WriteMountTable(platform, InstallDir);

  console.WriteLine("Creating SETENV.BAT...");
  WriteEnvironmentScript(platform, InstallDir);

  const std::string RuntimeDir = ToRuntimePath(platform, InstallDir);
  console.WriteLine("Uncompressing to " + InstallDir);
  bool all_expanded = true;
  for (int i = 0; i < archives.Count; ++i) {
    const std::string& name = archives.Names[i];
    console.WriteLine("Installing : " + name);
    // An archive that was not expanded keeps its name, so that the next run
    // finds it and tries again.
    if (ExpandArchive(console, platform, RuntimeDir, name)) {
      platform.MoveFile(name, name + kInstalledSuffix);
    } else {
      all_expanded = false;
    }
  }

  console.WriteLine("Copying install files to " + InstallDir);
  const std::string tools_bin_dir = InstallDir + "\\pendrake\\bin";
  for (const char* file : kInstallFiles) {
    CopyInstallFile(console, platform, file, file, tools_bin_dir);
  }

  if (!all_expanded) {
    console.WriteLine("Install Incomplete");
    return 1;
  }
  console.WriteLine("Install Complete");
  return 0;
}

void ReportFailure(Console& console, Platform& platform, const std::string& class_name,
                   const std::string& message, const void* address) {
  console.WriteLine(FailureReport(class_name, FileNamePart(platform.ProgramFilePath()),
                                  platform.CodeOffset(address), message));
}

}  // namespace

int RunInstall(Platform& platform) {
  Console console(platform);
  int status = 1;
  try {
    status = InstallSequence(console, platform);
  } catch (const Failure& failure) {
    ReportFailure(console, platform, failure.class_name(), failure.what(), failure.address());
  } catch (const OutOfMemory& failure) {
    ReportFailure(console, platform, "EOutOfMemory", failure.what(), failure.address());
  } catch (const std::bad_alloc&) {
    ReportFailure(console, platform, "EOutOfMemory", "Out of memory", nullptr);
  }
  console.Flush();
  return status;
}

}  // namespace pendrake
