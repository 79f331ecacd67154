#include "platform/eventlog/SystemLogMessages.h"

#include <cstdint>

#include "platform/eventlog/EventLogFormat.h"

namespace corvane::platform {
namespace {

constexpr int kUserFacility = 1;

void AppendField(std::string& out, std::string_view name, std::string_view value) {
  out.append(name);
  if (value.find('\n') == std::string_view::npos) {
    out.append("=").append(value).append("\n");
    return;
  }
  out.append("\n");
  std::uint64_t size = value.size();
  for (int i = 0; i < 8; ++i, size >>= 8) out.push_back(static_cast<char>(size & 0xFF));
  out.append(value).append("\n");
}

}  // namespace

std::string JournalDatagram(const SystemLogEntry& entry) {
  std::string out;
  out.reserve(entry.text.size() + entry.identifier.size() + 160);
  AppendField(out, "MESSAGE", entry.text);
  AppendField(out, "PRIORITY", std::to_string(EventPriority(entry.type)));
  AppendField(out, "SYSLOG_IDENTIFIER", entry.identifier);
  AppendField(out, "SYSLOG_FACILITY", std::to_string(kUserFacility));
  AppendField(out, "CORVANE_EVENT_TYPE", EventTypeName(entry.type));
  AppendField(out, "CORVANE_EVENT_CATEGORY", std::to_string(entry.category));
  AppendField(out, "CORVANE_EVENT_ID", std::to_string(entry.eventId));
  return out;
}

std::string SyslogDatagram(const SystemLogEntry& entry, std::time_t time, pid_t pid) {
  std::string out = "<" + std::to_string(kUserFacility * 8 + EventPriority(entry.type)) + ">";
  out.append(SyslogLocalTime(time)).append(" ").append(entry.identifier);
  out.append("[").append(std::to_string(pid)).append("]: ").append(entry.text);
  return out;
}

}  // namespace corvane::platform
