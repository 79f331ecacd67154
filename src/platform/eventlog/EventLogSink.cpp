#include "platform/eventlog/EventLogSink.h"

#include <unistd.h>

#include <cstdlib>
#include <map>
#include <utility>

#include "platform/Text.h"
#include "platform/eventlog/FileEventLogSink.h"
#include "platform/eventlog/NullEventLogSink.h"
#include "platform/eventlog/StreamEventLogSink.h"
#include "platform/eventlog/SystemLogSink.h"

namespace corvane::platform {
namespace {

constexpr const char* kSinkVariable = "CORVANE_EVENT_LOG";
constexpr std::string_view kFilePrefix = "file:";

struct DefaultState {
  std::mutex mutex;
  std::shared_ptr<EventLogSink> override;
  std::map<std::string, std::shared_ptr<EventLogSink>> byName;  // one sink per setting seen
};

DefaultState& State() {
  static DefaultState* state = new DefaultState();  // outlives every static destructor
  return *state;
}

}  // namespace

std::shared_ptr<EventLogSink> EventLogSink::FromName(std::string_view name) {
  if (name.empty() || EqualsNoCase(name, "journal")) {
    return std::make_shared<SystemLogSink>(kJournalSocketPath, kSyslogSocketPath);
  }
  if (EqualsNoCase(name, "syslog")) return std::make_shared<SystemLogSink>("", kSyslogSocketPath);
  if (EqualsNoCase(name, "stderr")) return std::make_shared<StreamEventLogSink>(STDERR_FILENO);
  if (EqualsNoCase(name, "none")) return std::make_shared<NullEventLogSink>();
  if (StartsWithNoCase(name, kFilePrefix) && name.size() > kFilePrefix.size()) {
    return std::make_shared<FileEventLogSink>(std::string(name.substr(kFilePrefix.size())));
  }
  return nullptr;
}

std::shared_ptr<EventLogSink> EventLogSink::Default() {
  DefaultState& state = State();
  std::lock_guard lock(state.mutex);
  if (state.override) return state.override;
  const char* setting = std::getenv(kSinkVariable);
  const std::string name = setting ? setting : "";
  auto found = state.byName.find(name);
  if (found != state.byName.end()) return found->second;
  // An unknown setting still logs, to the system log, rather than losing entries.
  std::shared_ptr<EventLogSink> sink = FromName(name);
  if (!sink) sink = FromName("journal");
  state.byName.emplace(name, sink);
  return sink;
}

void EventLogSink::SetDefault(std::shared_ptr<EventLogSink> sink) {
  DefaultState& state = State();
  std::lock_guard lock(state.mutex);
  state.override = std::move(sink);
}

}  // namespace corvane::platform
