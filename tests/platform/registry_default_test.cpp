#include <sys/stat.h>

#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/RaisesError.h"
#include "platform/file_system_unprivileged.h"
#include "platform/registry/Registry.h"
#include "support/TestEnvironment.h"

namespace corvane::platform {
namespace {

std::string Export(std::string_view installDir) {
  return "Windows Registry Editor Version 5.00\r\n\r\n"
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor]\r\n"
         "\"InstallDir\"=\"" +
         std::string(installDir) + "\"\r\n";
}

// The InstallDir value of the default registry, or the status as text.
std::string InstallDir() {
  auto registry = Registry::Default();
  std::unique_ptr<RegistryKey> key;
  if (const long status = registry->OpenKey("SOFTWARE\\Vendor", key); status != regSuccess) {
    return "status " + std::to_string(status);
  }
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  if (const long status = registry->QueryValue(*key, "InstallDir", 2048, type, data);
      status != regSuccess) {
    return "status " + std::to_string(status);
  }
  return std::string(data.begin(), data.end() - 1);
}

class RegistryDefault : public ::testing::Test {
 protected:
  void SetUp() override {
    Registry::SetDefault(nullptr);
    ::setenv("CORVANE_REGISTRY", path_.c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("CORVANE_REGISTRY");
    Registry::SetDefault(nullptr);
  }

  test::TempDir dir_;
  std::string path_ = dir_.PathOf("registry.reg");
};

TEST_F(RegistryDefault, AMissingFileIsAnEmptyRegistry) {
  EXPECT_EQ(InstallDir(), "status 2");
  std::unique_ptr<RegistryKey> root;
  ASSERT_EQ(Registry::Default()->OpenKey("", root), regSuccess);
  std::string name;
  EXPECT_EQ(Registry::Default()->EnumKey(*root, 0, 2048, name), regNoMoreItems);
}

TEST_F(RegistryDefault, ReadsTheFileAgainOnlyWhenItChanges) {
  dir_.Write("registry.reg", Export("/srv/first"));
  EXPECT_EQ(InstallDir(), "/srv/first");
  EXPECT_EQ(Registry::Default(), Registry::Default());

  dir_.Write("registry.reg", Export("/srv/second/site"));
  EXPECT_EQ(InstallDir(), "/srv/second/site");

  ::setenv("CORVANE_REGISTRY", dir_.PathOf("elsewhere.reg").c_str(), 1);
  EXPECT_EQ(InstallDir(), "status 2");
}

TEST_F(RegistryDefault, AFileWithASyntaxErrorFailsEveryOpenNamingFileAndLine) {
  dir_.Write("registry.reg", Export("/srv/site") + "\"Broken\"\r\n");
  for (int attempt = 0; attempt < 2; ++attempt) {
    SCOPED_TRACE(attempt);
    std::unique_ptr<RegistryKey> key;
    EXPECT_TRUE(testing::RaisesError([&] { Registry::Default()->OpenKey("SOFTWARE", key); },
                                     rtPathFileAccessError,
                                     path_ + "(5): expected '=' after value name"));
  }
  dir_.Write("registry.reg", Export("/srv/mended"));
  EXPECT_EQ(InstallDir(), "/srv/mended");
}

TEST_F(RegistryDefault, AFileThatCannotBeReadFailsWithTheSystemReason) {
  dir_.Write("registry.reg", Export("/srv/site"));
  ::chmod(dir_.Path().c_str(), 0755);
  ::chmod(path_.c_str(), 0);
  const std::string result = test::RunUnprivileged([] {
    return test::ErrorOf([] {
      std::unique_ptr<RegistryKey> key;
      Registry::Default()->OpenKey("SOFTWARE", key);
    });
  });
  EXPECT_EQ(result, "70: Permission denied: '" + path_ + "' (Permission denied)");

  ::mkdir(dir_.PathOf("folder.reg").c_str(), 0755);
  EXPECT_TRUE(testing::RaisesError(
      [&] { LoadRegistryExport(dir_.PathOf("folder.reg")); }, rtPathFileAccessError,
      "Path/File access error: '" + dir_.PathOf("folder.reg") + "' (Is a directory)"));
}

TEST_F(RegistryDefault, SetDefaultOverridesTheFileUntilReset) {
  dir_.Write("registry.reg", Export("/from/file"));
  Registry::SetDefault(ParseRegistryExport(Export("/from/test"), "test.reg"));
  EXPECT_EQ(InstallDir(), "/from/test");
  Registry::SetDefault(nullptr);
  EXPECT_EQ(InstallDir(), "/from/file");
}

TEST_F(RegistryDefault, ConcurrencyReadersSeeOneWholeVersionWhileTheFileChanges) {
  dir_.Write("registry.reg", Export("/srv/a"));
  std::atomic<bool> done{false};
  std::atomic<int> bad{0};
  std::vector<std::thread> readers;
  for (int i = 0; i < 4; ++i) {
    readers.emplace_back([&] {
      while (!done) {
        const std::string dir = InstallDir();
        if (dir != "/srv/a" && dir != "/srv/bb") ++bad;
      }
    });
  }
  for (int round = 0; round < 50; ++round) {
    const std::string next = dir_.PathOf("next.reg");
    std::FILE* file = std::fopen(next.c_str(), "wb");
    const std::string text = Export(round % 2 ? "/srv/a" : "/srv/bb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    std::rename(next.c_str(), path_.c_str());
  }
  done = true;
  for (std::thread& reader : readers) reader.join();
  EXPECT_EQ(bad, 0);
}

}  // namespace
}  // namespace corvane::platform
