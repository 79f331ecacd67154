// Crypt: the Blowfish-structured block cipher behind encrypted configuration
// values, with its string framing. Internal to the library; one object is
// used by one thread at a time, and the string encryption makes a new one
// for every operation.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class Crypt {
 public:
  using Bytes = std::vector<std::uint8_t>;

  static constexpr std::size_t kPWords = 18;
  static constexpr std::size_t kSBoxCount = 4;
  static constexpr std::size_t kSBoxWords = 256;

  // The key-dependent tables: the P-array and the four S-boxes.
  struct Tables {
    std::array<std::uint32_t, kPWords> P{};
    std::array<std::array<std::uint32_t, kSBoxWords>, kSBoxCount> S{};
    friend bool operator==(const Tables&, const Tables&) = default;
  };

  // How four key bytes become one P-array word. This cipher ORs each byte
  // into the low byte before shifting; published Blowfish packs them plainly.
  enum class KeyPacking { AccumulatingOr, Plain };

  // A new cipher: every table word is 0, no key applied.
  Crypt() = default;
  // A cipher starting from initial tables with the given key packing; gives
  // published Blowfish when initial holds the digits of pi and packing is Plain.
  Crypt(const Tables& initial, KeyPacking packing) noexcept;
  // A cipher whose key schedule of key has already run.
  // REQUIRES: scheduled is what a new Crypt holds after SetKey(key).
  static Crypt FromSchedule(const Tables& scheduled, std::string key);

  // The write-only Key property: runs the key schedule on the current tables
  // unless i_sNewValue equals the last key applied (exact comparison).
  // An empty key on an object that has a key fails with error 9.
  void SetKey(std::string_view i_sNewValue);
  // The key text of the last key schedule applied; empty at construction.
  const std::string& Key() const noexcept { return m_sKey; }
  // A copy of the current P-array and S-boxes.
  Tables GetTables() const noexcept { return Tables{m_P, m_S}; }

  // The text as upper-case hexadecimal digits of its encrypted frame. An
  // empty i_sKey keeps the current key schedule.
  std::string EncryptString(std::string_view i_sTextToEncrypt, std::string_view i_sKey);
  // The text of a hexadecimal encrypted frame. Fails with 13 for a character
  // that is not a hexadecimal digit, 9 when the bytes are not whole blocks,
  // and -2147221504 when the decrypted size descriptor does not fit.
  std::string DecryptString(std::string_view i_sTextToDecrypt, std::string_view i_sKey);

  // Enciphers the 64-bit block (L, R) in place.
  void p_EncipherBlock(std::uint32_t& L, std::uint32_t& R) const noexcept;
  // Deciphers the 64-bit block (L, R) in place.
  void p_DecipherBlock(std::uint32_t& L, std::uint32_t& R) const noexcept;
  // The F function of the current S-boxes.
  std::uint32_t p_RoundFunction(std::uint32_t x) const noexcept;
  // (a + b) modulo 2^32.
  static std::uint32_t p_AddUnsigned(std::uint32_t a, std::uint32_t b) noexcept;
  // The big-endian word at bytes[pos..pos + 3]; error 9 when outside the array.
  static std::uint32_t p_GetWord(const Bytes& bytes, std::size_t pos);
  // Writes word big-endian into bytes[pos..pos + 3]; error 9 when outside.
  static void p_PutWord(std::uint32_t word, Bytes& bytes, std::size_t pos);
  // The next P-array word from keyBytes, cycling from index j (advanced by
  // four, wrapping at the end). REQUIRES: keyBytes is not empty, j < size.
  static std::uint32_t p_PackKeyWord(std::string_view keyBytes, std::size_t& j,
                                     KeyPacking packing) noexcept;

  // Frames bytes (two random words, the size descriptor, the data, zero
  // padding) and encrypts the frame in CBC mode with a zero initial vector.
  void p_EncryptBytes(Bytes& bytes, std::string_view key);
  // Decrypts a CBC frame in place and leaves only the data it carries.
  void p_DecryptBytes(Bytes& bytes, std::string_view key);
  // Two upper-case hexadecimal digits per byte.
  static std::string p_BytesToHex(const Bytes& bytes);
  // One byte per pair of hexadecimal digits (a lone last digit is a byte of
  // its own); error 13 for any other character.
  static Bytes p_HexToBytes(std::string_view text);

 private:
  Crypt(const Tables& scheduled, std::string key);

  void p_ScheduleKey(std::string_view keyBytes);
  // CBC over whole blocks in place, zero initial vector.
  void p_EncryptBlocks(std::uint8_t* data, std::size_t size) const noexcept;
  void p_DecryptBlocks(std::uint8_t* data, std::size_t size) const noexcept;
  // Deciphers one block in place and XORs the previous cipher block into it.
  void p_DecryptBlock(std::uint8_t* block, const std::uint8_t* previous) const noexcept;

  std::array<std::uint32_t, kPWords> m_P{};
  std::array<std::array<std::uint32_t, kSBoxWords>, kSBoxCount> m_S{};
  std::string m_sKey;
  KeyPacking m_packing = KeyPacking::AccumulatingOr;
};

}  // namespace corvane
