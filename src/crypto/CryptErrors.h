// The failures of the string encryption, with their numbers and texts.
#pragma once

#include <corvane/Error.h>

namespace corvane {

// A key index outside the key table.
Error IncorrectKeyIndexError();
// A decrypted frame whose size descriptor does not fit the frame.
Error IncorrectSizeDescriptorError();

}  // namespace corvane
