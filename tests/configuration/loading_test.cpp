#include <corvane/CorvaneErrors.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "configuration/ConfigurationTesting.h"
#include "platform/xml/XmlDocument.h"

namespace corvane {
namespace {

using test::ApplicationStoreXml;
using test::Caught;
using test::Formatted;

std::vector<std::string> Names(const Variant& list) {
  std::vector<std::string> names;
  for (const auto& element : list.AsArray().Elements()) names.push_back(element.AsString());
  return names;
}

class Loading : public test::WebApplicationTest {};

TEST_F(Loading, ListsTheSiteStoreThenTheStoreIdsAndCachesTheList) {
  installation_.WriteStore("CVServerConfiguration.xml", ApplicationStoreXml());
  installation_.WriteStore("My StoreConfiguration.xml", ApplicationStoreXml());
  installation_.WriteStore("Configuration.xml", ApplicationStoreXml());
  installation_.WriteStore("notes.txt", "");
  installation_.WriteStore("sub/NestedConfiguration.xml", ApplicationStoreXml());

  auto configuration = NewConfiguration();
  const std::vector<std::string> expected{"SiteConfiguration.xml", "", "CVServer"};
  EXPECT_EQ(Names(configuration->ListConfigStores()), expected);
  EXPECT_EQ(Names(application_->Value("ConfigStoreList")), expected);

  installation_.WriteStore("LaterConfiguration.xml", ApplicationStoreXml());
  EXPECT_EQ(Names(NewConfiguration()->ListConfigStores()), expected);
}

TEST_F(Loading, KeepsTheSiteStoreSpellingAndListsASiteOnlyDirectoryAfresh) {
  std::filesystem::rename(installation_.ConfigDir() + "SiteConfiguration.xml",
                          installation_.ConfigDir() + "siteconfiguration.XML");
  auto configuration = NewConfiguration();
  EXPECT_EQ(Names(configuration->ListConfigStores()),
            std::vector<std::string>{"siteconfiguration.XML"});
  installation_.WriteStore("OrdersConfiguration.xml", ApplicationStoreXml());
  EXPECT_EQ(Names(configuration->ListConfigStores()),
            (std::vector<std::string>{"siteconfiguration.XML", "Orders"}));
}

TEST_F(Loading, ConfigStoreExistsComparesWithoutCaseAndNeverFails) {
  installation_.WriteStore("CVServerConfiguration.xml", ApplicationStoreXml());
  auto configuration = NewConfiguration();
  EXPECT_TRUE(configuration->ConfigStoreExists("cvserver"));
  EXPECT_TRUE(configuration->ConfigStoreExists("SiteConfiguration.xml"));
  EXPECT_FALSE(configuration->ConfigStoreExists("Orders"));

  std::filesystem::remove(installation_.ConfigDir() + "SiteConfiguration.xml");
  application_->Remove("ConfigStoreList");
  EXPECT_FALSE(configuration->ConfigStoreExists("CVServer"));
}

TEST_F(Loading, WithoutASiteStoreListingFailsAndCachesNothing) {
  std::filesystem::remove(installation_.ConfigDir() + "SiteConfiguration.xml");
  const Error error = Caught([&] { NewConfiguration()->ListConfigStores(); });
  EXPECT_EQ(error.Number(), ConfigurationNoSiteConfig);
  EXPECT_EQ(error.Description(), Formatted("8004000B", "ListConfigStores()",
                                           "SiteConfiguration.xml could not be found"));
  EXPECT_FALSE(application_->Contains("ConfigStoreList"));
}

TEST_F(Loading, LoadSiteConfigReadsTheDiskOnceAndSaysSo) {
  bool forced = false;
  auto first = NewConfiguration();
  first->LoadSiteConfig(forced);
  EXPECT_TRUE(forced);
  EXPECT_EQ(application_->Value("_CV_CONFIG_FILE").AsString(),
            installation_.ConfigDir() + "SiteConfiguration.xml");
  const ObjectPtr cached = application_->ObjectValue("_CV_CONFIG");
  ASSERT_TRUE(cached);

  forced = false;
  auto second = NewConfiguration();
  second->LoadSiteConfig(forced);
  EXPECT_FALSE(forced);
  EXPECT_EQ(application_->ObjectValue("_CV_CONFIG"), cached);
  EXPECT_EQ(second->GetValue("GLOBAL", "SiteName").AsString(), "Example Procurement Site");
}

TEST_F(Loading, ApplicationStoresAreCachedUnderTheirIdAndReadOnce) {
  const std::string path = installation_.WriteStore("CVServerConfiguration.xml", ApplicationStoreXml());
  NewConfiguration()->LoadCVServerConfig();
  EXPECT_TRUE(application_->ObjectValue("CVServer_CV_CONFIG_"));
  EXPECT_EQ(application_->Value("CVServer_CV_CONFIG__FILE").AsString(), path);

  std::filesystem::remove(path);  // a second load never reads the file
  auto configuration = NewConfiguration();
  configuration->Load("CVServer");
  EXPECT_EQ(configuration->GetValue("GLOBAL", "StartURL").AsString(), "/orders/start.asp");
}

TEST_F(Loading, AnEditIsSeenAtOnceByEveryObjectOfTheApplication) {
  installation_.WriteStore("OrdersConfiguration.xml", ApplicationStoreXml());
  auto writer = NewConfiguration();
  auto reader = NewConfiguration();
  writer->Load("Orders");
  reader->Load("Orders");
  writer->SetValue("GLOBAL", "StartURL", Variant("/orders/new.asp"));
  EXPECT_EQ(reader->GetValue("GLOBAL", "StartURL").AsString(), "/orders/new.asp");
  EXPECT_NE(installation_.Files().Read("config/OrdersConfiguration.xml").find("/orders/new.asp"),
            std::string::npos);
}

TEST_F(Loading, AForcedReloadReplacesTheCachedDocumentForLaterCallers) {
  installation_.WriteStore("OrdersConfiguration.xml", ApplicationStoreXml());
  NewConfiguration()->Load("Orders");
  installation_.WriteStore("OrdersConfiguration.xml", ApplicationStoreXml("/orders/v2.asp"));

  auto cached = NewConfiguration();
  cached->Load("Orders");
  EXPECT_EQ(cached->GetValue("GLOBAL", "StartURL").AsString(), "/orders/start.asp");
  NewConfiguration()->Load("Orders", true);
  auto later = NewConfiguration();
  later->Load("Orders");
  EXPECT_EQ(later->GetValue("GLOBAL", "StartURL").AsString(), "/orders/v2.asp");
}

TEST_F(Loading, AStoreThatFailsValidationIsCurrentButNotCached) {
  installation_.WriteStore("OrdersConfiguration.xml",
                           ApplicationStoreXml("/x", test::ItemXml("OrdersPage", "STRING", "x")));
  auto configuration = NewConfiguration();
  EXPECT_EQ(Caught([&] { configuration->Load("Orders"); }).Number(), ConfigurationLoadStoreFailed);
  EXPECT_EQ(configuration->GetValue("GLOBAL", "StartURL").AsString(), "/x");
  EXPECT_FALSE(application_->Contains("Orders_CV_CONFIG_"));
}

TEST_F(Loading, AnUnknownStoreIdFailsOnTheMissingFile) {
  const Error error = Caught([&] { NewConfiguration()->Load("Nope"); });
  EXPECT_EQ(error.Number(), -2146697210);
  EXPECT_NE(error.Description().find(" METHOD: Corvane.Configuration::Load(Nope)"), std::string::npos);
}

TEST(LoadingOutsideTheHost, EveryLoaderNeedsAnObjectContext) {
  test::ScopedEventLog log;
  auto configuration = Configuration::Create();
  const std::vector<std::pair<std::string, std::function<void()>>> calls = {
      {"ListConfigStores()", [&] { configuration->ListConfigStores(); }},
      {"LoadSiteConfig()", [&] { configuration->LoadSiteConfig(); }},
      {"Load(Orders)", [&] { configuration->Load("Orders"); }},
  };
  for (const auto& [method, call] : calls) {
    SCOPED_TRACE(method);
    EXPECT_EQ(Caught(call).Description(),
              Formatted("8004000A", method, "Object context could not be retrieved"));
  }
  EXPECT_FALSE(configuration->ConfigStoreExists("Orders"));
}

TEST(LoadingWithoutApplication, ReadsAndValidatesOnEveryLoadAndCachesNothing) {
  test::TempDir product;
  const std::string site = product.Path() + "/site_local";
  product.Write("site_local/config/ModuleConfigurationSchema.xml", test::StoreSchemaText());
  product.Write("site_local/config/OrdersConfiguration.xml", ApplicationStoreXml());
  test::ScopedRegistry registry(test::ProductRegistry(site, "0"));
  test::ScopedEventLog log;
  test::HostCall call;
  auto configuration =
      QueryInterface<Configuration>(call.Context()->CreateInstance("Corvane.Configuration"));

  configuration->Load("Orders");
  EXPECT_EQ(configuration->GetValue("GLOBAL", "StartURL").AsString(), "/orders/start.asp");
  product.Write("site_local/config/OrdersConfiguration.xml", ApplicationStoreXml("/orders/v2.asp"));
  configuration->Load("Orders");
  EXPECT_EQ(configuration->GetValue("GLOBAL", "StartURL").AsString(), "/orders/v2.asp");
}

}  // namespace
}  // namespace corvane
