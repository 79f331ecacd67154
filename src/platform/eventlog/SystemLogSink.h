// SystemLogSink: entries to the local system log, through journald's native
// socket when it listens there, else through the syslog socket. The source
// name goes out intact as the identifier. Safe for concurrent use.
#pragma once

#include <string>

#include "platform/eventlog/EventLogSink.h"
#include "platform/eventlog/EventSourceTable.h"
#include "platform/filesystem/UniqueFd.h"

namespace corvane::platform {

inline constexpr const char* kJournalSocketPath = "/run/systemd/journal/socket";
inline constexpr const char* kSyslogSocketPath = "/dev/log";

class SystemLogSink : public EventLogSink {
 public:
  // An empty journalSocket means syslog only.
  SystemLogSink(std::string journalSocket, std::string syslogSocket);

  // 0 when neither socket has a listener.
  EventSourceHandle RegisterEventSource(std::string_view sourceName) override;
  bool ReportEvent(EventSourceHandle source, EventLogType type, std::uint16_t category,
                   std::uint32_t eventId, const std::vector<std::string>& strings) override;
  void DeregisterEventSource(EventSourceHandle source) override;

 private:
  struct Source {
    std::string identifier;  // UTF-8
    bool journal = false;
    UniqueFd socket;
  };

  bool SendToJournal(const Source& source, const std::string& datagram) const;

  std::string journalSocket_;
  std::string syslogSocket_;
  EventSourceTable<Source> sources_;
};

}  // namespace corvane::platform
