#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <optional>
#include <string>

#include "platform/eventlog/SystemLogSink.h"
#include "platform/filesystem/UniqueFd.h"
#include "support/TestEnvironment.h"

namespace corvane::platform {
namespace {

// A log daemon stand-in: receives datagrams on a socket path.
class FakeDaemon {
 public:
  explicit FakeDaemon(std::string path) : path_(std::move(path)) {
    socket_.Reset(::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path_.c_str(), sizeof address.sun_path - 1);
    bound_ = ::bind(socket_.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  }
  bool Bound() const { return bound_; }

  // The next datagram, or the contents of the file passed with it.
  std::optional<std::string> Receive() {
    pollfd ready{socket_.Get(), POLLIN, 0};
    if (::poll(&ready, 1, 5000) != 1) return std::nullopt;
    std::string data(1 << 16, '\0');
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    iovec part{data.data(), data.size()};
    msghdr message{};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    const ssize_t count = ::recvmsg(socket_.Get(), &message, 0);
    if (count < 0) return std::nullopt;
    data.resize(static_cast<std::size_t>(count));
    if (const cmsghdr* header = CMSG_FIRSTHDR(&message);
        header && header->cmsg_type == SCM_RIGHTS) {
      int passed = -1;
      std::memcpy(&passed, CMSG_DATA(header), sizeof passed);
      UniqueFd file(passed);
      data.clear();
      char buffer[65536];
      for (ssize_t n; (n = ::pread(file.Get(), buffer, sizeof buffer, data.size())) > 0;) {
        data.append(buffer, static_cast<std::size_t>(n));
      }
    }
    return data;
  }

 private:
  std::string path_;
  UniqueFd socket_;
  bool bound_ = false;
};

// The fields of a journald native datagram.
std::map<std::string, std::string> JournalFields(const std::string& datagram) {
  std::map<std::string, std::string> fields;
  std::size_t at = 0;
  while (at < datagram.size()) {
    const std::size_t lineEnd = datagram.find('\n', at);
    const std::size_t equals = datagram.find('=', at);
    if (equals < lineEnd) {
      fields[datagram.substr(at, equals - at)] = datagram.substr(equals + 1, lineEnd - equals - 1);
      at = lineEnd + 1;
      continue;
    }
    const std::string name = datagram.substr(at, lineEnd - at);
    std::uint64_t size = 0;
    for (int i = 7; i >= 0; --i) {
      size = (size << 8) | static_cast<unsigned char>(datagram[lineEnd + 1 + i]);
    }
    fields[name] = datagram.substr(lineEnd + 9, size);
    at = lineEnd + 9 + size + 1;
  }
  return fields;
}

class SystemLogSinkTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
  std::string journalPath_ = dir_.PathOf("journal.socket");
  std::string syslogPath_ = dir_.PathOf("log.socket");
};

TEST_F(SystemLogSinkTest, SendsJournalFieldsWithTheSourceIntact) {
  FakeDaemon journal(journalPath_);
  FakeDaemon syslog(syslogPath_);
  ASSERT_TRUE(journal.Bound());
  SystemLogSink sink(journalPath_, syslogPath_);
  const EventSourceHandle source = sink.RegisterEventSource("Pandrel Velmoor");
  ASSERT_NE(source, 0u);

  struct Case {
    EventLogType type;
    std::string_view priority;
    std::string_view name;
  };
  const Case cases[] = {{eventError, "3", "error"},
                        {eventWarning, "4", "warning"},
                        {eventInformation, "6", "information"},
                        {eventSuccess, "5", "success"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name));
    ASSERT_TRUE(sink.ReportEvent(source, c.type, 2, 77, {"\r\nSource: A\r\nB caf\xE9"}));
    const std::optional<std::string> datagram = journal.Receive();
    ASSERT_TRUE(datagram);
    const auto fields = JournalFields(*datagram);
    EXPECT_EQ(fields.at("MESSAGE"), "\r\nSource: A\r\nB caf\xC3\xA9");
    EXPECT_EQ(fields.at("PRIORITY"), c.priority);
    EXPECT_EQ(fields.at("SYSLOG_IDENTIFIER"), "Pandrel Velmoor");
    EXPECT_EQ(fields.at("CORVANE_EVENT_TYPE"), c.name);
    EXPECT_EQ(fields.at("CORVANE_EVENT_CATEGORY"), "2");
    EXPECT_EQ(fields.at("CORVANE_EVENT_ID"), "77");
  }
  sink.DeregisterEventSource(source);
  EXPECT_FALSE(sink.ReportEvent(source, eventError, 0, 0, {"after release"}));
}

TEST_F(SystemLogSinkTest, PassesAnEntryTooLargeForADatagramAsASealedFile) {
  FakeDaemon journal(journalPath_);
  ASSERT_TRUE(journal.Bound());
  SystemLogSink sink(journalPath_, syslogPath_);
  const EventSourceHandle source = sink.RegisterEventSource("Pandrel Velmoor");
  const std::string text(4 << 20, 'x');
  ASSERT_TRUE(sink.ReportEvent(source, eventError, 0, 0, {text}));
  const std::optional<std::string> received = journal.Receive();
  ASSERT_TRUE(received);
  const auto fields = JournalFields(*received);
  EXPECT_EQ(fields.at("MESSAGE").size(), text.size());
  EXPECT_EQ(fields.at("MESSAGE"), text);
}

TEST_F(SystemLogSinkTest, FallsBackToSyslogWithoutTheJournal) {
  FakeDaemon syslog(syslogPath_);
  ASSERT_TRUE(syslog.Bound());
  SystemLogSink sink(journalPath_, syslogPath_);
  const EventSourceHandle source = sink.RegisterEventSource("Pandrel Velmoor");
  ASSERT_NE(source, 0u);
  ASSERT_TRUE(sink.ReportEvent(source, eventWarning, 0, 0, {"disk caf\xE9"}));
  const std::optional<std::string> datagram = syslog.Receive();
  ASSERT_TRUE(datagram);
  // "<12>May  1 12:34:56 Pandrel Velmoor[pid]: text": warning, facility user.
  constexpr std::string_view kTimeShape = "Aaa dd dd:dd:dd";
  ASSERT_GT(datagram->size(), 4 + kTimeShape.size());
  EXPECT_EQ(datagram->substr(0, 4), "<12>");
  const std::string time = datagram->substr(4, kTimeShape.size());
  for (std::size_t i = 0; i < kTimeShape.size(); ++i) {
    const char c = time[i];
    const char shape = kTimeShape[i];
    const bool fits = shape == 'A'   ? c >= 'A' && c <= 'Z'
                      : shape == 'a' ? c >= 'a' && c <= 'z'
                      : shape == 'd' ? (c >= '0' && c <= '9') || (i == 4 && c == ' ')
                                     : c == shape;
    EXPECT_TRUE(fits) << time;
  }
  EXPECT_EQ(datagram->substr(4 + kTimeShape.size()),
            " Pandrel Velmoor[" + std::to_string(::getpid()) + "]: disk caf\xC3\xA9");
}

TEST_F(SystemLogSinkTest, SyslogOnlyIgnoresAListeningJournal) {
  FakeDaemon journal(journalPath_);
  FakeDaemon syslog(syslogPath_);
  SystemLogSink sink("", syslogPath_);
  const EventSourceHandle source = sink.RegisterEventSource("Pandrel Velmoor");
  ASSERT_TRUE(sink.ReportEvent(source, eventError, 0, 0, {"only syslog"}));
  const std::optional<std::string> datagram = syslog.Receive();
  ASSERT_TRUE(datagram);
  EXPECT_EQ(datagram->substr(0, 4), "<11>");
}

TEST_F(SystemLogSinkTest, RegistrationYieldsZeroWithoutAnyListener) {
  SystemLogSink sink(journalPath_, syslogPath_);
  EXPECT_EQ(sink.RegisterEventSource("Pandrel Velmoor"), 0u);
  EXPECT_FALSE(sink.ReportEvent(0, eventError, 0, 0, {"lost"}));
  SystemLogSink syslogOnly("", syslogPath_);
  EXPECT_EQ(syslogOnly.RegisterEventSource("Pandrel Velmoor"), 0u);
}

}  // namespace
}  // namespace corvane::platform
