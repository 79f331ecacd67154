#include <corvane/FileSystemObject.h>

#include "platform/RaisesError.h"
#include "platform/filesystem/FileSystem.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace corvane {
namespace {

using corvane::testing::RaisesError;
using corvane::testing::TextMatch;
namespace fs = std::filesystem;

// A file system that records what it is asked and can be told to fail.
class RecordingFileSystem : public platform::FileSystem {
 public:
  std::optional<std::string> Resolve(std::string_view path) const override {
    return std::string(path);
  }
  bool FileExists(std::string_view) const override { return Touch(); }
  bool FolderExists(std::string_view) const override { return Touch(); }
  std::vector<platform::FolderEntry> Files(std::string_view) const override {
    Touch();
    return {};
  }
  std::vector<platform::FolderEntry> SubFolders(std::string_view) const override {
    Touch();
    return {};
  }
  std::vector<std::uint8_t> ReadFile(std::string_view) const override {
    Touch();
    return {};
  }
  void WriteFileAtomic(std::string_view, std::string_view) const override { Touch(); }
  std::vector<std::uint8_t> ReadOrCreateFile(std::string_view path) const override {
    Touch();
    requested.push_back(std::string(path));
    if (failWith) throw *failWith;
    return contents;
  }

  bool Touch() const {
    ++calls;
    return false;
  }

  std::vector<std::uint8_t> contents;
  std::optional<Error> failWith;
  mutable std::vector<std::string> requested;
  mutable int calls = 0;
};

class FileSystemObjectTest : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = platform::FileSystem::Default(); }
  void TearDown() override { platform::FileSystem::SetDefault(previous_); }

  std::shared_ptr<RecordingFileSystem> InstallRecording() {
    auto recording = std::make_shared<RecordingFileSystem>();
    platform::FileSystem::SetDefault(recording);
    return recording;
  }

 private:
  std::shared_ptr<platform::FileSystem> previous_;
};

TEST_F(FileSystemObjectTest, EmptyNameGivesNothingAndTouchesNoFile) {
  auto recording = InstallRecording();
  const Variant result = FileSystemObject::Create()->ReadFromBinaryFile(Variant());
  ASSERT_TRUE(result.IsObject());
  EXPECT_EQ(result.AsObject(), nullptr);
  EXPECT_EQ(recording->calls, 0);
}

TEST_F(FileSystemObjectTest, NameIsConvertedToTextAndReadThroughTheFileSystem) {
  auto recording = InstallRecording();
  recording->contents = {0x00, 0xFF, 0x41};
  const auto reader = FileSystemObject::Create();
  const Variant bytes = reader->ReadFromBinaryFile("/data/a.bin");
  ASSERT_TRUE(bytes.IsByteArray());
  EXPECT_EQ(bytes.AsBytes(), (std::vector<std::uint8_t>{0x00, 0xFF, 0x41}));
  (void)reader->ReadFromBinaryFile(std::int16_t{42});
  EXPECT_EQ(recording->requested, (std::vector<std::string>{"/data/a.bin", "42"}));
}

TEST_F(FileSystemObjectTest, FailuresReachTheCallerUnchanged) {
  auto recording = InstallRecording();
  recording->failWith = Error(75, "Scripting.FileSystemObject", "Path/File access error");
  const auto reader = FileSystemObject::Create();
  try {
    (void)reader->ReadFromBinaryFile("/locked");
    ADD_FAILURE() << "raised nothing";
  } catch (const Error& error) {
    EXPECT_EQ(error.Info(), recording->failWith->Info());
  }
  EXPECT_TRUE(RaisesError([&] { (void)reader->ReadFromBinaryFile(Variant::Null()); }, 94,
                          "Invalid use of Null"));
  EXPECT_EQ(recording->requested, (std::vector<std::string>{"/locked"}));
}

// A fresh folder under the temporary directory, removed afterwards.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("corvane-fso-" + std::to_string(random()));
    fs::create_directories(path_);
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

std::size_t OpenDescriptorCount() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

TEST_F(FileSystemObjectTest, ReadsAWholeFileOnDisk) {
  TemporaryFolder folder;
  const fs::path file = folder.Path() / "three.bin";
  std::ofstream(file, std::ios::binary) << std::string("\x01\x00\xFE", 3);
  const std::size_t before = OpenDescriptorCount();
  const Variant bytes = FileSystemObject::Create()->ReadFromBinaryFile(file.string());
  EXPECT_EQ(bytes.AsBytes(), (std::vector<std::uint8_t>{0x01, 0x00, 0xFE}));
  EXPECT_EQ(OpenDescriptorCount(), before);
}

TEST_F(FileSystemObjectTest, MissingFileInAWritableFolderIsCreatedEmpty) {
  TemporaryFolder folder;
  const fs::path file = folder.Path() / "new.bin";
  const std::size_t before = OpenDescriptorCount();
  const Variant bytes = FileSystemObject::Create()->ReadFromBinaryFile(file.string());
  ASSERT_TRUE(bytes.IsByteArray());
  EXPECT_TRUE(bytes.AsBytes().empty());
  ASSERT_TRUE(fs::is_regular_file(file));
  EXPECT_EQ(fs::file_size(file), 0u);
  EXPECT_EQ(OpenDescriptorCount(), before);
}

TEST_F(FileSystemObjectTest, FileInAMissingFolderFailsAndLeavesNothingOpen) {
  TemporaryFolder folder;
  const fs::path file = folder.Path() / "absent" / "x.bin";
  const std::size_t before = OpenDescriptorCount();
  // The file system names the path after the standard text.
  EXPECT_TRUE(
      RaisesError([&] { (void)FileSystemObject::Create()->ReadFromBinaryFile(file.string()); }, 76,
                  "Path not found: '" + file.string() + "'", TextMatch::Prefix));
  EXPECT_FALSE(fs::exists(file.parent_path()));
  EXPECT_EQ(OpenDescriptorCount(), before);
}

}  // namespace
}  // namespace corvane
