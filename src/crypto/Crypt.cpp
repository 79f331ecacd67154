#include "crypto/Crypt.h"

#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include "platform/Text.h"

#include <utility>

namespace corvane {

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
    p_EncipherBlock(L, R);
    m_P[i] = L;
    m_P[i + 1] = R;
  }
  for (auto& box : m_S) {
    for (std::size_t e = 0; e < kSBoxWords; e += 2) {
      p_EncipherBlock(L, R);
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
  std::uint32_t l = L;
  std::uint32_t r = R;
#pragma GCC unroll 8
  for (std::size_t i = 0; i < 16; i += 2) {
    l ^= m_P[i];
    r ^= p_RoundFunction(l);
    r ^= m_P[i + 1];
    l ^= p_RoundFunction(r);
  }
  L = r ^ m_P[17];
  R = l ^ m_P[16];
}

void Crypt::p_DecipherBlock(std::uint32_t& L, std::uint32_t& R) const noexcept {
  std::uint32_t r = L ^ m_P[17];
  std::uint32_t l = R ^ m_P[16];
#pragma GCC unroll 8
  for (std::size_t i = 16; i > 0;) {
    i -= 2;
    l ^= p_RoundFunction(r);
    r ^= m_P[i + 1];
    r ^= p_RoundFunction(l);
    l ^= m_P[i];
  }
  L = l;
  R = r;
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
