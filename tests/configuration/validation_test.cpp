#include <corvane/CorvaneErrors.h>

#include <gtest/gtest.h>

#include "configuration/ConfigurationTesting.h"

namespace corvane {
namespace {

using test::ApplicationStoreXml;
using test::Caught;
using test::Formatted;
using test::ItemXml;
using test::Replaced;

class SiteValidation : public test::WebApplicationTest {
 protected:
  Error LoadFails(const std::string& siteXml) {
    installation_.WriteStore("SiteConfiguration.xml", siteXml);
    return Caught([&] { NewConfiguration()->LoadSiteConfig(); });
  }
  std::string SitePath() const { return installation_.ConfigDir() + "SiteConfiguration.xml"; }
  const std::string site_ = test::SiteStoreXml("1");
};

TEST_F(SiteValidation, AValidSiteStoreLoadsAndIsCached) {
  NewConfiguration()->LoadSiteConfig();
  EXPECT_TRUE(application_->ObjectValue("_CV_CONFIG"));
}

TEST_F(SiteValidation, APlaceholderHostNameIsRefusedInAnyCase) {
  const Error error = LoadFails(Replaced(site_, "www.example.test", "[enter your computer name HERE]"));
  EXPECT_EQ(error.Number(), ConfigurationItemNotFound);
  EXPECT_EQ(error.Description(), Formatted("8004000F", "LoadSiteConfig()", "NONSECUREHOSTNAME unknown"));
  EXPECT_FALSE(application_->Contains("_CV_CONFIG"));

  EXPECT_EQ(LoadFails(Replaced(site_, "secure.example.test", "[Enter your computer name here]"))
                .Description(),
            Formatted("8004000F", "LoadSiteConfig()", "SECUREHOSTNAME unknown"));
}

TEST_F(SiteValidation, AnEmptyHostNamePasses) {
  installation_.WriteStore("SiteConfiguration.xml", Replaced(site_, "www.example.test", ""));
  EXPECT_NO_THROW(NewConfiguration()->LoadSiteConfig());
}

TEST_F(SiteValidation, AMissingItemIsRefusedWithTheNotFoundText) {
  const Error error = LoadFails(Replaced(site_, "<Name>SiteName</Name>", "<Name>SiteTitle</Name>"));
  EXPECT_EQ(error.Description(),
            Formatted("8004000F", "LoadSiteConfig()",
                      "Item SiteName not found in Configuration Store " + SitePath()));
}

TEST_F(SiteValidation, MissingSectionsAreRefusedAtTheSectionTestInOrder) {
  const Error membership = LoadFails(Replaced(site_, "id=\"MEMBERSHIP\"", "id=\"MEMBERS\""));
  EXPECT_EQ(membership.Description(),
            Formatted("8004000F", "LoadSiteConfig()",
                      Formatted("8004000F", "GetItems(MEMBERSHIP)",
                                "No items found in section MEMBERSHIP")));
  const Error layout = LoadFails(Replaced(site_, "id=\"LAYOUT\"", "id=\"LOOK\""));
  EXPECT_NE(layout.Description().find("No items found in section LAYOUT"), std::string::npos);
}

TEST_F(SiteValidation, AStoreFromTheCacheIsNotValidatedAgain) {
  NewConfiguration()->LoadSiteConfig();
  installation_.WriteStore("SiteConfiguration.xml", Replaced(site_, "id=\"LAYOUT\"", "id=\"LOOK\""));
  EXPECT_NO_THROW(NewConfiguration()->LoadSiteConfig());
}

class ApplicationValidation : public test::WebApplicationTest {
 protected:
  std::int32_t Load(const std::string& xml) {
    installation_.WriteStore("OrdersConfiguration.xml", xml);
    try {
      NewConfiguration()->Load("Orders", true);
      return 0;
    } catch (const Error& error) {
      last_ = error.Description();
      return error.Number();
    }
  }
  std::string last_;
};

TEST_F(ApplicationValidation, ItemNamesMustContainAnAdmittedFragment) {
  const std::string connections = ItemXml("OrdersConnection_ConnectionDSN", "STRING", "db") +
                                  ItemXml("OrdersConnection_RuntimeUserName", "STRING", "u") +
                                  ItemXml("OrdersConnection_RuntimePassword", "STRING", "p");
  struct Case {
    const char* name;
    std::string managerPages;
    std::string connections;
    std::string refused;  // empty: passes
  };
  const std::vector<Case> cases = {
      {"pairs", ItemXml("Orders_Name", "STRING", "n") + ItemXml("Orders_URL", "STRING", "u"),
       connections, ""},
      {"fragment inside a name", ItemXml("orders_url_old", "STRING", "u"), connections, ""},
      {"page without fragment", ItemXml("OrdersPage", "STRING", "u"), connections,
       "Invalid item OrdersPage in section MANAGERPAGES"},
      {"unknown connection property", ItemXml("Orders_URL", "STRING", "u"),
       connections + ItemXml("OrdersConnection_Provider", "STRING", "x"),
       "Invalid item OrdersConnection_Provider in section CONNECTIONS"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::int32_t number = Load(ApplicationStoreXml("/s", c.managerPages, c.connections));
    if (c.refused.empty()) {
      EXPECT_EQ(number, 0);
    } else {
      EXPECT_EQ(number, ConfigurationLoadStoreFailed);
      EXPECT_EQ(last_, Formatted("80040012", "Load(Orders)",
                                 Formatted("80040012", "p_ValidateApplConfigurationStore()", c.refused)));
    }
  }
}

TEST_F(ApplicationValidation, EmptyManagerPagesOrConnectionsAreRefused) {
  EXPECT_EQ(Load(ApplicationStoreXml("/s", "", ItemXml("OrdersConnection_ConnectionDSN", "STRING", "d"))),
            ConfigurationItemNotFound);
  EXPECT_NE(last_.find("No items found in section MANAGERPAGES"), std::string::npos);
  EXPECT_EQ(Load(ApplicationStoreXml("/s", ItemXml("Orders_URL", "STRING", "u"), "")),
            ConfigurationItemNotFound);
  EXPECT_NE(last_.find("No items found in section CONNECTIONS"), std::string::npos);
}

TEST_F(ApplicationValidation, RequiredGlobalItemsAreCheckedInOrder) {
  EXPECT_EQ(Load(Replaced(ApplicationStoreXml(), "<Name>StartName</Name>", "<Name>Begin</Name>")),
            ConfigurationItemNotFound);
  EXPECT_NE(last_.find("Item StartName not found in Configuration Store "), std::string::npos);
  EXPECT_EQ(Load(Replaced(ApplicationStoreXml(), "<Value>12</Value>", "<Value>twelve</Value>")), 13);
}

}  // namespace
}  // namespace corvane
