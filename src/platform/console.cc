#include "platform/console.h"

#include <algorithm>

namespace pendrake {

Console::Console(Platform& platform)
    : platform_(platform), is_console_(platform.StdoutIsConsole()) {
  buffer_.reserve(kBufferSize);
}

void Console::WriteLine(const std::string& text) { Write(text + "\r\n"); }

void Console::Write(const std::string& bytes) {
  if (is_console_) {
    platform_.WriteStdout(bytes);
    return;
  }
  std::size_t taken = 0;
  while (taken < bytes.size()) {
    const std::size_t room = kBufferSize - buffer_.size();
    const std::size_t part = std::min(room, bytes.size() - taken);
    buffer_.append(bytes, taken, part);
    taken += part;
    if (buffer_.size() == kBufferSize) Flush();
  }
}

void Console::Flush() {
  if (buffer_.empty()) return;
  platform_.WriteStdout(buffer_);
  buffer_.clear();
}

}  // namespace pendrake
