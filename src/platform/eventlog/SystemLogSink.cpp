#include "platform/eventlog/SystemLogSink.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <utility>

#include "platform/Text.h"
#include "platform/eventlog/EventLogFormat.h"
#include "platform/eventlog/SystemLogMessages.h"
#include "platform/eventlog/UnixDatagram.h"
#include "platform/filesystem/FdIo.h"

namespace corvane::platform {
namespace {

// An entry too large for one datagram goes to journald as a sealed memory file.
UniqueFd SealedMemoryFile(const std::string& contents) {
  UniqueFd file(::memfd_create("corvane-journal", MFD_CLOEXEC | MFD_ALLOW_SEALING));
  if (!file || WriteAll(file.Get(), contents) != 0) return {};
  if (::fcntl(file.Get(), F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL) !=
      0) {
    return {};
  }
  return file;
}

}  // namespace

SystemLogSink::SystemLogSink(std::string journalSocket, std::string syslogSocket)
    : journalSocket_(std::move(journalSocket)), syslogSocket_(std::move(syslogSocket)) {}

EventSourceHandle SystemLogSink::RegisterEventSource(std::string_view sourceName) {
  auto source = std::make_shared<Source>();
  if (!journalSocket_.empty() && UnixDatagramReachable(journalSocket_)) {
    source->journal = true;
  } else if (!UnixDatagramReachable(syslogSocket_)) {
    return 0;
  }
  source->socket = OpenUnixDatagramSocket();
  if (!source->socket) return 0;
  source->identifier = Windows1252ToUtf8(sourceName);
  return sources_.Add(std::move(source));
}

bool SystemLogSink::ReportEvent(EventSourceHandle handle, EventLogType type, std::uint16_t category,
                                std::uint32_t eventId, const std::vector<std::string>& strings) {
  const std::shared_ptr<Source> source = sources_.Find(handle);
  if (!source) return false;
  const std::string text = EntryText(strings);
  const SystemLogEntry entry{source->identifier, type, category, eventId, text};
  if (source->journal) return SendToJournal(*source, JournalDatagram(entry));
  const std::string datagram = SyslogDatagram(entry, std::time(nullptr), ::getpid());
  return SendUnixDatagram(source->socket.Get(), syslogSocket_, datagram) == 0;
}

bool SystemLogSink::SendToJournal(const Source& source, const std::string& datagram) const {
  const int error = SendUnixDatagram(source.socket.Get(), journalSocket_, datagram);
  if (error != EMSGSIZE && error != ENOBUFS) return error == 0;
  const UniqueFd file = SealedMemoryFile(datagram);
  return file && SendUnixDescriptor(source.socket.Get(), journalSocket_, file.Get()) == 0;
}

void SystemLogSink::DeregisterEventSource(EventSourceHandle handle) { sources_.Remove(handle); }

}  // namespace corvane::platform
