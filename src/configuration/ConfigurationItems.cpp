#include <corvane/Configuration.h>
#include <corvane/CorvaneErrors.h>
#include <corvane/RuntimeErrors.h>

#include "configuration/ConfigurationHandler.h"
#include "configuration/ItemTypes.h"
#include "configuration/MethodTextValue.h"
#include "configuration/StoreFiles.h"
#include "crypto/Lib_Crypt.h"
#include "platform/xml/XmlDocument.h"

namespace corvane {
namespace {

using platform::XmlNodePtr;

// A child element every item has; one that is missing is an unset object.
XmlNodePtr RequiredChild(const XmlNodePtr& item, const char* name) {
  XmlNodePtr child = item->selectSingleNode(name);
  if (!child) throw Error::Runtime(rtObjectVariableNotSet, kConfigurationSource);
  return child;
}

XmlNodePtr AppendElement(platform::XmlDocument& document, const XmlNodePtr& parent,
                         const char* name, std::string_view text) {
  XmlNodePtr element = document.createElement(name);
  element->setText(text);
  parent->appendChild(element);
  return element;
}

}  // namespace

Variant Configuration::GetValue(const std::string& i_sSectionID, const std::string& i_sItemName) {
  return Reported(
      [&] {
        p_RequireStore();
        const XmlNodePtr item = p_Document()->documentNode()->selectSingleNode(ItemQuery(i_sSectionID, i_sItemName));
        if (!item) RaiseConfigurationError(ConfigurationItemNotFound, {});

        // A missing Value reads as empty text; a value that cannot be
        // decrypted fails rather than passing for an empty secret.
        std::string text;
        if (const XmlNodePtr value = item->selectSingleNode("Value")) {
          text = Crypt_GetItemValue(value);
        }
        const std::string type = RequiredChild(item, "Type")->text();
        switch (ParseItemType(type)) {
          case ItemType::Int: return Variant(Variant(text).ToInt16());
          case ItemType::String: return Variant(std::move(text));
          case ItemType::Unknown: break;
        }
        RaiseConfigurationError(ConfigurationUnknownItemType,
                                "Type " + type + " of item " + i_sItemName +
                                    " invalid in Configuration Store " + m_sStoreFile);
      },
      [&] { return "GetValue(" + i_sSectionID + ", " + i_sItemName + ")"; },
      [&](const ErrorInfo& failure) {
        // Not-found goes straight back to the caller, unlogged and unformatted.
        if (failure.Number == ConfigurationItemNotFound) {
          RaiseConfigurationError(ConfigurationItemNotFound,
                                  "Item " + i_sItemName + " not found in Configuration Store " +
                                      m_sStoreFile);
        }
      });
}

std::int32_t Configuration::GetValue2(const std::string& i_sSectionID,
                                      const std::string& i_sItemName, Variant& o_vValue) {
  return ErrorNumberOf([&] { o_vValue = GetValue(i_sSectionID, i_sItemName); });
}

void Configuration::SetValue(const std::string& i_sSectionID, const std::string& i_sItemName,
                             const Variant& i_vNewValue) {
  Reported(
      [&] {
        p_RequireStore();
        const XmlNodePtr item = p_Document()->documentNode()->selectSingleNode(ItemQuery(i_sSectionID, i_sItemName));
        if (!item) RaiseConfigurationError(ConfigurationItemNotFound, "Item " + i_sItemName + " not found");

        const XmlNodePtr value = item->selectSingleNode("Value");
        const std::string type = RequiredChild(item, "Type")->text();
        const ItemType itemType = ParseItemType(type);
        if (itemType == ItemType::Unknown) {
          RaiseConfigurationError(ConfigurationUnknownItemType,
                                  "Type " + type + " of item " + i_sItemName + " invalid");
        }
        if (!AcceptsForSet(itemType, i_vNewValue)) {
          RaiseConfigurationError(ConfigurationUnknownItemType,
                                  "Datatype of value is not equal to the type of item " +
                                      i_sItemName + " (" + type + ")");
        }
        // A value that cannot be prepared fails here, before anything changes.
        if (!value) throw Error::Runtime(rtObjectVariableNotSet, kConfigurationSource);
        value->setText(Crypt_PrepareItemValue(value, i_vNewValue));
        p_Save();
      },
      [&] {
        return "Setvalue(" + i_sSectionID + ", " + i_sItemName + ", " +
               MethodTextValue(m_oStoreDoc, i_sSectionID, i_sItemName, i_vNewValue) + ")";
      });
}

std::int32_t Configuration::SetValue2(const std::string& i_sSectionID,
                                      const std::string& i_sItemName, const Variant& i_vNewValue) {
  return ErrorNumberOf([&] { SetValue(i_sSectionID, i_sItemName, i_vNewValue); });
}

void Configuration::AddSection(const std::string& i_sSectionID) {
  Reported(
      [&] {
        p_RequireStore();
        const auto& document = p_Document();
        if (document->documentNode()->selectSingleNode(SectionAnywhereQuery(i_sSectionID))) {
          RaiseConfigurationError(ConfigurationSectionExists,
                                  "Section " + i_sSectionID + " already exists");
        }
        XmlNodePtr section = document->createElement("Section");
        section->setAttribute("id", i_sSectionID);
        document->documentElement()->appendChild(section);
        p_Save();
      },
      [&] { return "AddSection(" + i_sSectionID + ")"; });
}

std::int32_t Configuration::AddSection2(const std::string& i_sSectionID) {
  return ErrorNumberOf([&] { AddSection(i_sSectionID); });
}

void Configuration::RemoveSection(const std::string& i_sSectionID) {
  Reported(
      [&] {
        p_RequireStore();
        auto sections = p_Document()->documentNode()->selectNodes(SectionAnywhereQuery(i_sSectionID));
        if (sections.length() == 0) {
          RaiseConfigurationError(ConfigurationSectionNotFound,
                                  "Section " + i_sSectionID + " does not exist");
        }
        sections.removeAll();
        p_Save();
      },
      [&] { return "RemoveSection(" + i_sSectionID + ")"; });
}

std::int32_t Configuration::RemoveSection2(const std::string& i_sSectionID) {
  return ErrorNumberOf([&] { RemoveSection(i_sSectionID); });
}

void Configuration::AddItem(const std::string& i_sSectionID, const std::string& i_sItemName,
                            const Variant& i_vItemValue) {
  Reported(
      [&] {
        p_RequireStore();
        Variant existing;
        if (GetValue2(i_sSectionID, i_sItemName, existing) == 0) {
          RaiseConfigurationError(ConfigurationItemExists, "Item " + i_sItemName +
                                                               " already exists in section " +
                                                               i_sSectionID);
        }
        const auto& document = p_Document();
        if (const XmlNodePtr section = document->documentNode()->selectSingleNode(SectionQuery(i_sSectionID))) {
          const std::string valueText = i_vItemValue.ToString();
          XmlNodePtr item = document->createElement("Item");
          AppendElement(*document, item, "Name", i_sItemName);
          AppendElement(*document, item, "Type", StoredTypeFor(i_vItemValue));
          AppendElement(*document, item, "Value", valueText);
          section->appendChild(item);
        }
        p_Save();
      },
      [&] {
        return "AddItem(" + i_sSectionID + ", " + i_sItemName + ", " +
               MethodTextValue(m_oStoreDoc, i_sSectionID, i_sItemName, i_vItemValue) + ")";
      });
}

std::int32_t Configuration::AddItem2(const std::string& i_sSectionID,
                                     const std::string& i_sItemName, const Variant& i_vItemValue) {
  return ErrorNumberOf([&] { AddItem(i_sSectionID, i_sItemName, i_vItemValue); });
}

void Configuration::RemoveItem(const std::string& i_sSectionID, const std::string& i_sItemName) {
  Reported(
      [&] {
        p_RequireStore();
        Variant existing;
        if (GetValue2(i_sSectionID, i_sItemName, existing) != 0) {
          RaiseConfigurationError(ConfigurationItemNotFound, "Item " + i_sItemName +
                                                                 " does not exist in section " +
                                                                 i_sSectionID);
        }
        p_Document()->documentNode()->selectNodes(ItemQuery(i_sSectionID, i_sItemName)).removeAll();
        p_Save();
      },
      [&] { return "RemoveItem(" + i_sSectionID + ", " + i_sItemName + ")"; });
}

std::int32_t Configuration::RemoveItem2(const std::string& i_sSectionID,
                                        const std::string& i_sItemName) {
  return ErrorNumberOf([&] { RemoveItem(i_sSectionID, i_sItemName); });
}

Variant Configuration::GetItems(const std::string& i_sSectionID) {
  return Reported(
      [&] {
        p_RequireStore();
        const auto items = p_Document()->documentNode()->selectNodes(ItemListQuery(i_sSectionID));
        if (items.length() == 0) {
          RaiseConfigurationError(ConfigurationItemNotFound, "No items found in section " + i_sSectionID);
        }
        VariantArray names;
        for (const auto& item : items.Nodes()) {
          names.Append(Variant(RequiredChild(item, "Name")->text()));
        }
        return Variant(std::move(names));
      },
      [&] { return "GetItems(" + i_sSectionID + ")"; });
}

}  // namespace corvane
