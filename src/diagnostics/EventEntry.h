// How a Log entry is laid out and typed for the event log.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/eventlog/EventLogSink.h"

namespace corvane {

inline constexpr const char* kEventSourceName = "Pandrel Velmoor";

// CRLF "Source: " source CRLF message, as narrow (Windows-1252) text.
std::string EventEntryText(std::string_view source, std::string_view message);

// etError, etwarning and etInformation to their entry types; anything
// else to a success entry.
platform::EventLogType EventLogTypeFor(std::int32_t eventType) noexcept;

}  // namespace corvane
