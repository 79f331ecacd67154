#include <utility>

#include "platform/eventlog/EventLogSink.h"

namespace corvane::platform {

EventSourceHandle MemoryEventLogSink::RegisterEventSource(std::string_view sourceName) {
  std::lock_guard lock(mutex_);
  if (failRegistration_) return 0;
  sources_.emplace_back(sourceName);
  open_.push_back(true);
  return sources_.size();
}

bool MemoryEventLogSink::ReportEvent(EventSourceHandle source, EventLogType type,
                                     std::uint16_t category, std::uint32_t eventId,
                                     const std::vector<std::string>& strings) {
  std::lock_guard lock(mutex_);
  if (source == 0 || source > open_.size() || !open_[source - 1]) return false;
  entries_.push_back({sources_[source - 1], type, category, eventId, strings});
  return true;
}

void MemoryEventLogSink::DeregisterEventSource(EventSourceHandle source) {
  std::lock_guard lock(mutex_);
  if (source == 0 || source > open_.size() || !open_[source - 1]) return;
  open_[source - 1] = false;
  ++deregistrations_;
}

std::vector<EventLogEntry> MemoryEventLogSink::Entries() const {
  std::lock_guard lock(mutex_);
  return entries_;
}

void MemoryEventLogSink::ClearEntries() {
  std::lock_guard lock(mutex_);
  entries_.clear();
}

int MemoryEventLogSink::OpenSources() const {
  std::lock_guard lock(mutex_);
  int open = 0;
  for (const bool isOpen : open_) open += isOpen ? 1 : 0;
  return open;
}

int MemoryEventLogSink::Deregistrations() const {
  std::lock_guard lock(mutex_);
  return deregistrations_;
}

void MemoryEventLogSink::SetFailRegistration(bool fail) {
  std::lock_guard lock(mutex_);
  failRegistration_ = fail;
}

}  // namespace corvane::platform
