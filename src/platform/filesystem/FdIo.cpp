#include "platform/filesystem/FdIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/filesystem/UniqueFd.h"

namespace corvane::platform {

int ReadAll(int fd, std::vector<std::uint8_t>& out) {
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
    out.reserve(out.size() + static_cast<std::size_t>(info.st_size));
  }
  std::uint8_t chunk[65536];
  while (true) {
    const ssize_t count = ::read(fd, chunk, sizeof chunk);
    if (count == 0) return 0;
    if (count < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    out.insert(out.end(), chunk, chunk + count);
  }
}

int WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t count = ::write(fd, data.data(), data.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data.remove_prefix(static_cast<std::size_t>(count));
  }
  return 0;
}

int ReadWholeFile(const char* path, std::vector<std::uint8_t>& out) {
  UniqueFd fd(::open(path, O_RDONLY | O_CLOEXEC));
  if (!fd) return errno;
  return ReadAll(fd.Get(), out);
}

}  // namespace corvane::platform
