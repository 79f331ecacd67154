#include "crypto/Crypt.h"

#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include "platform/Text.h"

#include <array>
#include <utility>

namespace corvane {

namespace {

using PArray = std::array<std::uint32_t, Crypt::kPWords>;
using SBoxes = std::array<std::array<std::uint32_t, Crypt::kSBoxWords>, Crypt::kSBoxCount>;

[[gnu::always_inline]] inline std::uint32_t Feistel(const SBoxes& S, std::uint32_t x) noexcept {
  return ((S[0][x >> 24] + S[1][(x >> 16) & 0xFFu]) ^ S[2][(x >> 8) & 0xFFu]) + S[3][x & 0xFFu];
}

// Sixteen rounds. Each P word is XORed into a half before the F value it
// meets is ready, which keeps it off the chain of dependent look-ups.
[[gnu::always_inline]] inline void Encipher(const PArray& P, const SBoxes& S, std::uint32_t& L,
                                            std::uint32_t& R) noexcept {
  std::uint32_t l = L ^ P[0];
  std::uint32_t r = R;
#pragma GCC unroll 8
  for (std::size_t i = 1; i < 17; i += 2) {
    r ^= P[i];
    r ^= Feistel(S, l);
    l ^= P[i + 1];
    l ^= Feistel(S, r);
  }
  L = r ^ P[17];
  R = l;
}

[[gnu::always_inline]] inline void Decipher(const PArray& P, const SBoxes& S, std::uint32_t& L,
                                            std::uint32_t& R) noexcept {
  std::uint32_t r = L ^ P[17];
  std::uint32_t l = R ^ P[16];
#pragma GCC unroll 8
  for (std::size_t i = 16; i > 0;) {
    i -= 2;
    l ^= Feistel(S, r);
    r ^= P[i + 1];
    r ^= Feistel(S, l);
    l ^= P[i];
  }
  L = l;
  R = r;
}

inline std::uint32_t LoadBig(const std::uint8_t* p) noexcept {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         std::uint32_t{p[3]};
}

inline void StoreBig(std::uint8_t* p, std::uint32_t word) noexcept {
  p[0] = static_cast<std::uint8_t>(word >> 24);
  p[1] = static_cast<std::uint8_t>(word >> 16);
  p[2] = static_cast<std::uint8_t>(word >> 8);
  p[3] = static_cast<std::uint8_t>(word);
}

}  // namespace

Crypt::Crypt(const Tables& initial, KeyPacking packing) noexcept
    : m_P(initial.P), m_S(initial.S), m_packing(packing) {}

Crypt::Crypt(const Tables& scheduled, std::string key)
    : m_P(scheduled.P), m_S(scheduled.S), m_sKey(std::move(key)) {}

Crypt Crypt::FromSchedule(const Tables& scheduled, std::string key) {
  return Crypt(scheduled, std::move(key));
}

void Crypt::SetKey(std::string_view i_sNewValue) {
  if (i_sNewValue == m_sKey) {
    return;
  }
  const std::string keyBytes = platform::Utf8ToWindows1252(i_sNewValue);
  // The schedule reads key bytes cyclically; with none there is nothing to read.
  if (keyBytes.empty()) {
    throw Error::Runtime(rtSubscriptOutOfRange);
  }
  m_sKey = std::string(i_sNewValue);
  p_ScheduleKey(keyBytes);
}

void Crypt::p_ScheduleKey(std::string_view keyBytes) {
  std::size_t j = 0;
  for (std::uint32_t& word : m_P) {
    word ^= p_PackKeyWord(keyBytes, j, m_packing);
  }
  std::uint32_t L = 0;
  std::uint32_t R = 0;
  for (std::size_t i = 0; i < kPWords; i += 2) {
    Encipher(m_P, m_S, L, R);
    m_P[i] = L;
    m_P[i + 1] = R;
  }
  for (auto& box : m_S) {
    for (std::size_t e = 0; e < kSBoxWords; e += 2) {
      Encipher(m_P, m_S, L, R);
      box[e] = L;
      box[e + 1] = R;
    }
  }
}

std::uint32_t Crypt::p_PackKeyWord(std::string_view keyBytes, std::size_t& j,
                                   KeyPacking packing) noexcept {
  std::uint32_t w = 0;
  for (int step = 0; step < 4; ++step) {
    const std::uint32_t byte = static_cast<std::uint8_t>(keyBytes[j]);
    if (packing == KeyPacking::AccumulatingOr) {
      w = ((w << 8) | (w & 0xFFu)) | byte;
    } else {
      w = (w << 8) | byte;
    }
    if (++j == keyBytes.size()) {
      j = 0;
    }
  }
  return w;
}

std::uint32_t Crypt::p_RoundFunction(std::uint32_t x) const noexcept {
  const std::uint32_t sum = p_AddUnsigned(m_S[0][x >> 24], m_S[1][(x >> 16) & 0xFFu]);
  return p_AddUnsigned(sum ^ m_S[2][(x >> 8) & 0xFFu], m_S[3][x & 0xFFu]);
}

void Crypt::p_EncipherBlock(std::uint32_t& L, std::uint32_t& R) const noexcept {
  Encipher(m_P, m_S, L, R);
}

void Crypt::p_DecipherBlock(std::uint32_t& L, std::uint32_t& R) const noexcept {
  Decipher(m_P, m_S, L, R);
}

void Crypt::p_EncryptBlocks(std::uint8_t* data, std::size_t size) const noexcept {
  std::uint32_t L = 0;  // the zero initial vector
  std::uint32_t R = 0;
  for (std::size_t pos = 0; pos < size; pos += 8) {
    L ^= LoadBig(data + pos);
    R ^= LoadBig(data + pos + 4);
    Encipher(m_P, m_S, L, R);
    StoreBig(data + pos, L);
    StoreBig(data + pos + 4, R);
  }
}

void Crypt::p_DecryptBlocks(std::uint8_t* data, std::size_t size) const noexcept {
  std::uint32_t prevL = 0;
  std::uint32_t prevR = 0;
  for (std::size_t pos = 0; pos < size; pos += 8) {
    const std::uint32_t cL = LoadBig(data + pos);
    const std::uint32_t cR = LoadBig(data + pos + 4);
    std::uint32_t L = cL;
    std::uint32_t R = cR;
    Decipher(m_P, m_S, L, R);
    StoreBig(data + pos, L ^ prevL);
    StoreBig(data + pos + 4, R ^ prevR);
    prevL = cL;
    prevR = cR;
  }
}

void Crypt::p_DecryptBlock(std::uint8_t* block, const std::uint8_t* previous) const noexcept {
  std::uint32_t L = LoadBig(block);
  std::uint32_t R = LoadBig(block + 4);
  Decipher(m_P, m_S, L, R);
  StoreBig(block, L ^ LoadBig(previous));
  StoreBig(block + 4, R ^ LoadBig(previous + 4));
}

std::uint32_t Crypt::p_AddUnsigned(std::uint32_t a, std::uint32_t b) noexcept {
  return a + b;  // unsigned arithmetic wraps modulo 2^32
}

std::uint32_t Crypt::p_GetWord(const Bytes& bytes, std::size_t pos) {
  if (pos > bytes.size() || bytes.size() - pos < 4) {
    throw Error::Runtime(rtSubscriptOutOfRange);
  }
  return (std::uint32_t{bytes[pos]} << 24) | (std::uint32_t{bytes[pos + 1]} << 16) |
         (std::uint32_t{bytes[pos + 2]} << 8) | std::uint32_t{bytes[pos + 3]};
}

void Crypt::p_PutWord(std::uint32_t word, Bytes& bytes, std::size_t pos) {
  if (pos > bytes.size() || bytes.size() - pos < 4) {
    throw Error::Runtime(rtSubscriptOutOfRange);
  }
  bytes[pos] = static_cast<std::uint8_t>(word >> 24);
  bytes[pos + 1] = static_cast<std::uint8_t>(word >> 16);
  bytes[pos + 2] = static_cast<std::uint8_t>(word >> 8);
  bytes[pos + 3] = static_cast<std::uint8_t>(word);
}

}  // namespace corvane
