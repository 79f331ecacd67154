#include "configuration/StoreFiles.h"

#include <initializer_list>

namespace corvane {

namespace {

// Patterns are built on every read: one allocation, no regrowth.
std::string Joined(std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (const auto piece : pieces) size += piece.size();
  std::string text;
  text.reserve(size);
  for (const auto piece : pieces) text.append(piece);
  return text;
}

}  // namespace

// Ids and names go in unescaped: one with an apostrophe makes the pattern
// invalid, and the selection fails rather than selecting something else.
std::string SectionQuery(std::string_view section) {
  return Joined({"Config/Section[@id='", section, "']"});
}

std::string ItemListQuery(std::string_view section) {
  return Joined({"Config/Section[@id='", section, "']/Item"});
}

std::string ItemQuery(std::string_view section, std::string_view item) {
  return Joined({"Config/Section[@id='", section, "']/Item[Name='", item, "']"});
}

std::string SectionAnywhereQuery(std::string_view section) {
  return Joined({"//Section[@id='", section, "']"});
}

}  // namespace corvane
