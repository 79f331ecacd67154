#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry/Registry.h"

namespace corvane::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::shared_ptr<Registry> Parse(const std::string& body) {
  return ParseRegistryExport("Windows Registry Editor Version 5.00\r\n\r\n" + body, "test.reg");
}

std::unique_ptr<RegistryKey> Open(const Registry& registry, std::string_view path) {
  std::unique_ptr<RegistryKey> key;
  EXPECT_EQ(registry.OpenKey(path, key), regSuccess) << path;
  return key;
}

// Every subkey name EnumKey yields, in order, with a buffer of bufferSize.
std::vector<std::string> SubKeys(const Registry& registry, const RegistryKey& key,
                                 std::size_t bufferSize = 2048) {
  std::vector<std::string> names;
  std::string name;
  for (std::uint32_t index = 0; registry.EnumKey(key, index, bufferSize, name) == regSuccess;
       ++index) {
    names.push_back(name);
  }
  return names;
}

TEST(RegistryQuery, EnumeratesSubkeysInTheOrderTheyFirstAppear) {
  auto registry = Parse(
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Shop\\Beta\\Deep]\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Shop\\alpha]\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Shop\\Gamma]\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Shop\\BETA]\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Shop\\Alpha\\Sub]\r\n");
  auto shop = Open(*registry, "SOFTWARE\\Shop");
  ASSERT_TRUE(shop);
  EXPECT_EQ(SubKeys(*registry, *shop), (std::vector<std::string>{"Beta", "alpha", "Gamma"}));

  std::string name = "unchanged";
  EXPECT_EQ(registry->EnumKey(*shop, 3, 2048, name), regNoMoreItems);
  EXPECT_EQ(name, "unchanged");
  auto deep = Open(*registry, "software\\shop\\beta\\DEEP");
  ASSERT_TRUE(deep);
  EXPECT_EQ(registry->EnumKey(*deep, 0, 2048, name), regNoMoreItems);
}

TEST(RegistryQuery, EnumKeyNeedsRoomForTheNameAndItsTerminator) {
  auto registry = Parse(
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Shop\\ABCD]\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Shop\\Caf\xC3\xA9]\r\n");
  auto shop = Open(*registry, "SOFTWARE\\Shop");
  ASSERT_TRUE(shop);
  struct Case {
    std::uint32_t index;
    std::size_t bufferSize;
    long status;
    std::string name;
  };
  const Case cases[] = {
      {0, 5, regSuccess, "ABCD"},
      {0, 4, regMoreData, ""},
      {1, 5, regSuccess, "Caf\xE9"},  // narrow: one byte for the accented letter
      {1, 4, regMoreData, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "index " << c.index << " buffer " << c.bufferSize);
    std::string name;
    EXPECT_EQ(registry->EnumKey(*shop, c.index, c.bufferSize, name), c.status);
    EXPECT_EQ(name, c.name);
  }
}

TEST(RegistryQuery, QueryValueNeedsRoomForAllTheNarrowData) {
  const std::string fits(2047, 'x');
  const std::string tooLong(2048, 'y');
  auto registry = Parse("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor]\r\n\"Fits\"=\"" + fits +
                        "\"\r\n\"TooLong\"=\"" + tooLong +
                        "\"\r\n\"Number\"=dword:00000010\r\n\"Euro\"=\"\xE2\x82\xAC\"\r\n");
  auto key = Open(*registry, "SOFTWARE\\Vendor");
  ASSERT_TRUE(key);
  struct Case {
    std::string_view name;
    std::size_t bufferSize;
    long status;
    std::uint32_t type;
    std::size_t size;
  };
  const Case cases[] = {
      {"Fits", 2048, regSuccess, regSz, 2048},    {"TooLong", 2048, regMoreData, regSz, 0},
      {"TooLong", 2049, regSuccess, regSz, 2049}, {"Number", 4, regSuccess, regDword, 4},
      {"Number", 3, regMoreData, regDword, 0},    {"Euro", 2, regSuccess, regSz, 2},
      {"Euro", 1, regMoreData, regSz, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << " buffer " << c.bufferSize);
    std::uint32_t type = 0xFFFF;
    Bytes data{9, 9};
    EXPECT_EQ(registry->QueryValue(*key, c.name, c.bufferSize, type, data), c.status);
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(data.size(), c.size);
  }
}

TEST(RegistryQuery, ComparesKeyAndValueNamesWithoutRegardToCase) {
  auto registry = Parse(
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Ostrelco\\Pandrel\\Velmoor]\r\n"
      "\"InstallDir\"=\"/srv/site\"\r\n");
  for (std::string_view path :
       {"SOFTWARE\\Ostrelco\\Pandrel\\Velmoor", "software\\ostrelco\\pandrel\\velmoor",
        "SOFTWARE\\OSTRELCO\\Pandrel\\VELMOOR\\"}) {
    SCOPED_TRACE(std::string(path));
    auto key = Open(*registry, path);
    ASSERT_TRUE(key);
    for (std::string_view value : {"InstallDir", "INSTALLDIR", "installdir"}) {
      std::uint32_t type = 0;
      Bytes data;
      EXPECT_EQ(registry->QueryValue(*key, value, 2048, type, data), regSuccess) << value;
      EXPECT_EQ(data, Bytes({'/', 's', 'r', 'v', '/', 's', 'i', 't', 'e', 0}));
    }
  }
}

TEST(RegistryQuery, ReportsMissingKeysAndValues) {
  auto registry = Parse(
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor]\r\n"
      "\"Value\"=\"v\"\r\n");
  struct Case {
    std::string_view path;
    long status;
  };
  const Case cases[] = {
      {"", regSuccess},
      {"SOFTWARE", regSuccess},
      {"SOFTWARE\\Missing", regFileNotFound},
      {"SOFTWARE\\\\Vendor", regFileNotFound},
      {"\\SOFTWARE", regFileNotFound},
      {"SOFTWARE\\Vendor\\Value", regFileNotFound},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.path));
    std::unique_ptr<RegistryKey> key = std::make_unique<RegistryKey>();
    EXPECT_EQ(registry->OpenKey(c.path, key), c.status);
    EXPECT_EQ(key != nullptr, c.status == regSuccess);
  }

  auto vendor = Open(*registry, "SOFTWARE\\Vendor");
  ASSERT_TRUE(vendor);
  std::uint32_t type = 0;
  Bytes data;
  EXPECT_EQ(registry->QueryValue(*vendor, "Other", 2048, type, data), regFileNotFound);
  EXPECT_EQ(registry->QueryValue(*vendor, "", 2048, type, data), regFileNotFound);
}

TEST(RegistryQuery, RefusesAKeyOpenedElsewhere) {
  auto registry = Parse("[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n");
  const RegistryKey foreign;
  std::string name;
  std::uint32_t type = 0;
  Bytes data;
  EXPECT_EQ(registry->EnumKey(foreign, 0, 2048, name), regInvalidHandle);
  EXPECT_EQ(registry->QueryValue(foreign, "x", 2048, type, data), regInvalidHandle);
}

}  // namespace
}  // namespace corvane::platform
