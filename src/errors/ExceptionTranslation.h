// Turns whatever a library call threw into an Error with the nearest
// runtime number, so that handlers only ever deal with Error.
#pragma once

#include <corvane/Error.h>

#include <exception>

namespace corvane {

// REQUIRES: called while an exception is being handled, or with one.
Error ToError(std::exception_ptr exception) noexcept;

// The runtime number nearest to an errno value.
std::int32_t RuntimeNumberForErrno(int error) noexcept;

}  // namespace corvane
