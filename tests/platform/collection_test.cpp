#include <corvane/Collection.h>

#include "platform/RaisesError.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

using corvane::testing::RaisesError;

TEST(Collection, IndexesFromOneInOrderOfAddition) {
  auto collection = Collection::Create();
  EXPECT_EQ(collection->Count(), 0);
  collection->Add("first");
  collection->Add(2);
  collection->Add(Variant::Null());
  EXPECT_EQ(collection->Count(), 3);
  EXPECT_EQ(collection->Item(1), Variant("first"));
  EXPECT_EQ(collection->Item(3), Variant::Null());
  std::vector<Variant> enumerated(collection->begin(), collection->end());
  EXPECT_EQ(enumerated, (std::vector<Variant>{"first", 2, Variant::Null()}));
}

TEST(Collection, IndexesOutsideOneToCountAreOutOfRange) {
  auto collection = Collection::Create();
  collection->Add("only");
  for (const std::int32_t index : {0, 2, -1, -2147483647 - 1, 2147483647}) {
    SCOPED_TRACE(index);
    EXPECT_TRUE(RaisesError([&] { (void)collection->Item(index); }, 9, "Subscript out of range"));
    EXPECT_TRUE(RaisesError([&] { collection->Remove(index); }, 9, "Subscript out of range"));
  }
  EXPECT_EQ(collection->Count(), 1);
}

TEST(Collection, RemoveClosesTheGap) {
  auto collection = Collection::Create();
  for (const char* item : {"a", "b", "c"}) collection->Add(item);
  collection->Remove(2);
  EXPECT_EQ(collection->Count(), 2);
  EXPECT_EQ(collection->Item(2), Variant("c"));
  collection->Remove(1);
  collection->Remove(1);
  EXPECT_EQ(collection->Count(), 0);
}

}  // namespace
}  // namespace corvane
