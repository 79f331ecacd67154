#include "crypto/Crypt.h"
#include "crypto/CryptErrors.h"
#include "crypto/FrameRandom.h"

#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include "platform/Text.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace corvane {
namespace {

constexpr std::size_t kBlockSize = 8;
constexpr std::size_t kHeaderSize = 12;  // R1, R2 and the size descriptor
constexpr std::size_t kSizeOffset = 8;
constexpr std::int64_t kMaxPadding = 7;

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
  // Framed in place: a caller's buffer with room to spare is never reallocated.
  bytes.resize(frameSize);
  std::uint8_t* frame = bytes.data();
  std::memmove(frame + kHeaderSize, frame, n);
  std::fill(frame + kHeaderSize + n, frame + frameSize, std::uint8_t{0});
  StoreLittle(frame, NextFrameRandom());
  StoreLittle(frame + 4, NextFrameRandom());
  StoreLittle(frame + kSizeOffset, static_cast<std::uint32_t>(n));
  p_EncryptBlocks(frame, frameSize);
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
  // The descriptor lies in the second block, which chains on the first: it
  // is checked before anything is decrypted, so a failure leaves the bytes.
  std::uint8_t second[kBlockSize];
  std::copy(bytes.begin() + kBlockSize, bytes.begin() + 2 * kBlockSize, second);
  p_DecryptBlock(second, bytes.data());
  const std::int64_t size = LoadLittleSigned(second + (kSizeOffset - kBlockSize));
  const std::int64_t around = static_cast<std::int64_t>(total) - size;
  if (size < 0 || around < static_cast<std::int64_t>(kHeaderSize) ||
      around > static_cast<std::int64_t>(kHeaderSize) + kMaxPadding) {
    throw IncorrectSizeDescriptorError();
  }
  p_DecryptBlocks(bytes.data(), total);
  bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(kHeaderSize));
  bytes.resize(static_cast<std::size_t>(size));
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
