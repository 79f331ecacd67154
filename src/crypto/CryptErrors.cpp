#include "crypto/CryptErrors.h"

#include <corvane/ErrorOffsets.h>

namespace corvane {

// Both failures carry the library's base number and no source of their own.
Error IncorrectKeyIndexError() {
  return Error(cvCorvaneError, {}, "Incorrect Encryption Key Index");
}

Error IncorrectSizeDescriptorError() {
  return Error(cvCorvaneError, {}, "Incorrect size descriptor in Blowfish decryption");
}

}  // namespace corvane
