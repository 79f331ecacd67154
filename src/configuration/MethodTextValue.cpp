#include "configuration/MethodTextValue.h"

#include "configuration/StoreFiles.h"
#include "errors/Lib_ErrorHandling.h"
#include "platform/Text.h"
#include "platform/xml/XmlDocument.h"

namespace corvane {
namespace {

bool IsStoredEncrypted(const std::shared_ptr<platform::XmlDocument>& document,
                       const std::string& section, const std::string& item) noexcept {
  if (!document) return false;
  try {
    const auto value = document->documentNode()->selectSingleNode(ItemQuery(section, item) + "/Value");
    return value && value->getAttribute("encrypted") == "yes";
  } catch (...) {
    return false;  // a name the selector refuses cannot name a stored secret
  }
}

}  // namespace

bool IsSecretItemName(std::string_view itemName) noexcept {
  return platform::EndsWithNoCase(itemName, "Connection_RuntimePassword") ||
         platform::EndsWithNoCase(itemName, "Connection_ConnectionString");
}

std::string MethodTextValue(const std::shared_ptr<platform::XmlDocument>& document,
                            const std::string& section, const std::string& item,
                            const Variant& value) {
  if (IsSecretItemName(item) || IsStoredEncrypted(document, section, item)) return kMaskedValue;
  try {
    return Err_InfoText(value);
  } catch (...) {
    return {};
  }
}

}  // namespace corvane
