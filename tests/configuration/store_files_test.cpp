#include <corvane/CorvaneErrors.h>

#include <gtest/gtest.h>

#include "configuration/ConfigurationTesting.h"
#include "platform/xml/XmlDocument.h"

namespace corvane {
namespace {

using test::Caught;
using test::Formatted;
using test::ItemXml;
using test::StoreXml;

const std::string kOrdersStore =
    StoreXml({{"GLOBAL", ItemXml("StartURL", "STRING", "/orders/start.asp") +
                             ItemXml("Timeout", "INT", "30")}});

class StoreFiles : public test::WebApplicationTest {};

TEST_F(StoreFiles, LoadConfigFileMakesTheFileCurrentWithoutSharingIt) {
  const std::string file = installation_.WriteStore("Orders.xml", kOrdersStore);
  auto configuration = NewConfiguration();
  EXPECT_EQ(configuration->LoadConfigFile2(file), 0);
  EXPECT_EQ(configuration->GetValue("GLOBAL", "StartURL").AsString(), "/orders/start.asp");

  configuration->SetValue("GLOBAL", "Timeout", Variant(std::int16_t{45}));
  EXPECT_NE(installation_.Files().Read("config/Orders.xml").find("<Value>45</Value>"),
            std::string::npos);
  EXPECT_FALSE(application_->Contains("_CV_CONFIG"));
  EXPECT_TRUE(log_.Entries().empty());
}

TEST_F(StoreFiles, AMissingFileFailsFormattedTwiceAndLeavesThePreviousStoreCurrent) {
  const std::string good = installation_.WriteStore("Orders.xml", kOrdersStore);
  const std::string missing = installation_.ConfigDir() + "Missing.xml";
  auto configuration = NewConfiguration();
  configuration->LoadConfigFile(good);

  auto probe = platform::XmlDocument::Create();
  ASSERT_FALSE(probe->load(missing));
  const auto parseError = probe->parseError();
  const std::string loadText = "Error in loading: " + missing + "\r\n reason:" + parseError.reason +
                               "\r\n position: (" + std::to_string(parseError.line) + "," +
                               std::to_string(parseError.linepos) + ")\r\n source: " +
                               parseError.srcText;
  const std::string inner = Formatted("800C0006", "p_LoadConfigStore(" + missing + ")", loadText);

  const Error error = Caught([&] { configuration->LoadConfigFile(missing); });
  EXPECT_EQ(error.Number(), -2146697210);
  EXPECT_EQ(error.Description(), Formatted("800C0006", "LoadConfigFile(" + missing + ")", inner));
  EXPECT_EQ(log_.Entries().size(), 2u);

  EXPECT_EQ(configuration->LoadConfigFile2(missing), -2146697210);
  EXPECT_EQ(configuration->GetValue("GLOBAL", "StartURL").AsString(), "/orders/start.asp");
}

TEST_F(StoreFiles, AStoreBreakingTheSchemaFailsWithTheParseNumberAndPosition) {
  // Type before Name breaks the item's sequence.
  const std::string file = installation_.WriteStore(
      "Bad.xml",
      "<Config>\n<Section id=\"GLOBAL\">\n<Item><Type>INT</Type><Name>A</Name><Value>1</Value></Item>\n"
      "</Section>\n</Config>\n");
  auto configuration = NewConfiguration();
  const Error error = Caught([&] { configuration->LoadConfigFile(file); });

  EXPECT_EQ(static_cast<std::uint32_t>(error.Number()) & 0xFFFFF000u, 0xC00CE000u);
  const std::string& text = error.Description();
  EXPECT_NE(text.find(" METHOD: Corvane.Configuration::LoadConfigFile(" + file + ")"), std::string::npos);
  EXPECT_NE(text.find(" DESC: \r\nERROR 0xC00CE"), std::string::npos);
  EXPECT_NE(text.find("Error in loading: " + file + "\r\n reason:"), std::string::npos);
  EXPECT_NE(text.find("\r\n position: (3,"), std::string::npos);
}

TEST_F(StoreFiles, WithoutTheSchemaTheStoreLoadsAndOneErrorEventSaysSo) {
  installation_.RemoveSchema();
  const std::string file = installation_.WriteStore(
      "Loose.xml", StoreXml({{"GLOBAL", ItemXml("Mode", "whatever", "1")}}));
  auto configuration = NewConfiguration();
  ASSERT_EQ(configuration->LoadConfigFile2(file), 0);

  const auto texts = log_.Texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(log_.Entries()[0].type, platform::eventError);
  EXPECT_NE(texts[0].find(" METHOD: Corvane.Configuration::p_LoadConfigStore(" + file + ")"),
            std::string::npos);
  EXPECT_NE(texts[0].find(" INFO: XML Schema (" + installation_.ConfigDir() +
                          "ModuleConfigurationSchema.xml) could not be loaded. The store will be "
                          "loaded without validation....\r\n"),
            std::string::npos);
}

TEST_F(StoreFiles, AStoreWithoutSectionsLoadsAndHasNoItems) {
  const std::string file = installation_.WriteStore("Empty.xml", "<Config/>");
  auto configuration = NewConfiguration();
  configuration->LoadConfigFile(file);
  EXPECT_EQ(Caught([&] { configuration->GetValue("GLOBAL", "A"); }).Number(), ConfigurationItemNotFound);
  EXPECT_NE(Caught([&] { configuration->GetItems("GLOBAL"); }).Description().find("No items found in section GLOBAL."),
            std::string::npos);
}

struct SwitchCase {
  const char* loaderSwitch;
  std::int32_t expectedNumber;
  std::size_t expectedEvents;
};

class LoaderSwitch : public test::WebApplicationTest,
                     public ::testing::WithParamInterface<SwitchCase> {
 protected:
  LoaderSwitch() : WebApplicationTest("1", GetParam().loaderSwitch) {}
};

TEST_P(LoaderSwitch, DecidesWhetherLoadsSucceedAndAnnounceThemselves) {
  const std::string file = installation_.WriteStore("Orders.xml", kOrdersStore);
  auto configuration = NewConfiguration();
  EXPECT_EQ(configuration->LoadConfigFile2(file), GetParam().expectedNumber);
  EXPECT_EQ(log_.Entries().size(), GetParam().expectedEvents);
}

INSTANTIATE_TEST_SUITE_P(Cases, LoaderSwitch,
                         ::testing::Values(SwitchCase{"", RegKeyInstallDirNotFound, 2},
                                           SwitchCase{"0", 0, 0}, SwitchCase{"1", 0, 1}));

class LoaderSwitchOn : public test::WebApplicationTest {
 protected:
  LoaderSwitchOn() : WebApplicationTest("1", "1") {}
};

TEST_F(LoaderSwitchOn, EachLoadWritesTheNotAnActualErrorWarning) {
  const std::string file = installation_.WriteStore("Orders.xml", kOrdersStore);
  auto configuration = NewConfiguration();
  configuration->LoadConfigFile(file);
  configuration->LoadConfigFile(file);

  const std::string method = "Corvane.Configuration::p_LoadConfigStore(" + file + ")";
  const auto entries = log_.Entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].type, platform::eventWarning);
  EXPECT_EQ(log_.Texts()[1], "\r\nSource: " + method + "\r\n\r\nERROR 0x0\r\n METHOD: " + method +
                                 "\r\n DESC: Not an actual error.\r\n INFO: Configuration file "
                                 "loaded.\r\n");
}

TEST_F(StoreFiles, ASwitchThatCouldNotBeReadIsReadAgainByTheNextLoad) {
  const std::string file = installation_.WriteStore("Orders.xml", kOrdersStore);
  auto configuration = NewConfiguration();
  {
    test::ScopedRegistry noSwitch(test::ProductRegistry("", ""));
    EXPECT_EQ(configuration->LoadConfigFile2(file), RegKeyInstallDirNotFound);
  }
  test::ScopedRegistry switchOn(test::ProductRegistry("", "1"));
  const auto before = log_.Entries().size();
  EXPECT_EQ(configuration->LoadConfigFile2(file), 0);
  EXPECT_EQ(log_.Entries().size(), before + 1);
}

}  // namespace
}  // namespace corvane
