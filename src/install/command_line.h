// Splitting the installer's own command line into arguments.
#ifndef PENDRAKE_INSTALL_COMMAND_LINE_H_
#define PENDRAKE_INSTALL_COMMAND_LINE_H_

#include <string>
#include <vector>

namespace pendrake {

/// The arguments after the program's name, in order.
///
/// Characters 1 to 32 separate tokens. A token that would begin with two
/// double quotes skips both, so an empty pair of quotes never forms an
/// argument. A double quote anywhere opens a stretch, up to the next double
/// quote or the end, in which separators belong to the token; the quotes
/// themselves are dropped and cannot be escaped. Counting stops at the first
/// empty token. Arguments are taken whole, whatever their length.
std::vector<std::string> SplitArguments(const std::string& command_line);

}  // namespace pendrake

#endif  // PENDRAKE_INSTALL_COMMAND_LINE_H_
