#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/RaisesError.h"
#include "platform/registry/Registry.h"

namespace corvane::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes B(std::string_view text) { return Bytes(text.begin(), text.end()); }

struct Queried {
  long status = -1;
  std::uint32_t type = 0xFFFF;
  Bytes data;
};

Queried Query(const Registry& registry, std::string_view key, std::string_view value,
              std::size_t bufferSize = 2048) {
  Queried result;
  std::unique_ptr<RegistryKey> open;
  result.status = registry.OpenKey(key, open);
  if (result.status != regSuccess) return result;
  result.status = registry.QueryValue(*open, value, bufferSize, result.type, result.data);
  return result;
}

// The text as UTF-16LE with a byte-order mark, as the registry editor saves it.
std::string Utf16File(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

constexpr std::string_view kValueTypes =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "; every kind of value the editor writes\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Product]\r\n"
    "@=\"the default\"\r\n"
    "\"Plain\"=\"Hello\"\r\n"
    "\"Empty\"=\"\"\r\n"
    "\"Escaped\"=\"C:\\\\Program Files\\\\\\\"Quoted\\\" ; not a comment\"\r\n"
    "\"Latin\"=\"caf\xC3\xA9 \xE2\x82\xAC \xE4\xB8\xAD\"\r\n"
    "\"With \\\"quotes\\\" = in name\"=\"q\"\r\n"
    "\"One\"=dword:00000001\r\n"
    "\"TopBit\"=dword:80000000\r\n"
    "\"AllBits\"=dword:FFFFFFFF\r\n"
    "\"ShortDword\"=dword:1f\r\n"
    "\"Binary\"=hex:de,ad,BE,ef\r\n"
    "\"NoBytes\"=hex:\r\n"
    "\"Expand\"=hex(2):25,00,50,00,41,00,54,00,48,00,25,00,5c,00,e9,00,ac,20,00,00\r\n"
    "\"Multi\"=hex(7):61,00,00,00,e9,00,62,00,00,00,00,00\r\n"
    "\"Qword\"=hex(b):01,02,03,04,05,06,07,08\r\n"
    "\"None\"=hex(0):\r\n"
    "\"Continued\"=hex(2):43,00,3a,00,5c,00,\\\r\n"
    "  57,00,69,00,6e,00,\\\r\n"
    "  00,00\r\n"
    "\"Spaced\" = \"around equals\" ; trailing comment\r\n";

TEST(RegistryExport, ReadsEveryValueTypeAsTheNarrowQueryReturnsIt) {
  auto registry = ParseRegistryExport(kValueTypes, "test.reg");
  struct Case {
    std::string_view name;
    std::uint32_t type;
    Bytes data;
  };
  const Case cases[] = {
      {"", regSz, B(std::string_view("the default\0", 12))},
      {"Plain", regSz, B(std::string_view("Hello\0", 6))},
      {"Empty", regSz, Bytes{0}},
      {"Escaped", regSz,
       B(std::string_view("C:\\Program Files\\\"Quoted\" ; not a comment\0", 42))},
      {"Latin", regSz, B(std::string_view("caf\xE9 \x80 ?\0", 9))},
      {"With \"quotes\" = in name", regSz, B(std::string_view("q\0", 2))},
      {"One", regDword, Bytes{1, 0, 0, 0}},
      {"TopBit", regDword, Bytes{0, 0, 0, 0x80}},
      {"AllBits", regDword, Bytes{0xFF, 0xFF, 0xFF, 0xFF}},
      {"ShortDword", regDword, Bytes{0x1F, 0, 0, 0}},
      {"Binary", regBinary, Bytes{0xDE, 0xAD, 0xBE, 0xEF}},
      {"NoBytes", regBinary, Bytes{}},
      {"Expand", regExpandSz, B(std::string_view("%PATH%\\\xE9\x80\0", 10))},
      {"Multi", regMultiSz,
       B(std::string_view("a\0\xE9"
                          "b\0\0",
                          6))},
      {"Qword", regQword, Bytes{1, 2, 3, 4, 5, 6, 7, 8}},
      {"None", regNone, Bytes{}},
      {"Continued", regExpandSz, B(std::string_view("C:\\Win\0", 7))},
      {"Spaced", regSz, B(std::string_view("around equals\0", 14))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name));
    const Queried got = Query(*registry, "SOFTWARE\\Vendor\\Product", c.name);
    ASSERT_EQ(got.status, regSuccess);
    EXPECT_EQ(got.type, c.type);
    EXPECT_EQ(got.data, c.data);
  }
}

TEST(RegistryExport, ReadsTheUtf16FileTheEditorSaves) {
  const std::string file = Utf16File(
      u"Windows Registry Editor Version 5.00\r\n\r\n"
      u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Caf\u00e9]\r\n"
      u"\"Name\"=\"\u00c5ngstr\u00f6m \u20ac\"\r\n"
      u"\"Count\"=dword:0000002a\r\n");
  auto registry = ParseRegistryExport(file, "test.reg");

  EXPECT_EQ(Query(*registry, "software\\CAF\xC3\xA9", "name").data,
            B(std::string_view("\xC5ngstr\xF6m \x80\0", 11)));
  EXPECT_EQ(Query(*registry, "SOFTWARE\\Caf\xC3\xA9", "Count").data, (Bytes{42, 0, 0, 0}));
  std::unique_ptr<RegistryKey> software;
  ASSERT_EQ(registry->OpenKey("SOFTWARE", software), regSuccess);
  std::string name;
  ASSERT_EQ(registry->EnumKey(*software, 0, 2048, name), regSuccess);
  EXPECT_EQ(name, "Caf\xE9");
}

TEST(RegistryExport, ReadsAnsiRegedit4WithNarrowStringData) {
  const std::string file =
      "REGEDIT4\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor]\r\n"
      "\"Ansi\"=\"caf\xE9\"\r\n"
      "\"Expand\"=hex(2):25,54,45,4d,50,25,e9,00\r\n"
      "\"Multi\"=hex(7):61,00,62,00,00\r\n";
  auto registry = ParseRegistryExport(file, "test.reg");
  EXPECT_EQ(Query(*registry, "SOFTWARE\\Vendor", "Ansi").data, B(std::string_view("caf\xE9\0", 5)));
  EXPECT_EQ(Query(*registry, "SOFTWARE\\Vendor", "Expand").data,
            B(std::string_view("%TEMP%\xE9\0", 8)));
  EXPECT_EQ(Query(*registry, "SOFTWARE\\Vendor", "Multi").data, B(std::string_view("a\0b\0\0", 5)));
}

TEST(RegistryExport, DropsAUtf8ByteOrderMarkAndLeadingBlankLines) {
  auto registry = ParseRegistryExport(
      "\xEF\xBB\xBF\n  \nWindows Registry Editor Version "
      "5.00\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=\"x\"\n",
      "test.reg");
  EXPECT_EQ(Query(*registry, "A", "v").data, B(std::string_view("x\0", 2)));
}

TEST(RegistryExport, MergesRepeatedKeysAndAppliesDeletionsInFileOrder) {
  auto registry = ParseRegistryExport(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\App]\n"
      "\"Kept\"=\"first\"\n"
      "\"Replaced\"=\"old\"\n"
      "\"Removed\"=\"gone soon\"\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\App\\Doomed]\n"
      "\"x\"=\"y\"\n"
      "[hkey_local_machine\\software\\APP]\n"
      "\"REPLACED\"=dword:00000007\n"
      "\"removed\"=-\n"
      "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\App\\Doomed]\n"
      "\"ignored after a deletion\"=\"z\"\n"
      "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Never\\There]\n",
      "test.reg");
  EXPECT_EQ(Query(*registry, "SOFTWARE\\App", "Kept").data, B(std::string_view("first\0", 6)));
  const Queried replaced = Query(*registry, "SOFTWARE\\App", "Replaced");
  EXPECT_EQ(replaced.type, regDword);
  EXPECT_EQ(replaced.data, (Bytes{7, 0, 0, 0}));
  EXPECT_EQ(Query(*registry, "SOFTWARE\\App", "Removed").status, regFileNotFound);
  EXPECT_EQ(Query(*registry, "SOFTWARE\\App\\Doomed", "x").status, regFileNotFound);
}

TEST(RegistryExport, IgnoresKeysOfOtherRoots) {
  auto registry = ParseRegistryExport(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_CURRENT_USER\\SOFTWARE\\Vendor]\n"
      "\"User\"=\"u\"\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor]\n"
      "\"Machine\"=\"m\"\n"
      "[HKEY_CLASSES_ROOT\\.reg]\n"
      "@=\"regfile\"\n",
      "test.reg");
  EXPECT_EQ(Query(*registry, "SOFTWARE\\Vendor", "Machine").status, regSuccess);
  EXPECT_EQ(Query(*registry, "SOFTWARE\\Vendor", "User").status, regFileNotFound);
  EXPECT_EQ(Query(*registry, ".reg", "").status, regFileNotFound);
}

TEST(RegistryExport, RefusesTheWholeFileAtTheFirstSyntaxError) {
  const std::string header = "Windows Registry Editor Version 5.00\n";
  const std::string key = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor]\n";
  struct Case {
    std::string text;
    std::string_view description;
  };
  const Case cases[] = {
      {"", "test.reg(1): expected the header 'Windows Registry Editor Version 5.00' or 'REGEDIT4'"},
      {"\n" + key,
       "test.reg(2): expected the header 'Windows Registry Editor Version 5.00' or 'REGEDIT4'"},
      {header + "\"v\"=\"x\"\n", "test.reg(2): value outside of a key"},
      {header + "[HKEY_LOCAL_MACHINE\\SOFTWARE\n",
       "test.reg(2): expected ']' at the end of the key name"},
      {header + "[HKEY_NOWHERE\\SOFTWARE]\n", "test.reg(2): unknown root key 'HKEY_NOWHERE'"},
      {header + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\\\Vendor]\n", "test.reg(2): empty key name"},
      {header + "[-HKEY_LOCAL_MACHINE]\n", "test.reg(2): the root key cannot be deleted"},
      {header + key + "\n\"v\"\n", "test.reg(4): expected '=' after value name"},
      {header + key + "\"v\" \"x\"\n", "test.reg(3): expected '=' after value name"},
      {header + key + "\"v=\"x\"\n", "test.reg(3): expected '=' after value name"},
      {header + key + "\"v=1\n", "test.reg(3): unterminated value name"},
      {header + key + "\"v\"=\"abc\n", "test.reg(3): unterminated string"},
      {header + key + "\"v\"=\"a\\qb\"\n", "test.reg(3): unknown escape sequence '\\q'"},
      {header + key + "\"v\"=dword:123456789\n", "test.reg(3): invalid dword value"},
      {header + key + "\"v\"=dword:\n", "test.reg(3): invalid dword value"},
      {header + key + "\"v\"=dword:0000000g\n", "test.reg(3): unexpected text after the value"},
      {header + key + "\"v\"=hex:zz\n", "test.reg(3): invalid hex byte"},
      {header + key + "\"v\"=hex:012\n", "test.reg(3): expected ',' between hex bytes"},
      {header + key + "\"v\"=hex:01,,02\n", "test.reg(3): invalid hex byte"},
      {header + key + "\"v\"=hex(2:00\n", "test.reg(3): invalid value type"},
      {header + key + "\"v\"=hex(2)00\n", "test.reg(3): expected ':' after the value type"},
      {header + key + "\"v\"=hex:01,\\\n  02,\\\n  0x\n",
       "test.reg(5): expected ',' between hex bytes"},
      {header + key + "\"v\"=hex:01,\\",
       "test.reg(3): continuation line missing at the end of the file"},
      {header + key + "\"v\"=abc\n", "test.reg(3): unrecognised value data"},
      {header + key + "\"v\"=\"a\" b\n", "test.reg(3): unexpected text after the value"},
      {header + key + "garbage\n", "test.reg(3): expected a key, a value or a comment"},
      {header + "[HKEY_CURRENT_USER\\X]\n\"v\"=dword:xyz\n", "test.reg(3): invalid dword value"},
      {Utf16File(u"Windows Registry Editor Version 5.00\r\n[HKEY_LOCAL_MACHINE\\A]\r\n") + "x",
       "test.reg(3): incomplete UTF-16 character at the end of the file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_TRUE(testing::RaisesError([&] { ParseRegistryExport(c.text, "test.reg"); },
                                     rtPathFileAccessError, c.description));
  }
  try {
    ParseRegistryExport(header + "oops\n", "/etc/corvane/registry.reg");
    FAIL() << "no error raised";
  } catch (const Error& error) {
    EXPECT_EQ(error.Source(), "Corvane.Registry");
    EXPECT_EQ(error.Description(),
              "/etc/corvane/registry.reg(2): expected a key, a value or a comment");
  }
}

}  // namespace
}  // namespace corvane::platform
