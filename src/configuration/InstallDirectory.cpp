#include <corvane/Application.h>
#include <corvane/Configuration.h>
#include <corvane/CorvaneErrors.h>
#include <corvane/ObjectContext.h>
#include <corvane/RuntimeErrors.h>

#include "configuration/ConfigurationHandler.h"
#include "configuration/Lib_Registry.h"
#include "configuration/StoreFiles.h"
#include "platform/Text.h"
#include "platform/filesystem/FileSystem.h"

namespace corvane {
namespace {

constexpr const char* kInstallDirEntry = "InstallDir";

bool IsWebSiteFolderName(std::string_view name) {
  const std::string lower = platform::ToLowerAscii(name);
  return lower.ends_with("web") || lower.ends_with("_local");
}

bool HoldsGlobalAsa(const platform::FileSystem& fileSystem, const std::string& folder) {
  return fileSystem.FileExists(folder + "/global.asa");
}

// A folder named "web" or ending in "_local" that holds global.asa replaces
// an earlier find; any other is taken only while nothing has been found.
std::string FindWebSiteBelow(const std::string& productDir) {
  const auto fileSystem = platform::FileSystem::Default();
  std::string found;
  for (const auto& folder : fileSystem->SubFolders(productDir)) {
    const bool preferred = platform::EqualsNoCase(folder.name, "web") ||
                           platform::EndsWithNoCase(folder.name, "_local");
    if ((preferred || found.empty()) && HoldsGlobalAsa(*fileSystem, folder.path)) {
      found = folder.path;
    }
  }
  return found;
}

// Tests the directory itself, then each parent up to the root.
std::string WalkUpToSiteStore(std::string directory) {
  const auto fileSystem = platform::FileSystem::Default();
  while (!fileSystem->FileExists(directory + kConfigFolder + kSiteStoreFileName)) {
    const auto cut = directory.rfind('/');
    if (cut == std::string::npos) {
      RaiseConfigurationError(ConfigurationPathNotFound, "Path of Web Site could not be determined");
    }
    directory.erase(cut);
  }
  return directory;
}

}  // namespace

std::string Configuration::GetInstallDir() {
  return Reported(
      [&] {
        if (!ObjectContext::Current()) RaiseNoContext();
        return m_oApplication ? p_InstallDirFromApplication() : p_InstallDirFromRegistry();
      },
      [] { return std::string("GetInstallDir()"); });
}

std::string Configuration::p_InstallDirFromRegistry() {
  std::string result = Reg_GetCachedInstallDir();
  if (!result.empty()) return result;

  const std::string productDir = Reg_GetValue("", kInstallDirEntry);
  if (IsWebSiteFolderName(productDir)) {
    result = productDir;
  } else {
    result = FindWebSiteBelow(productDir);
  }
  Reg_SetCachedInstallDir(result);
  if (result.empty()) RaiseNoContext();
  return result;
}

std::string Configuration::p_InstallDirFromApplication() {
  std::string result;
  try {
    result = m_oApplication->Value(kInstallDirEntry).ToString();
  } catch (...) {
    result.clear();  // an entry that is no text counts as absent
  }
  if (!result.empty()) return result;

  const auto server = ObjectContext::Current()->GetServer();
  if (!server) throw Error::Runtime(rtObjectVariableNotSet, kConfigurationSource);
  result = WalkUpToSiteStore(server->MapPath(".\\"));
  m_oApplication->SetValue(kInstallDirEntry, Variant(result));
  return result;
}

std::string Configuration::p_GetConfigDir() { return GetInstallDir() + kConfigFolder; }

}  // namespace corvane
