#include "platform/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace corvane::platform {
namespace {

TEST(TextCase, FoldsOnlyAsciiLetters) {
  EXPECT_EQ(ToLowerAscii("AbC-\xC3\x84Z"), "abc-\xC3\x84z");
  EXPECT_EQ(ToUpperAscii("aBc_\xC3\xA4z"), "ABC_\xC3\xA4Z");
  EXPECT_TRUE(EqualsNoCase("SiteConfiguration.XML", "siteconfiguration.xml"));
  EXPECT_FALSE(EqualsNoCase("\xC3\x84", "\xC3\xA4"));
  EXPECT_FALSE(EqualsNoCase("abc", "abcd"));
  EXPECT_TRUE(StartsWithNoCase("OrdersConfiguration.xml", "ORDERS"));
  EXPECT_FALSE(StartsWithNoCase("Or", "ORDERS"));
  EXPECT_TRUE(EndsWithNoCase("Sales_RIC.XML", "_ric.xml"));
  EXPECT_FALSE(EndsWithNoCase("xml", ".xml"));
}

TEST(TextCase, FindNoCase) {
  EXPECT_EQ(FindNoCase("Hello World", "WORLD"), 6u);
  EXPECT_EQ(FindNoCase("Hello", ""), 0u);
  EXPECT_EQ(FindNoCase("Hello", "lo!"), std::string_view::npos);
  EXPECT_EQ(FindNoCase("ab", "abc"), std::string_view::npos);
}

TEST(TextNameOrder, FoldsCaseThenBreaksTiesExactly) {
  std::vector<std::string> names = {"b.xml", "_z", "B.xml", "a", "A", "ab", "[x"};
  std::sort(names.begin(), names.end(),
            [](const std::string& x, const std::string& y) { return LessNameOrder(x, y); });
  EXPECT_EQ(names, (std::vector<std::string>{"A", "a", "ab", "B.xml", "b.xml", "[x", "_z"}));
  EXPECT_FALSE(LessNameOrder("a", "a"));
}

TEST(TextCodePoints, CountsCharactersNotBytes) {
  const std::string mixed = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // a, e-acute, euro, emoji
  EXPECT_EQ(CodePointCount(mixed), 4u);
  EXPECT_EQ(CodePointCount(""), 0u);
  EXPECT_EQ(CodePointCount("\xFF\xFE"), 2u);
  EXPECT_EQ(CodePointOffset(mixed, 0), 0u);
  EXPECT_EQ(CodePointOffset(mixed, 2), 3u);
  EXPECT_EQ(CodePointOffset(mixed, 3), 6u);
  EXPECT_EQ(CodePointOffset(mixed, 99), mixed.size());
}

TEST(TextWindows1252, MapsTheHighBytesToTheirCharacters) {
  const std::vector<std::pair<unsigned char, std::string>> cases = {
      {0x41, "A"},        {0x80, "\xE2\x82\xAC"},  // euro sign
      {0x81, "\xC2\x81"},                          // unassigned, kept as U+0081
      {0x8A, "\xC5\xA0"},                          // S caron
      {0x8D, "\xC2\x8D"}, {0x8F, "\xC2\x8F"},
      {0x90, "\xC2\x90"}, {0x99, "\xE2\x84\xA2"},  // trade mark
      {0x9D, "\xC2\x9D"}, {0x9F, "\xC5\xB8"},      // Y diaeresis
      {0xA0, "\xC2\xA0"}, {0xE9, "\xC3\xA9"},
      {0xFF, "\xC3\xBF"},
  };
  for (const auto& [byte, utf8] : cases) {
    SCOPED_TRACE(static_cast<int>(byte));
    const std::string single(1, static_cast<char>(byte));
    EXPECT_EQ(Windows1252ToUtf8(single), utf8);
    EXPECT_EQ(Utf8ToWindows1252(utf8), single);
  }
}

TEST(TextWindows1252, EveryByteRoundTripsToADistinctCharacter) {
  std::set<std::string> seen;
  for (int byte = 0; byte < 256; ++byte) {
    SCOPED_TRACE(byte);
    const std::string single(1, static_cast<char>(byte));
    const std::string utf8 = Windows1252ToUtf8(single);
    EXPECT_TRUE(seen.insert(utf8).second);
    EXPECT_EQ(CodePointCount(utf8), 1u);
    EXPECT_EQ(Utf8ToWindows1252(utf8), single);
  }
}

TEST(TextWindows1252, UnmappableOrInvalidTextBecomesQuestionMarks) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"\xE6\x97\xA5", "?"},      // a character outside the code page
      {"\xC2\x80", "?"},          // U+0080 has no byte: 0x80 is the euro sign
      {"\xF0\x9F\x98\x80", "?"},  // a four-byte character
      {"a\xFF"
       "b",
       "a?b"},                  // a byte that never starts UTF-8
      {"\xE2\x82", "??"},       // a truncated sequence
      {"\xC0\xAF", "??"},       // an overlong form
      {"\xED\xA0\x80", "???"},  // a surrogate
      {"caf\xC3\xA9 \xE2\x82\xAC", "caf\xE9 \x80"},
  };
  for (const auto& [utf8, expected] : cases) {
    SCOPED_TRACE(utf8);
    EXPECT_EQ(Utf8ToWindows1252(utf8), expected);
  }
}

}  // namespace
}  // namespace corvane::platform
