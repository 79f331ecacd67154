#include <corvane/Application.h>
#include <corvane/Configuration.h>
#include <corvane/CorvaneErrors.h>
#include <corvane/ObjectContext.h>

#include "configuration/ConfigurationHandler.h"
#include "configuration/StoreFiles.h"
#include "platform/Text.h"
#include "platform/filesystem/FileSystem.h"
#include "platform/xml/XmlDocument.h"

namespace corvane {
namespace {

constexpr const char* kStoreListEntry = "ConfigStoreList";
constexpr const char* kSiteDocumentKey = "_CV_CONFIG";
constexpr const char* kSiteFileKey = "_CV_CONFIG_FILE";
constexpr const char* kStoreKeySuffix = "_CV_CONFIG_";
constexpr const char* kCVServerStoreId = "CVServer";

// The states of a probed shared-state entry.
enum EntryState : std::int32_t {
  entryNoApplication = 0,
  entryUnreadable = 1,
  entryEmpty = 2,
  entryUsable = 3,
};

// Element 0 the site store's name as spelled on disk, then the store ids.
VariantArray StoreListOf(const std::vector<platform::FolderEntry>& files) {
  const std::size_t suffixLength = std::string_view(kStoreFileSuffix).size();
  VariantArray list({Variant(std::string())});
  for (const auto& file : files) {
    if (platform::EqualsNoCase(file.name, kSiteStoreFileName)) {
      list.At(0) = Variant(file.name);
    } else if (platform::EndsWithNoCase(file.name, kStoreFileSuffix)) {
      std::string id = file.name.substr(0, file.name.size() - suffixLength);
      if (id.find(' ') == std::string::npos) list.Append(Variant(std::move(id)));
    }
  }
  return list;
}

}  // namespace

Variant Configuration::ListConfigStores() {
  return Reported(
      [&]() -> Variant {
        if (!ObjectContext::Current()) RaiseNoContext();
        const std::int32_t state = p_CheckApplicationValue(kStoreListEntry, 1);
        if (state == entryUsable) return m_oApplication->Value(kStoreListEntry);

        const std::string configDir = p_GetConfigDir();
        std::vector<platform::FolderEntry> files;
        try {
          files = platform::FileSystem::Default()->Files(configDir);
        } catch (...) {
          RaiseConfigurationError(ConfigurationPathNotFound, "Configuration directory '" +
                                                                 GetInstallDir() +
                                                                 "/config' could not be found");
        }
        Variant list(StoreListOf(files));
        if (list.AsArray().At(0).AsString().empty()) {
          RaiseConfigurationError(ConfigurationNoSiteConfig,
                                  std::string(kSiteStoreFileName) + " could not be found");
        }
        if (state != entryNoApplication) m_oApplication->SetValue(kStoreListEntry, list);
        return list;
      },
      [] { return std::string("ListConfigStores()"); });
}

bool Configuration::ConfigStoreExists(const std::string& i_sConfigId) {
  try {
    const Variant list = ListConfigStores();
    for (const auto& element : list.AsArray().Elements()) {
      if (platform::EqualsNoCase(element.ToString(), i_sConfigId)) return true;
    }
  } catch (...) {
    // Whatever goes wrong, the store does not count as existing.
  }
  return false;
}

std::int32_t Configuration::p_CheckApplicationValue(const std::string& key, std::int32_t kind) {
  if (!m_oApplication) return entryNoApplication;
  try {
    const Variant value = m_oApplication->Value(key);
    switch (kind) {
      case 0: return m_oApplication->ObjectValue(key) ? entryUsable : entryEmpty;
      case 1:
        if (!value.IsArray()) return entryUnreadable;
        return value.AsArray().UpperBound() <= 0 ? entryEmpty : entryUsable;
      case 2: return value.ToString().empty() ? entryEmpty : entryUsable;
      case 3: return value.IsEmpty() ? entryEmpty : entryUsable;
      default: return entryUsable;
    }
  } catch (...) {
    return entryUnreadable;
  }
}

void Configuration::p_LoadStore(const std::string& documentKey, const std::string& fileKey,
                                const std::string& fileName, bool& forceReload, bool site) {
  if (!ObjectContext::Current()) RaiseNoContext();

  std::shared_ptr<platform::XmlDocument> document;
  std::string path;
  if (!m_oApplication) {
    forceReload = true;
  } else if (!forceReload) {
    try {
      document =
          std::dynamic_pointer_cast<platform::XmlDocument>(m_oApplication->ObjectValue(documentKey));
      if (document) path = m_oApplication->Value(fileKey).ToString();
    } catch (...) {
      document.reset();
    }
    // A missing, empty or foreign entry is a cache miss.
    if (!document) forceReload = true;
  }

  if (forceReload) {
    path = p_GetConfigDir() + fileName;
    document = p_LoadConfigStore(path);
  }
  m_oStoreDoc = document;
  m_sStoreKey = documentKey;
  m_sStoreFile = path;

  if (forceReload) {
    if (site) {
      p_ValidateSiteConfigurationStore();
    } else {
      p_ValidateApplConfigurationStore();
    }
  }
  if (m_oApplication) {
    m_oApplication->SetObject(documentKey, document);
    m_oApplication->SetValue(fileKey, Variant(path));
  }
}

void Configuration::LoadSiteConfig() {
  bool forceReload = false;
  LoadSiteConfig(forceReload);
}

void Configuration::LoadSiteConfig(bool& i_bForceReload) {
  Reported(
      [&] {
        p_LoadStore(kSiteDocumentKey, kSiteFileKey, kSiteStoreFileName, i_bForceReload, true);
      },
      [] { return std::string("LoadSiteConfig()"); });
}

void Configuration::Load(const std::string& i_sConfigId, bool i_bForceReload) {
  Reported(
      [&] {
        const std::string documentKey = i_sConfigId + kStoreKeySuffix;
        p_LoadStore(documentKey, documentKey + "_FILE", i_sConfigId + kStoreFileSuffix,
                    i_bForceReload, false);
      },
      [&] { return "Load(" + i_sConfigId + ")"; });
}

void Configuration::LoadCVServerConfig() {
  Reported([&] { Load(kCVServerStoreId, false); },
           [] { return std::string("LoadCVServerConfig()"); });
}

void Configuration::LoadCVServerConfig(bool& /*i_bForceReload*/) { LoadCVServerConfig(); }

}  // namespace corvane
