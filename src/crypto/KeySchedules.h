// KeySchedules: the key schedule of each key of the key table, as a new
// Crypt ends it, computed once on first use and immutable afterwards.
// Safe for concurrent use; the process-wide instance is shared by all threads.
#pragma once

#include "crypto/Crypt.h"
#include "crypto/KeyTable.h"

#include <array>
#include <cstddef>
#include <mutex>

namespace corvane {

class KeySchedules {
 public:
  KeySchedules() = default;
  KeySchedules(const KeySchedules&) = delete;
  KeySchedules& operator=(const KeySchedules&) = delete;

  // The instance every encryption and decryption of the process uses.
  static const KeySchedules& Process();

  // The tables a new Crypt holds after the key of index has been applied.
  // REQUIRES: index < kCryptKeyCount.
  const Crypt::Tables& TablesFor(std::size_t index) const;
  // A cipher in the state of a new Crypt given the key of index.
  // REQUIRES: index < kCryptKeyCount.
  Crypt NewCrypt(std::size_t index) const;

 private:
  mutable std::array<std::once_flag, kCryptKeyCount> once_;
  mutable std::array<Crypt::Tables, kCryptKeyCount> tables_{};
};

}  // namespace corvane
