// EventSourceTable: the registered sources of one sink, by handle. A source
// stays alive while a report that found it is still using it, so a
// concurrent deregistration never pulls resources from under a report.
// Safe for concurrent use.
#pragma once

#include <memory>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "platform/eventlog/EventLogSink.h"

namespace corvane::platform {

template <class Source>
class EventSourceTable {
 public:
  // A new handle (never 0) for source.
  EventSourceHandle Add(std::shared_ptr<Source> source) {
    std::lock_guard lock(mutex_);
    const EventSourceHandle handle = next_++;
    sources_.emplace(handle, std::move(source));
    return handle;
  }
  // The source of handle, or null when it is not registered.
  std::shared_ptr<Source> Find(EventSourceHandle handle) const {
    std::lock_guard lock(mutex_);
    auto found = sources_.find(handle);
    return found == sources_.end() ? nullptr : found->second;
  }
  // Forgets handle; false when it was not registered.
  bool Remove(EventSourceHandle handle) {
    std::shared_ptr<Source> removed;  // released after the lock
    std::lock_guard lock(mutex_);
    auto found = sources_.find(handle);
    if (found == sources_.end()) return false;
    removed = std::move(found->second);
    sources_.erase(found);
    return true;
  }

 private:
  mutable std::mutex mutex_;
  std::unordered_map<EventSourceHandle, std::shared_ptr<Source>> sources_;
  EventSourceHandle next_ = 1;
};

}  // namespace corvane::platform
