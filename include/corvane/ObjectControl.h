// ObjectControl: the host's activation hooks. A component created through an
// object context is activated before first use and deactivated when the
// caller's last reference goes; objects are never pooled.
#pragma once

namespace corvane {

class ObjectControl {
 public:
  virtual ~ObjectControl() = default;
  virtual void ObjectControl_Activate() = 0;
  virtual bool ObjectControl_CanBePooled() = 0;
  virtual void ObjectControl_Deactivate() = 0;
};

}  // namespace corvane
