#include "platform/eventlog/StreamEventLogSink.h"

#include <ctime>

#include "platform/Text.h"
#include "platform/eventlog/EventLogFormat.h"
#include "platform/filesystem/FdIo.h"

namespace corvane::platform {
namespace {

std::string WithLineFeeds(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out.push_back(text[i]);
  }
  return out;
}

}  // namespace

StreamEventLogSink::StreamEventLogSink(int fd) : fd_(fd) {}

EventSourceHandle StreamEventLogSink::RegisterEventSource(std::string_view sourceName) {
  return sources_.Add(std::make_shared<std::string>(Windows1252ToUtf8(sourceName)));
}

bool StreamEventLogSink::ReportEvent(EventSourceHandle handle, EventLogType type,
                                     std::uint16_t /*category*/, std::uint32_t /*eventId*/,
                                     const std::vector<std::string>& strings) {
  const std::shared_ptr<std::string> source = sources_.Find(handle);
  if (!source) return false;
  std::string block = IsoLocalTime(std::time(nullptr));
  block.append(" ").append(*source).append(" ").append(EventTypeName(type)).append(": ");
  block.append(WithLineFeeds(EntryText(strings))).append("\n");
  return WriteAll(fd_, block) == 0;
}

void StreamEventLogSink::DeregisterEventSource(EventSourceHandle handle) {
  sources_.Remove(handle);
}

}  // namespace corvane::platform
