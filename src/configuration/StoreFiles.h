// The names of an installation's store files and the patterns that find
// sections and items in a store.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

inline constexpr const char* kSchemaFileName = "ModuleConfigurationSchema.xml";
inline constexpr const char* kSiteStoreFileName = "SiteConfiguration.xml";
inline constexpr const char* kStoreFileSuffix = "Configuration.xml";
inline constexpr const char* kConfigFolder = "/config/";

// Config/Section[@id='S']/Item[Name='I']: the items named I of the root's sections S.
std::string ItemQuery(std::string_view section, std::string_view item);
// Config/Section[@id='S']
std::string SectionQuery(std::string_view section);
// Config/Section[@id='S']/Item
std::string ItemListQuery(std::string_view section);
// //Section[@id='S']: a section S at any depth.
std::string SectionAnywhereQuery(std::string_view section);

}  // namespace corvane
