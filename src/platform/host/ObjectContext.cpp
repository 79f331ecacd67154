#include <corvane/ContextScope.h>
#include <corvane/Error.h>
#include <corvane/ObjectContext.h>
#include <corvane/ObjectControl.h>
#include <corvane/RuntimeErrors.h>

#include <utility>

#include "platform/Text.h"
#include "platform/host/CurrentContext.h"
#include "platform/host/HostErrors.h"

namespace corvane {
namespace {

// The caller's reference: when it goes, the object is deactivated inside the
// context that created it, then released.
ObjectPtr WrapForDeactivation(ObjectPtr object, ObjectControl* control,
                              std::shared_ptr<ObjectContext> context) {
  Object* raw = object.get();
  return ObjectPtr(raw, [object = std::move(object), control,
                         context = std::move(context)](Object*) mutable noexcept {
    ContextScope scope(context);
    try {
      control->ObjectControl_Deactivate();
    } catch (...) {
      // A failing clean-up must not escape a destructor.
    }
    object.reset();
  });
}

}  // namespace

ObjectContext::ObjectContext(std::shared_ptr<Application> application,
                             std::shared_ptr<Server> server)
    : application_(std::move(application)), server_(std::move(server)) {}

std::shared_ptr<ObjectContext> ObjectContext::Create(std::shared_ptr<Application> application,
                                                     std::shared_ptr<Server> server) {
  return std::shared_ptr<ObjectContext>(
      new ObjectContext(std::move(application), std::move(server)));
}

std::shared_ptr<ObjectContext> ObjectContext::Current() noexcept {
  return platform::CurrentContext();
}

ObjectPtr ObjectContext::CreateInstance(std::string_view progId) {
  ObjectPtr object = platform::CreateFromFactory(ComponentRegistry::Instance().Find(progId));
  if (!object) {
    throw Error::Runtime(rtClassNotRegistered, std::string(platform::kHostErrorSource));
  }
  auto* control = dynamic_cast<ObjectControl*>(object.get());
  if (!control) return object;

  auto self = std::static_pointer_cast<ObjectContext>(shared_from_this());
  {
    ContextScope scope(self);
    control->ObjectControl_Activate();
  }
  return WrapForDeactivation(std::move(object), control, std::move(self));
}

ObjectPtr ObjectContext::Item(std::string_view name) const {
  if (platform::EqualsNoCase(name, "Application")) return application_;
  if (platform::EqualsNoCase(name, "Server")) return server_;
  return nullptr;
}

}  // namespace corvane
