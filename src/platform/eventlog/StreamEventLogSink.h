// StreamEventLogSink: one readable line block per entry on a descriptor the
// process already has open (standard error). Each entry is one write. Safe
// for concurrent use.
#pragma once

#include <string>

#include "platform/eventlog/EventLogSink.h"
#include "platform/eventlog/EventSourceTable.h"

namespace corvane::platform {

class StreamEventLogSink : public EventLogSink {
 public:
  // fd stays open and owned by the caller. REQUIRES: fd is valid while used.
  explicit StreamEventLogSink(int fd);

  EventSourceHandle RegisterEventSource(std::string_view sourceName) override;
  // "<ISO time> <source> <type>: <text>", line breaks as line feeds.
  bool ReportEvent(EventSourceHandle source, EventLogType type, std::uint16_t category,
                   std::uint32_t eventId, const std::vector<std::string>& strings) override;
  void DeregisterEventSource(EventSourceHandle source) override;

 private:
  int fd_;
  EventSourceTable<std::string> sources_;  // UTF-8 source names
};

}  // namespace corvane::platform
