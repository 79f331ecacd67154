#include "diagnostics/EventEntry.h"

#include <corvane/EventTypes.h>

#include "platform/Text.h"

namespace corvane {

std::string EventEntryText(std::string_view source, std::string_view message) {
  std::string text;
  text.reserve(source.size() + message.size() + 12);
  text.append("\r\nSource: ").append(source).append("\r\n").append(message);
  return platform::Utf8ToWindows1252(text);
}

platform::EventLogType EventLogTypeFor(std::int32_t eventType) noexcept {
  switch (eventType) {
    case etError: return platform::eventError;
    case etwarning: return platform::eventWarning;
    case etInformation: return platform::eventInformation;
    default: return platform::eventSuccess;
  }
}

}  // namespace corvane
