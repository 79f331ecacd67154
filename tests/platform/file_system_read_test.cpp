#include <sys/stat.h>

#include <corvane/RuntimeErrors.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/RaisesError.h"
#include "platform/file_system_unprivileged.h"
#include "platform/filesystem/PosixFileSystem.h"
#include "support/TestEnvironment.h"

namespace corvane::platform {
namespace {

std::string Text(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

class FileSystemRead : public ::testing::Test {
 protected:
  test::TempDir dir_;
  PosixFileSystem fs_;
};

TEST_F(FileSystemRead, ReadsWholeFilesFoundWithoutRegardToCase) {
  const std::string binary("\0\x01\xFFxml\r\n", 7);
  dir_.Write("Data/Image.BIN", binary);
  EXPECT_EQ(Text(fs_.ReadFile(dir_.PathOf("Data/Image.BIN"))), binary);
  EXPECT_EQ(Text(fs_.ReadFile(dir_.PathOf("data/image.bin"))), binary);
  dir_.Write("Data/empty", "");
  EXPECT_TRUE(fs_.ReadFile(dir_.PathOf("Data/empty")).empty());
}

TEST_F(FileSystemRead, ReportsWhyAFileCannotBeRead) {
  dir_.Write("Data/present", "x");
  struct Case {
    std::string path;
    std::int32_t number;
    std::string description;
  };
  const Case cases[] = {
      {dir_.PathOf("Data/missing"), rtFileNotFound,
       "File not found: '" + dir_.PathOf("Data/missing") + "' (No such file or directory)"},
      {dir_.PathOf("Nowhere/missing"), rtPathNotFound,
       "Path not found: '" + dir_.PathOf("Nowhere/missing") + "' (No such file or directory)"},
      {dir_.PathOf("Data"), rtPathFileAccessError,
       "Path/File access error: '" + dir_.PathOf("Data") + "' (Is a directory)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_TRUE(testing::RaisesError([&] { fs_.ReadFile(c.path); }, c.number, c.description));
  }
}

TEST_F(FileSystemRead, AFileWithoutReadPermissionIsPermissionDenied) {
  const std::string path = dir_.Write("secret", "x");
  ::chmod(dir_.Path().c_str(), 0755);
  ::chmod(path.c_str(), 0200);
  const std::string result =
      test::RunUnprivileged([&] { return test::ErrorOf([&] { fs_.ReadFile(path); }); });
  EXPECT_EQ(result, "70: Permission denied: '" + path + "' (Permission denied)");
}

TEST_F(FileSystemRead, ReadOrCreateFileCreatesAMissingFileEmpty) {
  const std::string path = dir_.PathOf("Data/new.bin");
  ::mkdir(dir_.PathOf("Data").c_str(), 0755);
  EXPECT_TRUE(fs_.ReadOrCreateFile(path).empty());
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_size, 0);

  dir_.Write("Data/Existing.bin", "contents");
  EXPECT_EQ(Text(fs_.ReadOrCreateFile(dir_.PathOf("data/existing.BIN"))), "contents");
}

TEST_F(FileSystemRead, ReadOrCreateFileReadsAFileItMayNotWrite) {
  const std::string path = dir_.Write("readonly.bin", "kept");
  ::chmod(dir_.Path().c_str(), 0755);
  ::chmod(path.c_str(), 0444);
  const std::string result = test::RunUnprivileged([&] {
    try {
      return Text(fs_.ReadOrCreateFile(path));
    } catch (const Error& error) {
      return error.Description();
    }
  });
  EXPECT_EQ(result, "kept");

  const std::string created = dir_.PathOf("not-creatable.bin");
  EXPECT_EQ(
      test::RunUnprivileged([&] { return test::ErrorOf([&] { fs_.ReadOrCreateFile(created); }); }),
      "70: Permission denied: '" + created + "' (Permission denied)");
  EXPECT_TRUE(testing::RaisesError(
      [&] { fs_.ReadOrCreateFile(dir_.PathOf("Nowhere/x.bin")); }, rtPathNotFound,
      "Path not found: '" + dir_.PathOf("Nowhere/x.bin") + "' (No such file or directory)"));
}

}  // namespace
}  // namespace corvane::platform
