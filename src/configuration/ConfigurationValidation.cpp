#include <corvane/Configuration.h>
#include <corvane/CorvaneErrors.h>

#include <array>
#include <initializer_list>
#include <string_view>

#include "configuration/ConfigurationHandler.h"
#include "platform/Text.h"

namespace corvane {
namespace {

constexpr const char* kHostNamePlaceholder = "[Enter your computer name here]";

constexpr std::array<std::string_view, 4> kSiteGlobalItems{"APPLICATIONDIRECTORY", "IISVirtId",
                                                           "Logging", "SiteName"};
constexpr std::array<std::string_view, 15> kMembershipItems{
    "LDAPServer",        "MemScriptCode",          "MemScriptUser",
    "ProfileClass",      "ProfileContainer",       "ProfileNamingAttribute",
    "UserClass",         "UserContainer",          "UserMandatoryAttributes",
    "UserNamingAttribute", "AccountClass",         "AccountContainer",
    "AccountNamingAttribute", "PlugableModuleImplementation", "CookieName"};
constexpr std::array<std::string_view, 11> kCommonParameterItems{
    "DEFAULTGUEST", "GUESTPASSWORD", "DEFAULTLANGUAGE", "ENABLEGUEST",   "HELPEMAIL",  "HELPPHONE",
    "SELFREGBP",    "SELFREGPROFILE", "SSLMODE",        "USCOUNTRYCODE", "INDEXPATH"};
constexpr std::array<std::string_view, 4> kApplGlobalItems{"ApplicationName", "ApplicationId",
                                                           "StartName", "StartURL"};
constexpr std::array<std::string_view, 2> kManagerPageFragments{"_Name", "_URL"};
constexpr std::array<std::string_view, 7> kConnectionFragments{
    "Connection_ConnectionDSN",    "Connection_ConnectionString", "Connection_ConnectionTimeout",
    "Connection_CommandTimeout",   "Connection_CursorLocation",   "Connection_RuntimeUserName",
    "Connection_RuntimePassword"};

template <std::size_t N>
bool ContainsAnyFragment(std::string_view name, const std::array<std::string_view, N>& fragments) {
  for (const auto fragment : fragments) {
    if (platform::FindNoCase(name, fragment) != std::string_view::npos) return true;
  }
  return false;
}

}  // namespace

void Configuration::p_ValidateSiteConfigurationStore() {
  const auto requireItems = [&](const char* section, const auto& items) {
    for (const auto item : items) GetValue(section, std::string(item));
  };
  const auto requireHostName = [&](const char* item) {
    if (platform::EqualsNoCase(GetValue("GLOBAL", item).ToString(), kHostNamePlaceholder)) {
      RaiseConfigurationError(ConfigurationItemNotFound, std::string(item) + " unknown");
    }
  };

  GetItems("GLOBAL");
  requireHostName("NONSECUREHOSTNAME");
  requireHostName("SECUREHOSTNAME");
  requireItems("GLOBAL", kSiteGlobalItems);
  GetItems("MEMBERSHIP");
  requireItems("MEMBERSHIP", kMembershipItems);
  GetItems("COMMONPARAMETERS");
  requireItems("COMMONPARAMETERS", kCommonParameterItems);
  GetItems("LAYOUT");
}

void Configuration::p_ValidateApplConfigurationStore() {
  const auto requireNames = [&](const std::string& section, const auto& fragments) {
    const Variant names = GetItems(section);
    for (const auto& name : names.AsArray().Elements()) {
      if (!ContainsAnyFragment(name.AsString(), fragments)) {
        RaiseConfigurationError(ConfigurationLoadStoreFailed,
                                "Invalid item " + name.AsString() + " in section " + section);
      }
    }
  };

  Reported(
      [&] {
        GetItems("GLOBAL");
        for (const auto item : kApplGlobalItems) GetValue("GLOBAL", std::string(item));
        requireNames("MANAGERPAGES", kManagerPageFragments);
        requireNames("CONNECTIONS", kConnectionFragments);
      },
      [] { return std::string("p_ValidateApplConfigurationStore()"); });
}

}  // namespace corvane
