#include <sys/stat.h>
#include <unistd.h>

#include <corvane/RuntimeErrors.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/RaisesError.h"
#include "platform/filesystem/PosixFileSystem.h"
#include "support/TestEnvironment.h"

namespace corvane::platform {
namespace {

std::vector<std::string> Names(const std::vector<FolderEntry>& entries) {
  std::vector<std::string> names;
  for (const FolderEntry& entry : entries) names.push_back(entry.name);
  return names;
}

class FileSystemListing : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"b.xml", "a.xml", "A.xml", "_first.txt", "Zeta", "beta.XML"}) {
      dir_.Write(std::string("Config/") + name, name);
    }
    for (const char* name : {"web", "Alpha_local", "alpha", "Beta"}) {
      ::mkdir(dir_.PathOf(std::string("Config/") + name).c_str(), 0755);
    }
    ::symlink("a.xml", dir_.PathOf("Config/link.xml").c_str());
    ::symlink("web", dir_.PathOf("Config/LinkedFolder").c_str());
    ::symlink("nowhere", dir_.PathOf("Config/dangling").c_str());
  }

  test::TempDir dir_;
  PosixFileSystem fs_;
};

TEST_F(FileSystemListing, ListsFilesInNameOrderWithoutRegardToCase) {
  const std::vector<FolderEntry> files = fs_.Files(dir_.PathOf("Config"));
  // Letters fold to upper case, so '_' sorts after them.
  EXPECT_EQ(Names(files), (std::vector<std::string>{"A.xml", "a.xml", "b.xml", "beta.XML",
                                                    "link.xml", "Zeta", "_first.txt"}));
  ASSERT_FALSE(files.empty());
  EXPECT_EQ(files[0].path, dir_.PathOf("Config/A.xml"));
}

TEST_F(FileSystemListing, ListsSubfoldersWithTheirFullPaths) {
  const std::vector<FolderEntry> folders = fs_.SubFolders(dir_.PathOf("config/"));
  EXPECT_EQ(Names(folders),
            (std::vector<std::string>{"alpha", "Alpha_local", "Beta", "LinkedFolder", "web"}));
  ASSERT_EQ(folders.size(), 5u);
  EXPECT_EQ(folders[1].path, dir_.PathOf("Config/Alpha_local"));
  EXPECT_EQ(folders[4].path, dir_.PathOf("Config/web"));
}

TEST_F(FileSystemListing, AMissingFolderIsPathNotFound) {
  struct Case {
    std::string path;
    std::string reason;
  };
  const Case cases[] = {
      {dir_.PathOf("Missing"), "No such file or directory"},
      {dir_.PathOf("Config/a.xml"), "Not a directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const std::string description = "Path not found: '" + c.path + "' (" + c.reason + ")";
    EXPECT_TRUE(testing::RaisesError([&] { fs_.Files(c.path); }, rtPathNotFound, description));
    EXPECT_TRUE(testing::RaisesError([&] { fs_.SubFolders(c.path); }, rtPathNotFound, description));
  }
}

}  // namespace
}  // namespace corvane::platform
