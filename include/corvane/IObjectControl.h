// IObjectControl: the interface a component implements to keep its set-up
// and clean-up code in one place, whether it runs inside the host or under a
// debugger. Not creatable; the library's own methods do nothing. Thread rules
// are the implementation's.
//
// The component moves the code of its constructor and of its host activation
// hook into Activate, and that of its destructor and deactivation hook into
// Deactivate. In debug mode the host's hooks call them; otherwise the
// constructor and destructor do. How it recognises debug mode is its own
// business (here a constructor argument):
//
//   class Orders final : public IObjectControl, public ObjectControl {
//    public:
//     explicit Orders(bool debugMode) : debugMode_(debugMode) {
//       if (!debugMode_) Activate();
//     }
//     ~Orders() override {
//       if (!debugMode_) Deactivate();  // must not throw from a destructor
//     }
//     void ObjectControl_Activate() override {
//       if (debugMode_) Activate();
//     }
//     bool ObjectControl_CanBePooled() override { return false; }
//     void ObjectControl_Deactivate() override {
//       if (debugMode_) Deactivate();
//     }
//     void Activate() override { /* acquire what the object needs */ }
//     void Deactivate() override { /* release it */ }
//
//    private:
//     bool debugMode_;
//   };
//
// Created through an object context (ObjectContext::CreateInstance), the host
// calls ObjectControl_Activate before first use and ObjectControl_Deactivate
// when the caller's last reference goes.
#pragma once

#include <corvane/Object.h>

namespace corvane {

class IObjectControl : public virtual Object {
 public:
  ~IObjectControl() override = default;

  // The implementing class's initialisation. The library's own does nothing.
  virtual void Activate();
  // The implementing class's clean-up. The library's own does nothing.
  virtual void Deactivate();

 protected:
  IObjectControl() = default;
};

}  // namespace corvane
