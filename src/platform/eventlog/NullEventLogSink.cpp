#include "platform/eventlog/NullEventLogSink.h"

namespace corvane::platform {

EventSourceHandle NullEventLogSink::RegisterEventSource(std::string_view) {
  return sources_.Add(std::make_shared<Source>());
}

bool NullEventLogSink::ReportEvent(EventSourceHandle source, EventLogType, std::uint16_t,
                                   std::uint32_t, const std::vector<std::string>&) {
  return sources_.Find(source) != nullptr;
}

void NullEventLogSink::DeregisterEventSource(EventSourceHandle source) { sources_.Remove(source); }

}  // namespace corvane::platform
