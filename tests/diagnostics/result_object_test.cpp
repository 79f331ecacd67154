#include <corvane/ResultObject.h>

#include "platform/RaisesError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

using corvane::testing::RaisesError;

constexpr const char* kDuplicateKey =
    "This key is already associated with an element of this collection";

std::vector<Variant> MessagesOf(ResultObject& result) { return result.GetCollection()->Items(); }

std::vector<Variant> ResultKeysOf(ResultObject& result) {
  return result.getResult()->Keys().Elements();
}

TEST(ResultObject, StartsEmpty) {
  auto result = ResultObject::Create();
  EXPECT_TRUE(result->IsEmpty());
  EXPECT_EQ(result->GetAllMessages(), "");
  ASSERT_NE(result->getResult(), nullptr);
  EXPECT_EQ(result->getResult()->Count(), 0);
  ASSERT_NE(result->GetCollection(), nullptr);
  EXPECT_EQ(result->GetCollection()->Count(), 0);
}

TEST(ResultObject, AllMessagesInOrderEachEndingInALineBreak) {
  auto result = ResultObject::Create();
  result->AddMessage("a");
  result->AddMessage("b");
  result->AddMessage("");
  EXPECT_FALSE(result->IsEmpty());
  EXPECT_EQ(result->GetAllMessages(), "a\r\nb\r\n\r\n");
}

TEST(ResultObject, HybridMessageIsADictionaryOfTwoEntries) {
  auto result = ResultObject::Create();
  result->AddHybridMessage("Quantity exceeds stock", "PRD-17");
  EXPECT_FALSE(result->IsEmpty());
  ASSERT_EQ(result->GetCollection()->Count(), 1);
  auto hybrid = QueryInterface<Dictionary>(result->GetCollection()->Item(1).AsObject());
  ASSERT_NE(hybrid, nullptr);
  EXPECT_EQ(hybrid->Keys().Elements(), (std::vector<Variant>{"Message1", "Value1"}));
  EXPECT_EQ(hybrid->Item("Message1"), Variant("Quantity exceeds stock"));
  EXPECT_EQ(hybrid->Item("Value1"), Variant("PRD-17"));
}

TEST(ResultObject, AllMessagesFailsOnAHybridMessage) {
  auto result = ResultObject::Create();
  result->AddMessage("plain");
  result->AddHybridMessage("m", "v");
  EXPECT_TRUE(RaisesError([&] { (void)result->GetAllMessages(); }, 13, "Type mismatch"));
}

TEST(ResultObject, ResultsDoNotCountAsMessages) {
  auto result = ResultObject::Create();
  result->addResult("k", 1);
  EXPECT_TRUE(result->IsEmpty());
  EXPECT_EQ(result->getResult()->Item("k"), Variant(1));
}

TEST(ResultObject, DuplicateResultKeyFailsAndLeavesTheResultsAsTheyWere) {
  auto result = ResultObject::Create();
  result->addResult("k", 1);
  result->addResult(std::int16_t{2}, "two");
  EXPECT_TRUE(RaisesError([&] { result->addResult("k", 99); }, 457, kDuplicateKey));
  EXPECT_EQ(ResultKeysOf(*result), (std::vector<Variant>{"k", std::int16_t{2}}));
  EXPECT_EQ(result->getResult()->Item("k"), Variant(1));
}

TEST(ResultObject, GettersHandOutTheMembersThemselves) {
  auto result = ResultObject::Create();
  result->GetCollection()->Add("through the collection");
  result->getResult()->Add("key", "through the dictionary");
  EXPECT_EQ(result->GetAllMessages(), "through the collection\r\n");
  EXPECT_EQ(result->getResult()->Item("key"), Variant("through the dictionary"));
  EXPECT_EQ(result->GetCollection(), result->GetCollection());
  EXPECT_EQ(result->getResult(), result->getResult());
}

TEST(ResultObjectMerge, AppendsMessagesAfterOwnAndAddsResults) {
  auto target = ResultObject::Create();
  target->AddMessage("own");
  target->addResult("own", 1);
  auto source = ResultObject::Create();
  source->AddMessage("first");
  source->AddHybridMessage("second", "2");
  source->addResult("b", "B");
  source->addResult("a", "A");

  EXPECT_EQ(target->AddResultObject(source), target);
  const std::vector<Variant> messages = MessagesOf(*target);
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0], Variant("own"));
  EXPECT_EQ(messages[1], Variant("first"));
  // The hybrid message is shared with the source, not copied.
  EXPECT_EQ(messages[2], source->GetCollection()->Item(2));
  EXPECT_EQ(ResultKeysOf(*target), (std::vector<Variant>{"own", "b", "a"}));
  EXPECT_EQ(target->getResult()->Item("a"), Variant("A"));
  EXPECT_EQ(source->GetCollection()->Count(), 2);
  EXPECT_EQ(source->getResult()->Count(), 2);
}

TEST(ResultObjectMerge, ObjectWithoutMessagesGivesOnlyItsResults) {
  auto target = ResultObject::Create();
  auto source = ResultObject::Create();
  source->addResult("k", 1);
  target->AddResultObject(source);
  EXPECT_TRUE(target->IsEmpty());
  EXPECT_EQ(target->getResult()->Item("k"), Variant(1));
}

TEST(ResultObjectMerge, DuplicateKeyFailsKeepingWhatWasAddedBefore) {
  auto target = ResultObject::Create();
  target->addResult("b", "mine");
  auto source = ResultObject::Create();
  source->AddMessage("m");
  source->addResult("a", 1);
  source->addResult("b", 2);
  source->addResult("c", 3);
  EXPECT_TRUE(RaisesError([&] { target->AddResultObject(source); }, 457, kDuplicateKey));
  EXPECT_EQ(MessagesOf(*target), (std::vector<Variant>{"m"}));
  EXPECT_EQ(ResultKeysOf(*target), (std::vector<Variant>{"b", "a"}));
  EXPECT_EQ(target->getResult()->Item("b"), Variant("mine"));
}

TEST(ResultObjectMerge, IntoItselfDoublesTheMessagesOnce) {
  auto result = ResultObject::Create();
  result->AddMessage("x");
  result->AddMessage("y");
  EXPECT_EQ(result->AddResultObject(result), result);
  EXPECT_EQ(MessagesOf(*result), (std::vector<Variant>{"x", "y", "x", "y"}));
}

TEST(ResultObjectMerge, IntoItselfWithResultsFailsOnTheFirstKey) {
  auto result = ResultObject::Create();
  result->AddMessage("x");
  result->addResult("k", 1);
  EXPECT_TRUE(RaisesError([&] { result->AddResultObject(result); }, 457, kDuplicateKey));
  EXPECT_EQ(MessagesOf(*result), (std::vector<Variant>{"x", "x"}));
  EXPECT_EQ(result->getResult()->Count(), 1);
}

TEST(ResultObjectMerge, MergesResultsBeyondSixteenBitCounts) {
  for (const std::int32_t count : {32767, 32768, 40000}) {
    SCOPED_TRACE(count);
    auto source = ResultObject::Create();
    for (std::int32_t i = 0; i < count; ++i) source->addResult(i, "v" + std::to_string(i));
    auto target = ResultObject::Create();
    EXPECT_NO_THROW(target->AddResultObject(source));
    ASSERT_EQ(target->getResult()->Count(), count);
    EXPECT_EQ(target->getResult()->Item(count - 1), Variant("v" + std::to_string(count - 1)));
    EXPECT_EQ(target->getResult()->Keys().At(0), Variant(0));
  }
}

TEST(ResultObjectMerge, NullObjectIsRequired) {
  auto target = ResultObject::Create();
  target->AddMessage("kept");
  EXPECT_TRUE(RaisesError([&] { target->AddResultObject(nullptr); }, 424, "Object required"));
  EXPECT_EQ(MessagesOf(*target), (std::vector<Variant>{"kept"}));
}

}  // namespace
}  // namespace corvane
