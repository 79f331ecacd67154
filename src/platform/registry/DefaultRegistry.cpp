#include <sys/stat.h>

#include <corvane/Error.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "errors/ExceptionTranslation.h"
#include "platform/registry/Registry.h"

namespace corvane::platform {
namespace {

constexpr const char* kRegistryVariable = "CORVANE_REGISTRY";
constexpr const char* kDefaultRegistryPath = "/etc/corvane/registry.reg";

// A registry whose file could not be read: every open reports why.
class UnreadableRegistry : public Registry {
 public:
  explicit UnreadableRegistry(Error error) : error_(std::move(error)) {}
  long OpenKey(std::string_view, std::unique_ptr<RegistryKey>& key) const override {
    key.reset();
    throw error_;
  }
  long EnumKey(const RegistryKey&, std::uint32_t, std::size_t, std::string&) const override {
    return regInvalidHandle;
  }
  long QueryValue(const RegistryKey&, std::string_view, std::size_t, std::uint32_t&,
                  std::vector<std::uint8_t>&) const override {
    return regInvalidHandle;
  }

 private:
  Error error_;
};

// What identifies one version of the file; a change re-reads it.
struct FileStamp {
  std::string path;
  int statError = 0;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  long long modifiedNs = 0;
  long long changedNs = 0;

  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

FileStamp StampOf(const std::string& path) {
  FileStamp stamp;
  stamp.path = path;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    stamp.statError = errno;
    return stamp;
  }
  stamp.device = info.st_dev;
  stamp.inode = info.st_ino;
  stamp.size = info.st_size;
  stamp.modifiedNs = info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec;
  stamp.changedNs = info.st_ctim.tv_sec * 1000000000LL + info.st_ctim.tv_nsec;
  return stamp;
}

std::shared_ptr<Registry> Load(const std::string& path) {
  try {
    return LoadRegistryExport(path);
  } catch (...) {
    return std::make_shared<UnreadableRegistry>(ToError(std::current_exception()));
  }
}

struct DefaultState {
  std::mutex mutex;
  std::shared_ptr<Registry> override;
  std::optional<FileStamp> stamp;
  std::shared_ptr<Registry> loaded;
};

DefaultState& State() {
  static DefaultState* state = new DefaultState();  // outlives every static destructor
  return *state;
}

std::string ConfiguredPath() {
  const char* path = std::getenv(kRegistryVariable);
  return path && *path ? path : kDefaultRegistryPath;
}

}  // namespace

std::shared_ptr<Registry> Registry::Default() {
  DefaultState& state = State();
  std::lock_guard lock(state.mutex);
  if (state.override) return state.override;
  FileStamp stamp = StampOf(ConfiguredPath());
  if (!state.loaded || state.stamp != stamp) {
    state.loaded = Load(stamp.path);
    state.stamp = std::move(stamp);
  }
  return state.loaded;
}

void Registry::SetDefault(std::shared_ptr<Registry> registry) {
  DefaultState& state = State();
  std::lock_guard lock(state.mutex);
  state.override = std::move(registry);
}

}  // namespace corvane::platform
