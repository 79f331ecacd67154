// The error a failure handler is dealing with, once per thread. It is set
// only while a handler runs (PendingErrorScope) and read by the reporting
// routines; outside handlers no error is pending.
#pragma once

#include <corvane/ErrorInfo.h>

namespace corvane {

class PendingError {
 public:
  // The pending error; Number 0 when none is pending.
  static const ErrorInfo& Get() noexcept;
  static bool IsSet() noexcept { return Get().Number != 0; }
  // Drops the pending error for the rest of the current scope.
  static void Clear() noexcept;
};

// Makes error the pending one (or none, for the default) until the scope ends.
class PendingErrorScope {
 public:
  PendingErrorScope() noexcept;
  explicit PendingErrorScope(ErrorInfo error) noexcept;
  ~PendingErrorScope();
  PendingErrorScope(const PendingErrorScope&) = delete;
  PendingErrorScope& operator=(const PendingErrorScope&) = delete;

  // Replaces the error this scope holds.
  void Reset(ErrorInfo error) noexcept;

 private:
  ErrorInfo error_;
  const ErrorInfo* previous_;
};

}  // namespace corvane
