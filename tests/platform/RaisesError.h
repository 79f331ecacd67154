// RaisesError: checks that an action raises a corvane::Error with an exact
// number and description (or a description that begins with the given text).
#pragma once

#include <corvane/Error.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::testing {

enum class TextMatch { Exact, Prefix };

template <class Action>
::testing::AssertionResult RaisesError(Action&& action, std::int32_t number,
                                       std::string_view description,
                                       TextMatch match = TextMatch::Exact) {
  try {
    action();
  } catch (const Error& error) {
    const std::string_view actual = error.Description();
    const bool textMatches = match == TextMatch::Exact
                                 ? actual == description
                                 : actual.substr(0, description.size()) == description;
    if (error.Number() == number && textMatches) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "raised " << error.Number() << " \"" << error.Description() << "\", expected "
           << number << " \"" << description << "\"";
  } catch (const std::exception& other) {
    return ::testing::AssertionFailure() << "raised a foreign exception: " << other.what();
  }
  return ::testing::AssertionFailure() << "raised nothing, expected " << number;
}

}  // namespace corvane::testing
