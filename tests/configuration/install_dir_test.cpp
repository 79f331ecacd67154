#include <corvane/CorvaneErrors.h>
#include <corvane/RuntimeErrors.h>

#include <gtest/gtest.h>

#include <thread>

#include "configuration/ConfigurationTesting.h"
#include "configuration/Lib_Registry.h"

namespace corvane {
namespace {

using test::Caught;
using test::Formatted;
using test::HostCall;
using test::ProductRegistry;
using test::ScopedEventLog;
using test::ScopedRegistry;
using test::TempDir;
using test::TestInstallation;
using test::WebRequest;

std::shared_ptr<Configuration> Activated(WebRequest& request) {
  return QueryInterface<Configuration>(request.Context()->CreateInstance("Corvane.Configuration"));
}

class InstallDirFromApplication : public ::testing::Test {
 protected:
  ScopedEventLog log_;
  ScopedRegistry registry_{ProductRegistry("", "0")};
  std::shared_ptr<Application> application_ = Application::Create();
};

TEST_F(InstallDirFromApplication, APresetEntryIsReturnedWithoutLookingAtTheDisk) {
  application_->SetValue("InstallDir", Variant("/nowhere/preset"));
  WebRequest request(application_, "/also/nowhere");
  EXPECT_EQ(Activated(request)->GetInstallDir(), "/nowhere/preset");
}

TEST_F(InstallDirFromApplication, WalksUpFromTheRequestDirectoryAndRemembersTheResult) {
  TestInstallation installation;
  installation.Files().Write("shop/pages/index.asp", "");
  WebRequest request(application_, installation.Dir() + "/shop/pages");
  EXPECT_EQ(Activated(request)->GetInstallDir(), installation.Dir());
  EXPECT_EQ(application_->Value("InstallDir").AsString(), installation.Dir());
}

TEST_F(InstallDirFromApplication, FindsTheSiteStoreWhateverTheCaseOfItsName) {
  TempDir dir;
  dir.Write("CONFIG/siteconfiguration.XML", "<Config/>");
  WebRequest request(application_, dir.Path() + "/pages");
  EXPECT_EQ(Activated(request)->GetInstallDir(), dir.Path());
}

TEST_F(InstallDirFromApplication, AWalkThatReachesTheRootFails) {
  TempDir dir;
  WebRequest request(application_, dir.Path() + "/pages");
  auto configuration = Activated(request);
  const Error error = Caught([&] { configuration->GetInstallDir(); });
  EXPECT_EQ(error.Number(), ConfigurationPathNotFound);
  EXPECT_EQ(error.Description(),
            Formatted("8004000C", "GetInstallDir()", "Path of Web Site could not be determined"));
  EXPECT_FALSE(application_->Contains("InstallDir"));
}

TEST(InstallDir, OutsideAnyContextFailsWithNoContext) {
  ScopedEventLog log;
  auto configuration = Configuration::Create();
  const Error error = Caught([&] { configuration->GetInstallDir(); });
  EXPECT_EQ(error.Number(), ConfigurationNoContext);
  EXPECT_EQ(error.Description(),
            Formatted("8004000A", "GetInstallDir()", "Object context could not be retrieved"));
}

class InstallDirFromRegistry : public ::testing::Test {
 protected:
  std::string InstallDirWith(const std::string& productDir) {
    ScopedRegistry registry(ProductRegistry(productDir, "0"));
    HostCall call;
    auto configuration =
        QueryInterface<Configuration>(call.Context()->CreateInstance("Corvane.Configuration"));
    return configuration->GetInstallDir();
  }
  ScopedEventLog log_;
  TempDir product_;
};

TEST_F(InstallDirFromRegistry, UsesAWebOrLocalDirectoryAsItIs) {
  for (const char* dir : {"/srv/Shop_LOCAL", "/srv/PurchasingWeb", "/srv/web"}) {
    SCOPED_TRACE(dir);
    EXPECT_EQ(InstallDirWith(dir), dir);
  }
}

TEST_F(InstallDirFromRegistry, SearchesSubfoldersPreferringWebAndLocalFolders) {
  product_.Write("alpha/global.asa", "");
  product_.Write("web/global.asa", "");
  product_.Write("Zeta_Local/global.asa", "");
  product_.Write("zz/global.asa", "");
  EXPECT_EQ(InstallDirWith(product_.Path()), product_.Path() + "/Zeta_Local");
}

TEST_F(InstallDirFromRegistry, TakesTheFirstOtherFolderWhenNoPreferredOneQualifies) {
  product_.Write("web/readme.txt", "");
  product_.Write("beta/global.asa", "");
  product_.Write("Alpha/GLOBAL.ASA", "");
  EXPECT_EQ(InstallDirWith(product_.Path()), product_.Path() + "/Alpha");
}

TEST_F(InstallDirFromRegistry, FailsWithNoContextWhenNoFolderHoldsGlobalAsa) {
  product_.Write("web/readme.txt", "");
  const Error error = Caught([&] { InstallDirWith(product_.Path()); });
  EXPECT_EQ(error.Number(), ConfigurationNoContext);
}

TEST_F(InstallDirFromRegistry, AMissingProductDirectoryFailsWithTheFolderError) {
  EXPECT_EQ(Caught([&] { InstallDirWith(product_.Path() + "/gone"); }).Number(), rtPathNotFound);
}

TEST_F(InstallDirFromRegistry, AMissingRegistryValueFailsWithRegKeyInstallDirNotFound) {
  const Error error = Caught([&] { InstallDirWith(""); });
  EXPECT_EQ(error.Number(), RegKeyInstallDirNotFound);
  EXPECT_NE(error.Description().find(" METHOD: Corvane.Configuration::GetInstallDir()"),
            std::string::npos);
}

TEST_F(InstallDirFromRegistry, ASecondCallOnTheThreadUsesTheCacheAndOtherThreadsDoNot) {
  ScopedRegistry first(ProductRegistry("/srv/first_local", "0"));
  HostCall call;
  const auto newConfiguration = [&] {
    return QueryInterface<Configuration>(call.Context()->CreateInstance("Corvane.Configuration"));
  };
  EXPECT_EQ(newConfiguration()->GetInstallDir(), "/srv/first_local");

  // Swapped without a scope, which would also clear this thread's cache.
  platform::Registry::SetDefault(
      platform::ParseRegistryExport(ProductRegistry("/srv/second_local", "0"), "second.reg"));
  EXPECT_EQ(newConfiguration()->GetInstallDir(), "/srv/first_local");

  std::string elsewhere;
  std::thread([&] {
    HostCall otherCall;
    auto other =
        QueryInterface<Configuration>(otherCall.Context()->CreateInstance("Corvane.Configuration"));
    elsewhere = other->GetInstallDir();
  }).join();
  EXPECT_EQ(elsewhere, "/srv/second_local");
}

struct RegistryValueCase {
  const char* name;
  const char* line;
  const char* expected;  // nullptr: RegKeyInstallDirNotFound
};

TEST(RegistryReader, ReadsValuesByTheirTypeBelowTheProductKey) {
  const std::string longText(2048, 'x');
  const std::vector<RegistryValueCase> cases = {
      {"string", "\"V\"=\"/srv/site\"", "/srv/site"},
      {"dword one", "\"V\"=dword:00000001", "1"},
      {"dword top bit", "\"V\"=dword:80000001", "2147483649"},
      {"expandable string", "\"V\"=hex(2):25,00,58,00,25,00,00,00", "%X%"},
      {"empty string", "\"V\"=\"\"", nullptr},
      {"missing", "\"Other\"=\"x\"", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedRegistry registry(std::string("Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Ostrelco\\Pandrel\\Velmoor\\Sub]\n") +
                            c.line + "\n");
    if (c.expected) {
      EXPECT_EQ(Reg_GetValue("Sub", "V"), c.expected);
    } else {
      EXPECT_EQ(Caught([] { Reg_GetValue("Sub", "V"); }).Number(), RegKeyInstallDirNotFound);
    }
  }
}

TEST(RegistryReader, AValueThatDoesNotFitTheBufferIsNotFound) {
  const std::string fits(2047, 'x');
  const std::string tooLong(2048, 'x');
  ScopedRegistry registry("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Ostrelco\\Pandrel\\Velmoor]\n\"Fits\"=\"" +
                          fits + "\"\n\"TooLong\"=\"" + tooLong + "\"\n");
  EXPECT_EQ(Reg_GetValue("", "Fits"), fits);
  EXPECT_EQ(Caught([] { Reg_GetValue("", "TooLong"); }).Number(), RegKeyInstallDirNotFound);
}

TEST(RegistryReader, ABrokenRegistryFileIsReportedWithItsName) {
  TempDir dir;
  const std::string path = dir.Write("broken.reg", "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\n\"A\"\n");
  ::setenv("CORVANE_REGISTRY", path.c_str(), 1);
  const Error error = Caught([] { Reg_GetValue("", "InstallDir"); });
  ::unsetenv("CORVANE_REGISTRY");
  EXPECT_EQ(error.Number(), RegKeyInstallDirNotFound);
  EXPECT_NE(error.Description().find(path), std::string::npos);
}

}  // namespace
}  // namespace corvane
