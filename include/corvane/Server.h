// Server: the request's server object, mapping virtual paths to the
// request's physical directory. Immutable; safe to share between threads.
#pragma once

#include <corvane/Object.h>

#include <memory>
#include <string>
#include <string_view>

namespace corvane {

class Server : public Object {
 public:
  // requestDirectory: the physical directory of the current request.
  static std::shared_ptr<Server> Create(std::string requestDirectory);

  // ".\", "./", "." and "" give the request's directory (without a trailing
  // separator); another relative path is joined to it, "\" read as "/".
  std::string MapPath(std::string_view path) const;

 private:
  explicit Server(std::string requestDirectory);
  std::string directory_;
};

}  // namespace corvane
