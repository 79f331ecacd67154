#include "configuration/StoreFiles.h"

namespace corvane {

// Ids and names go in unescaped: one with an apostrophe makes the pattern
// invalid, and the selection fails rather than selecting something else.
std::string SectionQuery(std::string_view section) {
  std::string query = "Config/Section[@id='";
  query.append(section).append("']");
  return query;
}

std::string ItemListQuery(std::string_view section) { return SectionQuery(section) + "/Item"; }

std::string ItemQuery(std::string_view section, std::string_view item) {
  std::string query = ItemListQuery(section);
  query.append("[Name='").append(item).append("']");
  return query;
}

std::string SectionAnywhereQuery(std::string_view section) {
  std::string query = "//Section[@id='";
  query.append(section).append("']");
  return query;
}

}  // namespace corvane
