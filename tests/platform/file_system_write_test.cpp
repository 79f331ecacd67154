#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/RaisesError.h"
#include "platform/file_system_unprivileged.h"
#include "platform/filesystem/PosixFileSystem.h"
#include "support/FaultyFileSystem.h"
#include "support/TestEnvironment.h"

namespace corvane::platform {
namespace {

unsigned ModeOf(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0xFFFF;
}

std::vector<std::string> EntriesOf(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class ScopedUmask {
 public:
  explicit ScopedUmask(mode_t mask) : old_(::umask(mask)) {}
  ~ScopedUmask() { ::umask(old_); }

 private:
  mode_t old_;
};

class FileSystemWrite : public ::testing::Test {
 protected:
  test::TempDir dir_;
  PosixFileSystem fs_;
};

TEST_F(FileSystemWrite, CreatesANewFileWithTheDefaultPermissions) {
  ScopedUmask mask(027);
  const std::string path = dir_.PathOf("Store.xml");
  fs_.WriteFileAtomic(path, "<Config/>");
  EXPECT_EQ(dir_.Read("Store.xml"), "<Config/>");
  EXPECT_EQ(ModeOf(path), 0640u);
  EXPECT_EQ(EntriesOf(dir_.Path()), std::vector<std::string>{"Store.xml"});
}

TEST_F(FileSystemWrite, ReplacesAnExistingFileKeepingItsPermissions) {
  const std::string path = dir_.Write("Store.xml", "<old/>");
  ::chmod(path.c_str(), 0604);
  fs_.WriteFileAtomic(path, "<new/>");
  EXPECT_EQ(dir_.Read("Store.xml"), "<new/>");
  EXPECT_EQ(ModeOf(path), 0604u);
  EXPECT_EQ(EntriesOf(dir_.Path()), std::vector<std::string>{"Store.xml"});
}

TEST_F(FileSystemWrite, ReplacesTheFileAsSpelledOnDisk) {
  dir_.Write("Config/SiteConfiguration.XML", "<old/>");
  fs_.WriteFileAtomic(dir_.PathOf("config/siteconfiguration.xml"), "<new/>");
  EXPECT_EQ(dir_.Read("Config/SiteConfiguration.XML"), "<new/>");
  EXPECT_EQ(EntriesOf(dir_.PathOf("Config")), std::vector<std::string>{"SiteConfiguration.XML"});
}

TEST_F(FileSystemWrite, WritesThroughALinkAndKeepsTheLink) {
  dir_.Write("real/Store.xml", "<old/>");
  ::symlink("real/Store.xml", dir_.PathOf("Store.xml").c_str());
  fs_.WriteFileAtomic(dir_.PathOf("Store.xml"), "<new/>");
  EXPECT_TRUE(std::filesystem::is_symlink(dir_.PathOf("Store.xml")));
  EXPECT_EQ(dir_.Read("real/Store.xml"), "<new/>");
}

TEST_F(FileSystemWrite, FailuresRaiseAndLeaveTheOldFileAlone) {
  const std::string folder = dir_.Write("Folder/inside", "x");
  struct Case {
    std::string path;
    std::int32_t number;
    std::string description;
  };
  const Case cases[] = {
      {dir_.PathOf("Missing/Store.xml"), rtPathNotFound,
       "Path not found: '" + dir_.PathOf("Missing/Store.xml") + "' (No such file or directory)"},
      {dir_.PathOf("Folder"), rtPathFileAccessError,
       "Path/File access error: '" + dir_.PathOf("Folder") + "' (Is a directory)"},
      {dir_.PathOf("Folder/inside/Store.xml"), rtPathNotFound,
       "Path not found: '" + dir_.PathOf("Folder/inside/Store.xml") +
           "' (No such file or directory)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_TRUE(
        testing::RaisesError([&] { fs_.WriteFileAtomic(c.path, "new"); }, c.number, c.description));
  }
  EXPECT_EQ(EntriesOf(dir_.PathOf("Folder")), std::vector<std::string>{"inside"});
}

TEST_F(FileSystemWrite, AFolderThatCannotBeWrittenKeepsTheFileByteForByte) {
  const std::string original("<Config>\r\n  <old value=\"\xC3\xA9\"/>\r\n</Config>\r\n");
  const std::string path = dir_.Write("site/Store.xml", original);
  ::chmod(dir_.Path().c_str(), 0755);
  ::chmod(dir_.PathOf("site").c_str(), 0555);
  const std::string result = test::RunUnprivileged(
      [&] { return test::ErrorOf([&] { fs_.WriteFileAtomic(path, "<new/>"); }); });
  ::chmod(dir_.PathOf("site").c_str(), 0755);
  EXPECT_EQ(result, "70: Permission denied: '" + path + "' (Permission denied)");
  EXPECT_EQ(dir_.Read("site/Store.xml"), original);
  EXPECT_EQ(EntriesOf(dir_.PathOf("site")), std::vector<std::string>{"Store.xml"});
}

TEST_F(FileSystemWrite, AFailureBetweenWriteAndRenameKeepsTheOldFile) {
  const std::string path = dir_.Write("Store.xml", "<old/>");
  auto faulty = std::make_shared<test::FaultyFileSystem>(std::make_shared<PosixFileSystem>());
  faulty->FailWriteBeforeRename(Error(rtPathFileAccessError, "test", "power lost"));
  EXPECT_TRUE(testing::RaisesError([&] { faulty->WriteFileAtomic(path, "<new/>"); },
                                   rtPathFileAccessError, "power lost"));
  EXPECT_EQ(dir_.Read("Store.xml"), "<old/>");
  EXPECT_EQ(EntriesOf(dir_.Path()), std::vector<std::string>{"Store.xml"});

  faulty->ClearFaults();
  faulty->WriteFileAtomic(path, "<new/>");
  EXPECT_EQ(dir_.Read("Store.xml"), "<new/>");
}

TEST_F(FileSystemWrite, AKilledSaveLeavesTheOldOrTheNewFileNeverATornOne) {
  // Large enough that a kill often lands inside a write.
  const std::string oldContents(256 * 1024, 'o');
  const std::string newContents(192 * 1024, 'n');
  const std::string path = dir_.Write("Store.xml", oldContents);
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> delayUs(0, 3000);

  for (int round = 0; round < 50; ++round) {
    SCOPED_TRACE(round);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      PosixFileSystem fs;
      try {
        for (int i = 0;; ++i) fs.WriteFileAtomic(path, i % 2 ? oldContents : newContents);
      } catch (...) {
        ::_exit(1);
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    const std::string contents = dir_.Read("Store.xml");
    ASSERT_TRUE(contents == oldContents || contents == newContents)
        << "torn file of " << contents.size() << " bytes";
  }
}

TEST(FaultyFileSystem, FailsTheChosenCallsOnly) {
  test::TempDir dir;
  dir.Write("a.txt", "a");
  test::FaultyFileSystem faulty(std::make_shared<PosixFileSystem>());
  using Operation = test::FaultyFileSystem::Operation;
  faulty.FailOn(Operation::ReadFile, Error(rtPermissionDenied, "test", "denied"), 1, 2);
  std::vector<std::string> outcomes;
  for (int i = 0; i < 4; ++i) {
    outcomes.push_back(test::ErrorOf([&] { faulty.ReadFile(dir.PathOf("a.txt")); }));
  }
  EXPECT_EQ(outcomes,
            (std::vector<std::string>{"no error", "70: denied", "70: denied", "no error"}));
  EXPECT_EQ(faulty.Calls(Operation::ReadFile), 4);
  EXPECT_TRUE(faulty.FileExists(dir.PathOf("A.TXT")));
}

}  // namespace
}  // namespace corvane::platform
