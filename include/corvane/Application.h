// Application: a web application's shared state, a map from key to Variant.
// Keys compare without regard to case. Each read or write of one entry is
// atomic; values are copied in and out, objects are shared by reference.
// Safe for concurrent use by every request of the web application.
#pragma once

#include <corvane/Object.h>
#include <corvane/Variant.h>

#include <memory>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <unordered_map>

namespace corvane {

class Application : public Object {
 public:
  static std::shared_ptr<Application> Create();

  // The entry's value; a missing key reads as Empty.
  Variant Value(std::string_view key) const;
  // Stores a copy of value (an object value is stored by reference).
  void SetValue(std::string_view key, Variant value);
  // The entry as an object reference (possibly null). An entry that holds no
  // object, a missing one included, fails with error 424.
  ObjectPtr ObjectValue(std::string_view key) const;
  // Stores the object by reference: every later reader gets the same object.
  void SetObject(std::string_view key, ObjectPtr object);

  bool Contains(std::string_view key) const;
  void Remove(std::string_view key);
  void Clear();

 private:
  Application() = default;

  mutable std::shared_mutex mutex_;
  std::unordered_map<std::string, Variant> entries_;  // keyed by the lower-cased key
};

}  // namespace corvane
