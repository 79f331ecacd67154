#include "platform/filesystem/ScriptingFileSystemObject.h"

#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/filesystem/FileError.h"

namespace corvane::platform {
namespace {

// The absolute, lexically normal form of a resolved folder path.
std::string AbsoluteFolderPath(const std::string& resolved) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(resolved, error);
  if (error) absolute = resolved;
  std::string path = absolute.lexically_normal().string();
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string LastComponent(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

ScriptingFolder::ScriptingFolder(std::shared_ptr<FileSystem> fileSystem, std::string path)
    : fileSystem_(std::move(fileSystem)), path_(std::move(path)), name_(LastComponent(path_)) {}

std::vector<std::string> ScriptingFolder::Files() const {
  std::vector<std::string> names;
  for (FolderEntry& entry : fileSystem_->Files(path_)) names.push_back(std::move(entry.name));
  return names;
}

std::vector<FolderEntry> ScriptingFolder::SubFolders() const {
  return fileSystem_->SubFolders(path_);
}

std::shared_ptr<ScriptingFolder> ScriptingFileSystemObject::GetFolder(std::string_view path) const {
  std::shared_ptr<FileSystem> fileSystem = FileSystem::Default();
  std::optional<std::string> resolved = fileSystem->Resolve(path);
  if (!resolved || !fileSystem->FolderExists(*resolved)) {
    throw Error::Runtime(rtPathNotFound, std::string(kFileSystemErrorSource));
  }
  return std::make_shared<ScriptingFolder>(std::move(fileSystem), AbsoluteFolderPath(*resolved));
}

bool ScriptingFileSystemObject::FileExists(std::string_view path) const {
  return FileSystem::Default()->FileExists(path);
}

bool ScriptingFileSystemObject::FolderExists(std::string_view path) const {
  return FileSystem::Default()->FolderExists(path);
}

ObjectPtr CreateScriptingFileSystemObject() {
  return std::make_shared<ScriptingFileSystemObject>();
}

}  // namespace corvane::platform
