// NullEventLogSink: accepts sources and entries and keeps nothing, for a
// process that logs nowhere. Safe for concurrent use.
#pragma once

#include "platform/eventlog/EventLogSink.h"
#include "platform/eventlog/EventSourceTable.h"

namespace corvane::platform {

class NullEventLogSink : public EventLogSink {
 public:
  EventSourceHandle RegisterEventSource(std::string_view sourceName) override;
  // True for a registered source; the entry is dropped.
  bool ReportEvent(EventSourceHandle source, EventLogType type, std::uint16_t category,
                   std::uint32_t eventId, const std::vector<std::string>& strings) override;
  void DeregisterEventSource(EventSourceHandle source) override;

 private:
  struct Source {};
  EventSourceTable<Source> sources_;
};

}  // namespace corvane::platform
