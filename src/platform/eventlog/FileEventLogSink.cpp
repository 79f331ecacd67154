#include "platform/eventlog/FileEventLogSink.h"

#include <fcntl.h>

#include <ctime>
#include <utility>

#include "platform/Text.h"
#include "platform/eventlog/EventLogFormat.h"
#include "platform/filesystem/FdIo.h"

namespace corvane::platform {

FileEventLogSink::FileEventLogSink(std::string path) : path_(std::move(path)) {}

EventSourceHandle FileEventLogSink::RegisterEventSource(std::string_view sourceName) {
  auto source = std::make_shared<Source>();
  source->file.Reset(::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
  if (!source->file) return 0;
  source->identifier = Windows1252ToUtf8(sourceName);
  return sources_.Add(std::move(source));
}

bool FileEventLogSink::ReportEvent(EventSourceHandle handle, EventLogType type,
                                   std::uint16_t category, std::uint32_t eventId,
                                   const std::vector<std::string>& strings) {
  const std::shared_ptr<Source> source = sources_.Find(handle);
  if (!source) return false;
  const std::string text = EntryText(strings);
  const std::string line =
      JsonLine({std::time(nullptr), source->identifier, type, category, eventId, text});
  return WriteAll(source->file.Get(), line) == 0;
}

void FileEventLogSink::DeregisterEventSource(EventSourceHandle handle) { sources_.Remove(handle); }

}  // namespace corvane::platform
