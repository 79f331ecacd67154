// FileEventLogSink: appends one JSON object a line to a file. Each entry is
// one write to a descriptor opened for appending, so concurrent writers (in
// this process or others) never interleave within a line. Safe for
// concurrent use.
#pragma once

#include <string>

#include "platform/eventlog/EventLogSink.h"
#include "platform/eventlog/EventSourceTable.h"
#include "platform/filesystem/UniqueFd.h"

namespace corvane::platform {

class FileEventLogSink : public EventLogSink {
 public:
  explicit FileEventLogSink(std::string path);

  // Opens the file (created 0644 less the umask); 0 when it cannot.
  EventSourceHandle RegisterEventSource(std::string_view sourceName) override;
  bool ReportEvent(EventSourceHandle source, EventLogType type, std::uint16_t category,
                   std::uint32_t eventId, const std::vector<std::string>& strings) override;
  void DeregisterEventSource(EventSourceHandle source) override;

 private:
  struct Source {
    std::string identifier;  // UTF-8
    UniqueFd file;
  };

  std::string path_;
  EventSourceTable<Source> sources_;
};

}  // namespace corvane::platform
