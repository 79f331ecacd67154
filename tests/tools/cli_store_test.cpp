#include "configuration/ConfigurationTesting.h"
#include "configuration/Lib_Registry.h"
#include "crypto/Lib_Crypt.h"
#include "support/TestEnvironment.h"
#include "tools/CliRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace corvane {
namespace {

namespace fs = std::filesystem;
using corvane::testing::CliRun;
using corvane::testing::EnvironmentGuard;
using corvane::testing::RunTool;
using test::Replaced;

// Where the example registry export expects the example site to be installed.
constexpr const char* kInstalledSite = "/opt/corvane/examples/web";
constexpr const char* kSiteSource = "(source: Corvane.Configuration)";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Joined(const std::vector<std::string>& args) {
  std::string joined;
  for (const std::string& arg : args) joined += arg + " ";
  return joined;
}

// A copy of the example installation in a temporary directory, with a copy
// of the example registry export that points at it.
class CliStoreTest : public ::testing::Test {
 protected:
  CliStoreTest() {
    fs::copy(test::ExampleInstallDir(), Site(), fs::copy_options::recursive);
    PointRegistryAt(Site());
  }
  ~CliStoreTest() override { Reg_SetCachedInstallDir(""); }

  std::string Site() const { return root_.PathOf("web"); }
  std::string StorePath(const std::string& name) const { return Site() + "/config/" + name; }
  std::string StoreText(const std::string& name) const { return ReadFile(StorePath(name)); }
  void WriteStore(const std::string& name, const std::string& xml) const {
    root_.Write("web/config/" + name, xml);
  }

  // Rewrites the registry copy; the thread's remembered directory goes with the old one.
  void PointRegistryAt(const std::string& installDir) {
    const std::string example =
        ReadFile(std::string(CORVANE_SOURCE_DIR) + "/examples/registry.reg");
    registry_ = root_.Write("registry.reg", Replaced(example, kInstalledSite, installDir));
    Reg_SetCachedInstallDir("");
  }

  CliRun Run(std::vector<std::string> args) const {
    args.insert(args.begin(), {"--registry", registry_});
    return RunTool(args);
  }

  // Runs a command that must succeed and returns what it printed.
  std::string Output(const std::vector<std::string>& args) const {
    const CliRun run = Run(args);
    EXPECT_EQ(run.status, 0) << Joined(args) << "\n" << run.err;
    EXPECT_EQ(run.err, "") << Joined(args);
    return run.out;
  }

  EnvironmentGuard environment_{{"CORVANE_INSTALL_DIR", std::nullopt},
                                {"CORVANE_REGISTRY", std::nullopt},
                                {"CORVANE_EVENT_LOG", "none"}};
  test::ScopedEventLog log_;
  test::TempDir root_;
  std::string registry_;
};

TEST_F(CliStoreTest, TheExampleRegistryNamesTheInstalledSiteAndTheLoaderSwitch) {
  const std::string example = ReadFile(std::string(CORVANE_SOURCE_DIR) + "/examples/registry.reg");
  EXPECT_EQ(example.rfind("Windows Registry Editor Version 5.00\n", 0), 0u);
  EXPECT_NE(example.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Ostrelco\\Pandrel\\Velmoor]\n"
                         "\"InstallDir\"=\"/opt/corvane/examples/web\"\n"),
            std::string::npos);
  EXPECT_NE(example.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Ostrelco\\Pandrel\\Velmoor\\"
                         "Authorization Filter]\n\"Logging\"=\"1\"\n"),
            std::string::npos);
}

TEST_F(CliStoreTest, InstallDirComesFromTheRegistryOrTheWebApplication) {
  EXPECT_EQ(Output({"install-dir"}), Site() + "\n");
  EXPECT_EQ(Output({"--json", "install-dir"}), "{\"value\": \"" + Site() + "\"}\n");

  // A directory above the site: the folder holding global.asa is the site.
  PointRegistryAt(root_.Path());
  EXPECT_EQ(Output({"install-dir"}), Site() + "\n");

  EXPECT_EQ(Output({"--install-dir", "/srv/elsewhere", "install-dir"}), "/srv/elsewhere\n");
}

TEST_F(CliStoreTest, InstallDirWithoutTheRegistryValueFails) {
  root_.Write("empty.reg", "Windows Registry Editor Version 5.00\n");
  const CliRun run = RunTool({"--registry", root_.PathOf("empty.reg"), "install-dir"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "corvane: error 0x80040001 (source: Corvane.Lib_Registry)\n"
            "\n"
            "ERROR 0x80040001\n"
            " METHOD: Corvane.Configuration::GetInstallDir()\n"
            " DESC: Registry value "
            "HKEY_LOCAL_MACHINE\\SOFTWARE\\Ostrelco\\Pandrel\\Velmoor\\InstallDir not found.\n");
}

TEST_F(CliStoreTest, StoresListsTheSiteStoreFileThenTheStoreIdsInNameOrder) {
  EXPECT_EQ(Output({"stores"}), "SiteConfiguration.xml\nCVServer\nOrders\n");

  WriteStore("accountsConfiguration.xml", StoreText("OrdersConfiguration.xml"));
  WriteStore("Price ListConfiguration.xml", StoreText("OrdersConfiguration.xml"));
  WriteStore("notes.txt", "not a store");
  EXPECT_EQ(Output({"stores"}), "SiteConfiguration.xml\naccounts\nCVServer\nOrders\n");
  EXPECT_EQ(Output({"--json", "stores"}),
            "{\"values\": [\"SiteConfiguration.xml\", \"accounts\", \"CVServer\", \"Orders\"]}\n");
}

TEST_F(CliStoreTest, GetPrintsTheValueOfTheSelectedStore) {
  const struct {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{"get", "GLOBAL", "SiteName"}, "Example Procurement Site\n"},
      {{"get", "--site", "GLOBAL", "Logging"}, "1\n"},
      {{"get", "--store", "Orders", "GLOBAL", "ApplicationId"}, "12\n"},
      {{"get", "--store", "Orders", "CONNECTIONS", "OrdersConnection_RuntimePassword"},
       "Orders-Demo-2026\n"},
      {{"get", "--store", "CVServer", "GLOBAL", "ApplicationName"}, "Application Server\n"},
      {{"get", "--store", "CVServer", "CONNECTIONS", "ServerConnection_RuntimePassword"},
       "cvserver-demo\n"},
      {{"get", "GLOBAL", "StartURL", "--file", StorePath("OrdersConfiguration.xml")},
       "/orders/default.asp\n"},
      {{"--json", "get", "--store", "Orders", "GLOBAL", "StartName"},
       "{\"value\": \"Order Desk\"}\n"},
      {{"--install-dir", Site(), "get", "--store", "Orders", "MANAGERPAGES", "Orders_URL"},
       "/orders/manage.asp\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Joined(c.args));
    EXPECT_EQ(Output(c.args), c.out);
  }
}

TEST_F(CliStoreTest, ItemsListsTheNamesInDocumentOrder) {
  EXPECT_EQ(Output({"items", "LAYOUT"}), "Stylesheet\nLogo\n");
  EXPECT_EQ(Output({"items", "--store", "Orders", "MANAGERPAGES"}),
            "Orders_Name\nOrders_URL\nApprovals_Name\nApprovals_URL\n");
  EXPECT_EQ(Output({"--json", "items", "--store", "CVServer", "MANAGERPAGES"}),
            "{\"values\": [\"Server_Name\", \"Server_URL\"]}\n");
}

TEST_F(CliStoreTest, LibraryFailuresExitOneWithTheErrorLineAndChangeNothing) {
  const std::string site = StorePath("SiteConfiguration.xml");
  const std::string siteText = StoreText("SiteConfiguration.xml");
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"get", "GLOBAL", "Missing"},
       "corvane: error 0x8004000F " + std::string(kSiteSource) +
           "\nItem Missing not found in Configuration Store " + site + "\n"},
      {{"--json", "get", "LAYOUT", "SiteName"},
       "corvane: error 0x8004000F " + std::string(kSiteSource) +
           "\nItem SiteName not found in Configuration Store " + site + "\n"},
      {{"items", "NOSUCH"},
       "corvane: error 0x8004000F " + std::string(kSiteSource) +
           "\n\nERROR 0x8004000F\n METHOD: Corvane.Configuration::GetItems(NOSUCH)\n"
           " DESC: No items found in section NOSUCH.\n"},
      {{"set", "GLOBAL", "Logging", "0"},
       "corvane: error 0x80040014 " + std::string(kSiteSource) +
           "\n\nERROR 0x80040014\n METHOD: Corvane.Configuration::Setvalue(GLOBAL, Logging, 0)\n"
           " DESC: Datatype of value is not equal to the type of item Logging (INT).\n"},
      {{"set", "GLOBAL", "SiteName", "5", "--int"},
       "corvane: error 0x80040014 " + std::string(kSiteSource) +
           "\n\nERROR 0x80040014\n METHOD: Corvane.Configuration::Setvalue(GLOBAL, SiteName, 5)\n"
           " DESC: Datatype of value is not equal to the type of item SiteName (STRING).\n"},
      {{"add-section", "GLOBAL"},
       "corvane: error 0x80040015 " + std::string(kSiteSource) +
           "\n\nERROR 0x80040015\n METHOD: Corvane.Configuration::AddSection(GLOBAL)\n"
           " DESC: Section GLOBAL already exists.\n"},
      {{"remove-section", "NOSUCH"},
       "corvane: error 0x8004000D " + std::string(kSiteSource) +
           "\n\nERROR 0x8004000D\n METHOD: Corvane.Configuration::RemoveSection(NOSUCH)\n"
           " DESC: Section NOSUCH does not exist.\n"},
      {{"add-item", "GLOBAL", "SiteName", "Other"},
       "corvane: error 0x80040016 " + std::string(kSiteSource) +
           "\n\nERROR 0x80040016\n"
           " METHOD: Corvane.Configuration::AddItem(GLOBAL, SiteName, Other)\n"
           " DESC: Item SiteName already exists in section GLOBAL.\n"},
      {{"remove-item", "GLOBAL", "Missing"},
       "corvane: error 0x8004000F " + std::string(kSiteSource) +
           "\n\nERROR 0x8004000F\n METHOD: Corvane.Configuration::RemoveItem(GLOBAL, Missing)\n"
           " DESC: Item Missing does not exist in section GLOBAL.\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Joined(c.args));
    const CliRun run = Run(c.args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(StoreText("SiteConfiguration.xml"), siteText);
  }
}

TEST_F(CliStoreTest, AStoreThatCannotBeLoadedFailsTheCommand) {
  const std::string missing = StorePath("NowhereConfiguration.xml");
  const CliRun run = Run({"get", "--store", "Nowhere", "GLOBAL", "StartURL"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "corvane: error 0x800C0006 " + std::string(kSiteSource) +
                         "\n\nERROR 0x800C0006\n"
                         " METHOD: Corvane.Configuration::Load(Nowhere)\n"
                         " DESC: \nERROR 0x800C0006\n"
                         " METHOD: Corvane.Configuration::p_LoadConfigStore(" +
                         missing +
                         ")\n"
                         " DESC: Error in loading: " +
                         missing +
                         "\n"
                         " reason:The system cannot locate the object specified.\n"
                         " position: (0,0)\n"
                         " source: .\n.\n");
}

TEST_F(CliStoreTest, SetWritesTheSelectedStoreFile) {
  EXPECT_EQ(Output({"set", "--store", "Orders", "GLOBAL", "StartName", "Order Desk 2"}), "");
  EXPECT_NE(StoreText("OrdersConfiguration.xml").find("<Value>Order Desk 2</Value>"),
            std::string::npos);
  EXPECT_EQ(Output({"get", "--store", "Orders", "GLOBAL", "StartName"}), "Order Desk 2\n");

  const std::string file = StorePath("CVServerConfiguration.xml");
  EXPECT_EQ(Output({"--json", "set", "--file", file, "GLOBAL", "StartURL", "/srv/start.asp"}),
            "{}\n");
  EXPECT_NE(ReadFile(file).find("<Value>/srv/start.asp</Value>"), std::string::npos);
  EXPECT_EQ(StoreText("OrdersConfiguration.xml").find("/srv/start.asp"), std::string::npos);
}

TEST_F(CliStoreTest, SetOfAnEncryptedItemStoresItEncrypted) {
  const std::string before = StoreText("OrdersConfiguration.xml");
  EXPECT_EQ(Output({"set", "--store", "Orders", "CONNECTIONS", "OrdersConnection_RuntimePassword",
                    "Changed-Secret-7"}),
            "");
  const std::string after = StoreText("OrdersConfiguration.xml");
  EXPECT_EQ(after.find("Changed-Secret-7"), std::string::npos);
  const std::string marker = "<Value encrypted=\"yes\">";
  const auto at = after.find(marker);
  ASSERT_NE(at, std::string::npos) << after;
  const auto start = at + marker.size();
  const std::string stored = after.substr(start, after.find('<', start) - start);
  EXPECT_EQ(before.find(stored), std::string::npos) << "the old text is still stored";
  EXPECT_EQ(Crypt_DecryptWithIndex(stored), "Changed-Secret-7");
  EXPECT_EQ(Output({"get", "--store", "Orders", "CONNECTIONS", "OrdersConnection_RuntimePassword"}),
            "Changed-Secret-7\n");
}

TEST_F(CliStoreTest, IntPassesASixteenBitInteger) {
  const struct {
    std::string value;
    std::string read;
  } cases[] = {
      {"0", "0"}, {"-32768", "-32768"}, {"32767", "32767"}, {"+7", "7"}, {"-5", "-5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(Output({"set", "GLOBAL", "Logging", c.value, "--int"}), "");
    EXPECT_EQ(Output({"get", "GLOBAL", "Logging"}), c.read + "\n");
  }
  EXPECT_NE(StoreText("SiteConfiguration.xml").find("<Value>-5</Value>"), std::string::npos);
}

TEST_F(CliStoreTest, IntRefusesWhatIsNotASixteenBitIntegerAsAUsageError) {
  const std::string siteText = StoreText("SiteConfiguration.xml");
  for (const std::string value :
       {"32768", "-32769", "100000", "abc", "", "1.5", "0x10", " 5", "5 ", "+-5", "-", "+"}) {
    for (const std::string command : {"set", "add-item"}) {
      SCOPED_TRACE(command + " '" + value + "'");
      const CliRun run = Run({command, "GLOBAL", "Retries", value, "--int"});
      EXPECT_EQ(run.status, 2);
      EXPECT_EQ(run.out, "");
      EXPECT_EQ(run.err, "corvane: VALUE: not a 16-bit integer (-32768 to 32767): " + value +
                             "\n"
                             "Usage: corvane [OPTIONS] COMMAND [OPTIONS] [ARGS]\n"
                             "Run 'corvane " +
                             command + " --help' for more information.\n");
    }
  }
  EXPECT_EQ(StoreText("SiteConfiguration.xml"), siteText);
}

TEST_F(CliStoreTest, AddItemStoresTheTypeOfItsValue) {
  EXPECT_EQ(Output({"add-item", "GLOBAL", "Retries", "3", "--int"}), "");
  EXPECT_EQ(Output({"add-item", "GLOBAL", "Banner", "3"}), "");
  EXPECT_EQ(Output({"get", "GLOBAL", "Retries"}), "3\n");
  EXPECT_EQ(Output({"get", "GLOBAL", "Banner"}), "3\n");
  // The stored type shows in which values the items take afterwards.
  EXPECT_EQ(Output({"set", "GLOBAL", "Retries", "4", "--int"}), "");
  EXPECT_EQ(Output({"set", "GLOBAL", "Banner", "Welcome"}), "");
  const CliRun asText = Run({"set", "GLOBAL", "Retries", "five"});
  EXPECT_EQ(asText.status, 1);
  EXPECT_NE(asText.err.find(" DESC: Datatype of value is not equal to the type of item Retries "
                            "(INT).\n"),
            std::string::npos)
      << asText.err;
  const CliRun asNumber = Run({"set", "GLOBAL", "Banner", "5", "--int"});
  EXPECT_EQ(asNumber.status, 1);
  EXPECT_NE(asNumber.err.find("of item Banner (STRING).\n"), std::string::npos) << asNumber.err;
}

TEST_F(CliStoreTest, SectionsAndItemsAreAddedAndRemoved) {
  EXPECT_EQ(Output({"add-section", "--store", "Orders", "REPORTS"}), "");
  EXPECT_EQ(Output({"add-item", "--store", "Orders", "REPORTS", "Colour", "blue"}), "");
  EXPECT_EQ(Output({"add-item", "--store", "Orders", "REPORTS", "Pages", "20", "--int"}), "");
  EXPECT_EQ(Output({"items", "--store", "Orders", "REPORTS"}), "Colour\nPages\n");
  EXPECT_NE(StoreText("OrdersConfiguration.xml").find("<Section id=\"REPORTS\">"),
            std::string::npos);

  EXPECT_EQ(Output({"remove-item", "--store", "Orders", "REPORTS", "Colour"}), "");
  EXPECT_EQ(Output({"items", "--store", "Orders", "REPORTS"}), "Pages\n");
  EXPECT_EQ(Output({"remove-section", "--store", "Orders", "REPORTS"}), "");
  EXPECT_EQ(StoreText("OrdersConfiguration.xml").find("REPORTS"), std::string::npos);
  EXPECT_EQ(Output({"validate", "--store", "Orders"}), "valid\n");
}

TEST_F(CliStoreTest, EveryExampleStoreIsValid) {
  for (const std::vector<std::string>& args : {
           std::vector<std::string>{"validate"},
           {"validate", "--site"},
           {"validate", "--store", "Orders"},
           {"validate", "--store", "CVServer"},
           {"validate", "--file", StorePath("SiteConfiguration.xml")},
           {"validate", "--file", StorePath("OrdersConfiguration.xml")},
           {"--install-dir", Site(), "validate", "--store", "Orders"},
       }) {
    SCOPED_TRACE(Joined(args));
    EXPECT_EQ(Output(args), "valid\n");
  }
  EXPECT_EQ(Output({"--json", "validate"}), "{\"value\": \"valid\"}\n");
}

TEST_F(CliStoreTest, ValidateRefusesAStoreThatBreaksTheSuitesRules) {
  WriteStore("OrdersConfiguration.xml",
             Replaced(StoreText("OrdersConfiguration.xml"), "Approvals_URL", "ApprovalsPage"));
  const CliRun orders = Run({"validate", "--store", "Orders"});
  EXPECT_EQ(orders.status, 1);
  EXPECT_EQ(orders.out, "");
  EXPECT_EQ(orders.err, "corvane: error 0x80040012 " + std::string(kSiteSource) +
                            "\n\nERROR 0x80040012\n"
                            " METHOD: Corvane.Configuration::Load(Orders)\n"
                            " DESC: \nERROR 0x80040012\n"
                            " METHOD: Corvane.Configuration::p_ValidateApplConfigurationStore()\n"
                            " DESC: Invalid item ApprovalsPage in section MANAGERPAGES.\n.\n");
  // A store file is held to the schema only.
  EXPECT_EQ(Output({"validate", "--file", StorePath("OrdersConfiguration.xml")}), "valid\n");

  WriteStore("SiteConfiguration.xml",
             Replaced(StoreText("SiteConfiguration.xml"), "www.example.test",
                      "[Enter your computer name here]"));
  const CliRun site = Run({"validate"});
  EXPECT_EQ(site.status, 1);
  EXPECT_EQ(site.err, "corvane: error 0x8004000F " + std::string(kSiteSource) +
                          "\n\nERROR 0x8004000F\n"
                          " METHOD: Corvane.Configuration::LoadSiteConfig()\n"
                          " DESC: NONSECUREHOSTNAME unknown.\n");
}

TEST_F(CliStoreTest, ValidateOfAFileRefusesWhatBreaksTheSchema) {
  const std::string file = root_.Write(
      "Broken.xml", test::StoreXml({{"GLOBAL", test::ItemXml("Enabled", "BOOL", "yes")}}));
  const CliRun run = Run({"validate", "--file", file});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  const std::string start = "corvane: error 0xC00CE72F " + std::string(kSiteSource) +
                            "\n\nERROR 0xC00CE72F\n"
                            " METHOD: Corvane.Configuration::LoadConfigFile(" +
                            file +
                            ")\n"
                            " DESC: \nERROR 0xC00CE72F\n"
                            " METHOD: Corvane.Configuration::p_LoadConfigStore(" +
                            file +
                            ")\n"
                            " DESC: Error in loading: " +
                            file + "\n reason:";
  EXPECT_EQ(run.err.substr(0, start.size()), start) << run.err;
}

TEST_F(CliStoreTest, MissingArgumentsAreUsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"get", "GLOBAL"},
      {"set", "GLOBAL", "Logging"},
      {"set", "GLOBAL", "Logging", "1", "2"},
      {"items"},
      {"add-section"},
      {"remove-section"},
      {"add-item", "GLOBAL", "X"},
      {"remove-item", "GLOBAL"},
      {"validate", "--store"},
      {"validate", "--store", "Orders", "--file", "x.xml"},
      {"stores", "--store", "Orders"},
      {"install-dir", "extra"},
  };
  const std::string siteText = StoreText("SiteConfiguration.xml");
  for (const auto& args : cases) {
    SCOPED_TRACE(Joined(args));
    const CliRun run = Run(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("corvane: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("Run 'corvane " + args.front() + " --help'"), std::string::npos)
        << run.err;
  }
  EXPECT_EQ(StoreText("SiteConfiguration.xml"), siteText);
}

}  // namespace
}  // namespace corvane
