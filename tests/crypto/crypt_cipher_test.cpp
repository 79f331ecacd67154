#include "crypto/Crypt.h"

#include <corvane/RuntimeErrors.h>

#include "crypto/ExpectError.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

using corvane::testing::RaisesExactly;
using Packing = Crypt::KeyPacking;

struct Block {
  std::uint32_t L;
  std::uint32_t R;
};

const std::vector<Block> kBlocks = {
    {0, 0}, {1, 2}, {0xDEADBEEF, 0x01234567}, {0xFFFFFFFF, 0}, {0x80000000, 0x7FFFFFFF}};

bool AllZero(const Crypt::Tables& tables) { return tables == Crypt::Tables{}; }

TEST(CryptCipher, NewObjectHasZeroTablesAndNoKey) {
  const Crypt crypt;
  EXPECT_TRUE(AllZero(crypt.GetTables()));
  EXPECT_EQ(crypt.Key(), "");
  for (const std::uint32_t x : {0u, 0x01020304u, 0xFFFFFFFFu}) {
    EXPECT_EQ(crypt.p_RoundFunction(x), 0u) << x;
  }
}

TEST(CryptCipher, ZeroTablesSwapTheHalves) {
  const Crypt crypt;
  for (const Block& block : kBlocks) {
    SCOPED_TRACE(::testing::Message() << std::hex << block.L << " " << block.R);
    std::uint32_t L = block.L;
    std::uint32_t R = block.R;
    crypt.p_EncipherBlock(L, R);
    EXPECT_EQ(L, block.R);
    EXPECT_EQ(R, block.L);
    crypt.p_DecipherBlock(L, R);
    EXPECT_EQ(L, block.L);
    EXPECT_EQ(R, block.R);
  }
}

TEST(CryptCipher, DecipherInvertsEncipherForAnyKey) {
  for (const std::string key :
       {"k", "key", "5C3A90D7E21B4f07B6D1093C6F2B71D9", "\xC3\xBF\xE2\x82\xAC"}) {
    Crypt crypt;
    crypt.SetKey(key);
    for (const Block& block : kBlocks) {
      SCOPED_TRACE(::testing::Message() << key << " " << std::hex << block.L << " " << block.R);
      std::uint32_t L = block.L;
      std::uint32_t R = block.R;
      crypt.p_EncipherBlock(L, R);
      EXPECT_FALSE(L == block.L && R == block.R);
      crypt.p_DecipherBlock(L, R);
      EXPECT_EQ(L, block.L);
      EXPECT_EQ(R, block.R);
      crypt.p_DecipherBlock(L, R);
      crypt.p_EncipherBlock(L, R);
      EXPECT_EQ(L, block.L);
      EXPECT_EQ(R, block.R);
    }
  }
}

TEST(CryptCipher, RoundFunctionAddsXorsAndAddsTheFourBoxes) {
  Crypt::Tables tables;
  tables.S[0][0x01] = 0xFFFFFFFF;
  tables.S[1][0x02] = 0x00000002;  // S0 + S1 wraps to 0x00000001
  tables.S[2][0x03] = 0x00000010;  // XOR gives 0x00000011
  tables.S[3][0x04] = 0xFFFFFFF0;  // the final sum wraps to 0x00000001
  tables.S[0][0x04] = 0x11111111;  // entries of other positions must not be used
  tables.S[3][0x01] = 0x22222222;
  const Crypt crypt(tables, Packing::Plain);
  EXPECT_EQ(crypt.p_RoundFunction(0x01020304), 0x00000001u);
  // Byte a selects from S0 only, byte d from S3 only.
  EXPECT_EQ(crypt.p_RoundFunction(0x04000000), 0x11111111u);
  EXPECT_EQ(crypt.p_RoundFunction(0x00000001), 0x22222222u);
}

TEST(CryptCipher, AddUnsignedWrapsModulo2To32) {
  const struct {
    std::uint32_t a, b, sum;
  } cases[] = {{1, 2, 3},
               {0xFFFFFFFF, 1, 0},
               {0x80000000, 0x80000000, 0},
               {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFE},
               {0x7FFFFFFF, 1, 0x80000000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << c.a << " + " << c.b);
    EXPECT_EQ(Crypt::p_AddUnsigned(c.a, c.b), c.sum);
  }
}

TEST(CryptCipher, GetWordReadsBigEndian) {
  const Crypt::Bytes bytes = {0x12, 0x34, 0x56, 0x78, 0x9A};
  EXPECT_EQ(Crypt::p_GetWord(bytes, 0), 0x12345678u);
  EXPECT_EQ(Crypt::p_GetWord(bytes, 1), 0x3456789Au);
}

TEST(CryptCipher, PutWordWritesMostSignificantByteFirst) {
  Crypt::Bytes bytes(6, 0);
  Crypt::p_PutWord(0xA1B2C3D4, bytes, 1);
  EXPECT_EQ(bytes, (Crypt::Bytes{0x00, 0xA1, 0xB2, 0xC3, 0xD4, 0x00}));
  EXPECT_EQ(Crypt::p_GetWord(bytes, 1), 0xA1B2C3D4u);
}

TEST(CryptCipher, WordAccessOutsideTheArrayIsOutOfRange) {
  const Crypt::Bytes original = {1, 2, 3, 4, 5};
  for (const std::size_t pos :
       {std::size_t{2}, std::size_t{5}, std::size_t{6}, std::numeric_limits<std::size_t>::max()}) {
    SCOPED_TRACE(pos);
    Crypt::Bytes bytes = original;
    EXPECT_TRUE(RaisesExactly([&] { Crypt::p_GetWord(bytes, pos); }, rtSubscriptOutOfRange, "",
                              "Subscript out of range"));
    EXPECT_TRUE(RaisesExactly([&] { Crypt::p_PutWord(0xFFFFFFFF, bytes, pos); },
                              rtSubscriptOutOfRange, "", "Subscript out of range"));
    EXPECT_EQ(bytes, original);
  }
  const Crypt::Bytes empty;
  EXPECT_TRUE(RaisesExactly([&] { Crypt::p_GetWord(empty, 0); }, rtSubscriptOutOfRange, "",
                            "Subscript out of range"));
}

TEST(CryptKeySchedule, AccumulatingOrPackingDiffersFromPlainPacking) {
  const struct {
    const char* name;
    std::string key;
    std::uint32_t orWord;
    std::uint32_t plainWord;
  } cases[] = {
      // Each lower byte is the OR of its own and every earlier byte of the word.
      {"distinct bits", "\x01\x02\x04\x08", 0x0103070F, 0x01020408},
      {"high bits", "\x80\x40\x20\x10", 0x80C0E0F0, 0x80402010},
      {"repeated byte", "AAAA", 0x41414141, 0x41414141},
      {"overlapping bits", "\x03\x01\x02\x04", 0x03030307, 0x03010204},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::size_t j = 0;
    EXPECT_EQ(Crypt::p_PackKeyWord(c.key, j, Packing::AccumulatingOr), c.orWord);
    EXPECT_EQ(j, 0u);
    EXPECT_EQ(Crypt::p_PackKeyWord(c.key, j, Packing::Plain), c.plainWord);
  }
}

TEST(CryptKeySchedule, PackingCyclesThroughShortKeys) {
  const std::string key = "\x01\x02\x04";
  std::size_t j = 0;
  EXPECT_EQ(Crypt::p_PackKeyWord(key, j, Packing::AccumulatingOr), 0x01030707u);  // 01 02 04 01
  EXPECT_EQ(j, 1u);
  EXPECT_EQ(Crypt::p_PackKeyWord(key, j, Packing::AccumulatingOr), 0x02060707u);  // 02 04 01 02
  EXPECT_EQ(j, 2u);
  EXPECT_EQ(Crypt::p_PackKeyWord(key, j, Packing::Plain), 0x04010204u);
  EXPECT_EQ(j, 0u);
}

TEST(CryptKeySchedule, RepeatedByteKeyMatchesPlainPacking) {
  Crypt accumulating;
  accumulating.SetKey("zzzzzzzz");
  Crypt plain(Crypt::Tables{}, Packing::Plain);
  plain.SetKey("zzzzzzzz");
  EXPECT_EQ(accumulating.GetTables(), plain.GetTables());
  EXPECT_FALSE(AllZero(accumulating.GetTables()));
}

TEST(CryptKeySchedule, OrPackedKeyDiffersFromPlainPacking) {
  Crypt accumulating;
  accumulating.SetKey("\x01\x02\x04\x08");
  Crypt plain(Crypt::Tables{}, Packing::Plain);
  plain.SetKey("\x01\x02\x04\x08");
  EXPECT_NE(accumulating.GetTables(), plain.GetTables());
}

TEST(CryptKeySchedule, SameKeyTwiceChangesNothing) {
  Crypt crypt;
  crypt.SetKey("first key");
  const Crypt::Tables once = crypt.GetTables();
  crypt.SetKey("first key");
  EXPECT_EQ(crypt.GetTables(), once);
  EXPECT_EQ(crypt.Key(), "first key");
}

TEST(CryptKeySchedule, ScheduleRunsOnTheCurrentTables) {
  Crypt first;
  first.SetKey("the key");
  Crypt second;
  second.SetKey("the key");
  EXPECT_EQ(first.GetTables(), second.GetTables());

  Crypt rekeyed;
  rekeyed.SetKey("another key");
  rekeyed.SetKey("the key");
  EXPECT_EQ(rekeyed.Key(), "the key");
  EXPECT_NE(rekeyed.GetTables(), first.GetTables());
}

TEST(CryptKeySchedule, KeyComparisonIsCaseSensitive) {
  Crypt lower;
  lower.SetKey("abc");
  Crypt upper;
  upper.SetKey("ABC");
  Crypt both;
  both.SetKey("abc");
  both.SetKey("ABC");
  EXPECT_NE(lower.GetTables(), upper.GetTables());
  EXPECT_NE(both.GetTables(), upper.GetTables());  // the second key did run
}

TEST(CryptKeySchedule, EmptyKeyOnNewObjectDoesNothing) {
  Crypt crypt;
  crypt.SetKey("");
  EXPECT_TRUE(AllZero(crypt.GetTables()));
  EXPECT_EQ(crypt.Key(), "");
}

TEST(CryptKeySchedule, EmptyKeyAfterAKeyIsOutOfRangeAndKeepsTheSchedule) {
  Crypt crypt;
  crypt.SetKey("kept");
  const Crypt::Tables before = crypt.GetTables();
  EXPECT_TRUE(RaisesExactly([&] { crypt.SetKey(""); }, rtSubscriptOutOfRange, "",
                            "Subscript out of range"));
  EXPECT_EQ(crypt.GetTables(), before);
  EXPECT_EQ(crypt.Key(), "kept");
}

TEST(CryptKeySchedule, KeyCharacterOutsideWindows1252IsAQuestionMark) {
  Crypt omega;
  omega.SetKey("k\xCE\xA9");  // "kΩ"
  Crypt question;
  question.SetKey("k?");
  EXPECT_EQ(omega.GetTables(), question.GetTables());
}

TEST(CryptKeySchedule, OneKeyCharacterIsOneKeyByte) {
  Crypt one;
  one.SetKey("\xC3\xA9");  // "é", byte E9
  Crypt two;
  two.SetKey("\xC3\x83\xC2\xA9");  // "Ã©", the two bytes of é's UTF-8 form
  EXPECT_NE(one.GetTables(), two.GetTables());
}

TEST(CryptKeySchedule, FromScheduleStartsWhereTheKeyScheduleEnded) {
  Crypt scheduled;
  scheduled.SetKey("shared");
  Crypt copy = Crypt::FromSchedule(scheduled.GetTables(), "shared");
  EXPECT_EQ(copy.Key(), "shared");
  copy.SetKey("shared");  // same key: nothing runs again
  EXPECT_EQ(copy.GetTables(), scheduled.GetTables());
}

}  // namespace
}  // namespace corvane
