// The failure handler every reporting method wraps around its body: any
// exception becomes the pending error, and the report (which builds the
// method text and calls a raise routine) runs with it.
#pragma once

#include <exception>
#include <utility>

#include "errors/ExceptionTranslation.h"
#include "errors/PendingError.h"

namespace corvane {

// Runs body with no error pending. On a failure, runs report with the
// failure pending; report is expected to raise. Should it return, the
// failure is raised as it was.
template <class Body, class Report>
decltype(auto) WithFailureHandler(Body&& body, Report&& report) {
  PendingErrorScope pending;
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    pending.Reset(ToError(std::current_exception()).Info());
  }
  // Outside the catch block: report raises a new error of its own.
  ErrorInfo failure = PendingError::Get();
  std::forward<Report>(report)();
  throw Error(std::move(failure));
}

}  // namespace corvane
