// RuntimeErrors: the classic automation runtime error numbers the library
// raises, and their standard texts.
#pragma once

#include <cstdint>
#include <string_view>

namespace corvane {

enum RuntimeErrors : std::int32_t {
  rtInvalidProcedureCall = 5,
  rtOverflow = 6,
  rtOutOfMemory = 7,
  rtSubscriptOutOfRange = 9,
  rtTypeMismatch = 13,
  rtFileNotFound = 53,
  rtPermissionDenied = 70,
  rtPathFileAccessError = 75,
  rtPathNotFound = 76,
  rtObjectVariableNotSet = 91,
  rtInvalidUseOfNull = 94,
  rtObjectRequired = 424,
  rtCannotCreateObject = 429,
  rtObjectDoesNotSupport = 438,
  rtKeyAlreadyAssociated = 457,
  rtElementNotFound = 32811,
  rtClassNotRegistered = -2147221164,  // 0x80040154: creation through a context failed
  rtNotImplemented = -2147467263,      // 0x80004001
};

// The standard text of a runtime number; "Application-defined or
// object-defined error" for a number outside the table.
std::string_view RuntimeErrorText(std::int32_t number) noexcept;

}  // namespace corvane
