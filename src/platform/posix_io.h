// Small file helpers shared by the POSIX backend's parts.
#ifndef PENDRAKE_PLATFORM_POSIX_IO_H_
#define PENDRAKE_PLATFORM_POSIX_IO_H_

#include <cstddef>
#include <string>

namespace pendrake {

/// Writes all `size` bytes, going on after interruptions and short writes.
bool WriteAll(int fd, const char* bytes, std::size_t size);

/// Renames without ever replacing: false, changing nothing, when `to` exists.
bool RenameNoReplace(const std::string& from, const std::string& to);

}  // namespace pendrake

#endif  // PENDRAKE_PLATFORM_POSIX_IO_H_
