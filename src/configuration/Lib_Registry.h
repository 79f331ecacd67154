// The registry reader of the configuration service: values below the
// product key, subkey enumeration, and the per-thread installation-directory
// cache. Every call opens what it reads and closes it before returning.
#pragma once

#include <cstdint>
#include <string>

#include "platform/registry/Registry.h"

namespace corvane {

// HKEY_LOCAL_MACHINE's product key, below which every value is read.
inline constexpr const char* kProductKey = "SOFTWARE\\Ostrelco\\Pandrel\\Velmoor";

// The value valueName of the product key's subkey (the key itself for an
// empty subKey), read into a 2048-byte buffer: a REG_DWORD as unsigned
// decimal, anything else as text less its last byte. A missing, empty,
// oversized or unreadable value fails with RegKeyInstallDirNotFound.
std::string Reg_GetValue(const std::string& subKey, const std::string& valueName);

// The name of the subkey at index of an open key, or "" when there is none
// (or it does not fit 2048 bytes). Never fails.
std::string Reg_EnumSubKey(const platform::RegistryKey& hKey, std::uint32_t index);

void Reg_SetCachedInstallDir(const std::string& dir);
std::string Reg_GetCachedInstallDir();

}  // namespace corvane
