#include "support/FaultyFileSystem.h"

#include <utility>

#include "platform/filesystem/AtomicFileWriter.h"

namespace corvane::test {
namespace {

std::size_t IndexOf(FaultyFileSystem::Operation operation) {
  return static_cast<std::size_t>(operation);
}

}  // namespace

FaultyFileSystem::FaultyFileSystem(std::shared_ptr<platform::FileSystem> inner)
    : inner_(std::move(inner)) {}

void FaultyFileSystem::FailOn(Operation operation, Error error, int skip, int times) {
  std::lock_guard lock(mutex_);
  faults_[IndexOf(operation)] = Fault{std::move(error), skip, times, 0};
}

void FaultyFileSystem::FailWriteBeforeRename(Error error) {
  std::lock_guard lock(mutex_);
  beforeRename_ = std::move(error);
}

void FaultyFileSystem::ClearFaults() {
  std::lock_guard lock(mutex_);
  faults_ = {};
  beforeRename_.reset();
}

int FaultyFileSystem::Calls(Operation operation) const {
  std::lock_guard lock(mutex_);
  return calls_[IndexOf(operation)];
}

void FaultyFileSystem::Enter(Operation operation) const {
  std::lock_guard lock(mutex_);
  const int call = ++calls_[IndexOf(operation)];
  Fault& fault = faults_[IndexOf(operation)];
  if (!fault.error || call <= fault.skip) return;
  if (fault.times != 0 && fault.failed >= fault.times) return;
  ++fault.failed;
  throw *fault.error;
}

std::optional<std::string> FaultyFileSystem::Resolve(std::string_view path) const {
  Enter(Operation::Resolve);
  return inner_->Resolve(path);
}

bool FaultyFileSystem::FileExists(std::string_view path) const {
  Enter(Operation::FileExists);
  return inner_->FileExists(path);
}

bool FaultyFileSystem::FolderExists(std::string_view path) const {
  Enter(Operation::FolderExists);
  return inner_->FolderExists(path);
}

std::vector<platform::FolderEntry> FaultyFileSystem::Files(std::string_view folder) const {
  Enter(Operation::Files);
  return inner_->Files(folder);
}

std::vector<platform::FolderEntry> FaultyFileSystem::SubFolders(std::string_view folder) const {
  Enter(Operation::SubFolders);
  return inner_->SubFolders(folder);
}

std::vector<std::uint8_t> FaultyFileSystem::ReadFile(std::string_view path) const {
  Enter(Operation::ReadFile);
  return inner_->ReadFile(path);
}

void FaultyFileSystem::WriteFileAtomic(std::string_view path, std::string_view contents) const {
  Enter(Operation::WriteFileAtomic);
  std::optional<Error> beforeRename;
  {
    std::lock_guard lock(mutex_);
    beforeRename = beforeRename_;
  }
  if (!beforeRename) return inner_->WriteFileAtomic(path, contents);
  // The same steps as a real save, stopped where a crash would hurt most.
  const std::string target = inner_->Resolve(path).value_or(std::string(path));
  platform::AtomicFileWriter writer(target);
  writer.Write(contents);
  writer.Flush();
  throw *beforeRename;
}

std::vector<std::uint8_t> FaultyFileSystem::ReadOrCreateFile(std::string_view path) const {
  Enter(Operation::ReadOrCreateFile);
  return inner_->ReadOrCreateFile(path);
}

}  // namespace corvane::test
