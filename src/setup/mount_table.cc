#include "setup/mount_table.h"

#include <cstdint>

#include "platform/failure.h"

namespace pendrake {
namespace {

const char kSettingsTree[] = "\\Software\\Cygnus Solutions\\CYGWIN.DLL setup";

struct MountEntry {
  const char* key;
  std::uint32_t fsilent;
  const char* native;  // null for the root entry: the install directory
  const char* unix;
};

// The runtime mount table, in the order it is written: two tape drives and
// two floppy drives under their POSIX device names, then the root.
const MountEntry kMountTable[] = {
    {"\\Software\\Cygnus Solutions\\CYGWIN.DLL setup\\b15.0\\mounts\\00", 1,
     "\\\\.\\tape1:", "/dev/st1"},
    {"\\Software\\Cygnus Solutions\\CYGWIN.DLL setup\\b15.0\\mounts\\01", 1,
     "\\\\.\\tape0:", "/dev/st0"},
    {"\\Software\\Cygnus Solutions\\CYGWIN.DLL setup\\b15.0\\mounts\\02", 1,
     "\\\\.\\b:", "/dev/fd1"},
    {"\\Software\\Cygnus Solutions\\CYGWIN.DLL setup\\b15.0\\mounts\\03", 1,
     "\\\\.\\a:", "/dev/fd0"},
    {"\\Software\\Cygnus Solutions\\CYGWIN.DLL setup\\b15.0\\mounts\\04", 0, nullptr, "/"},
};

// Key paths are written from the root key, marked by their leading
// backslash; the registry takes them without it.
std::string FromRoot(const char* path) { return path + 1; }

void SetInteger(Registry& registry, const char* name, std::uint32_t value) {
  if (!registry.WriteInteger(name, value)) {
    Raise("ERegistryException", std::string("Failed to set data for '") + name + "'");
  }
}

void SetString(Registry& registry, const char* name, const std::string& text) {
  if (!registry.WriteString(name, text)) {
    Raise("ERegistryException", std::string("Failed to set data for '") + name + "'");
  }
}

}  // namespace

void WriteMountTable(Platform& platform, const std::string& install_dir) {
  std::unique_ptr<Registry> registry = platform.OpenRegistry();
  // On a first install there is nothing to delete.
  registry->DeleteTree(FromRoot(kSettingsTree));
  for (const MountEntry& entry : kMountTable) {
    // A key that cannot be created must not let its values fall into the
    // key that was current before it.
    if (!registry->CreateKey(FromRoot(entry.key))) {
      Raise("ERegistryException", std::string("Failed to create key '") + entry.key + "'");
    }
    SetInteger(*registry, "fbinary", 0);
    SetInteger(*registry, "fsilent", entry.fsilent);
    SetString(*registry, "native", entry.native != nullptr ? entry.native : install_dir);
    SetString(*registry, "unix", entry.unix);
  }
}

}  // namespace pendrake
