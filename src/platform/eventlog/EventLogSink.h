// EventLogSink: where event-log entries go, behind the three operations the
// library uses. Sinks are safe for concurrent use.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::platform {

// The platform's entry types.
enum EventLogType : std::uint16_t {
  eventSuccess = 0,
  eventError = 1,
  eventWarning = 2,
  eventInformation = 4,
};

using EventSourceHandle = std::uintptr_t;  // 0: no source

class EventLogSink {
 public:
  virtual ~EventLogSink() = default;

  // The sink named by $CORVANE_EVENT_LOG, read at each call (one sink kept
  // per name): unset or "journal" the system log (journald when present,
  // else syslog), "syslog", "stderr", "file:PATH" (one JSON object a line)
  // or "none"; an unknown name gives the system log. Never null.
  static std::shared_ptr<EventLogSink> Default();
  // Replaces the sink Default returns (tests); null restores the variable.
  static void SetDefault(std::shared_ptr<EventLogSink> sink);
  // A new sink from its name, as above; null for an unknown name.
  static std::shared_ptr<EventLogSink> FromName(std::string_view name);

  // A handle for reports under sourceName (narrow text); 0 when no source
  // can be registered.
  virtual EventSourceHandle RegisterEventSource(std::string_view sourceName) = 0;
  // Writes one entry; strings are narrow (Windows-1252) texts, one line
  // each. Returns false on failure or for a handle that is not registered.
  virtual bool ReportEvent(EventSourceHandle source, EventLogType type, std::uint16_t category,
                           std::uint32_t eventId, const std::vector<std::string>& strings) = 0;
  // Releases the handle; an unknown or released handle is ignored.
  virtual void DeregisterEventSource(EventSourceHandle source) = 0;
};

// One entry as a sink received it.
struct EventLogEntry {
  std::string source;
  EventLogType type = eventSuccess;
  std::uint16_t category = 0;
  std::uint32_t eventId = 0;
  std::vector<std::string> strings;  // narrow, as reported
};

// Keeps entries in memory, for tests. Registration can be told to fail.
// Handles count from 1 in order of registration.
class MemoryEventLogSink : public EventLogSink {
 public:
  EventSourceHandle RegisterEventSource(std::string_view sourceName) override;
  bool ReportEvent(EventSourceHandle source, EventLogType type, std::uint16_t category,
                   std::uint32_t eventId, const std::vector<std::string>& strings) override;
  void DeregisterEventSource(EventSourceHandle source) override;

  // The entries reported so far, oldest first.
  std::vector<EventLogEntry> Entries() const;
  void ClearEntries();
  // Sources registered and not yet deregistered.
  int OpenSources() const;
  // Deregistrations that released an open source.
  int Deregistrations() const;
  // While fail is true, RegisterEventSource returns 0.
  void SetFailRegistration(bool fail);

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> sources_;  // index + 1 is the handle
  std::vector<bool> open_;
  std::vector<EventLogEntry> entries_;
  int deregistrations_ = 0;
  bool failRegistration_ = false;
};

}  // namespace corvane::platform
