#include <corvane/Dictionary.h>

#include "platform/RaisesError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

using corvane::testing::RaisesError;

class Thing : public Object {};

std::vector<Variant> KeysOf(const Dictionary& dictionary) { return dictionary.Keys().Elements(); }

TEST(Dictionary, KeepsInsertionOrder) {
  auto dictionary = Dictionary::Create();
  dictionary->Add("b", 1);
  dictionary->Add("a", 2);
  dictionary->Add(std::int32_t{3}, "three");
  EXPECT_EQ(dictionary->Count(), 3);
  EXPECT_EQ(KeysOf(*dictionary), (std::vector<Variant>{"b", "a", std::int32_t{3}}));
  EXPECT_EQ(dictionary->Items().Elements(), (std::vector<Variant>{1, 2, "three"}));
  EXPECT_EQ(dictionary->Keys().LowerBound(), 0);
  EXPECT_EQ(dictionary->Items().LowerBound(), 0);
  EXPECT_EQ(dictionary->Item("a"), Variant(2));
}

TEST(Dictionary, AddOfAnExistingKeyFailsAndChangesNothing) {
  auto dictionary = Dictionary::Create();
  dictionary->Add("k", "first");
  dictionary->Add(std::int16_t{1}, "one");
  const std::vector<Variant> duplicates = {"k", std::int16_t{1}, std::int32_t{1}, 1.0,
                                           std::uint8_t{1}};
  for (const Variant& key : duplicates) {
    SCOPED_TRACE(TypeName(key.Type()));
    EXPECT_TRUE(RaisesError([&] { dictionary->Add(key, "second"); }, 457,
                            "This key is already associated with an element of this collection"));
  }
  EXPECT_EQ(dictionary->Count(), 2);
  EXPECT_EQ(dictionary->Item("k"), Variant("first"));
  EXPECT_EQ(dictionary->Item(std::int16_t{1}), Variant("one"));
  EXPECT_EQ(KeysOf(*dictionary), (std::vector<Variant>{"k", std::int16_t{1}}));
}

TEST(Dictionary, KeyIdentityByKind) {
  auto dictionary = Dictionary::Create();
  auto thing = std::make_shared<Thing>();
  const std::vector<Variant> distinct = {"1",
                                         "a",
                                         "A",
                                         "a ",
                                         std::int32_t{1},
                                         1.5,
                                         true,
                                         false,
                                         Date{1.0},
                                         Variant(),
                                         Variant::Null(),
                                         Variant(thing),
                                         Variant::Nothing(),
                                         std::string("a\0b", 3)};
  for (const Variant& key : distinct) {
    SCOPED_TRACE(TypeName(key.Type()));
    EXPECT_NO_THROW(dictionary->Add(key, Variant()));
  }
  EXPECT_EQ(dictionary->Count(), static_cast<std::int32_t>(distinct.size()));

  const std::vector<std::pair<Variant, bool>> lookups = {
      {std::int16_t{1}, true},
      {std::uint8_t{1}, true},
      {1.0, true},
      {-0.0, false},
      {std::int32_t{0}, false},
      {"1", true},
      {"A", true},
      {"b", false},
      {std::int16_t{-1}, false},
      {Date{1.0}, true},
      {Date{2.0}, false},
      {Variant(thing), true},
      {Variant(std::make_shared<Thing>()), false},
      {std::string("a\0c", 3), false},
  };
  for (const auto& [key, present] : lookups) {
    SCOPED_TRACE(TypeName(key.Type()));
    EXPECT_EQ(dictionary->Exists(key), present);
  }
  EXPECT_EQ(dictionary->Item(std::uint8_t{1}), Variant());  // the entry added with Int32 1
}

TEST(Dictionary, NegativeZeroIsTheSameKeyAsZero) {
  auto dictionary = Dictionary::Create();
  dictionary->Add(0.0, "zero");
  EXPECT_TRUE(dictionary->Exists(-0.0));
  EXPECT_TRUE(dictionary->Exists(std::int16_t{0}));
}

TEST(Dictionary, ArraysCannotBeKeys) {
  auto dictionary = Dictionary::Create();
  const Variant array(VariantArray({1}));
  EXPECT_TRUE(RaisesError([&] { dictionary->Add(array, 1); }, 13, "Type mismatch"));
  EXPECT_EQ(dictionary->Count(), 0);
}

TEST(Dictionary, MissingKeysAreNotFound) {
  auto dictionary = Dictionary::Create();
  dictionary->Add("present", 1);
  EXPECT_TRUE(RaisesError([&] { (void)dictionary->Item("absent"); }, 32811, "Element not found"));
  EXPECT_TRUE(RaisesError([&] { dictionary->Remove("absent"); }, 32811, "Element not found"));
  EXPECT_EQ(dictionary->Count(), 1);
}

TEST(Dictionary, SetItemReplacesOrAdds) {
  auto dictionary = Dictionary::Create();
  dictionary->Add("a", 1);
  dictionary->Add("b", 2);
  dictionary->SetItem("a", "new");
  dictionary->SetItem("c", 3);
  EXPECT_EQ(KeysOf(*dictionary), (std::vector<Variant>{"a", "b", "c"}));
  EXPECT_EQ(dictionary->Items().Elements(), (std::vector<Variant>{"new", 2, 3}));
}

TEST(Dictionary, RemoveKeepsTheOrderOfTheRest) {
  auto dictionary = Dictionary::Create();
  for (const char* key : {"a", "b", "c", "d"}) dictionary->Add(key, key);
  dictionary->Remove("b");
  EXPECT_EQ(KeysOf(*dictionary), (std::vector<Variant>{"a", "c", "d"}));
  EXPECT_EQ(dictionary->Item("d"), Variant("d"));
  dictionary->Add("b", "again");
  EXPECT_EQ(KeysOf(*dictionary), (std::vector<Variant>{"a", "c", "d", "b"}));
  dictionary->RemoveAll();
  EXPECT_EQ(dictionary->Count(), 0);
  EXPECT_FALSE(dictionary->Exists("a"));
  EXPECT_EQ(dictionary->Keys().UpperBound(), -1);
}

TEST(Dictionary, HoldsAHundredThousandEntries) {
  auto dictionary = Dictionary::Create();
  constexpr std::int32_t kCount = 100000;
  for (std::int32_t i = 0; i < kCount; ++i) dictionary->Add("key" + std::to_string(i), i);
  EXPECT_EQ(dictionary->Count(), kCount);
  for (std::int32_t i = 0; i < kCount; i += 997) {
    ASSERT_EQ(dictionary->Item("key" + std::to_string(i)), Variant(i));
  }
  EXPECT_FALSE(dictionary->Exists("key" + std::to_string(kCount)));
  const VariantArray keys = dictionary->Keys();
  EXPECT_EQ(keys.UpperBound(), kCount - 1);
  EXPECT_EQ(keys.At(kCount - 1), Variant("key99999"));
}

}  // namespace
}  // namespace corvane
