#include <mutex>
#include <utility>

#include "platform/filesystem/FileSystem.h"
#include "platform/filesystem/PosixFileSystem.h"

namespace corvane::platform {
namespace {

struct DefaultState {
  std::mutex mutex;
  std::shared_ptr<FileSystem> posix = std::make_shared<PosixFileSystem>();
  std::shared_ptr<FileSystem> current = posix;
};

DefaultState& State() {
  static DefaultState* state = new DefaultState();  // outlives every static destructor
  return *state;
}

}  // namespace

std::shared_ptr<FileSystem> FileSystem::Default() {
  DefaultState& state = State();
  std::lock_guard lock(state.mutex);
  return state.current;
}

void FileSystem::SetDefault(std::shared_ptr<FileSystem> fileSystem) {
  DefaultState& state = State();
  std::lock_guard lock(state.mutex);
  state.current = fileSystem ? std::move(fileSystem) : state.posix;
}

}  // namespace corvane::platform
