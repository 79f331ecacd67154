#include <sys/stat.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/filesystem/PosixFileSystem.h"
#include "support/TestEnvironment.h"

namespace corvane::platform {
namespace {

class FileSystemResolve : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("Site/Config/SiteConfiguration.XML", "<Config/>");
    dir_.Write("Site/References/Orders_RIC.xml", "<References/>");
    dir_.Write("Site/Twins/Readme", "1");
    dir_.Write("Site/Twins/README", "2");
    ::mkdir(dir_.PathOf("Site/web").c_str(), 0755);
  }

  test::TempDir dir_;
  PosixFileSystem fs_;
};

TEST_F(FileSystemResolve, TakesTheExactSpellingFirstElseTheOneEntryMatchingWithoutCase) {
  struct Case {
    std::string_view asked;
    std::optional<std::string_view> found;
  };
  const Case cases[] = {
      {"Site/Config/SiteConfiguration.XML", "Site/Config/SiteConfiguration.XML"},
      {"site/config/siteconfiguration.xml", "Site/Config/SiteConfiguration.XML"},
      {"SITE/CONFIG/SiteConfiguration.xml", "Site/Config/SiteConfiguration.XML"},
      {"Site/references/orders_ric.XML", "Site/References/Orders_RIC.xml"},
      {"site/config/", "Site/Config/"},
      {"site//config", "Site/Config"},
      {"Site/Twins/Readme", "Site/Twins/Readme"},
      {"Site/Twins/README", "Site/Twins/README"},
      {"Site/Twins/readme", std::nullopt},  // two entries match: neither is taken
      {"Site/Config/Missing.xml", std::nullopt},
      {"Nowhere/Config", std::nullopt},
      {"site/WEB", "Site/web"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.asked));
    const std::optional<std::string> found = fs_.Resolve(dir_.PathOf(c.asked));
    if (c.found) {
      ASSERT_TRUE(found);
      EXPECT_EQ(*found, dir_.PathOf(*c.found));
    } else {
      EXPECT_FALSE(found) << *found;
    }
  }
  EXPECT_FALSE(fs_.Resolve(""));
}

TEST_F(FileSystemResolve, ExistenceChecksResolveAndTellFilesFromFolders) {
  struct Case {
    std::string_view path;
    bool file;
    bool folder;
  };
  const Case cases[] = {
      {"Site/Config/SiteConfiguration.XML", true, false},
      {"site/CONFIG/siteconfiguration.xml", true, false},
      {"site/config", false, true},
      {"Site/Twins/readme", false, false},
      {"Site/Missing", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.path));
    EXPECT_EQ(fs_.FileExists(dir_.PathOf(c.path)), c.file);
    EXPECT_EQ(fs_.FolderExists(dir_.PathOf(c.path)), c.folder);
  }
}

}  // namespace
}  // namespace corvane::platform
