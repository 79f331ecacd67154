#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/eventlog/EventLogSink.h"
#include "platform/eventlog/FileEventLogSink.h"
#include "platform/eventlog/NullEventLogSink.h"
#include "platform/eventlog/StreamEventLogSink.h"
#include "support/TestEnvironment.h"

namespace corvane::platform {
namespace {

constexpr std::size_t kTimeSize = 25;  // "2024-05-01T12:34:56+02:00"

// True when text is a local time in ISO 8601 with its offset.
bool IsIsoTime(std::string_view text) {
  constexpr std::string_view kShape = "dddd-dd-ddTdd:dd:dd+dd:dd";
  if (text.size() != kShape.size()) return false;
  for (std::size_t i = 0; i < kShape.size(); ++i) {
    const char c = text[i];
    const bool fits = kShape[i] == 'd'   ? c >= '0' && c <= '9'
                      : kShape[i] == '+' ? c == '+' || c == '-'
                                         : c == kShape[i];
    if (!fits) return false;
  }
  return true;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(MemoryEventLogSink, RecordsEntriesOfOpenSourcesOnly) {
  MemoryEventLogSink sink;
  const EventSourceHandle first = sink.RegisterEventSource("Pandrel Velmoor");
  const EventSourceHandle second = sink.RegisterEventSource("Other");
  EXPECT_EQ(first, 1u);
  EXPECT_EQ(second, 2u);
  EXPECT_EQ(sink.OpenSources(), 2);

  EXPECT_TRUE(sink.ReportEvent(first, eventWarning, 0, 0, {"\r\nSource: A\r\nB"}));
  EXPECT_TRUE(sink.ReportEvent(second, eventSuccess, 4, 17, {"x", "y"}));
  EXPECT_FALSE(sink.ReportEvent(0, eventError, 0, 0, {"lost"}));
  EXPECT_FALSE(sink.ReportEvent(9, eventError, 0, 0, {"lost"}));

  sink.DeregisterEventSource(first);
  sink.DeregisterEventSource(first);
  sink.DeregisterEventSource(0);
  EXPECT_FALSE(sink.ReportEvent(first, eventError, 0, 0, {"after release"}));
  EXPECT_EQ(sink.Deregistrations(), 1);
  EXPECT_EQ(sink.OpenSources(), 1);

  const std::vector<EventLogEntry> entries = sink.Entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].source, "Pandrel Velmoor");
  EXPECT_EQ(entries[0].type, eventWarning);
  EXPECT_EQ(entries[0].strings, std::vector<std::string>{"\r\nSource: A\r\nB"});
  EXPECT_EQ(entries[1].source, "Other");
  EXPECT_EQ(entries[1].category, 4);
  EXPECT_EQ(entries[1].eventId, 17u);
  EXPECT_EQ(entries[1].strings, (std::vector<std::string>{"x", "y"}));

  sink.ClearEntries();
  EXPECT_TRUE(sink.Entries().empty());
}

TEST(MemoryEventLogSink, RegistrationCanBeToldToFail) {
  MemoryEventLogSink sink;
  sink.SetFailRegistration(true);
  EXPECT_EQ(sink.RegisterEventSource("Pandrel Velmoor"), 0u);
  EXPECT_EQ(sink.OpenSources(), 0);
  sink.SetFailRegistration(false);
  EXPECT_NE(sink.RegisterEventSource("Pandrel Velmoor"), 0u);
}

TEST(FileEventLogSink, AppendsOneJsonObjectALine) {
  test::TempDir dir;
  const std::string path = dir.Write("events.jsonl", "{\"earlier\":true}\n");
  FileEventLogSink sink(path);
  const EventSourceHandle source = sink.RegisterEventSource("Pandrel Velmoor");
  ASSERT_NE(source, 0u);
  const EventLogType types[] = {eventError, eventWarning, eventInformation, eventSuccess};
  for (const EventLogType type : types) {
    EXPECT_TRUE(sink.ReportEvent(source, type, 0, 0, {"\r\nSource: A \"q\"\r\nB caf\xE9 \x80"}));
  }
  sink.DeregisterEventSource(source);
  EXPECT_FALSE(sink.ReportEvent(source, eventError, 0, 0, {"after release"}));

  const std::vector<std::string> lines = Lines(dir.Read("events.jsonl"));
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "{\"earlier\":true}");
  const std::string_view names[] = {"error", "warning", "information", "success"};
  const std::string prefix = "{\"time\":\"";
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(names[i]);
    const std::string& line = lines[i + 1];
    ASSERT_GT(line.size(), prefix.size() + kTimeSize);
    EXPECT_EQ(line.substr(0, prefix.size()), prefix);
    EXPECT_TRUE(IsIsoTime(line.substr(prefix.size(), kTimeSize))) << line;
    EXPECT_EQ(line.substr(prefix.size() + kTimeSize),
              "\",\"source\":\"Pandrel Velmoor\",\"type\":\"" + std::string(names[i]) +
                  "\",\"category\":0,\"id\":0,"
                  "\"text\":\"\\r\\nSource: A \\\"q\\\"\\r\\nB caf\xC3\xA9 \xE2\x82\xAC\"}");
  }
}

TEST(FileEventLogSink, RegistrationFailsWhenTheFileCannotBeOpened) {
  test::TempDir dir;
  FileEventLogSink sink(dir.PathOf("missing/events.jsonl"));
  EXPECT_EQ(sink.RegisterEventSource("Pandrel Velmoor"), 0u);
  EXPECT_FALSE(sink.ReportEvent(0, eventError, 0, 0, {"lost"}));
}

TEST(FileEventLogSink, ConcurrencyWritersNeverInterleaveWithinALine) {
  test::TempDir dir;
  const std::string path = dir.PathOf("events.jsonl");
  FileEventLogSink sink(path);
  constexpr int kThreads = 4;
  constexpr int kEntries = 100;
  std::vector<std::thread> writers;
  for (int t = 0; t < kThreads; ++t) {
    writers.emplace_back([&, t] {
      const EventSourceHandle source = sink.RegisterEventSource("Writer " + std::to_string(t));
      const std::string text(5000, static_cast<char>('a' + t));
      for (int i = 0; i < kEntries; ++i) sink.ReportEvent(source, eventInformation, 0, 0, {text});
      sink.DeregisterEventSource(source);
    });
  }
  for (std::thread& writer : writers) writer.join();

  const std::vector<std::string> lines = Lines(dir.Read("events.jsonl"));
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kThreads * kEntries));
  for (const std::string& line : lines) {
    const std::size_t at = line.find("\"source\":\"Writer ");
    ASSERT_NE(at, std::string::npos) << line.substr(0, 80);
    const char letter = static_cast<char>('a' + (line[at + 17] - '0'));
    ASSERT_NE(line.find("\"text\":\"" + std::string(5000, letter) + "\"}"), std::string::npos)
        << line.substr(0, 80);
  }
}

TEST(StreamEventLogSink, WritesOneReadableBlockPerEntry) {
  int channel[2];
  ASSERT_EQ(::pipe(channel), 0);
  StreamEventLogSink sink(channel[1]);
  const EventSourceHandle source = sink.RegisterEventSource("Pandrel Velmoor");
  ASSERT_NE(source, 0u);
  EXPECT_TRUE(sink.ReportEvent(source, eventError, 0, 0, {"\r\nSource: A\r\nB caf\xE9"}));
  sink.DeregisterEventSource(source);
  EXPECT_FALSE(sink.ReportEvent(source, eventError, 0, 0, {"after release"}));
  ::close(channel[1]);

  std::string written;
  char buffer[512];
  for (ssize_t count; (count = ::read(channel[0], buffer, sizeof buffer)) > 0;) {
    written.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(channel[0]);
  ASSERT_GT(written.size(), kTimeSize);
  EXPECT_TRUE(IsIsoTime(written.substr(0, kTimeSize))) << written;
  EXPECT_EQ(written.substr(kTimeSize), " Pandrel Velmoor error: \nSource: A\nB caf\xC3\xA9\n");
}

TEST(NullEventLogSink, AcceptsAndDropsEntries) {
  NullEventLogSink sink;
  const EventSourceHandle source = sink.RegisterEventSource("Pandrel Velmoor");
  EXPECT_NE(source, 0u);
  EXPECT_TRUE(sink.ReportEvent(source, eventError, 0, 0, {"dropped"}));
  sink.DeregisterEventSource(source);
  EXPECT_FALSE(sink.ReportEvent(source, eventError, 0, 0, {"dropped"}));
}

TEST(NullEventLogSink, ConcurrencySourcesComeAndGoWhileOthersReport) {
  NullEventLogSink sink;
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 500; ++i) {
        const EventSourceHandle source = sink.RegisterEventSource("Pandrel Velmoor");
        if (source == 0 || !sink.ReportEvent(source, eventInformation, 0, 0, {"x"})) ++failures;
        sink.DeregisterEventSource(source);
        if (sink.ReportEvent(source, eventInformation, 0, 0, {"x"})) ++failures;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace corvane::platform
