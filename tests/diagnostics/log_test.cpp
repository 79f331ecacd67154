#include <corvane/Log.h>
#include <corvane/RuntimeErrors.h>

#include <gtest/gtest.h>

#include "configuration/ConfigurationTesting.h"

namespace corvane {
namespace {

using test::Caught;
using test::ItemXml;
using test::Replaced;

class LogWriter : public test::WebApplicationTest {
 protected:
  explicit LogWriter(std::string_view siteLogging = "1") : WebApplicationTest(siteLogging) {}
  std::shared_ptr<Log> NewLog() {
    return QueryInterface<Log>(request_.Context()->CreateInstance("Corvane.Log"));
  }
  void SetSiteStore(const std::string& xml) { installation_.WriteStore("SiteConfiguration.xml", xml); }
};

TEST_F(LogWriter, WritesTheEntryTextWithItsTypeWhileLoggingIsOn) {
  NewLog()->WriteEvent("A", "B", etwarning);
  const auto entries = log_.Entries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].source, "Pandrel Velmoor");
  EXPECT_EQ(entries[0].type, platform::eventWarning);
  EXPECT_EQ(entries[0].category, 0);
  EXPECT_EQ(entries[0].eventId, 0u);
  ASSERT_EQ(entries[0].strings.size(), 1u);
  EXPECT_EQ(entries[0].strings[0], "\r\nSource: A\r\nB");
}

TEST_F(LogWriter, MapsEveryEventType) {
  const std::vector<std::pair<std::int32_t, platform::EventLogType>> cases = {
      {etError, platform::eventError},
      {etwarning, platform::eventWarning},
      {etInformation, platform::eventInformation},
      {7, platform::eventSuccess},
      {-1, platform::eventSuccess},
  };
  auto log = NewLog();
  for (const auto& [type, expected] : cases) log->WriteEventAlways("S", "M", type);
  const auto entries = log_.Entries();
  ASSERT_EQ(entries.size(), cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(entries[i].type, cases[i].second) << i;
}

TEST_F(LogWriter, TextIsWrittenInTheSingleByteCodePage) {
  NewLog()->WriteEvent("Bestellung", "Größe 5 €", etInformation);
  ASSERT_EQ(log_.Entries().size(), 1u);
  EXPECT_EQ(log_.Entries()[0].strings[0], "\r\nSource: Bestellung\r\nGr\xF6\xDF" "e 5 \x80");
}

TEST_F(LogWriter, AnySwitchValueButOneKeepsWriteEventSilent) {
  for (const char* value : {"0", "2", "-1"}) {
    SCOPED_TRACE(value);
    SetSiteStore(test::SiteStoreXml(value));
    bool forced = true;
    NewConfiguration()->LoadSiteConfig(forced);
    log_.Sink().ClearEntries();

    auto log = NewLog();
    log->WriteEvent("A", "B", etError);
    EXPECT_TRUE(log_.Entries().empty());
    log->WriteEventAlways("A", "B", etError);
    EXPECT_EQ(log_.Entries().size(), 1u);
    // WriteEventAlways leaves the switch on only until WriteEvent decides again.
    log->WriteEvent("A", "B", etError);
    EXPECT_EQ(log_.Entries().size(), 1u);
  }
}

TEST_F(LogWriter, ASwitchThatCannotBeReadCountsAsOn) {
  const std::string site = test::SiteStoreXml("1");
  const std::vector<std::pair<const char*, std::string>> stores = {
      {"no Logging item", Replaced(site, "<Name>Logging</Name>", "<Name>Verbose</Name>")},
      {"not a number", Replaced(test::SiteStoreXml("x"), "<Type>INT</Type>\n      <Value>x", "<Type>STRING</Type>\n      <Value>x")},
  };
  for (const auto& [name, xml] : stores) {
    SCOPED_TRACE(name);
    application_->Remove("_CV_CONFIG");
    SetSiteStore(xml);
    log_.Sink().ClearEntries();
    NewLog()->WriteEvent("A", "B", etError);
    EXPECT_FALSE(log_.Texts().empty());
    EXPECT_EQ(log_.Texts().back(), "\r\nSource: A\r\nB");
  }
}

TEST_F(LogWriter, OutsideAContextAnActivatedLogWritesAndANeverActivatedOneDoesNot) {
  test::ScopedEventLog isolated;
  auto activated = Log::Create();
  auto neverActivated = Log::Create();
  {
    ContextScope none(nullptr);
    activated->ObjectControl_Activate();
    activated->WriteEvent("A", "B", etError);
    neverActivated->WriteEvent("A", "B", etError);
    neverActivated->WriteEventAlways("A", "B", etError);
  }
  EXPECT_EQ(isolated.Entries().size(), 1u);
}

TEST_F(LogWriter, EnableSwitchesWriteEventOffAndOnThroughTheSiteStore) {
  auto log = NewLog();
  log->Enable(false);
  log->WriteEvent("A", "off", etError);
  EXPECT_TRUE(log_.Entries().empty());
  EXPECT_NE(installation_.Files().Read("config/SiteConfiguration.xml").find("<Value>0</Value>"),
            std::string::npos);

  log->Enable(true);
  log->WriteEvent("A", "on", etError);
  ASSERT_EQ(log_.Texts().size(), 1u);
  EXPECT_EQ(log_.Texts()[0], "\r\nSource: A\r\non");
}

TEST_F(LogWriter, GetEventsIsNotImplemented) {
  const Error error = Caught([&] { NewLog()->GetEvents(); });
  EXPECT_EQ(error.Number(), rtNotImplemented);
  EXPECT_EQ(error.Source(), "Corvane.Log");
  EXPECT_EQ(error.Description(), "GetEvents is not yet implemented");
}

TEST_F(LogWriter, DeactivationReleasesTheSourceOnce) {
  auto log = Log::Create();
  log->ObjectControl_Activate();
  EXPECT_EQ(log_.Sink().OpenSources(), 1);
  log->ObjectControl_Deactivate();
  log->ObjectControl_Deactivate();
  EXPECT_EQ(log_.Sink().Deregistrations(), 1);
  EXPECT_EQ(log_.Sink().OpenSources(), 0);
  EXPECT_FALSE(log->ObjectControl_CanBePooled());
}

TEST_F(LogWriter, AFailedRegistrationMakesWritesSilent) {
  log_.Sink().SetFailRegistration(true);
  auto log = NewLog();
  log->WriteEventAlways("A", "B", etError);
  EXPECT_TRUE(log_.Entries().empty());
}

}  // namespace
}  // namespace corvane
