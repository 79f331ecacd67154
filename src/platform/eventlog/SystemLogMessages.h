// The datagrams the system log daemons accept for one entry: journald's
// native field list and the classic syslog line. Pure; safe from any thread.
#pragma once

#include <sys/types.h>
#include <ctime>
#include <string>
#include <string_view>

#include "platform/eventlog/EventLogSink.h"

namespace corvane::platform {

struct SystemLogEntry {
  std::string_view identifier;  // UTF-8 source name, kept as it is
  EventLogType type = eventSuccess;
  std::uint16_t category = 0;
  std::uint32_t eventId = 0;
  std::string_view text;  // UTF-8
};

// journald's native protocol: NAME=value lines, a value with a line feed in
// it written with its length. Fields MESSAGE, PRIORITY, SYSLOG_IDENTIFIER,
// SYSLOG_FACILITY and CORVANE_EVENT_TYPE / _CATEGORY / _ID.
std::string JournalDatagram(const SystemLogEntry& entry);

// "<PRI>Mmm dd hh:mm:ss IDENTIFIER[PID]: TEXT", facility user.
std::string SyslogDatagram(const SystemLogEntry& entry, std::time_t time, pid_t pid);

}  // namespace corvane::platform
