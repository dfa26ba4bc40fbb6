// Console lines on standard output.
//
// Every message of the installer is one line ended by CR LF. On a console a
// line goes out in one write as soon as it is complete, so it is on the
// screen before the next step runs; into a file or a pipe the bytes are
// gathered in a 128-byte buffer that is written out whenever it fills, before
// a child process starts and at every end of the run. A write that fails is
// passed over. Only portable code here: the bytes reach the OS through
// Platform::WriteStdout.
#ifndef PENDRAKE_PLATFORM_CONSOLE_H_
#define PENDRAKE_PLATFORM_CONSOLE_H_

#include <cstddef>
#include <string>

#include "platform/platform.h"

namespace pendrake {

class Console {
 public:
  static constexpr std::size_t kBufferSize = 128;

  explicit Console(Platform& platform);
  ~Console() = default;
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  /// Writes `text` followed by CR LF.
  void WriteLine(const std::string& text);
  /// Writes out whatever is gathered in the buffer.
  void Flush();

 private:
  void Write(const std::string& bytes);

  Platform& platform_;
  bool is_console_;
  std::string buffer_;
};

}  // namespace pendrake

#endif  // PENDRAKE_PLATFORM_CONSOLE_H_
