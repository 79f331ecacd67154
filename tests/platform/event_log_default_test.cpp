#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/eventlog/EventLogSink.h"
#include "platform/eventlog/FileEventLogSink.h"
#include "platform/eventlog/NullEventLogSink.h"
#include "platform/eventlog/StreamEventLogSink.h"
#include "platform/eventlog/SystemLogSink.h"
#include "support/TestEnvironment.h"

namespace corvane::platform {
namespace {

class EventLogDefault : public ::testing::Test {
 protected:
  void SetUp() override { EventLogSink::SetDefault(nullptr); }
  void TearDown() override {
    ::unsetenv("CORVANE_EVENT_LOG");
    EventLogSink::SetDefault(nullptr);
  }
};

enum class Kind { None, System, Stream, File, Null };

Kind KindOf(const std::shared_ptr<EventLogSink>& sink) {
  if (!sink) return Kind::None;
  if (std::dynamic_pointer_cast<SystemLogSink>(sink)) return Kind::System;
  if (std::dynamic_pointer_cast<StreamEventLogSink>(sink)) return Kind::Stream;
  if (std::dynamic_pointer_cast<FileEventLogSink>(sink)) return Kind::File;
  if (std::dynamic_pointer_cast<NullEventLogSink>(sink)) return Kind::Null;
  return Kind::None;
}

TEST_F(EventLogDefault, FromNameKnowsEachSink) {
  struct Case {
    std::string_view name;
    Kind kind;
  };
  const Case cases[] = {
      {"", Kind::System},
      {"journal", Kind::System},
      {"syslog", Kind::System},
      {"SYSLOG", Kind::System},
      {"stderr", Kind::Stream},
      {"none", Kind::Null},
      {"file:/tmp/x.log", Kind::File},
      {"FILE:/tmp/x.log", Kind::File},
      {"file:", Kind::None},
      {"journald", Kind::None},
      {"console", Kind::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name));
    EXPECT_EQ(KindOf(EventLogSink::FromName(c.name)), c.kind);
  }
}

TEST_F(EventLogDefault, FollowsTheVariableAndKeepsOneSinkPerName) {
  test::TempDir dir;
  const std::string setting = "file:" + dir.PathOf("events.jsonl");
  ::setenv("CORVANE_EVENT_LOG", setting.c_str(), 1);
  const std::shared_ptr<EventLogSink> fileSink = EventLogSink::Default();
  EXPECT_EQ(KindOf(fileSink), Kind::File);
  EXPECT_EQ(EventLogSink::Default(), fileSink);

  const EventSourceHandle source = fileSink->RegisterEventSource("Pandrel Velmoor");
  ASSERT_NE(source, 0u);
  EXPECT_TRUE(fileSink->ReportEvent(source, eventError, 0, 0, {"to the file"}));
  fileSink->DeregisterEventSource(source);
  EXPECT_NE(dir.Read("events.jsonl").find("\"text\":\"to the file\""), std::string::npos);

  ::setenv("CORVANE_EVENT_LOG", "none", 1);
  EXPECT_EQ(KindOf(EventLogSink::Default()), Kind::Null);
  ::setenv("CORVANE_EVENT_LOG", setting.c_str(), 1);
  EXPECT_EQ(EventLogSink::Default(), fileSink);
}

TEST_F(EventLogDefault, UnsetOrUnknownMeansTheSystemLog) {
  ::unsetenv("CORVANE_EVENT_LOG");
  EXPECT_EQ(KindOf(EventLogSink::Default()), Kind::System);
  ::setenv("CORVANE_EVENT_LOG", "no such sink", 1);
  EXPECT_EQ(KindOf(EventLogSink::Default()), Kind::System);
}

TEST_F(EventLogDefault, SetDefaultOverridesTheVariableUntilReset) {
  ::setenv("CORVANE_EVENT_LOG", "none", 1);
  auto memory = std::make_shared<MemoryEventLogSink>();
  EventLogSink::SetDefault(memory);
  EXPECT_EQ(EventLogSink::Default(), memory);
  EventLogSink::SetDefault(nullptr);
  EXPECT_EQ(KindOf(EventLogSink::Default()), Kind::Null);
}

}  // namespace
}  // namespace corvane::platform
