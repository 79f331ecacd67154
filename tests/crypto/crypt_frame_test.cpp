#include "crypto/Crypt.h"

#include <corvane/ErrorOffsets.h>
#include <corvane/RuntimeErrors.h>

#include "crypto/ExpectError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace corvane {
namespace {

using corvane::testing::RaisesExactly;
using Bytes = Crypt::Bytes;

constexpr const char* kKey = "7E2C95A0B3F84d61C8A4E0F91B6D3A57";
constexpr const char* kSizeText = "Incorrect size descriptor in Blowfish decryption";

Crypt Keyed(std::string_view key = kKey) {
  Crypt crypt;
  crypt.SetKey(key);
  return crypt;
}

// CBC with a zero initial vector, block by block, as a reader of stored values would.
Bytes CbcDecrypt(const Crypt& keyed, const Bytes& cipher) {
  Bytes plain(cipher.size());
  std::uint32_t prevL = 0;
  std::uint32_t prevR = 0;
  for (std::size_t pos = 0; pos < cipher.size(); pos += 8) {
    std::uint32_t L = Crypt::p_GetWord(cipher, pos);
    std::uint32_t R = Crypt::p_GetWord(cipher, pos + 4);
    const std::uint32_t cL = L;
    const std::uint32_t cR = R;
    keyed.p_DecipherBlock(L, R);
    Crypt::p_PutWord(L ^ prevL, plain, pos);
    Crypt::p_PutWord(R ^ prevR, plain, pos + 4);
    prevL = cL;
    prevR = cR;
  }
  return plain;
}

Bytes CbcEncrypt(const Crypt& keyed, Bytes frame) {
  std::uint32_t prevL = 0;
  std::uint32_t prevR = 0;
  for (std::size_t pos = 0; pos < frame.size(); pos += 8) {
    std::uint32_t L = Crypt::p_GetWord(frame, pos) ^ prevL;
    std::uint32_t R = Crypt::p_GetWord(frame, pos + 4) ^ prevR;
    keyed.p_EncipherBlock(L, R);
    Crypt::p_PutWord(L, frame, pos);
    Crypt::p_PutWord(R, frame, pos + 4);
    prevL = L;
    prevR = R;
  }
  return frame;
}

// A plain frame of total bytes with the given size descriptor and data.
Bytes Frame(std::size_t total, std::int32_t size, const std::string& data = {}) {
  Bytes frame(total, 0);
  const auto word = static_cast<std::uint32_t>(size);
  for (int i = 0; i < 4; ++i) frame[8 + i] = static_cast<std::uint8_t>(word >> (8 * i));
  std::copy(data.begin(), data.end(), frame.begin() + 12);
  return frame;
}

std::uint32_t LittleEndianAt(const Bytes& bytes, std::size_t pos) {
  return std::uint32_t{bytes[pos]} | (std::uint32_t{bytes[pos + 1]} << 8) |
         (std::uint32_t{bytes[pos + 2]} << 16) | (std::uint32_t{bytes[pos + 3]} << 24);
}

TEST(CryptFrame, FrameHoldsRandomWordsSizeDataAndZeroPadding) {
  const struct {
    std::string data;
    std::size_t frameSize;
  } cases[] = {{"", 16}, {"abcd", 16}, {"abcde", 24}, {"abcdefghijkl", 24}, {"abcdefghijklm", 32}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.data);
    Crypt crypt = Keyed();
    Bytes bytes(c.data.begin(), c.data.end());
    crypt.p_EncryptBytes(bytes, "");
    ASSERT_EQ(bytes.size(), c.frameSize);
    const Bytes frame = CbcDecrypt(Keyed(), bytes);
    EXPECT_LE(LittleEndianAt(frame, 0), 2147483647u);
    EXPECT_LE(LittleEndianAt(frame, 4), 2147483647u);
    EXPECT_EQ(LittleEndianAt(frame, 8), c.data.size());
    EXPECT_EQ(std::string(frame.begin() + 12, frame.begin() + 12 + c.data.size()), c.data);
    for (std::size_t i = 12 + c.data.size(); i < frame.size(); ++i) {
      EXPECT_EQ(frame[i], 0) << "padding byte " << i;
    }
  }
}

TEST(CryptFrame, RandomWordsDifferBetweenEncryptions) {
  Bytes first = {'x'};
  Bytes second = {'x'};
  Keyed().p_EncryptBytes(first, "");
  Keyed().p_EncryptBytes(second, "");
  const Bytes a = CbcDecrypt(Keyed(), first);
  const Bytes b = CbcDecrypt(Keyed(), second);
  EXPECT_NE(Bytes(a.begin(), a.begin() + 8), Bytes(b.begin(), b.begin() + 8));
  EXPECT_NE(first, second);
}

TEST(CryptFrame, DecryptBytesLeavesTheData) {
  Crypt crypt = Keyed();
  Bytes bytes = {0x00, 0x7F, 0x80, 0xFF, 0x0D, 0x0A};
  const Bytes original = bytes;
  crypt.p_EncryptBytes(bytes, "");
  Keyed().p_DecryptBytes(bytes, "");
  EXPECT_EQ(bytes, original);
}

TEST(CryptFrame, EncryptStringWritesUpperCaseHexOfWholeBlocks) {
  const struct {
    std::string text;
    std::size_t hexLength;
  } cases[] = {{"", 32},
               {"abc", 32},
               {"abcd", 32},
               {"abcde", 48},
               {"abcdefghijkl", 48},
               {"abcdefghijklm", 64},
               {std::string(20, 'x'), 64},
               {std::string(21, 'x'), 80},
               {std::string(29, 'x'), 96}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.size());
    const std::string hex = Crypt().EncryptString(c.text, kKey);
    EXPECT_EQ(hex.size(), c.hexLength);
    EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos) << hex;
    EXPECT_EQ(Crypt().DecryptString(hex, kKey), c.text);
  }
}

TEST(CryptFrame, TextBecomesWindows1252Bytes) {
  // "é€" is two bytes in Windows-1252 (five in UTF-8): one 16-byte frame.
  const std::string hex = Crypt().EncryptString("\xC3\xA9\xE2\x82\xAC", kKey);
  EXPECT_EQ(hex.size(), 32u);
  const Bytes frame = CbcDecrypt(Keyed(), Crypt::p_HexToBytes(hex));
  EXPECT_EQ(LittleEndianAt(frame, 8), 2u);
  EXPECT_EQ(frame[12], 0xE9);
  EXPECT_EQ(frame[13], 0x80);
  EXPECT_EQ(Crypt().DecryptString(hex, kKey), "\xC3\xA9\xE2\x82\xAC");
}

TEST(CryptFrame, CharacterOutsideWindows1252DecryptsAsQuestionMark) {
  const std::string hex = Crypt().EncryptString(
      "a\xCE\xA9"
      "b",
      kKey);  // "aΩb"
  EXPECT_EQ(Crypt().DecryptString(hex, kKey), "a?b");
}

TEST(CryptFrame, EmptyKeyKeepsTheCurrentSchedule) {
  Crypt crypt = Keyed();
  const std::string hex = crypt.EncryptString("same schedule", "");
  EXPECT_EQ(Crypt().DecryptString(hex, kKey), "same schedule");
  EXPECT_EQ(crypt.DecryptString(hex, ""), "same schedule");
}

TEST(CryptFrame, LowerCaseHexDecrypts) {
  std::string hex = Crypt().EncryptString("lower", kKey);
  for (char& c : hex) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(Crypt().DecryptString(hex, kKey), "lower");
}

TEST(CryptFrame, SizeDescriptorMustLeaveTwelveToNineteenBytes) {
  const struct {
    const char* name;
    Bytes frame;
    bool fits;
    std::string text;
  } cases[] = {
      {"negative", Frame(16, -1), false, ""},
      {"most negative", Frame(16, std::numeric_limits<std::int32_t>::min()), false, ""},
      {"leaves 11", Frame(16, 5, "abcd"), false, ""},
      {"leaves 20", Frame(24, 4, "abcd"), false, ""},
      {"huge", Frame(16, std::numeric_limits<std::int32_t>::max()), false, ""},
      {"leaves 12", Frame(16, 4, "abcd"), true, "abcd"},
      {"leaves 19", Frame(24, 5, "abcde"), true, "abcde"},
      {"empty text", Frame(16, 0), true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string hex = Crypt::p_BytesToHex(CbcEncrypt(Keyed(), c.frame));
    if (c.fits) {
      EXPECT_EQ(Crypt().DecryptString(hex, kKey), c.text);
    } else {
      EXPECT_TRUE(
          RaisesExactly([&] { Crypt().DecryptString(hex, kKey); }, cvCorvaneError, "", kSizeText));
    }
  }
}

TEST(CryptFrame, FailedDecryptionLeavesTheBytes) {
  const Bytes cipher = CbcEncrypt(Keyed(), Frame(16, -1));
  Bytes bytes = cipher;
  EXPECT_TRUE(
      RaisesExactly([&] { Keyed().p_DecryptBytes(bytes, ""); }, cvCorvaneError, "", kSizeText));
  EXPECT_EQ(bytes, cipher);
}

TEST(CryptFrame, HexOfPartialBlocksIsOutOfRange) {
  const std::string valid = Crypt().EncryptString("abc", kKey);
  for (const std::string& hex :
       {std::string(), std::string("0"), valid.substr(0, 16), valid.substr(0, 17),
        valid.substr(0, 29), valid.substr(0, 30), valid + "00"}) {
    SCOPED_TRACE(hex);
    EXPECT_TRUE(RaisesExactly([&] { Crypt().DecryptString(hex, kKey); }, rtSubscriptOutOfRange, "",
                              "Subscript out of range"));
  }
}

TEST(CryptFrame, NonHexCharacterIsATypeMismatch) {
  const std::string valid = Crypt().EncryptString("abc", kKey);
  for (const std::string& hex : {"G" + valid.substr(1), valid.substr(0, 31) + "g",
                                 valid.substr(0, 10) + " " + valid.substr(11),
                                 valid.substr(0, 30) + "\xC3\xA9", "-1" + valid.substr(2)}) {
    SCOPED_TRACE(hex);
    EXPECT_TRUE(RaisesExactly([&] { Crypt().DecryptString(hex, kKey); }, rtTypeMismatch, "",
                              "Type mismatch"));
  }
}

TEST(CryptHex, BytesToHexIsTwoUpperCaseDigitsPerByte) {
  EXPECT_EQ(Crypt::p_BytesToHex({}), "");
  EXPECT_EQ(Crypt::p_BytesToHex({0x00, 0x0F, 0xA0, 0xFF, 0x5c}), "000FA0FF5C");
}

TEST(CryptHex, HexToBytesReadsPairsInEitherCase) {
  const struct {
    std::string text;
    Bytes bytes;
  } cases[] = {{"", {}},
               {"00", {0x00}},
               {"0aFf", {0x0A, 0xFF}},
               {"ABC", {0xAB, 0x0C}},  // a lone last digit is a byte of its own
               {"7", {0x07}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Crypt::p_HexToBytes(c.text), c.bytes);
  }
}

}  // namespace
}  // namespace corvane
