#include "platform/eventlog/UnixDatagram.h"

#include <sys/socket.h>
#include <sys/un.h>

#include <cerrno>
#include <cstring>

namespace corvane::platform {
namespace {

// false when path does not fit a socket address.
bool AddressOf(const std::string& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

int SendMessage(int socket, const std::string& path, msghdr& message) {
  sockaddr_un address{};
  if (!AddressOf(path, address)) return ENAMETOOLONG;
  message.msg_name = &address;
  message.msg_namelen = sizeof address;
  while (::sendmsg(socket, &message, MSG_NOSIGNAL) < 0) {
    if (errno != EINTR) return errno;
  }
  return 0;
}

}  // namespace

UniqueFd OpenUnixDatagramSocket() {
  return UniqueFd(::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0));
}

bool UnixDatagramReachable(const std::string& path) {
  sockaddr_un address{};
  if (!AddressOf(path, address)) return false;
  UniqueFd probe = OpenUnixDatagramSocket();
  return probe &&
         ::connect(probe.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

int SendUnixDatagram(int socket, const std::string& path, std::string_view data) {
  iovec part{const_cast<char*>(data.data()), data.size()};
  msghdr message{};
  message.msg_iov = &part;
  message.msg_iovlen = 1;
  return SendMessage(socket, path, message);
}

int SendUnixDescriptor(int socket, const std::string& path, int passed) {
  alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
  msghdr message{};
  message.msg_control = control;
  message.msg_controllen = sizeof control;
  cmsghdr* header = CMSG_FIRSTHDR(&message);
  header->cmsg_level = SOL_SOCKET;
  header->cmsg_type = SCM_RIGHTS;
  header->cmsg_len = CMSG_LEN(sizeof(int));
  std::memcpy(CMSG_DATA(header), &passed, sizeof(int));
  return SendMessage(socket, path, message);
}

}  // namespace corvane::platform
