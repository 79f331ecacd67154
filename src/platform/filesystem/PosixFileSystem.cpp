#include "platform/filesystem/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/Text.h"
#include "platform/filesystem/AtomicFileWriter.h"
#include "platform/filesystem/FdIo.h"
#include "platform/filesystem/FileError.h"
#include "platform/filesystem/PathResolver.h"
#include "platform/filesystem/UniqueFd.h"

namespace corvane::platform {
namespace {

constexpr mode_t kNewFileMode = 0644;  // the kernel takes the umask off

enum class EntryKind { Other, File, Folder };

EntryKind KindOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return EntryKind::Other;
  return S_ISDIR(info.st_mode) ? EntryKind::Folder : EntryKind::File;
}

std::string FolderPart(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return ".";
  return slash == 0 ? "/" : std::string(path.substr(0, slash));
}

std::string NamePart(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// The existing file path names, else the name it would get in its existing
// folder. Raises 76 when the folder does not exist.
std::string TargetFor(std::string_view path) {
  if (std::optional<std::string> existing = ResolvePath(path)) {
    char real[PATH_MAX];
    // A link is written through, so the link itself stays a link.
    if (struct stat info{}; ::lstat(existing->c_str(), &info) == 0 && S_ISLNK(info.st_mode) &&
                            ::realpath(existing->c_str(), real)) {
      return real;
    }
    return *existing;
  }
  const std::string name = NamePart(path);
  if (name.empty()) throw FileError(EISDIR, path, PathKind::File);
  std::optional<std::string> folder = ResolvePath(FolderPart(path));
  if (!folder || KindOf(*folder) != EntryKind::Folder) {
    throw FileError(ENOENT, path, PathKind::Folder);
  }
  return JoinPath(*folder, name);
}

std::vector<FolderEntry> ListFolder(std::string_view folder, EntryKind wanted) {
  std::optional<std::string> resolved = ResolvePath(folder);
  if (!resolved) throw FileError(ENOENT, folder, PathKind::Folder);
  DIR* dir = ::opendir(resolved->c_str());
  if (!dir) throw FileError(errno, folder, PathKind::Folder);

  std::vector<FolderEntry> entries;
  errno = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    std::string path = JoinPath(*resolved, name);
    EntryKind kind = EntryKind::Other;
    if (entry->d_type == DT_DIR) {
      kind = EntryKind::Folder;
    } else if (entry->d_type == DT_REG) {
      kind = EntryKind::File;
    } else {
      kind = KindOf(path);  // links and file systems that do not report the type
    }
    if (kind == wanted) entries.push_back({std::string(name), std::move(path)});
    errno = 0;
  }
  const int error = errno;
  ::closedir(dir);
  if (error != 0) throw FileError(error, folder, PathKind::Folder);

  std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
    return LessNameOrder(a.name, b.name);
  });
  return entries;
}

// Raises the error for a file that could not be found: 76 when its folder is
// missing as well, else 53.
[[noreturn]] void ThrowMissingFile(std::string_view path) {
  std::optional<std::string> folder = ResolvePath(FolderPart(path));
  const bool folderExists = folder && KindOf(*folder) == EntryKind::Folder;
  throw FileError(ENOENT, path, folderExists ? PathKind::File : PathKind::Folder);
}

}  // namespace

std::optional<std::string> PosixFileSystem::Resolve(std::string_view path) const {
  return ResolvePath(path);
}

bool PosixFileSystem::FileExists(std::string_view path) const {
  std::optional<std::string> resolved = ResolvePath(path);
  return resolved && KindOf(*resolved) == EntryKind::File;
}

bool PosixFileSystem::FolderExists(std::string_view path) const {
  std::optional<std::string> resolved = ResolvePath(path);
  return resolved && KindOf(*resolved) == EntryKind::Folder;
}

std::vector<FolderEntry> PosixFileSystem::Files(std::string_view folder) const {
  return ListFolder(folder, EntryKind::File);
}

std::vector<FolderEntry> PosixFileSystem::SubFolders(std::string_view folder) const {
  return ListFolder(folder, EntryKind::Folder);
}

std::vector<std::uint8_t> PosixFileSystem::ReadFile(std::string_view path) const {
  std::optional<std::string> resolved = ResolvePath(path);
  if (!resolved) ThrowMissingFile(path);
  std::vector<std::uint8_t> contents;
  if (const int error = ReadWholeFile(resolved->c_str(), contents); error != 0) {
    throw FileError(error, path, PathKind::File);
  }
  return contents;
}

void PosixFileSystem::WriteFileAtomic(std::string_view path, std::string_view contents) const {
  AtomicFileWriter writer(TargetFor(path));
  writer.Write(contents);
  writer.Commit();
}

std::vector<std::uint8_t> PosixFileSystem::ReadOrCreateFile(std::string_view path) const {
  const std::string target = TargetFor(path);
  UniqueFd fd(::open(target.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kNewFileMode));
  if (!fd) {
    const int writeError = errno;
    fd.Reset(::open(target.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) throw FileError(writeError, path, PathKind::File);
  }
  std::vector<std::uint8_t> contents;
  if (const int error = ReadAll(fd.Get(), contents); error != 0) {
    throw FileError(error, path, PathKind::File);
  }
  return contents;
}

}  // namespace corvane::platform
