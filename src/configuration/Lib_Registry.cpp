#include "configuration/Lib_Registry.h"

#include <corvane/CorvaneErrors.h>
#include <corvane/Error.h>

#include <memory>
#include <vector>

#include "platform/Text.h"

namespace corvane {
namespace {

constexpr std::size_t kBufferSize = 2048;
constexpr const char* kRegistrySource = "Corvane.Lib_Registry";

thread_local std::string tCachedInstallDir;

std::string KeyPath(const std::string& subKey) {
  return subKey.empty() ? std::string(kProductKey) : std::string(kProductKey) + "\\" + subKey;
}

std::string ValueText(std::uint32_t type, const std::vector<std::uint8_t>& data) {
  if (type == platform::regDword) {
    if (data.size() < 4) return {};
    const std::uint32_t number = std::uint32_t{data[0]} | std::uint32_t{data[1]} << 8 |
                                 std::uint32_t{data[2]} << 16 | std::uint32_t{data[3]} << 24;
    return std::to_string(number);
  }
  if (data.empty()) return {};
  const std::string narrow(data.begin(), data.end() - 1);
  return platform::Windows1252ToUtf8(narrow);
}

std::string ReadValue(const std::string& subKey, const std::string& valueName) {
  const auto registry = platform::Registry::Default();
  std::unique_ptr<platform::RegistryKey> key;
  if (registry->OpenKey(KeyPath(subKey), key) != platform::regSuccess || !key) return {};
  std::uint32_t type = platform::regNone;
  std::vector<std::uint8_t> data;
  if (registry->QueryValue(*key, valueName, kBufferSize, type, data) != platform::regSuccess) {
    return {};
  }
  return ValueText(type, data);
}

[[noreturn]] void RaiseNotFound(std::string description) {
  throw Error(RegKeyInstallDirNotFound, kRegistrySource, std::move(description));
}

}  // namespace

std::string Reg_GetValue(const std::string& subKey, const std::string& valueName) {
  std::string value;
  try {
    value = ReadValue(subKey, valueName);
  } catch (const Error& error) {
    RaiseNotFound(error.Description());  // the registry file itself could not be read
  } catch (...) {
    value.clear();
  }
  if (value.empty()) {
    RaiseNotFound("Registry value HKEY_LOCAL_MACHINE\\" + KeyPath(subKey) + "\\" + valueName +
                  " not found");
  }
  return value;
}

std::string Reg_EnumSubKey(const platform::RegistryKey& hKey, std::uint32_t index) {
  try {
    std::string name;
    if (platform::Registry::Default()->EnumKey(hKey, index, kBufferSize, name) !=
        platform::regSuccess) {
      return {};
    }
    const auto end = name.find('\0');
    return platform::Windows1252ToUtf8(name.substr(0, end));
  } catch (...) {
    return {};
  }
}

void Reg_SetCachedInstallDir(const std::string& dir) { tCachedInstallDir = dir; }

std::string Reg_GetCachedInstallDir() { return tCachedInstallDir; }

}  // namespace corvane
