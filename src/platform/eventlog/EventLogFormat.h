// EventLogFormat: how an entry is rendered for the sinks: type names and
// priorities, the entry text, timestamps and JSON. Pure; safe from any thread.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "platform/eventlog/EventLogSink.h"

namespace corvane::platform {

// "error", "warning", "information" or "success"; a type outside the four
// counts as information.
std::string_view EventTypeName(EventLogType type) noexcept;
// The system log priority: err 3, warning 4, notice 5 (success), info 6.
int EventPriority(EventLogType type) noexcept;

// The narrow insertion strings as one UTF-8 text, one string a line.
std::string EntryText(const std::vector<std::string>& strings);

// Local time as ISO 8601 with its offset: "2024-05-01T12:34:56+02:00".
std::string IsoLocalTime(std::time_t time);
// Local time as a classic syslog header writes it: "May  1 12:34:56".
std::string SyslogLocalTime(std::time_t time);

// text as the inside of a JSON string; control characters as escapes.
std::string JsonEscape(std::string_view text);

// The JSON object a file sink writes for one entry, with its line feed.
struct JsonEntry {
  std::time_t time = 0;
  std::string_view source;  // UTF-8
  EventLogType type = eventSuccess;
  std::uint16_t category = 0;
  std::uint32_t eventId = 0;
  std::string_view text;  // UTF-8
};
std::string JsonLine(const JsonEntry& entry);

}  // namespace corvane::platform
