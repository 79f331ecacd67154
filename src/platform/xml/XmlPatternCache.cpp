#include "platform/xml/XmlErrors.h"
#include "platform/xml/XmlPattern.h"

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>

namespace corvane::platform {
namespace {

// The stores query a handful of shapes over and over; a bounded cache per
// thread avoids reparsing them without any lock on the selection path.
constexpr std::size_t kCachedPatternsPerThread = 512;

struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const noexcept {
    return std::hash<std::string_view>{}(text);
  }
};

using PatternCache = std::unordered_map<std::string, XmlPattern, TextHash, std::equal_to<>>;

}  // namespace

const XmlPattern& CachedXmlPattern(std::string_view text) {
  thread_local PatternCache cache;
  if (const auto found = cache.find(text); found != cache.end()) return found->second;
  auto parsed = ParseXmlPattern(text);
  if (!parsed) throw XmlError(XmlFailure::InvalidPattern, text);
  if (cache.size() >= kCachedPatternsPerThread) cache.clear();
  return cache.emplace(std::string(text), std::move(*parsed)).first->second;
}

}  // namespace corvane::platform
