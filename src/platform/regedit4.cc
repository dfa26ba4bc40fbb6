#include "platform/regedit4.h"

#include <cctype>
#include <cstdio>

namespace pendrake {
namespace {

const char kRoot[] = "HKEY_CURRENT_USER";

int Upper(char c) { return std::toupper(static_cast<unsigned char>(c)); }

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

bool IsValidKeyPath(const std::string& path) {
  if (path.empty()) return true;
  if (path.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) return false;
  if (path.front() == '\\' || path.back() == '\\') return false;
  return path.find("\\\\") == std::string::npos;
}

std::string Parent(const std::string& path) {
  const std::size_t last = path.rfind('\\');
  return last == std::string::npos ? std::string() : path.substr(0, last);
}

bool IsBelow(const std::string& path, const std::string& top) {
  return path.size() > top.size() && path[top.size()] == '\\' &&
         SameName(path.substr(0, top.size()), top);
}

// A text as REGEDIT4 writes it between double quotes.
std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out;
}

std::string HexBytes(const std::string& bytes) {
  std::string out;
  char pair[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(bytes[i]));
    if (i > 0) out += ',';
    out += pair;
  }
  return out;
}

std::string ValueData(const RegistryValue& value) {
  char head[32];
  if (value.type == kRegString &&
      value.data.find_first_of(std::string("\r\n\0", 3)) == std::string::npos) {
    return "\"" + Escaped(value.data) + "\"";
  }
  if (value.type == kRegDword && value.data.size() == 4) {
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(value.data[i]);
    std::snprintf(head, sizeof head, "dword:%08x", static_cast<unsigned>(number));
    return head;
  }
  if (value.type == kRegBinary) return "hex:" + HexBytes(value.data);
  std::snprintf(head, sizeof head, "hex(%x):", static_cast<unsigned>(value.type));
  // A REG_SZ in hex form carries its closing NUL, as Windows stores it.
  return head + HexBytes(value.type == kRegString ? value.data + '\0' : value.data);
}

// Reads the texts of a REGEDIT4 file line by line.
class Parser {
 public:
  explicit Parser(const std::string& text) : text_(text) {}

  std::optional<RegistryTree> Parse() {
    std::string line;
    if (!NextLine(&line) || line != "REGEDIT4") return std::nullopt;
    RegistryTree tree;
    std::optional<std::string> key;
    while (NextLine(&line)) {
      if (line.empty()) continue;
      if (line.front() == '[') {
        key = KeyPath(line);
        if (!key || !tree.CreateKey(*key)) return std::nullopt;
      } else {
        RegistryValue value;
        if (!key || !Value(line, &value)) return std::nullopt;
        tree.SetValue(*key, std::move(value));
      }
    }
    return tree;
  }

 private:
  bool NextLine(std::string* line) {
    if (pos_ >= text_.size()) return false;
    std::size_t end = text_.find('\n', pos_);
    if (end == std::string::npos) end = text_.size();
    *line = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    if (!line->empty() && line->back() == '\r') line->pop_back();
    return true;
  }

  static std::optional<std::string> KeyPath(const std::string& line) {
    if (line.back() != ']') return std::nullopt;
    const std::string inner = line.substr(1, line.size() - 2);
    const std::size_t root = sizeof kRoot - 1;
    if (inner.compare(0, root, kRoot) != 0) return std::nullopt;
    if (inner.size() == root) return std::string();
    if (inner[root] != '\\') return std::nullopt;
    std::string path = inner.substr(root + 1);
    if (path.empty() || !IsValidKeyPath(path)) return std::nullopt;
    return path;
  }

  // A quoted text starting at line[*at] == '"'; leaves *at after the quote.
  static bool QuotedText(const std::string& line, std::size_t* at, std::string* text) {
    std::size_t i = *at + 1;
    text->clear();
    while (i < line.size() && line[i] != '"') {
      if (line[i] == '\\') {
        if (i + 1 >= line.size() || (line[i + 1] != '\\' && line[i + 1] != '"')) return false;
        ++i;
      }
      *text += line[i++];
    }
    if (i >= line.size()) return false;
    *at = i + 1;
    return true;
  }

  static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  // "xx,xx,...", possibly empty.
  static bool HexList(const std::string& text, std::string* bytes) {
    bytes->clear();
    if (text.empty()) return true;
    std::size_t i = 0;
    for (;;) {
      if (i + 2 > text.size()) return false;
      const int high = HexDigit(text[i]);
      const int low = HexDigit(text[i + 1]);
      if (high < 0 || low < 0) return false;
      *bytes += static_cast<char>(high << 4 | low);
      i += 2;
      if (i == text.size()) return true;
      if (text[i] != ',') return false;
      ++i;
    }
  }

  bool Value(std::string line, RegistryValue* value) {
    std::size_t at = 0;
    if (line[0] == '@') {
      value->name.clear();
      at = 1;
    } else if (line[0] != '"' || !QuotedText(line, &at, &value->name)) {
      return false;
    }
    if (at >= line.size() || line[at] != '=') return false;
    ++at;
    if (at < line.size() && line[at] == '"') {
      value->type = kRegString;
      return QuotedText(line, &at, &value->data) && at == line.size();
    }
    std::string data = line.substr(at);
    if (data.compare(0, 6, "dword:") == 0) {
      const std::string digits = data.substr(6);
      if (digits.empty() || digits.size() > 8) return false;
      std::uint32_t number = 0;
      for (char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0) return false;
        number = number << 4 | static_cast<std::uint32_t>(digit);
      }
      value->type = kRegDword;
      value->data.clear();
      for (int i = 0; i < 4; ++i) value->data += static_cast<char>(number >> (8 * i) & 0xFF);
      return true;
    }
    // hex: and hex(type): lists may go on over lines ending in a backslash.
    while (!data.empty() && data.back() == '\\') {
      data.pop_back();
      std::string next;
      if (!NextLine(&next)) return false;
      const std::size_t first = next.find_first_not_of(" \t");
      data += first == std::string::npos ? std::string() : next.substr(first);
    }
    std::size_t list = 0;
    if (data.compare(0, 4, "hex:") == 0) {
      value->type = kRegBinary;
      list = 4;
    } else if (data.compare(0, 4, "hex(") == 0) {
      const std::size_t close = data.find("):", 4);
      if (close == std::string::npos || close == 4 || close > 12) return false;
      std::uint32_t type = 0;
      for (std::size_t i = 4; i < close; ++i) {
        const int digit = HexDigit(data[i]);
        if (digit < 0) return false;
        type = type << 4 | static_cast<std::uint32_t>(digit);
      }
      value->type = type;
      list = close + 2;
    } else {
      return false;
    }
    if (!HexList(data.substr(list), &value->data)) return false;
    if (value->type == kRegString && !value->data.empty() && value->data.back() == '\0') {
      value->data.pop_back();
    }
    return true;
  }

  const std::string& text_;
  std::size_t pos_ = 0;
};

}  // namespace

bool KeyPathOrder::operator()(const std::string& a, const std::string& b) const {
  std::size_t i = 0;
  for (;; ++i) {
    const bool a_ends = i == a.size() || a[i] == '\\';
    const bool b_ends = i == b.size() || b[i] == '\\';
    if (a_ends || b_ends) {
      if (!(a_ends && b_ends)) return a_ends;  // the shorter component first
      if (i == a.size() || i == b.size()) return i == a.size() && i != b.size();
      continue;  // both components end here: on to the next pair
    }
    if (Upper(a[i]) != Upper(b[i])) return Upper(a[i]) < Upper(b[i]);
  }
}

RegistryTree::RegistryTree() { keys_[""]; }

bool RegistryTree::CreateKey(const std::string& path) {
  if (!IsValidKeyPath(path)) return false;
  for (std::string key = path; !key.empty(); key = Parent(key)) {
    if (!keys_.emplace(key, std::vector<RegistryValue>()).second) break;
  }
  return true;
}

bool RegistryTree::DeleteTree(const std::string& path) {
  auto top = keys_.find(path);
  if (path.empty() || top == keys_.end()) return false;
  const std::string stored = top->first;
  auto end = std::next(top);
  while (end != keys_.end() && IsBelow(end->first, stored)) ++end;
  keys_.erase(top, end);
  return true;
}

bool RegistryTree::SetValue(const std::string& key, RegistryValue value) {
  auto found = keys_.find(key);
  if (found == keys_.end()) return false;
  if (value.name.find_first_of(std::string("\n\0", 2)) != std::string::npos) return false;
  for (RegistryValue& existing : found->second) {
    if (SameName(existing.name, value.name)) {
      existing.type = value.type;
      existing.data = std::move(value.data);
      return true;
    }
  }
  found->second.push_back(std::move(value));
  return true;
}

const RegistryValue* RegistryTree::FindValue(const std::string& key,
                                             const std::string& name) const {
  auto found = keys_.find(key);
  if (found == keys_.end()) return nullptr;
  for (const RegistryValue& value : found->second) {
    if (SameName(value.name, name)) return &value;
  }
  return nullptr;
}

std::optional<RegistryTree> ParseRegedit4(const std::string& text) { return Parser(text).Parse(); }

std::string WriteRegedit4(const RegistryTree& tree) {
  std::string out = "REGEDIT4\r\n\r\n";
  for (const auto& [path, values] : tree.keys()) {
    if (path.empty() && values.empty()) continue;
    out += "[";
    out += kRoot;
    if (!path.empty()) out += "\\" + path;
    out += "]\r\n";
    for (const RegistryValue& value : values) {
      out += value.name.empty() ? "@" : "\"" + Escaped(value.name) + "\"";
      out += "=" + ValueData(value) + "\r\n";
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace pendrake
