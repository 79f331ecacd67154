// ObjectContext: the host's per-call object. It knows its web application's
// shared state (or none) and its request's server object (or none), creates
// components inside itself and records transaction votes.
// Votes may be cast from any thread; the rest is immutable after creation.
//
// A web application creates one Application and one context per request:
//   auto ctx = ObjectContext::Create(app, Server::Create(requestDir));
//   ContextScope scope(ctx);            // ctx is now the current context
//   auto config = ctx->CreateInstance("Corvane.Configuration");
// A caller that is not a web request uses ObjectContext::Create().
#pragma once

#include <corvane/Application.h>
#include <corvane/Object.h>
#include <corvane/Server.h>
#include <corvane/TransactionVote.h>

#include <atomic>
#include <memory>
#include <string_view>

namespace corvane {

class ObjectContext : public Object {
 public:
  static std::shared_ptr<ObjectContext> Create(std::shared_ptr<Application> application = nullptr,
                                               std::shared_ptr<Server> server = nullptr);

  // The context of the calling thread (set by ContextScope), or null.
  static std::shared_ptr<ObjectContext> Current() noexcept;

  // Creates progId inside this context: an object that implements
  // ObjectControl is activated with this context current, and deactivated
  // (with this context current) when the caller's last reference goes.
  // Failure raises -2147221164 (class not registered).
  ObjectPtr CreateInstance(std::string_view progId);

  void SetComplete() noexcept { vote_.store(TransactionVote::Complete); }
  void SetAbort() noexcept { vote_.store(TransactionVote::Abort); }
  TransactionVote Vote() const noexcept { return vote_.load(); }

  // The intrinsic objects "Application" and "Server" (any case); null when
  // the context has none or the name is unknown.
  ObjectPtr Item(std::string_view name) const;
  const std::shared_ptr<Application>& GetApplication() const noexcept { return application_; }
  const std::shared_ptr<Server>& GetServer() const noexcept { return server_; }

 private:
  ObjectContext(std::shared_ptr<Application> application, std::shared_ptr<Server> server);

  std::shared_ptr<Application> application_;
  std::shared_ptr<Server> server_;
  std::atomic<TransactionVote> vote_{TransactionVote::None};
};

}  // namespace corvane
