// PosixFileSystem: the FileSystem over the local disk. Holds no state, so one
// instance serves every thread.
#pragma once

#include "platform/filesystem/FileSystem.h"

namespace corvane::platform {

class PosixFileSystem : public FileSystem {
 public:
  std::optional<std::string> Resolve(std::string_view path) const override;
  bool FileExists(std::string_view path) const override;
  bool FolderExists(std::string_view path) const override;
  std::vector<FolderEntry> Files(std::string_view folder) const override;
  std::vector<FolderEntry> SubFolders(std::string_view folder) const override;
  std::vector<std::uint8_t> ReadFile(std::string_view path) const override;
  void WriteFileAtomic(std::string_view path, std::string_view contents) const override;
  std::vector<std::uint8_t> ReadOrCreateFile(std::string_view path) const override;
};

}  // namespace corvane::platform
