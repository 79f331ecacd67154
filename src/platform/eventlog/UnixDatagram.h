// UnixDatagram: local datagram sockets, as the system log daemons listen on.
// Functions only; safe from any thread.
#pragma once

#include <string>
#include <string_view>

#include "platform/filesystem/UniqueFd.h"

namespace corvane::platform {

// A datagram socket of the local domain, or an empty UniqueFd.
UniqueFd OpenUnixDatagramSocket();
// True when something receives datagrams at path.
bool UnixDatagramReachable(const std::string& path);
// Sends one datagram to path; 0 or the errno value.
int SendUnixDatagram(int socket, const std::string& path, std::string_view data);
// Sends an empty datagram carrying the descriptor passed; 0 or the errno value.
int SendUnixDescriptor(int socket, const std::string& path, int passed);

}  // namespace corvane::platform
