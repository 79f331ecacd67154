// RaisesExactly: checks that an action raises a corvane::Error with an exact
// number, source and description.
#pragma once

#include <corvane/Error.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

namespace corvane::testing {

template <class Action>
::testing::AssertionResult RaisesExactly(Action&& action, std::int32_t number,
                                         std::string_view source, std::string_view description) {
  try {
    action();
  } catch (const Error& error) {
    if (error.Number() == number && error.Source() == source &&
        error.Description() == description) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "raised " << error.Number() << " (source \"" << error.Source() << "\") \""
           << error.Description() << "\", expected " << number << " (source \"" << source
           << "\") \"" << description << "\"";
  } catch (const std::exception& other) {
    return ::testing::AssertionFailure() << "raised a foreign exception: " << other.what();
  }
  return ::testing::AssertionFailure() << "raised nothing, expected " << number;
}

}  // namespace corvane::testing
