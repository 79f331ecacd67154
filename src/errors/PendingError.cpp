#include "errors/PendingError.h"

#include <utility>

namespace corvane {
namespace {

const ErrorInfo kNoError{};
thread_local const ErrorInfo* tPending = &kNoError;

}  // namespace

const ErrorInfo& PendingError::Get() noexcept { return *tPending; }

void PendingError::Clear() noexcept { tPending = &kNoError; }

PendingErrorScope::PendingErrorScope() noexcept : previous_(tPending) { tPending = &kNoError; }

PendingErrorScope::PendingErrorScope(ErrorInfo error) noexcept
    : error_(std::move(error)), previous_(tPending) {
  tPending = &error_;
}

PendingErrorScope::~PendingErrorScope() { tPending = previous_; }

void PendingErrorScope::Reset(ErrorInfo error) noexcept {
  error_ = std::move(error);
  tPending = &error_;
}

}  // namespace corvane
