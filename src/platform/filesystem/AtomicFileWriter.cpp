#include "platform/filesystem/AtomicFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "platform/filesystem/FdIo.h"
#include "platform/filesystem/FileError.h"

namespace corvane::platform {
namespace {

constexpr int kNameAttempts = 100;
constexpr mode_t kNewFileMode = 0644;  // the kernel takes the umask off

std::string RandomSuffix() {
  static constexpr char kAlphabet[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937_64 generator{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
  std::string suffix(8, 'x');
  for (char& c : suffix) c = kAlphabet[pick(generator)];
  return suffix;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string target)
    : target_(std::move(target)), folder_(FolderOf(target_)) {
  struct stat info {};
  if (::stat(target_.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) Fail(EISDIR);
    targetExisted_ = true;
    targetMode_ = info.st_mode & 07777;
    targetOwner_ = info.st_uid;
    targetGroup_ = info.st_gid;
  } else if (errno != ENOENT) {
    Fail(errno);
  }

  // The temporary starts private when it will take an existing file's mode.
  const mode_t mode = targetExisted_ ? 0600 : kNewFileMode;
  const std::string prefix = folder_ + "/." + NameOf(target_) + ".";
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string candidate = prefix + RandomSuffix() + ".tmp";
    const int fd =
        ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
    if (fd >= 0) {
      fd_.Reset(fd);
      temporary_ = std::move(candidate);
      return;
    }
    if (errno != EEXIST) Fail(errno);
  }
  Fail(EEXIST);
}

AtomicFileWriter::~AtomicFileWriter() {
  if (committed_ || temporary_.empty()) return;
  fd_.Reset();
  ::unlink(temporary_.c_str());
}

void AtomicFileWriter::Fail(int errnum) const {
  throw FileError(errnum, target_, errnum == ENOENT ? PathKind::Folder : PathKind::File);
}

void AtomicFileWriter::Write(std::string_view data) {
  if (const int error = WriteAll(fd_.Get(), data); error != 0) Fail(error);
}

void AtomicFileWriter::Flush() {
  if (targetExisted_) {
    if (targetOwner_ != ::geteuid() || targetGroup_ != ::getegid()) {
      // Keeping the owner needs privileges; without them the writer owns the file.
      (void)!::fchown(fd_.Get(), targetOwner_, targetGroup_);
    }
    if (::fchmod(fd_.Get(), targetMode_) != 0) Fail(errno);
  }
  if (::fsync(fd_.Get()) != 0) Fail(errno);
  if (const int error = fd_.Close(); error != 0) Fail(error);
  flushed_ = true;
}

void AtomicFileWriter::Commit() {
  if (!flushed_) Flush();
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) Fail(errno);
  committed_ = true;
  UniqueFd folder(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // Some file systems cannot flush a folder; the rename is done either way.
  if (folder && ::fsync(folder.Get()) != 0 && errno == EIO) Fail(EIO);
}

}  // namespace corvane::platform
