#include "crypto/Lib_Crypt.h"

#include <corvane/ErrorOffsets.h>
#include <corvane/RuntimeErrors.h>

#include "crypto/ClockGuard.h"
#include "crypto/Crypt.h"
#include "crypto/ExpectError.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <thread>
#include <vector>

namespace corvane {
namespace {

using corvane::testing::ClockGuard;
using corvane::testing::RaisesExactly;

constexpr const char* kIndexText = "Incorrect Encryption Key Index";
constexpr const char* kSizeText = "Incorrect size descriptor in Blowfish decryption";

// The first n characters of a cycle of ASCII and other Windows-1252 characters.
std::string TextOfLength(std::size_t n) {
  const std::vector<std::string> pool = {"a",  "\xC3\xA9", "Z", "\xE2\x82\xAC",
                                         " ",  "\xC3\xBC", "9", "\xC5\x93",
                                         "\"", "\xC3\x9F", "<", "\xE2\x80\x99"};
  std::string text;
  for (std::size_t i = 0; i < n; ++i) text += pool[i % pool.size()];
  return text;
}

TEST(LibCryptKeys, GetKeyReturnsTheTableRow) {
  const char* const table[] = {
      "5C3A90D7E21B4f07B6D1093C6F2B71D9", "0D8E6B2F74A34c19A0E5F6B7C3D29481",
      "B41F07E9C6D24a5e9F3B80A1D75E6C02", "7E2C95A0B3F84d61C8A4E0F91B6D3A57",
      "93D6A18F0C5E4b2aA7F3D9E2048B1C6F", "2A7F4E0B9D164e8cB05A3C7E91F6D284",
      "E0B5C93A174D4f36D82E6A0F5C1B97D3", "48C1E7F2A09B4a73E6D50B8C2F3A1E96",
      "F37D0A6C85E14c9bA4B2E7D06C9F3518", "6B9E2D48F1A74d05C3F8A6E1D0B4297C",
  };
  for (std::int32_t index = 0; index < 10; ++index) {
    SCOPED_TRACE(index);
    EXPECT_EQ(Crypt_GetKey(index), table[index]);
  }
}

TEST(LibCryptKeys, IndexOutsideTheTableFails) {
  for (const std::int32_t index : {-1, 10, 99, std::numeric_limits<std::int32_t>::min(),
                                   std::numeric_limits<std::int32_t>::max()}) {
    SCOPED_TRACE(index);
    EXPECT_TRUE(RaisesExactly([&] { Crypt_GetKey(index); }, cvCorvaneError, "", kIndexText));
    EXPECT_TRUE(RaisesExactly([&] { Crypt_EncryptWithKeyIndex("text", index); }, cvCorvaneError, "",
                              kIndexText));
  }
}

TEST(LibCryptKeys, KeyIndexIsTheClockSecondModuloTen) {
  const struct {
    int second;
    std::int32_t index;
  } cases[] = {{0, 0}, {3, 3}, {9, 9}, {10, 0}, {37, 7}, {43, 3}, {59, 9}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.second);
    ClockGuard clock(c.second);
    EXPECT_EQ(Crypt_KeyIndexFromClock(), c.index);
    EXPECT_EQ(Crypt_EncryptWithIndex("x").substr(0, 2), "0" + std::to_string(c.index));
  }
}

TEST(LibCryptEncrypt, EmptyTextStaysEmpty) {
  ClockGuard clock(12);
  EXPECT_EQ(Crypt_EncryptWithIndex(""), "");
  EXPECT_EQ(Crypt_EncryptWithKeyIndex("", 4), "");
}

TEST(LibCryptEncrypt, ValueIsIndexDigitsAndUpperCaseHex) {
  ClockGuard clock(43);
  const std::string value = Crypt_EncryptWithIndex("abc");
  ASSERT_EQ(value.size(), 34u);
  EXPECT_EQ(value.substr(0, 2), "03");
  EXPECT_EQ(value.find_first_not_of("0123456789ABCDEF", 2), std::string::npos) << value;
  EXPECT_EQ(Crypt_EncryptWithIndex("abcde").size(), 50u);
}

TEST(LibCryptEncrypt, ValueHexIsTheCryptOfTheIndexKey) {
  // What a new Crypt makes with the key of index 6 reads back through the prefix 06.
  const std::string hex = Crypt().EncryptString("from a fresh schedule", Crypt_GetKey(6));
  EXPECT_EQ(Crypt_DecryptWithIndex("06" + hex), "from a fresh schedule");
  const std::string value = Crypt_EncryptWithKeyIndex("through the table", 6);
  EXPECT_EQ(Crypt().DecryptString(value.substr(2), Crypt_GetKey(6)), "through the table");
}

TEST(LibCryptRoundTrip, EveryKeyIndexAndLengthsUpToForty) {
  for (int second = 0; second < 10; ++second) {
    ClockGuard clock(second);
    for (std::size_t n = 0; n <= 40; ++n) {
      SCOPED_TRACE(::testing::Message() << "index " << second << ", length " << n);
      const std::string text = TextOfLength(n);
      const std::string value = Crypt_EncryptWithIndex(text);
      const std::size_t expectedLength = n == 0 ? 0 : 2 + 16 * ((n + 12 + 7) / 8);
      EXPECT_EQ(value.size(), expectedLength);
      EXPECT_EQ(Crypt_DecryptWithIndex(value), text);
    }
  }
}

TEST(LibCryptRoundTrip, EncryptedLengthsFollowTheFrameSize) {
  const struct {
    std::size_t textLength;
    std::size_t valueLength;
  } cases[] = {{1, 34}, {4, 34}, {5, 50}, {12, 50}, {13, 66}, {20, 66}, {21, 82}, {28, 82}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.textLength);
    EXPECT_EQ(Crypt_EncryptWithKeyIndex(std::string(c.textLength, 'q'), 1).size(), c.valueLength);
  }
}

TEST(LibCryptRoundTrip, EqualTextsEncryptDifferently) {
  ClockGuard clock(7);
  const std::string first = Crypt_EncryptWithIndex("same text");
  const std::string second = Crypt_EncryptWithIndex("same text");
  EXPECT_NE(first, second);
  EXPECT_EQ(Crypt_DecryptWithIndex(first), "same text");
  EXPECT_EQ(Crypt_DecryptWithIndex(second), "same text");
}

TEST(LibCryptDecrypt, PrefixNamesTheKeyWhateverTheClockSays) {
  std::string value;
  {
    ClockGuard clock(23);
    value = Crypt_EncryptWithIndex("written at second 23");
  }
  ASSERT_EQ(value.substr(0, 2), "03");
  for (int second = 0; second < 60; second += 7) {
    SCOPED_TRACE(second);
    ClockGuard clock(second);
    EXPECT_EQ(Crypt_DecryptWithIndex(value), "written at second 23");
  }
}

TEST(LibCryptDecrypt, WrongKeyFailsOrGivesOtherText) {
  for (const std::string text : {"a", "secret", "a longer secret text of some bytes"}) {
    const std::string value = Crypt_EncryptWithKeyIndex(text, 3);
    for (char other = '0'; other <= '9'; ++other) {
      if (other == '3') continue;
      SCOPED_TRACE(::testing::Message() << text << " with key " << other);
      const std::string wrong = std::string("0") + other + value.substr(2);
      try {
        EXPECT_NE(Crypt_DecryptWithIndex(wrong), text);
      } catch (const Error& error) {
        EXPECT_EQ(error.Number(), cvCorvaneError);
        EXPECT_EQ(error.Source(), "");
        EXPECT_EQ(error.Description(), kSizeText);
      }
    }
  }
}

TEST(LibCryptDecrypt, IndexOutsideTheTableDecryptsWithZeroTables) {
  const std::string hex = Crypt().EncryptString("no key at all", "");
  for (const std::string prefix : {"10", "99", "-1"}) {
    SCOPED_TRACE(prefix);
    EXPECT_EQ(Crypt_DecryptWithIndex(prefix + hex), "no key at all");
  }
  // A keyed value read with zero tables does not give its text back.
  const std::string keyed = Crypt_EncryptWithKeyIndex("keyed", 2).substr(2);
  try {
    EXPECT_NE(Crypt_DecryptWithIndex("42" + keyed), "keyed");
  } catch (const Error& error) {
    EXPECT_EQ(error.Description(), kSizeText);
  }
}

TEST(LibCryptDecrypt, ValuesWithoutANumericPrefix) {
  const struct {
    const char* name;
    std::string value;
    std::string result;
  } cases[] = {
      {"empty", "", ""},
      {"one character", "7", "7"},
      {"one non-ASCII character", "\xC3\xA9", "\xC3\xA9"},
      {"two letters", "ab", ""},
      {"letters then hex", "abC0FFEE", "C0FFEE"},
      {"non-ASCII letters counted as characters", "\xC3\xA9\xC3\xBCrest", "rest"},
      {"a plain text", "hello world", "llo world"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Crypt_DecryptWithIndex(c.value), c.result);
  }
}

TEST(LibCryptDecrypt, DamagedHexFails) {
  const std::string value = Crypt_EncryptWithKeyIndex("abc", 5);
  const struct {
    const char* name;
    std::string value;
    std::int32_t number;
    const char* text;
  } cases[] = {
      {"no hex", "05", rtSubscriptOutOfRange, "Subscript out of range"},
      {"one block", value.substr(0, 18), rtSubscriptOutOfRange, "Subscript out of range"},
      {"a partial block", value.substr(0, 31), rtSubscriptOutOfRange, "Subscript out of range"},
      {"a letter that is no digit", value.substr(0, 20) + "X" + value.substr(21), rtTypeMismatch,
       "Type mismatch"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(RaisesExactly([&] { Crypt_DecryptWithIndex(c.value); }, c.number, "", c.text));
  }
}

TEST(LibCryptConcurrency, ParallelRoundTripsOnEveryKey) {
  std::vector<std::thread> threads;
  std::vector<int> failures(8, 0);
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([t, &failures] {
      for (int i = 0; i < 50; ++i) {
        const std::string text = "thread " + std::to_string(t) + " value " + std::to_string(i);
        const std::string value = Crypt_EncryptWithKeyIndex(text, (t + i) % 10);
        if (Crypt_DecryptWithIndex(value) != text) ++failures[t];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(failures, std::vector<int>(8, 0));
}

}  // namespace
}  // namespace corvane
