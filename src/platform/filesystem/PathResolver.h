// PathResolver: finds the entry a path names the way a case-insensitive file
// system would. Reads the disk on each call; safe from any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane::platform {

// path itself when it exists as spelled; otherwise the path with each
// missing component replaced by the single entry of its folder whose name
// matches without regard to ASCII case. nullopt when a component has no such
// entry or more than one. A trailing '/' is kept.
std::optional<std::string> ResolvePath(std::string_view path);

// parent + "/" + name without doubling a separator.
std::string JoinPath(std::string_view parent, std::string_view name);

}  // namespace corvane::platform
