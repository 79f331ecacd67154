#include <corvane/Application.h>
#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include <mutex>
#include <utility>

#include "platform/Text.h"

namespace corvane {

std::shared_ptr<Application> Application::Create() {
  return std::shared_ptr<Application>(new Application());
}

Variant Application::Value(std::string_view key) const {
  const std::string folded = platform::ToLowerAscii(key);
  std::shared_lock lock(mutex_);
  auto it = entries_.find(folded);
  return it == entries_.end() ? Variant() : it->second;
}

void Application::SetValue(std::string_view key, Variant value) {
  std::string folded = platform::ToLowerAscii(key);
  std::unique_lock lock(mutex_);
  entries_.insert_or_assign(std::move(folded), std::move(value));
}

ObjectPtr Application::ObjectValue(std::string_view key) const {
  Variant value = Value(key);
  if (!value.IsObject()) throw Error::Runtime(rtObjectRequired);
  return value.AsObject();
}

void Application::SetObject(std::string_view key, ObjectPtr object) {
  SetValue(key, Variant(std::move(object)));
}

bool Application::Contains(std::string_view key) const {
  const std::string folded = platform::ToLowerAscii(key);
  std::shared_lock lock(mutex_);
  return entries_.contains(folded);
}

void Application::Remove(std::string_view key) {
  const std::string folded = platform::ToLowerAscii(key);
  std::unique_lock lock(mutex_);
  entries_.erase(folded);
}

void Application::Clear() {
  std::unique_lock lock(mutex_);
  entries_.clear();
}

}  // namespace corvane
