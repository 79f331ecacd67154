// The failure handler of Configuration's methods: the method text is
// "Corvane.Configuration::" + the text the method gives, and the failure goes
// to p_RaiseError, which logs it and raises it with the laid-out description.
#pragma once

#include <corvane/Configuration.h>
#include <corvane/CorvaneErrors.h>
#include <corvane/Error.h>

#include <string>
#include <utility>

#include "errors/FailureHandler.h"

namespace corvane {

inline constexpr const char* kConfigurationSource = "Corvane.Configuration";
inline constexpr const char* kConfigurationMethodPrefix = "Corvane.Configuration::";

// Raises one of the service's own failures.
[[noreturn]] inline void RaiseConfigurationError(std::int32_t number, std::string description) {
  throw Error(number, kConfigurationSource, std::move(description));
}

[[noreturn]] inline void RaiseNoContext() {
  RaiseConfigurationError(ConfigurationNoContext, "Object context could not be retrieved");
}

template <class Body, class MethodText>
decltype(auto) Configuration::Reported(Body&& body, MethodText&& methodText) {
  return WithFailureHandler(std::forward<Body>(body), [&] {
    p_RaiseError(kConfigurationMethodPrefix + methodText(), Variant::Missing());
  });
}

// translate may raise a replacement error directly, bypassing the routine.
template <class Body, class MethodText, class Translate>
decltype(auto) Configuration::Reported(Body&& body, MethodText&& methodText,
                                       Translate&& translate) {
  return WithFailureHandler(std::forward<Body>(body), [&] {
    translate(PendingError::Get());
    p_RaiseError(kConfigurationMethodPrefix + methodText(), Variant::Missing());
  });
}

// Runs a plain operation and returns its error number, 0 on success.
template <class Operation>
std::int32_t ErrorNumberOf(Operation&& operation) {
  try {
    std::forward<Operation>(operation)();
    return 0;
  } catch (const Error& error) {
    return error.Number();
  }
}

}  // namespace corvane
