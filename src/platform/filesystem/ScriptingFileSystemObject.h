// ScriptingFileSystemObject: the file-system service that components create
// by the ProgID "Scripting.FileSystemObject": folders, their files and
// subfolders, and file existence, all through FileSystem::Default(). The
// objects hold no changing state; each may be used by one thread at a time.
#pragma once

#include <corvane/Object.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/filesystem/FileSystem.h"

namespace corvane::platform {

// A folder found by GetFolder. Its listings are read when asked for.
class ScriptingFolder : public Object {
 public:
  // REQUIRES: path names an existing folder, absolute, without a trailing '/'.
  ScriptingFolder(std::shared_ptr<FileSystem> fileSystem, std::string path);

  // The folder's name as spelled on disk ("" for the root).
  const std::string& Name() const noexcept { return name_; }
  // The folder's absolute path.
  const std::string& Path() const noexcept { return path_; }
  // Each file's name (with its extension), in enumeration order. Raises 76
  // when the folder no longer exists.
  std::vector<std::string> Files() const;
  // Each subfolder's name and full path, in enumeration order. Raises 76
  // when the folder no longer exists.
  std::vector<FolderEntry> SubFolders() const;

 private:
  std::shared_ptr<FileSystem> fileSystem_;
  std::string path_;
  std::string name_;
};

class ScriptingFileSystemObject : public Object {
 public:
  ScriptingFileSystemObject() = default;

  // The folder path names, its name matched without regard to case where
  // the exact spelling does not exist. Raises 76 "Path not found" when there
  // is no such folder.
  std::shared_ptr<ScriptingFolder> GetFolder(std::string_view path) const;
  // True when path names an existing file (not a folder).
  bool FileExists(std::string_view path) const;
  // True when path names an existing folder.
  bool FolderExists(std::string_view path) const;
};

// The factory registered under "Scripting.FileSystemObject".
ObjectPtr CreateScriptingFileSystemObject();

}  // namespace corvane::platform
