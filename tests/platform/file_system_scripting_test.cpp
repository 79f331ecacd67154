#include <sys/stat.h>

#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/RaisesError.h"
#include "platform/filesystem/PosixFileSystem.h"
#include "platform/filesystem/ScriptingFileSystemObject.h"
#include "support/FaultyFileSystem.h"
#include "support/TestEnvironment.h"

namespace corvane::platform {
namespace {

class ScriptingFileSystem : public ::testing::Test {
 protected:
  void SetUp() override {
    FileSystem::SetDefault(nullptr);
    dir_.Write("Site/global.asa", "");
    dir_.Write("Site/Config/SiteConfiguration.xml", "<Config/>");
    dir_.Write("Site/Config/OrdersConfiguration.xml", "<Config/>");
    dir_.Write("Site/Config/ModuleConfigurationSchema.xml", "<schema/>");
    ::mkdir(dir_.PathOf("Site/Shop_local").c_str(), 0755);
    ::mkdir(dir_.PathOf("Site/web").c_str(), 0755);
    object_ =
        std::dynamic_pointer_cast<ScriptingFileSystemObject>(CreateScriptingFileSystemObject());
    ASSERT_TRUE(object_);
  }
  void TearDown() override { FileSystem::SetDefault(nullptr); }

  test::TempDir dir_;
  std::shared_ptr<ScriptingFileSystemObject> object_;
};

TEST_F(ScriptingFileSystem, GetFolderListsFilesAndSubfoldersInEnumerationOrder) {
  const auto folder = object_->GetFolder(dir_.PathOf("site/config/"));
  EXPECT_EQ(folder->Name(), "Config");
  EXPECT_EQ(folder->Path(), dir_.PathOf("Site/Config"));
  EXPECT_EQ(folder->Files(),
            (std::vector<std::string>{"ModuleConfigurationSchema.xml", "OrdersConfiguration.xml",
                                      "SiteConfiguration.xml"}));
  EXPECT_TRUE(folder->SubFolders().empty());

  const auto site = object_->GetFolder(dir_.PathOf("Site/Config/.."));
  EXPECT_EQ(site->Path(), dir_.PathOf("Site"));
  EXPECT_EQ(site->Files(), std::vector<std::string>{"global.asa"});
  const std::vector<FolderEntry> subfolders = site->SubFolders();
  ASSERT_EQ(subfolders.size(), 3u);
  const std::string_view names[] = {"Config", "Shop_local", "web"};
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(subfolders[i].name, names[i]);
    EXPECT_EQ(subfolders[i].path, dir_.PathOf("Site/" + std::string(names[i])));
  }
}

TEST_F(ScriptingFileSystem, GetFolderOfAMissingFolderIsPathNotFound) {
  for (const std::string& path :
       {dir_.PathOf("Missing"), dir_.PathOf("Site/global.asa"), std::string()}) {
    SCOPED_TRACE(path);
    try {
      object_->GetFolder(path);
      ADD_FAILURE() << "no error raised";
    } catch (const Error& error) {
      EXPECT_EQ(error.Number(), rtPathNotFound);
      EXPECT_EQ(error.Description(), "Path not found");
      EXPECT_EQ(error.Source(), "Scripting.FileSystemObject");
    }
  }
}

TEST_F(ScriptingFileSystem, FileExistsMatchesNamesWithoutRegardToCase) {
  struct Case {
    std::string_view path;
    bool exists;
  };
  const Case cases[] = {
      {"Site/global.asa", true},
      {"SITE/Global.ASA", true},
      {"Site/web/global.asa", false},
      {"Site/Config", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.path));
    EXPECT_EQ(object_->FileExists(dir_.PathOf(c.path)), c.exists);
  }
}

TEST_F(ScriptingFileSystem, GoesThroughTheDefaultFileSystem) {
  auto faulty = std::make_shared<test::FaultyFileSystem>(std::make_shared<PosixFileSystem>());
  faulty->FailOn(test::FaultyFileSystem::Operation::Files,
                 Error(rtPermissionDenied, "test", "listing refused"));
  FileSystem::SetDefault(faulty);
  const auto folder = object_->GetFolder(dir_.PathOf("Site"));
  EXPECT_TRUE(object_->FileExists(dir_.PathOf("Site/global.asa")));
  EXPECT_TRUE(
      testing::RaisesError([&] { folder->Files(); }, rtPermissionDenied, "listing refused"));
  EXPECT_EQ(faulty->Calls(test::FaultyFileSystem::Operation::FileExists), 1);
}

}  // namespace
}  // namespace corvane::platform
