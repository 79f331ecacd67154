// The Error a call raises, for assertions on all of its fields.
#pragma once

#include <corvane/Error.h>

#include <gtest/gtest.h>

#include <functional>

namespace corvane::test {

// The error call raised; a call that raises nothing fails the test.
inline Error Caught(const std::function<void()>& call) {
  try {
    call();
  } catch (const Error& error) {
    return error;
  }
  ADD_FAILURE() << "no error was raised";
  return Error(0, "", "");
}

}  // namespace corvane::test
