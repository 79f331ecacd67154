// CliHost: the object context a command runs in, current on this thread for
// the host's lifetime. With an installation directory it is a web
// application's request (an Application whose "InstallDir" is preset, and a
// Server mapped to the current directory); without one, a caller that is not
// a web request. Used on the thread that created it.
#pragma once

#include <corvane/Application.h>
#include <corvane/ContextScope.h>
#include <corvane/Object.h>
#include <corvane/ObjectContext.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::cli {

class CliHost {
 public:
  explicit CliHost(const std::optional<std::string>& installDir);
  CliHost(const CliHost&) = delete;
  CliHost& operator=(const CliHost&) = delete;

  const std::shared_ptr<ObjectContext>& Context() const noexcept { return context_; }
  // The web application's shared state, or null outside a web application.
  const std::shared_ptr<Application>& GetApplication() const noexcept {
    return context_->GetApplication();
  }
  // Creates progId inside the context, as a web page would.
  ObjectPtr Create(std::string_view progId) { return context_->CreateInstance(progId); }

 private:
  std::shared_ptr<ObjectContext> context_;
  ContextScope scope_;
};

}  // namespace corvane::cli
