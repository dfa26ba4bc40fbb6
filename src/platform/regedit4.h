// A registry hive held in memory, and its text form: the REGEDIT4 export
// format, which people can read and Windows tools can import. Portable code
// only; the POSIX backend keeps HKEY_CURRENT_USER in such a file.
#ifndef PENDRAKE_PLATFORM_REGEDIT4_H_
#define PENDRAKE_PLATFORM_REGEDIT4_H_

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pendrake {

inline constexpr std::uint32_t kRegString = 1;  // REG_SZ
inline constexpr std::uint32_t kRegBinary = 3;  // REG_BINARY
inline constexpr std::uint32_t kRegDword = 4;   // REG_DWORD

struct RegistryValue {
  std::string name;  // empty for the key's default value
  std::uint32_t type = kRegString;
  /// The value's bytes: a REG_SZ's characters without the closing NUL, a
  /// REG_DWORD's four bytes least significant first.
  std::string data;

  bool operator==(const RegistryValue& other) const {
    return name == other.name && type == other.type && data == other.data;
  }
};

/// Orders key paths component by component, without regard to letter case,
/// as registry key names compare; parents come right before their subkeys.
struct KeyPathOrder {
  bool operator()(const std::string& a, const std::string& b) const;
};

/// One hive: every key by its path from the root ("" is the root itself,
/// which always exists), each with its values in the order they were set.
class RegistryTree {
 public:
  using Keys = std::map<std::string, std::vector<RegistryValue>, KeyPathOrder>;

  RegistryTree();

  bool HasKey(const std::string& path) const { return keys_.count(path) > 0; }
  /// Creates the key and every missing key above it. False when the path
  /// cannot name a key (an empty component, a line break, a NUL).
  bool CreateKey(const std::string& path);
  /// Removes the key and everything below it; false when there was no such
  /// key. The root cannot be removed.
  bool DeleteTree(const std::string& path);
  /// Sets a value on an existing key, replacing one of the same name.
  bool SetValue(const std::string& key, RegistryValue value);
  const RegistryValue* FindValue(const std::string& key, const std::string& name) const;

  const Keys& keys() const { return keys_; }
  bool operator==(const RegistryTree& other) const { return keys_ == other.keys_; }

 private:
  Keys keys_;
};

/// The tree a REGEDIT4 text of HKEY_CURRENT_USER describes; nothing when the
/// text is not such an export (another root key, an unknown line or value
/// form, a bad escape). CR LF and LF line ends are both read.
std::optional<RegistryTree> ParseRegedit4(const std::string& text);

/// The REGEDIT4 text of a tree: "REGEDIT4", an empty line, then each key
/// ("[HKEY_CURRENT_USER\path]") in KeyPathOrder with its values and an empty
/// line; CR LF line ends. Ordinary texts are written as "text" with \ and "
/// escaped, texts holding a line break or NUL as hex(1), numbers as
/// dword:xxxxxxxx, other types as hex bytes.
std::string WriteRegedit4(const RegistryTree& tree);

}  // namespace pendrake

#endif  // PENDRAKE_PLATFORM_REGEDIT4_H_
