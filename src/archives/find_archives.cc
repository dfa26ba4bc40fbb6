#include "archives/find_archives.h"

#include <cctype>
#include <cstddef>

namespace pendrake {
namespace {

// The directory search of Windows matches a pattern against an entry's short
// 8.3 alias as well as its own name, so "*.bz2" also finds names such as
// a.bz2x or notes.bz2~. Only an entry whose own name ends in ".bz2" is an
// archive.
bool IsArchiveName(const std::string& name) {
  static const char kSuffix[] = ".bz2";
  const std::size_t length = sizeof kSuffix - 1;
  if (name.size() < length) return false;
  for (std::size_t i = 0; i < length; ++i) {
    const auto c = static_cast<unsigned char>(name[name.size() - length + i]);
    if (std::tolower(c) != kSuffix[i]) return false;
  }
  return true;
}

}  // namespace

void FindArchives(Platform& platform, const std::string& directory, ArchiveList* list) {
  std::string name;
  std::unique_ptr<DirectorySearch> search = platform.FindFirstFile(directory + "*.bz2", &name);
  if (!search) {
    list->Count = 0;
    return;
  }
  std::int32_t stored = 0;
  do {
    if (IsArchiveName(name)) list->Names[stored++] = name;
  } while (stored < MaxArchives && search->Next(&name));
  list->Count = stored;
}

}  // namespace pendrake
