// Object: the base of every component. Components are held by shared
// reference (ObjectPtr); asking an object for an interface is a checked cast.
#pragma once

#include <memory>

namespace corvane {

class Object : public std::enable_shared_from_this<Object> {
 public:
  virtual ~Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

 protected:
  Object() = default;
};

using ObjectPtr = std::shared_ptr<Object>;

// The object as interface I, or null when it does not support I.
template <class I>
std::shared_ptr<I> QueryInterface(const ObjectPtr& object) {
  return std::dynamic_pointer_cast<I>(object);
}

}  // namespace corvane
