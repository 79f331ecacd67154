#include "platform/eventlog/EventLogFormat.h"

#include <cstdio>
#include <cstdlib>

#include "platform/Text.h"

namespace corvane::platform {

std::string_view EventTypeName(EventLogType type) noexcept {
  switch (type) {
    case eventError:
      return "error";
    case eventWarning:
      return "warning";
    case eventSuccess:
      return "success";
    default:
      return "information";
  }
}

int EventPriority(EventLogType type) noexcept {
  switch (type) {
    case eventError:
      return 3;
    case eventWarning:
      return 4;
    case eventSuccess:
      return 5;
    default:
      return 6;
  }
}

std::string EntryText(const std::vector<std::string>& strings) {
  std::string text;
  for (std::size_t i = 0; i < strings.size(); ++i) {
    if (i > 0) text.push_back('\n');
    text.append(Windows1252ToUtf8(strings[i]));
  }
  return text;
}

std::string IsoLocalTime(std::time_t time) {
  std::tm local{};
  ::localtime_r(&time, &local);
  const long offset = local.tm_gmtoff;
  const long minutes = std::labs(offset) / 60;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld",
                local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                local.tm_sec, offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
  return buffer;
}

std::string SyslogLocalTime(std::time_t time) {
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::tm local{};
  ::localtime_r(&time, &local);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%s %2d %02d:%02d:%02d", kMonths[local.tm_mon % 12],
                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return buffer;
}

std::string JsonEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (const char c : text) {
    switch (c) {
      case '"':
        out.append("\\\"");
        break;
      case '\\':
        out.append("\\\\");
        break;
      case '\n':
        out.append("\\n");
        break;
      case '\r':
        out.append("\\r");
        break;
      case '\t':
        out.append("\\t");
        break;
      case '\b':
        out.append("\\b");
        break;
      case '\f':
        out.append("\\f");
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
          out.append(escape);
        } else {
          out.push_back(c);
        }
    }
  }
  return out;
}

std::string JsonLine(const JsonEntry& entry) {
  std::string line = "{\"time\":\"" + IsoLocalTime(entry.time) + "\"";
  line.append(",\"source\":\"").append(JsonEscape(entry.source)).append("\"");
  line.append(",\"type\":\"").append(EventTypeName(entry.type)).append("\"");
  line.append(",\"category\":").append(std::to_string(entry.category));
  line.append(",\"id\":").append(std::to_string(entry.eventId));
  line.append(",\"text\":\"").append(JsonEscape(entry.text)).append("\"}\n");
  return line;
}

}  // namespace corvane::platform
