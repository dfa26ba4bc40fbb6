// Finding the distribution's archives beside the program file.
#ifndef PENDRAKE_ARCHIVES_FIND_ARCHIVES_H_
#define PENDRAKE_ARCHIVES_FIND_ARCHIVES_H_

#include <array>
#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace pendrake {

inline constexpr int MaxArchives = 11;

/// The archives found, as bare file names in the order of the directory
/// search; only the first `Count` slots of `Names` are filled.
struct ArchiveList {
  std::array<std::string, MaxArchives> Names;
  std::int32_t Count = 0;
};

/// Fills `list` with the names of the entries of `directory` whose names end
/// in ".bz2" (in any letter case), at most MaxArchives of them. `directory`
/// ends in a path delimiter; the pattern is appended to it as it is. Reports
/// nothing: a directory that cannot be read gives an empty list.
void FindArchives(Platform& platform, const std::string& directory, ArchiveList* list);

}  // namespace pendrake

#endif  // PENDRAKE_ARCHIVES_FIND_ARCHIVES_H_
