// The thread's current object context, set by ContextScope.
#pragma once

#include <corvane/ObjectContext.h>

#include <memory>

namespace corvane::platform {

std::shared_ptr<ObjectContext> CurrentContext() noexcept;
// Makes context current and returns the one it replaces.
std::shared_ptr<ObjectContext> ExchangeCurrentContext(std::shared_ptr<ObjectContext> context) noexcept;

}  // namespace corvane::platform
