// ContextScope: makes an object context the current one of this thread for a
// scope, and restores the previous one (possibly none) on exit.
#pragma once

#include <corvane/ObjectContext.h>

#include <memory>

namespace corvane {

class ContextScope {
 public:
  explicit ContextScope(std::shared_ptr<ObjectContext> context) noexcept;
  ~ContextScope();
  ContextScope(const ContextScope&) = delete;
  ContextScope& operator=(const ContextScope&) = delete;

 private:
  std::shared_ptr<ObjectContext> previous_;
};

}  // namespace corvane
