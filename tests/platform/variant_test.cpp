#include <corvane/Variant.h>

#include "platform/RaisesError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <thread>
#include <variant>
#include <vector>

namespace corvane {
namespace {

using corvane::testing::RaisesError;

class Thing : public Object {};

Variant ArrayOf(std::vector<Variant> elements, std::int32_t lowerBound = 0) {
  return Variant(VariantArray(std::move(elements), lowerBound));
}

// An expected conversion result: a value, or a runtime error number and text.
template <class T>
struct Expected {
  Expected(T value) : outcome(value) {}
  Expected(std::int32_t number, const char* text) : outcome(std::pair(number, text)) {}
  std::variant<T, std::pair<std::int32_t, const char*>> outcome;
};

template <class T>
struct Case {
  const char* label;
  Variant input;
  Expected<T> expected;
};

constexpr std::int32_t kOverflow = 6;
constexpr std::int32_t kTypeMismatch = 13;
constexpr std::int32_t kNull = 94;

template <class T, class Convert>
void RunCases(const std::vector<Case<T>>& cases, Convert convert) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    if (const T* value = std::get_if<T>(&c.expected.outcome)) {
      EXPECT_EQ(convert(c.input), *value);
    } else {
      const auto& [number, text] = std::get<1>(c.expected.outcome);
      EXPECT_TRUE(RaisesError([&] { convert(c.input); }, number, text));
    }
  }
}

TEST(VariantToInt16, FollowsTheAutomationRules) {
  const std::vector<Case<std::int16_t>> cases = {
      {"half rounds down to even", "2.5", std::int16_t{2}},
      {"half rounds up to even", "3.5", std::int16_t{4}},
      {"negative half to even", "-2.5", std::int16_t{-2}},
      {"one half", "0.5", std::int16_t{0}},
      {"one and a half", "1.5", std::int16_t{2}},
      {"above half", "2.51", std::int16_t{3}},
      {"largest", "32767", std::int16_t{32767}},
      {"one past largest", "32768", {kOverflow, "Overflow"}},
      {"smallest", "-32768", std::int16_t{-32768}},
      {"one below smallest", "-32769", {kOverflow, "Overflow"}},
      {"rounds past largest", "32767.5", {kOverflow, "Overflow"}},
      {"rounds to smallest", "-32768.5", std::int16_t{-32768}},
      {"empty text", "", {kTypeMismatch, "Type mismatch"}},
      {"blank text", "   ", {kTypeMismatch, "Type mismatch"}},
      {"letters", "abc", {kTypeMismatch, "Type mismatch"}},
      {"trailing letters", "12abc", {kTypeMismatch, "Type mismatch"}},
      {"inner blank", "1 2", {kTypeMismatch, "Type mismatch"}},
      {"point alone", ".", {kTypeMismatch, "Type mismatch"}},
      {"exponent without digits", "1e", {kTypeMismatch, "Type mismatch"}},
      {"surrounding blanks", " 12 ", std::int16_t{12}},
      {"tabs", "\t7\t", std::int16_t{7}},
      {"plus sign", "+7", std::int16_t{7}},
      {"fraction only", ".75", std::int16_t{1}},
      {"exponent", "1e3", std::int16_t{1000}},
      {"fraction and exponent", "1.5E2", std::int16_t{150}},
      {"negative exponent", "2500e-3", std::int16_t{2}},
      {"hexadecimal", "&H10", std::int16_t{16}},
      {"hexadecimal lower case", "&h1f", std::int16_t{31}},
      {"hexadecimal sixteen bits", "&HFFFF", std::int16_t{-1}},
      {"hexadecimal too wide", "&H10000", {kOverflow, "Overflow"}},
      {"octal", "&O17", std::int16_t{15}},
      {"bad hexadecimal digit", "&HG", {kTypeMismatch, "Type mismatch"}},
      {"hexadecimal without digits", "&H", {kTypeMismatch, "Type mismatch"}},
      {"bad octal digit", "&O8", {kTypeMismatch, "Type mismatch"}},
      {"True", true, std::int16_t{-1}},
      {"False", false, std::int16_t{0}},
      {"Empty", Variant(), std::int16_t{0}},
      {"Null", Variant::Null(), {kNull, "Invalid use of Null"}},
      {"Byte", std::uint8_t{255}, std::int16_t{255}},
      {"Int32 in range", std::int32_t{-300}, std::int16_t{-300}},
      {"Int32 out of range", std::int32_t{40000}, {kOverflow, "Overflow"}},
      {"Double half", 2.5, std::int16_t{2}},
      {"Double negative half", -0.5, std::int16_t{0}},
      {"Double not a number", std::numeric_limits<double>::quiet_NaN(), {kOverflow, "Overflow"}},
      {"Date", Date{1.5}, std::int16_t{2}},
      {"object", Variant(std::make_shared<Thing>()), {kTypeMismatch, "Type mismatch"}},
      {"array", ArrayOf({1}), {kTypeMismatch, "Type mismatch"}},
      {"missing", Variant::Missing(), {kTypeMismatch, "Type mismatch"}},
  };
  RunCases(cases, [](const Variant& v) { return v.ToInt16(); });
}

TEST(VariantToInt32, UsesTheThirtyTwoBitRange) {
  const std::vector<Case<std::int32_t>> cases = {
      {"largest", "2147483647", std::int32_t{2147483647}},
      {"one past largest", "2147483648", {kOverflow, "Overflow"}},
      {"rounds to smallest", "-2147483648.5", std::int32_t{-2147483647 - 1}},
      {"rounds past largest", 2147483647.5, {kOverflow, "Overflow"}},
      {"sixteen-bit hexadecimal", "&HFFFF", std::int32_t{65535}},
      {"thirty-two-bit hexadecimal", "&HFFFFFFFF", std::int32_t{-1}},
      {"hexadecimal too wide", "&H100000000", {kOverflow, "Overflow"}},
      {"half to even", "-3.5", std::int32_t{-4}},
      {"True", true, std::int32_t{-1}},
      {"empty text", "", {kTypeMismatch, "Type mismatch"}},
      {"Null", Variant::Null(), {kNull, "Invalid use of Null"}},
  };
  RunCases(cases, [](const Variant& v) { return v.ToInt32(); });
}

TEST(VariantToDouble, ReadsNumbersAndRejectsOthers) {
  const std::vector<Case<double>> cases = {
      {"blanks and sign", " -1.5 ", -1.5},
      {"exponent", "2.5e-3", 0.0025},
      {"too large", "1e400", {kOverflow, "Overflow"}},
      {"too small rounds to zero", "1e-400", 0.0},
      {"zeros with huge exponent", "0.000e999", 0.0},
      {"hexadecimal is sixteen-bit", "&HFFFF", -1.0},
      {"hexadecimal is thirty-two-bit", "&H10000", 65536.0},
      {"True", true, -1.0},
      {"Int16", std::int16_t{-7}, -7.0},
      {"Date", Date{2.25}, 2.25},
      {"Empty", Variant(), 0.0},
      {"letters", "x", {kTypeMismatch, "Type mismatch"}},
      {"Null", Variant::Null(), {kNull, "Invalid use of Null"}},
      {"byte array", Variant(std::vector<std::uint8_t>{1}), {kTypeMismatch, "Type mismatch"}},
  };
  RunCases(cases, [](const Variant& v) { return v.ToDouble(); });
}

TEST(VariantToBoolean, AcceptsBooleanTextAndNumbers) {
  const std::vector<Case<bool>> cases = {
      {"true any case", "tRuE", true},
      {"false any case", "FALSE", false},
      {"zero text", "0", false},
      {"number text", "2", true},
      {"fraction text", "0.1", true},
      {"other text", "yes", {kTypeMismatch, "Type mismatch"}},
      {"Int16 zero", std::int16_t{0}, false},
      {"Byte", std::uint8_t{3}, true},
      {"Double", 0.1, true},
      {"Empty", Variant(), false},
      {"Null", Variant::Null(), {kNull, "Invalid use of Null"}},
      {"object", Variant::Nothing(), {kTypeMismatch, "Type mismatch"}},
  };
  RunCases(cases, [](const Variant& v) { return v.ToBoolean(); });
}

TEST(VariantToString, WritesTheAutomationTextForms) {
  const double afternoon = 37623.0 + (16 * 3600 + 5 * 60 + 6) / 86400.0;  // 2003-01-02 16:05:06
  const std::vector<Case<std::string>> cases = {
      {"Int16", std::int16_t{-5}, std::string("-5")},
      {"Int32", std::int32_t{2147483647}, std::string("2147483647")},
      {"Byte", std::uint8_t{255}, std::string("255")},
      {"True", true, std::string("True")},
      {"False", false, std::string("False")},
      {"Empty", Variant(), std::string()},
      {"text", "x y", std::string("x y")},
      {"half", 0.5, std::string("0.5")},
      {"large double", 1e20, std::string("1E+20")},
      {"fifteen digits stay plain", 123456789012345.0, std::string("123456789012345")},
      {"sixteen digits go to exponent", 1e15, std::string("1E+15")},
      {"third", 1.0 / 3.0, std::string("0.333333333333333")},
      {"two thirds rounds", 2.0 / 3.0, std::string("0.666666666666667")},
      {"whole double", 42.0, std::string("42")},
      {"small fraction", 0.0001, std::string("0.0001")},
      {"tiny fraction", 0.00001, std::string("1E-05")},
      {"negative", -1.25, std::string("-1.25")},
      {"negative zero", -0.0, std::string("0")},
      {"largest double", std::numeric_limits<double>::max(), std::string("1.79769313486232E+308")},
      {"date zero is midnight", Date{0.0}, std::string("12:00:00 AM")},
      {"time only", Date{0.5}, std::string("12:00:00 PM")},
      {"date only", Date{1.0}, std::string("12/31/1899")},
      {"date and time", Date{afternoon}, std::string("1/2/2003 4:05:06 PM")},
      {"morning", Date{36526.0 + 0.25}, std::string("1/1/2000 6:00:00 AM")},
      {"before the epoch", Date{-1.25}, std::string("12/29/1899 6:00:00 AM")},
      {"last day", Date{2958465.0}, std::string("12/31/9999")},
      {"leap day", Date{36585.0}, std::string("2/29/2000")},
      {"Null", Variant::Null(), {kNull, "Invalid use of Null"}},
      {"object", Variant(std::make_shared<Thing>()), {kTypeMismatch, "Type mismatch"}},
      {"array", ArrayOf({}), {kTypeMismatch, "Type mismatch"}},
      {"missing", Variant::Missing(), {kTypeMismatch, "Type mismatch"}},
  };
  RunCases(cases, [](const Variant& v) { return v.ToString(); });
}

TEST(VariantAccess, TypedAccessOfAnotherTypeIsATypeMismatch) {
  const Variant text("12");
  EXPECT_EQ(text.AsString(), "12");
  EXPECT_TRUE(RaisesError([&] { (void)text.AsInt16(); }, 13, "Type mismatch"));
  EXPECT_TRUE(RaisesError([&] { (void)text.AsArray(); }, 13, "Type mismatch"));
  Variant number(std::int32_t{3});
  EXPECT_TRUE(RaisesError([&] { (void)number.AsArray(); }, 13, "Type mismatch"));
}

TEST(VariantArrayCopy, CopiesAreIndependentValues) {
  Variant original = ArrayOf({1, "two"});
  Variant copy = original;
  copy.AsArray().At(0) = Variant("changed");
  copy.AsArray().Append(3.0);
  EXPECT_EQ(original.AsArray().At(0), Variant(1));
  EXPECT_EQ(original.AsArray().Size(), 2u);
  EXPECT_EQ(copy.AsArray().At(0), Variant("changed"));
  EXPECT_EQ(copy.AsArray().Size(), 3u);

  original.AsArray().At(1) = Variant(false);
  EXPECT_EQ(copy.AsArray().At(1), Variant("two"));
}

TEST(VariantArrayCopy, ObjectsInsideStaySharedReferences) {
  auto thing = std::make_shared<Thing>();
  Variant original = ArrayOf({Variant(thing)});
  Variant copy = original;
  copy.AsArray().Append(1);
  EXPECT_EQ(copy.AsArray().At(0).AsObject().get(), thing.get());
}

TEST(VariantArrayBounds, IndexesFromTheLowerBound) {
  VariantArray array({10, 20, 30}, 1);
  EXPECT_EQ(array.LowerBound(), 1);
  EXPECT_EQ(array.UpperBound(), 3);
  EXPECT_EQ(array.At(1), Variant(10));
  EXPECT_EQ(array.At(3), Variant(30));
  for (const std::int32_t index : {0, 4, -2147483647 - 1, 2147483647}) {
    SCOPED_TRACE(index);
    EXPECT_TRUE(RaisesError([&] { (void)array.At(index); }, 9, "Subscript out of range"));
  }
  const VariantArray empty;
  EXPECT_TRUE(empty.Empty());
  EXPECT_EQ(empty.UpperBound(), -1);
  EXPECT_TRUE(RaisesError([&] { (void)empty.At(0); }, 9, "Subscript out of range"));
}

TEST(VariantEquality, SameTypeAndSameValue) {
  auto thing = std::make_shared<Thing>();
  EXPECT_EQ(Variant(), Variant());
  EXPECT_EQ(Variant::Null(), Variant::Null());
  EXPECT_NE(Variant(), Variant::Null());
  EXPECT_NE(Variant(std::int16_t{1}), Variant(std::int32_t{1}));
  EXPECT_EQ(Variant("a"), Variant(std::string("a")));
  EXPECT_NE(Variant("a"), Variant("A"));
  EXPECT_EQ(Variant(thing), Variant(thing));
  EXPECT_NE(Variant(thing), Variant(std::make_shared<Thing>()));
  EXPECT_EQ(Variant::Nothing(), Variant::Nothing());
  EXPECT_EQ(ArrayOf({1, "x"}), ArrayOf({1, "x"}));
  EXPECT_NE(ArrayOf({1, "x"}), ArrayOf({1, "x"}, 1));
  EXPECT_NE(ArrayOf({1, "x"}), ArrayOf({1, "y"}));
  EXPECT_EQ(Variant(std::vector<std::uint8_t>{1, 2}), Variant(std::vector<std::uint8_t>{1, 2}));
  EXPECT_NE(Variant(std::vector<std::uint8_t>{1, 2}), Variant(std::vector<std::uint8_t>{2, 1}));
}

TEST(VariantTypeName, NamesEachType) {
  const std::vector<std::pair<Variant, std::string_view>> cases = {
      {Variant(), "Empty"},
      {Variant::Null(), "Null"},
      {Variant::Missing(), "Error"},
      {true, "Boolean"},
      {std::uint8_t{1}, "Byte"},
      {std::int16_t{1}, "Integer"},
      {std::int32_t{1}, "Long"},
      {1.0, "Double"},
      {Date{1.0}, "Date"},
      {"x", "String"},
      {Variant::Nothing(), "Object"},
      {ArrayOf({}), "Variant()"},
      {Variant(std::vector<std::uint8_t>{}), "Byte()"},
  };
  for (const auto& [value, name] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(TypeName(value.Type()), name);
  }
}

TEST(VariantConcurrency, CopiesOfOneArrayChangeIndependentlyOnEachThread) {
  std::vector<Variant> elements(64, Variant(0));
  const Variant shared = ArrayOf(elements);
  std::vector<std::thread> threads;
  std::vector<char> sawOwnWrites(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&shared, &sawOwnWrites, t, copy = shared]() mutable {
      bool ok = shared.AsArray().At(0) == Variant(0);
      for (std::int32_t i = 0; i < 64; ++i) copy.AsArray().At(i) = Variant(t + 1);
      for (std::int32_t i = 0; i < 64; ++i) ok = ok && copy.AsArray().At(i) == Variant(t + 1);
      sawOwnWrites[static_cast<std::size_t>(t)] = ok;
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < 4; ++t) EXPECT_TRUE(sawOwnWrites[static_cast<std::size_t>(t)]) << t;
  EXPECT_EQ(shared, ArrayOf(elements));
}

TEST(VariantConcurrency, WritingAfterAnotherThreadDroppedItsCopyIsSafe) {
  for (int round = 0; round < 50; ++round) {
    Variant mine = ArrayOf(std::vector<Variant>(16, Variant(0)));
    std::int32_t sum = 0;
    std::thread reader([copy = mine, &sum]() mutable {
      for (const Variant& element : copy.AsArray().Elements()) sum += element.ToInt32();
      copy = Variant();  // drops the reader's share while the owner may be writing
    });
    for (int pass = 0; pass < 20; ++pass) {
      for (std::int32_t i = 0; i < 16; ++i) mine.AsArray().At(i) = Variant(pass + 1);
    }
    reader.join();
    EXPECT_EQ(sum, 0);
    EXPECT_EQ(mine.AsArray().At(15), Variant(20));
  }
}

}  // namespace
}  // namespace corvane
