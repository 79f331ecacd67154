#include "platform/filesystem/PathResolver.h"

#include <dirent.h>
#include <sys/stat.h>

#include <vector>

#include "platform/Text.h"

namespace corvane::platform {
namespace {

bool EntryExists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

// The one entry of folder named name without regard to case.
std::optional<std::string> FindFolded(const std::string& folder, std::string_view name) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return std::nullopt;
  std::optional<std::string> match;
  bool ambiguous = false;
  while (const dirent* entry = ::readdir(dir)) {
    if (!EqualsNoCase(entry->d_name, name)) continue;
    if (match) {
      ambiguous = true;
      break;
    }
    match = entry->d_name;
  }
  ::closedir(dir);
  if (ambiguous) return std::nullopt;
  return match;
}

std::vector<std::string_view> Components(std::string_view path) {
  std::vector<std::string_view> parts;
  while (!path.empty()) {
    const std::size_t end = path.find('/');
    if (end != 0) parts.push_back(path.substr(0, end));
    if (end == std::string_view::npos) break;
    path.remove_prefix(end + 1);
  }
  return parts;
}

}  // namespace

std::string JoinPath(std::string_view parent, std::string_view name) {
  std::string joined(parent);
  if (!joined.empty() && joined.back() != '/') joined.push_back('/');
  joined.append(name);
  return joined;
}

std::optional<std::string> ResolvePath(std::string_view path) {
  if (path.empty()) return std::nullopt;
  std::string exact(path);
  if (EntryExists(exact)) return exact;

  std::string current = path.front() == '/' ? "/" : "";
  for (std::string_view part : Components(path)) {
    std::string candidate = JoinPath(current, part);
    if (EntryExists(candidate)) {
      current = std::move(candidate);
      continue;
    }
    std::optional<std::string> folded = FindFolded(current, part);
    if (!folded) return std::nullopt;
    current = JoinPath(current, *folded);
  }
  if (path.size() > 1 && path.back() == '/' && current.back() != '/') current.push_back('/');
  return current;
}

}  // namespace corvane::platform
