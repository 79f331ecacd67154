#include <corvane/ContextScope.h>

#include <utility>

#include "platform/host/CurrentContext.h"

namespace corvane {
namespace platform {
namespace {
thread_local std::shared_ptr<ObjectContext> tCurrentContext;
}  // namespace

std::shared_ptr<ObjectContext> CurrentContext() noexcept { return tCurrentContext; }

std::shared_ptr<ObjectContext> ExchangeCurrentContext(std::shared_ptr<ObjectContext> context) noexcept {
  return std::exchange(tCurrentContext, std::move(context));
}

}  // namespace platform

ContextScope::ContextScope(std::shared_ptr<ObjectContext> context) noexcept
    : previous_(platform::ExchangeCurrentContext(std::move(context))) {}

ContextScope::~ContextScope() { platform::ExchangeCurrentContext(std::move(previous_)); }

}  // namespace corvane
