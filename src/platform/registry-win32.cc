// The registry calls of Windows 95 and NT 4.0: keys are created with
// RegCreateKeyExA, values set with RegSetValueExA, and a tree is deleted by
// hand, since RegDeleteKeyA removes only a key without subkeys. Keys are
// closed, never flushed.
#include "platform/registry-win32.h"

#include <windows.h>

#include <string>
#include <vector>

namespace pendrake {
namespace {

class Win32Registry : public Registry {
 public:
  Win32Registry() = default;
  ~Win32Registry() override {
    if (current_ != nullptr) RegCloseKey(current_);
  }
  Win32Registry(const Win32Registry&) = delete;
  Win32Registry& operator=(const Win32Registry&) = delete;

  // Depth first, on a stack of our own rather than the machine's, so that a
  // tree of any depth is deleted. A key that will not go is passed over
  // (its parent then stays too) and its siblings are still visited.
  bool DeleteTree(const std::string& path) override {
    struct Pending {
      std::string path;
      DWORD passed_over;  // subkeys of this key that could not be deleted
    };
    std::vector<Pending> stack = {{path, 0}};
    bool deleted = false;
    while (!stack.empty()) {
      std::string child;
      if (SubkeyName(stack.back().path, stack.back().passed_over, &child)) {
        std::string child_path = stack.back().path + "\\" + child;
        stack.push_back({std::move(child_path), 0});
        continue;
      }
      deleted = RegDeleteKeyA(HKEY_CURRENT_USER, stack.back().path.c_str()) == ERROR_SUCCESS;
      stack.pop_back();
      if (!deleted && !stack.empty()) ++stack.back().passed_over;
    }
    return deleted;
  }

  bool CreateKey(const std::string& path) override {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, &disposition) != ERROR_SUCCESS) {
      return false;
    }
    if (current_ != nullptr) RegCloseKey(current_);
    current_ = key;
    return true;
  }

  bool WriteInteger(const std::string& name, std::uint32_t value) override {
    BYTE bytes[4];
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<BYTE>(value >> (8 * i) & 0xFF);
    return current_ != nullptr && RegSetValueExA(current_, name.c_str(), 0, REG_DWORD, bytes,
                                                 sizeof bytes) == ERROR_SUCCESS;
  }

  bool WriteString(const std::string& name, const std::string& text) override {
    return current_ != nullptr &&
           RegSetValueExA(current_, name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
  }

 private:
  // The name of subkey number `index` of `path`; false when the key cannot
  // be opened or has no such subkey.
  static bool SubkeyName(const std::string& path, DWORD index, std::string* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
      return false;
    }
    DWORD subkeys = 0;
    DWORD longest = 0;
    bool found = false;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, &longest, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
        index < subkeys) {
      std::vector<char> buffer(longest + 1);
      DWORD length = static_cast<DWORD>(buffer.size());
      if (RegEnumKeyExA(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) ==
          ERROR_SUCCESS) {
        name->assign(buffer.data(), length);
        found = true;
      }
    }
    RegCloseKey(key);
    return found;
  }

  HKEY current_ = nullptr;
};

}  // namespace

std::unique_ptr<Registry> OpenWin32Registry() { return std::make_unique<Win32Registry>(); }

}  // namespace pendrake
