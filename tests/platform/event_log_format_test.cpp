#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/eventlog/EventLogFormat.h"
#include "platform/eventlog/SystemLogMessages.h"

namespace corvane::platform {
namespace {

constexpr std::time_t kMay1st = 1714566896;  // 2024-05-01 12:34:56 UTC

// Sets the local time zone for one test.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) old_ = old;
    ::setenv("TZ", zone, 1);
    ::tzset();
  }
  ~ScopedTimeZone() {
    if (old_.empty()) {
      ::unsetenv("TZ");
    } else {
      ::setenv("TZ", old_.c_str(), 1);
    }
    ::tzset();
  }

 private:
  std::string old_;
};

TEST(EventLogFormat, NamesAndPrioritiesOfTheEntryTypes) {
  struct Case {
    EventLogType type;
    std::string_view name;
    int priority;
  };
  const Case cases[] = {
      {eventError, "error", 3},
      {eventWarning, "warning", 4},
      {eventInformation, "information", 6},
      {eventSuccess, "success", 5},
      {static_cast<EventLogType>(8), "information", 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.type));
    EXPECT_EQ(EventTypeName(c.type), c.name);
    EXPECT_EQ(EventPriority(c.type), c.priority);
  }
}

TEST(EventLogFormat, EntryTextIsUtf8OneStringALine) {
  EXPECT_EQ(EntryText({"\r\nSource: caf\xE9", "\x80 5"}),
            "\r\nSource: caf\xC3\xA9\n\xE2\x82\xAC 5");
  EXPECT_EQ(EntryText({}), "");
}

TEST(EventLogFormat, LocalTimesCarryTheirOffset) {
  struct Case {
    const char* zone;
    std::string_view iso;
    std::string_view syslog;
  };
  const Case cases[] = {
      {"UTC0", "2024-05-01T12:34:56+00:00", "May  1 12:34:56"},
      {"CET-1CEST,M3.5.0,M10.5.0/3", "2024-05-01T14:34:56+02:00", "May  1 14:34:56"},
      {"<-0330>3:30", "2024-05-01T09:04:56-03:30", "May  1 09:04:56"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zone);
    ScopedTimeZone zone(c.zone);
    EXPECT_EQ(IsoLocalTime(kMay1st), c.iso);
    EXPECT_EQ(SyslogLocalTime(kMay1st), c.syslog);
  }
}

TEST(EventLogFormat, JsonEscapesQuotesBackslashesAndControls) {
  struct Case {
    std::string_view text;
    std::string_view json;
  };
  const Case cases[] = {
      {"plain caf\xC3\xA9", "plain caf\xC3\xA9"},
      {"say \"hi\"", "say \\\"hi\\\""},
      {"C:\\dir", "C:\\\\dir"},
      {"a\r\nb\tc", "a\\r\\nb\\tc"},
      {std::string_view("\x01\x1f\0", 3), "\\u0001\\u001f\\u0000"},
      {"\b\f", "\\b\\f"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.json));
    EXPECT_EQ(JsonEscape(c.text), c.json);
  }
}

TEST(EventLogFormat, JsonLineHoldsEveryField) {
  ScopedTimeZone zone("UTC0");
  EXPECT_EQ(JsonLine({kMay1st, "Pandrel Velmoor", eventWarning, 3, 1001, "\r\nSource: A\r\nB"}),
            "{\"time\":\"2024-05-01T12:34:56+00:00\",\"source\":\"Pandrel Velmoor\","
            "\"type\":\"warning\",\"category\":3,\"id\":1001,"
            "\"text\":\"\\r\\nSource: A\\r\\nB\"}\n");
}

TEST(EventLogFormat, JournalDatagramWritesMultiLineValuesWithTheirLength) {
  const std::string text = "\r\nSource: A\r\nB";
  const std::string datagram = JournalDatagram({"Pandrel Velmoor", eventError, 0, 0, text});
  const std::string expected = std::string("MESSAGE\n") + std::string("\x0e\0\0\0\0\0\0\0", 8) +
                               text +
                               "\n"
                               "PRIORITY=3\n"
                               "SYSLOG_IDENTIFIER=Pandrel Velmoor\n"
                               "SYSLOG_FACILITY=1\n"
                               "CORVANE_EVENT_TYPE=error\n"
                               "CORVANE_EVENT_CATEGORY=0\n"
                               "CORVANE_EVENT_ID=0\n";
  EXPECT_EQ(datagram, expected);
  EXPECT_EQ(JournalDatagram({"Pandrel Velmoor", eventSuccess, 2, 9, "one line"}).substr(0, 28),
            "MESSAGE=one line\nPRIORITY=5\n");
}

TEST(EventLogFormat, SyslogDatagramHasPriorityTimeTagAndPid) {
  ScopedTimeZone zone("UTC0");
  EXPECT_EQ(SyslogDatagram({"Pandrel Velmoor", eventInformation, 0, 0, "started"}, kMay1st, 4242),
            "<14>May  1 12:34:56 Pandrel Velmoor[4242]: started");
  EXPECT_EQ(SyslogDatagram({"Pandrel Velmoor", eventError, 0, 0, "x"}, kMay1st, 1).substr(0, 4),
            "<11>");
}

}  // namespace
}  // namespace corvane::platform
