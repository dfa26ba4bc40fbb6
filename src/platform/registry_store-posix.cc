#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/posix_io.h"
#include "platform/regedit4.h"
#include "platform/registry_store.h"

namespace pendrake {
namespace {

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

// mkdir -p: the store's directory is made on first use.
bool MakeDirectories(const std::string& path) {
  if (path.empty()) return true;
  struct stat info {};
  if (stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  const std::size_t slash = path.rfind('/');
  if (slash != std::string::npos && slash > 0 && !MakeDirectories(path.substr(0, slash))) {
    return false;
  }
  return mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

class StoreRegistry : public Registry {
 public:
  explicit StoreRegistry(std::string store_path) : path_(std::move(store_path)) {
    if (path_.empty() || !MakeDirectories(DirectoryOf(path_))) return;
    lock_fd_ = open((path_ + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock_fd_ < 0) return;
    while (flock(lock_fd_, LOCK_EX) != 0) {
      if (errno != EINTR) {
        close(lock_fd_);
        lock_fd_ = -1;
        return;
      }
    }
    // While the lock is held nobody else changes the store: it is read once.
    tree_ = Load();
  }

  ~StoreRegistry() override {
    if (lock_fd_ >= 0) close(lock_fd_);  // releases the lock
  }

  StoreRegistry(const StoreRegistry&) = delete;
  StoreRegistry& operator=(const StoreRegistry&) = delete;

  bool DeleteTree(const std::string& path) override {
    if (!tree_) return false;
    RegistryTree changed = *tree_;
    return changed.DeleteTree(path) && Commit(std::move(changed));
  }

  bool CreateKey(const std::string& path) override {
    if (!tree_) return false;
    if (!tree_->HasKey(path)) {
      RegistryTree changed = *tree_;
      if (!changed.CreateKey(path) || !Commit(std::move(changed))) return false;
    }
    current_ = path;
    return true;
  }

  bool WriteInteger(const std::string& name, std::uint32_t value) override {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
    return SetValue(RegistryValue{name, kRegDword, bytes});
  }

  bool WriteString(const std::string& name, const std::string& text) override {
    return SetValue(RegistryValue{name, kRegString, text});
  }

 private:
  bool SetValue(RegistryValue value) {
    if (!tree_ || !current_) return false;
    RegistryTree changed = *tree_;
    // A current key that is gone takes no values, as with a deleted key's
    // handle on Windows.
    return changed.SetValue(*current_, std::move(value)) && Commit(std::move(changed));
  }

  // Puts a changed hive on disk, and only then takes it as the store's.
  bool Commit(RegistryTree changed) {
    if (!Save(changed)) return false;
    tree_ = std::move(changed);
    return true;
  }

  // The store as it is on disk now; an empty hive when there is none yet.
  std::optional<RegistryTree> Load() const {
    if (lock_fd_ < 0) return std::nullopt;
    const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      if (errno == ENOENT) return RegistryTree();
      return std::nullopt;
    }
    std::string text;
    char buffer[8192];
    for (;;) {
      const ssize_t got = read(fd, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        close(fd);
        return std::nullopt;
      }
      if (got == 0) break;
      text.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return ParseRegedit4(text);
  }

  // Writes the whole store to a new file beside it and renames that over the
  // store, so that a crash of the process or a full disk leaves the old store
  // or the new one, never a part. No fsync: like the Windows registry, which
  // the installer closes and never flushes, the store is left to the file
  // system to put on the platter.
  bool Save(const RegistryTree& tree) const {
    const std::string text = WriteRegedit4(tree);
    std::string temp = path_ + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return false;
    const bool written = WriteAll(fd, text.data(), text.size());
    if (close(fd) != 0 || !written || rename(temp.c_str(), path_.c_str()) != 0) {
      unlink(temp.c_str());
      return false;
    }
    return true;
  }

  std::string path_;
  int lock_fd_ = -1;
  std::optional<RegistryTree> tree_;  // nothing: the store cannot be used
  std::optional<std::string> current_;
};

}  // namespace

std::string RegistryStorePath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config != nullptr && config[0] != '\0') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') return std::string();
    base = std::string(home) + "/.config";
  }
  return base + "/pendrake/HKEY_CURRENT_USER.reg";
}

std::unique_ptr<Registry> OpenRegistryStore(const std::string& store_path) {
  return std::make_unique<StoreRegistry>(store_path);
}

}  // namespace pendrake
