#include <corvane/Server.h>

#include <algorithm>
#include <utility>

namespace corvane {
namespace {

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

std::shared_ptr<Server> Server::Create(std::string requestDirectory) {
  return std::shared_ptr<Server>(new Server(std::move(requestDirectory)));
}

Server::Server(std::string requestDirectory)
    : directory_(WithoutTrailingSeparators(std::move(requestDirectory))) {}

std::string Server::MapPath(std::string_view path) const {
  std::string relative(path);
  std::replace(relative.begin(), relative.end(), '\\', '/');
  while (relative.starts_with("./")) relative.erase(0, 2);
  while (!relative.empty() && relative.front() == '/') relative.erase(0, 1);
  if (relative.empty() || relative == ".") return directory_;
  return WithoutTrailingSeparators(directory_ + "/" + relative);
}

}  // namespace corvane
