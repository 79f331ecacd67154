#include "crypto/Lib_Crypt.h"

#include <corvane/Object.h>
#include <corvane/RuntimeErrors.h>
#include <corvane/Variant.h>

#include "crypto/ClockGuard.h"
#include "crypto/ExpectError.h"
#include "crypto/FakeXmlNode.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

namespace corvane {
namespace {

using corvane::testing::ClockGuard;
using corvane::testing::FakeXmlNode;
using corvane::testing::RaisesExactly;

class Thing : public Object {};

std::map<std::string, std::string> Marked(std::optional<std::string> mark) {
  if (!mark) return {{"type", "string"}};
  return {{"type", "string"}, {"encrypted", *mark}};
}

TEST(CryptItemValue, OnlyExactlyYesIsEncrypted) {
  const std::string stored = Crypt_EncryptWithKeyIndex("s3cr\xC3\xA9t", 8);
  const struct {
    const char* name;
    std::optional<std::string> mark;
    bool encrypted;
  } cases[] = {
      {"yes", "yes", true},
      {"YES", "YES", false},
      {"Yes", "Yes", false},
      {"missing", std::nullopt, false},
      {"no", "no", false},
      {"empty", "", false},
      {"yes with a space", "yes ", false},
  };
  ClockGuard clock(31);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto element = FakeXmlNode::Value(stored, Marked(c.mark));
    EXPECT_EQ(Crypt_GetItemValue(element), c.encrypted ? "s3cr\xC3\xA9t" : stored);

    const std::string prepared = Crypt_PrepareItemValue(element, Variant("new value"));
    if (c.encrypted) {
      EXPECT_EQ(prepared.size(), 50u);
      EXPECT_EQ(prepared.substr(0, 2), "01");
      EXPECT_EQ(Crypt_DecryptWithIndex(prepared), "new value");
    } else {
      EXPECT_EQ(prepared, "new value");
    }
  }
}

TEST(CryptItemValue, UnreadableAttributeCountsAsPlain) {
  const auto element = FakeXmlNode::Value("0412AB", Marked("yes"));
  element->FailAttributeReads();
  EXPECT_EQ(Crypt_GetItemValue(element), "0412AB");
  EXPECT_EQ(Crypt_PrepareItemValue(element, Variant("plain")), "plain");
}

TEST(CryptItemValue, EncryptedEmptyOrShortTextIsReturnedAsItIs) {
  EXPECT_EQ(Crypt_GetItemValue(FakeXmlNode::Value("", Marked("yes"))), "");
  EXPECT_EQ(Crypt_GetItemValue(FakeXmlNode::Value("9", Marked("yes"))), "9");
  EXPECT_EQ(Crypt_PrepareItemValue(FakeXmlNode::Value("old", Marked("yes")), Variant("")), "");
}

TEST(CryptItemValue, EncryptedTextStartingWithLettersLosesThem) {
  EXPECT_EQ(Crypt_GetItemValue(FakeXmlNode::Value("plain text", Marked("yes"))), "ain text");
}

TEST(CryptItemValue, DamagedEncryptedValueFails) {
  const auto element = FakeXmlNode::Value("03ABCDEF", Marked("yes"));
  EXPECT_TRUE(RaisesExactly([&] { Crypt_GetItemValue(element); }, rtSubscriptOutOfRange, "",
                            "Subscript out of range"));
}

TEST(CryptItemValue, ValuesBecomeTextBeforeEncryption) {
  const struct {
    const char* name;
    Variant value;
    std::string text;
  } cases[] = {
      {"16-bit integer", Variant(std::int16_t{42}), "42"},
      {"32-bit integer", Variant(std::int32_t{-70000}), "-70000"},
      {"boolean", Variant(true), "True"},
      {"empty", Variant(), ""},
      {"text", Variant("\xE2\x82\xAC 5"), "\xE2\x82\xAC 5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Crypt_PrepareItemValue(FakeXmlNode::Value("", Marked("no")), c.value), c.text);
    const std::string encrypted =
        Crypt_PrepareItemValue(FakeXmlNode::Value("", Marked("yes")), c.value);
    EXPECT_EQ(Crypt_DecryptWithIndex(encrypted), c.text);
  }
}

TEST(CryptItemValue, ValueWithoutTextFormFailsWithTheConversionError) {
  const struct {
    const char* name;
    Variant value;
    std::int32_t number;
    const char* text;
  } cases[] = {
      {"null", Variant::Null(), rtInvalidUseOfNull, "Invalid use of Null"},
      {"object", Variant(std::make_shared<Thing>()), rtTypeMismatch, "Type mismatch"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char* mark : {"yes", "no"}) {
      const auto element = FakeXmlNode::Value("kept", Marked(mark));
      EXPECT_TRUE(
          RaisesExactly([&] { Crypt_PrepareItemValue(element, c.value); }, c.number, "", c.text));
      EXPECT_EQ(element->text(), "kept");
    }
  }
}

TEST(CryptItemValue, MissingElement) {
  EXPECT_TRUE(RaisesExactly([] { Crypt_GetItemValue(nullptr); }, rtObjectVariableNotSet, "",
                            "Object variable or With block variable not set"));
  EXPECT_EQ(Crypt_PrepareItemValue(nullptr, Variant("plain")), "plain");
}

}  // namespace
}  // namespace corvane
