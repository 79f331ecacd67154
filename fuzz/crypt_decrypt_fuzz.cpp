// Decrypting arbitrary value text fails only with the library's own errors.
#include <corvane/Error.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "crypto/Lib_Crypt.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view value(reinterpret_cast<const char*>(data), size);
  try {
    corvane::Crypt_DecryptWithIndex(value);
  } catch (const corvane::Error&) {
    // A malformed value is refused; anything else would escape and crash.
  }
  return 0;
}
