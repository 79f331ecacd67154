// The round structure is published Blowfish: given pi's tables and plain key
// packing, the block functions reproduce the published ECB test vectors.
#include "crypto/Crypt.h"

#include "crypto/PiTables.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace corvane {
namespace {

using namespace std::string_literals;

const Crypt::Tables& Pi() {
  static const Crypt::Tables tables = testing::PiTables();
  return tables;
}

TEST(PublishedBlowfish, PiTablesHoldThePublishedCornerWords) {
  const Crypt::Tables& pi = Pi();
  EXPECT_EQ(pi.P[0], 0x243F6A88u);
  EXPECT_EQ(pi.P[1], 0x85A308D3u);
  EXPECT_EQ(pi.P[17], 0x8979FB1Bu);
  EXPECT_EQ(pi.S[0][0], 0xD1310BA6u);
  EXPECT_EQ(pi.S[1][0], 0x4B7A70E9u);
  EXPECT_EQ(pi.S[3][255], 0x3AC372E6u);
}

// Key texts spell the key bytes in Windows-1252, the cipher's key character set.
TEST(PublishedBlowfish, EcbVectors) {
  const struct {
    const char* keyHex;
    std::string key;
    std::uint32_t plainL, plainR, cipherL, cipherR;
  } vectors[] = {
      {"0000000000000000", std::string(8, '\0'), 0x00000000, 0x00000000, 0x4EF99745, 0x6198DD78},
      {"FFFFFFFFFFFFFFFF", "ÿÿÿÿÿÿÿÿ", 0xFFFFFFFF, 0xFFFFFFFF, 0x51866FD5, 0xB85ECB8A},
      {"3000000000000000", std::string("0") + std::string(7, '\0'), 0x10000000, 0x00000001,
       0x7D856F9A, 0x613063F2},
      {"1111111111111111", std::string(8, '\x11'), 0x11111111, 0x11111111, 0x2466DD87, 0x8B963C9D},
      {"0123456789ABCDEF", "\x01#Eg‰«Íï", 0x11111111, 0x11111111, 0x61F9C380, 0x2281B096},
      {"1111111111111111", std::string(8, '\x11'), 0x01234567, 0x89ABCDEF, 0x7D0CC630, 0xAFDA1EC7},
      {"FEDCBA9876543210", "þÜº˜vT2\x10", 0x01234567, 0x89ABCDEF, 0x0ACEAB0F, 0xC6A0A28D},
      {"7CA110454A1A6E57",
       "|¡\x10"
       "EJ\x1AnW",
       0x01A1D6D0, 0x39776742, 0x59C68245, 0xEB05282B},
      {"0131D9619DC1376E",
       "\x01"
       "1Ùa\xC2\x9D"
       "Á7n",
       0x5CD54CA8, 0x3DEF57DA, 0xB1B8CC0B, 0x250F09A0},
      // Keys shorter than the P-array are used cyclically.
      {"F0", "ð", 0xFEDCBA98, 0x76543210, 0xF9AD597C, 0x49DB005E},
      {"F0E1", "ðá", 0xFEDCBA98, 0x76543210, 0xE91D21C1, 0xD961A6D6},
      {"F0E1D2", "ðáÒ", 0xFEDCBA98, 0x76543210, 0xE9C2B70A, 0x1BC65CF3},
      {"F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677", "ðáÒÃ´¥–‡xiZK<-\x1E\x0F\x00\x11\"3DUfw"s,
       0xFEDCBA98, 0x76543210, 0x05044B62, 0xFA52D080},
  };
  for (const auto& v : vectors) {
    SCOPED_TRACE(v.keyHex);
    Crypt crypt(Pi(), Crypt::KeyPacking::Plain);
    crypt.SetKey(v.key);
    std::uint32_t L = v.plainL;
    std::uint32_t R = v.plainR;
    crypt.p_EncipherBlock(L, R);
    EXPECT_EQ(L, v.cipherL);
    EXPECT_EQ(R, v.cipherR);
    crypt.p_DecipherBlock(L, R);
    EXPECT_EQ(L, v.plainL);
    EXPECT_EQ(R, v.plainR);
  }
}

TEST(PublishedBlowfish, OrPackingChangesThePublishedResult) {
  // Key bytes 01 23 45 67 share bits, so the accumulating OR packs them differently.
  Crypt plain(Pi(), Crypt::KeyPacking::Plain);
  plain.SetKey("\x01#Eg‰«Íï");
  Crypt accumulating(Pi(), Crypt::KeyPacking::AccumulatingOr);
  accumulating.SetKey("\x01#Eg‰«Íï");
  std::uint32_t L = 0x11111111;
  std::uint32_t R = 0x11111111;
  accumulating.p_EncipherBlock(L, R);
  EXPECT_FALSE(L == 0x61F9C380u && R == 0x2281B096u);
  EXPECT_NE(plain.GetTables(), accumulating.GetTables());
}

}  // namespace
}  // namespace corvane
