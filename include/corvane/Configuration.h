// Configuration ("Corvane.Configuration"): reads and edits the XML
// configuration stores of an installation. An object works on one current
// store at a time; stores loaded by id are cached in the web application's
// shared state and shared by every object of that application, so an edit by
// one is seen by all at once. Every edit is written to the file at once.
// An object is used by one caller (thread) at a time.
//
// Failures are raised as Error with the description laid out in lines that
// begin "ERROR 0x", " METHOD: " and " DESC: ", and logged; the "2" twins
// return the error number instead (0 on success).
#pragma once

#include <corvane/Object.h>
#include <corvane/ObjectControl.h>
#include <corvane/Variant.h>

#include <cstdint>
#include <memory>
#include <string>

namespace corvane {

class Application;

namespace platform {
class XmlDocument;
class XmlNode;
}  // namespace platform

class Configuration : public Object, public ObjectControl {
 public:
  static std::shared_ptr<Configuration> Create();
  ~Configuration() override;

  // --- Store files -------------------------------------------------------
  // Makes the store file the current store (not shared, not validated
  // beyond its schema). A failure leaves the previous store current.
  void LoadConfigFile(const std::string& i_sFileName);
  std::int32_t LoadConfigFile2(const std::string& i_sFileName);

  // --- Items and sections of the current store ---------------------------
  // The item's value: a 16-bit integer for INT items, text for STRING ones,
  // decrypted when stored encrypted.
  Variant GetValue(const std::string& i_sSectionID, const std::string& i_sItemName);
  // o_vValue receives the value only on success.
  std::int32_t GetValue2(const std::string& i_sSectionID, const std::string& i_sItemName,
                         Variant& o_vValue);
  // INT items take a 16-bit integer or a byte, STRING items a string.
  void SetValue(const std::string& i_sSectionID, const std::string& i_sItemName,
                const Variant& i_vNewValue);
  std::int32_t SetValue2(const std::string& i_sSectionID, const std::string& i_sItemName,
                         const Variant& i_vNewValue);
  void AddSection(const std::string& i_sSectionID);
  std::int32_t AddSection2(const std::string& i_sSectionID);
  void RemoveSection(const std::string& i_sSectionID);
  std::int32_t RemoveSection2(const std::string& i_sSectionID);
  void AddItem(const std::string& i_sSectionID, const std::string& i_sItemName,
               const Variant& i_vItemValue);
  std::int32_t AddItem2(const std::string& i_sSectionID, const std::string& i_sItemName,
                        const Variant& i_vItemValue);
  void RemoveItem(const std::string& i_sSectionID, const std::string& i_sItemName);
  std::int32_t RemoveItem2(const std::string& i_sSectionID, const std::string& i_sItemName);
  // The item names of the section in document order (array, lower bound 0).
  Variant GetItems(const std::string& i_sSectionID);

  // --- Locating and loading stores ---------------------------------------
  // Element 0: the site store's file name as spelled on disk; then the ids
  // of the application stores.
  Variant ListConfigStores();
  // Never fails: false when the list cannot be had.
  bool ConfigStoreExists(const std::string& i_sConfigId);
  // Makes the site store current, from the cache unless forced or absent;
  // the flag is written back: true when the store was read from disk.
  void LoadSiteConfig();
  void LoadSiteConfig(bool& i_bForceReload);
  // Makes the application store i_sConfigId current.
  void Load(const std::string& i_sConfigId, bool i_bForceReload = false);
  // Load("CVServer"); the flag is neither read nor written.
  void LoadCVServerConfig();
  void LoadCVServerConfig(bool& i_bForceReload);

  // --- Installation directory --------------------------------------------
  std::string GetInstallDir();

  // --- Host activation ---------------------------------------------------
  void ObjectControl_Activate() override;
  bool ObjectControl_CanBePooled() override { return false; }
  void ObjectControl_Deactivate() override;

 private:
  Configuration();

  template <class Body, class MethodText>
  decltype(auto) Reported(Body&& body, MethodText&& methodText);
  template <class Body, class MethodText, class Translate>
  decltype(auto) Reported(Body&& body, MethodText&& methodText, Translate&& translate);

  // Reporting.
  [[noreturn]] void p_RaiseError(const std::string& sMethod, const Variant& vInfo);
  void p_TraceEvent(const std::string& sMethod, const Variant& vInfo);

  // Store files.
  std::shared_ptr<platform::XmlDocument> p_LoadConfigStore(const std::string& file);
  void p_Save();
  void p_RequireStore() const;
  const std::shared_ptr<platform::XmlDocument>& p_Document() const;

  // Loading by id.
  std::int32_t p_CheckApplicationValue(const std::string& key, std::int32_t kind);
  void p_LoadStore(const std::string& documentKey, const std::string& fileKey,
                   const std::string& fileName, bool& forceReload, bool site);

  // Validation.
  void p_ValidateSiteConfigurationStore();
  void p_ValidateApplConfigurationStore();

  // Installation directory.
  std::string p_GetConfigDir();
  std::string p_InstallDirFromRegistry();
  std::string p_InstallDirFromApplication();

  std::shared_ptr<Application> m_oApplication;
  std::shared_ptr<platform::XmlDocument> m_oStoreDoc;
  std::string m_sStoreKey;
  std::string m_sStoreFile;
  std::string m_sLoggingFilter;
};

}  // namespace corvane
