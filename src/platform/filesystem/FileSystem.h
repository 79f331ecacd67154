// FileSystem: the file-system service. Names that the library looks up are
// matched exactly first, then without regard to ASCII case when exactly one
// directory entry matches, so an installation copied from a case-insensitive
// file system works unchanged. Listings come in name order without regard to
// case (ties broken by exact order). Safe for concurrent use.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::platform {

struct FolderEntry {
  std::string name;  // as spelled on disk
  std::string path;  // full path
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The real file system; SetDefault replaces it (tests, fault injection),
  // null restores the real one. Never null.
  static std::shared_ptr<FileSystem> Default();
  static void SetDefault(std::shared_ptr<FileSystem> fileSystem);

  // The path with each component resolved case-insensitively where the exact
  // spelling does not exist; nullopt when some component cannot be found.
  virtual std::optional<std::string> Resolve(std::string_view path) const = 0;

  virtual bool FileExists(std::string_view path) const = 0;
  virtual bool FolderExists(std::string_view path) const = 0;
  // Files and subfolders of a folder, in enumeration order. A missing folder
  // raises error 76 (path not found).
  virtual std::vector<FolderEntry> Files(std::string_view folder) const = 0;
  virtual std::vector<FolderEntry> SubFolders(std::string_view folder) const = 0;

  // The whole file. Missing: error 53 (76 when its folder is missing too);
  // otherwise unreadable: 75 (or 70).
  virtual std::vector<std::uint8_t> ReadFile(std::string_view path) const = 0;
  // Replaces the file atomically: a temporary in the same directory, flushed,
  // renamed over the target, the target's permissions kept. An existing file
  // is found as Resolve finds it; a new one gets 0644 less the umask. On
  // failure the old file is untouched and an Error is raised (70, 75 or 76).
  virtual void WriteFileAtomic(std::string_view path, std::string_view contents) const = 0;
  // Opens path for reading and writing where allowed, else reading only,
  // creating it empty when it does not exist, and reads it whole. Errors as
  // for ReadFile and WriteFileAtomic.
  virtual std::vector<std::uint8_t> ReadOrCreateFile(std::string_view path) const = 0;
};

}  // namespace corvane::platform
