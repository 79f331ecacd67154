#include "crypto/Crypt.h"
#include "crypto/CryptErrors.h"
#include "crypto/FrameRandom.h"

#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include "platform/Text.h"

#include <algorithm>
#include <limits>

namespace corvane {
namespace {

constexpr std::size_t kBlockSize = 8;
constexpr std::size_t kHeaderSize = 12;  // R1, R2 and the size descriptor
constexpr std::size_t kSizeOffset = 8;
constexpr std::int64_t kMaxPadding = 7;

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

inline void StoreLittle(std::uint8_t* p, std::uint32_t word) noexcept {
  p[0] = static_cast<std::uint8_t>(word);
  p[1] = static_cast<std::uint8_t>(word >> 8);
  p[2] = static_cast<std::uint8_t>(word >> 16);
  p[3] = static_cast<std::uint8_t>(word >> 24);
}

inline std::int32_t LoadLittleSigned(const std::uint8_t* p) noexcept {
  const std::uint32_t word = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                             (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
  return static_cast<std::int32_t>(word);
}

}  // namespace

void Crypt::p_EncryptBlocks(std::uint8_t* data, std::size_t size) const noexcept {
  std::uint32_t prevL = 0;
  std::uint32_t prevR = 0;
  for (std::size_t pos = 0; pos < size; pos += kBlockSize) {
    std::uint32_t L = LoadBig(data + pos) ^ prevL;
    std::uint32_t R = LoadBig(data + pos + 4) ^ prevR;
    p_EncipherBlock(L, R);
    StoreBig(data + pos, L);
    StoreBig(data + pos + 4, R);
    prevL = L;
    prevR = R;
  }
}

void Crypt::p_DecryptBlocks(std::uint8_t* data, std::size_t size) const noexcept {
  std::uint32_t prevL = 0;
  std::uint32_t prevR = 0;
  for (std::size_t pos = 0; pos < size; pos += kBlockSize) {
    const std::uint32_t cL = LoadBig(data + pos);
    const std::uint32_t cR = LoadBig(data + pos + 4);
    std::uint32_t L = cL;
    std::uint32_t R = cR;
    p_DecipherBlock(L, R);
    StoreBig(data + pos, L ^ prevL);
    StoreBig(data + pos + 4, R ^ prevR);
    prevL = cL;
    prevR = cR;
  }
}

void Crypt::p_EncryptBytes(Bytes& bytes, std::string_view key) {
  if (!key.empty()) {
    SetKey(key);
  }
  const std::size_t n = bytes.size();
  // The size descriptor is a signed 32-bit field.
  if (n > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) - kHeaderSize) {
    throw Error::Runtime(rtOverflow);
  }
  const std::size_t frameSize = (n + kHeaderSize + kBlockSize - 1) / kBlockSize * kBlockSize;
  Bytes frame(frameSize, 0);
  StoreLittle(frame.data(), NextFrameRandom());
  StoreLittle(frame.data() + 4, NextFrameRandom());
  StoreLittle(frame.data() + kSizeOffset, static_cast<std::uint32_t>(n));
  std::copy(bytes.begin(), bytes.end(), frame.begin() + kHeaderSize);
  p_EncryptBlocks(frame.data(), frame.size());
  bytes = std::move(frame);
}

void Crypt::p_DecryptBytes(Bytes& bytes, std::string_view key) {
  if (!key.empty()) {
    SetKey(key);
  }
  const std::size_t total = bytes.size();
  // A partial block, or too few bytes to hold the size descriptor, reads past the end.
  if (total % kBlockSize != 0 || total < kSizeOffset + 4) {
    throw Error::Runtime(rtSubscriptOutOfRange);
  }
  Bytes frame = bytes;
  p_DecryptBlocks(frame.data(), frame.size());
  const std::int64_t size = LoadLittleSigned(frame.data() + kSizeOffset);
  const std::int64_t around = static_cast<std::int64_t>(total) - size;
  if (size < 0 || around < static_cast<std::int64_t>(kHeaderSize) ||
      around > static_cast<std::int64_t>(kHeaderSize) + kMaxPadding) {
    throw IncorrectSizeDescriptorError();
  }
  const auto first = frame.begin() + kHeaderSize;
  bytes.assign(first, first + static_cast<std::ptrdiff_t>(size));
}

std::string Crypt::EncryptString(std::string_view i_sTextToEncrypt, std::string_view i_sKey) {
  const std::string narrow = platform::Utf8ToWindows1252(i_sTextToEncrypt);
  Bytes bytes(narrow.begin(), narrow.end());
  p_EncryptBytes(bytes, i_sKey);
  return p_BytesToHex(bytes);
}

std::string Crypt::DecryptString(std::string_view i_sTextToDecrypt, std::string_view i_sKey) {
  Bytes bytes = p_HexToBytes(i_sTextToDecrypt);
  p_DecryptBytes(bytes, i_sKey);
  return platform::Windows1252ToUtf8(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace corvane
