// Registry: the read-only registry below HKEY_LOCAL_MACHINE, through the
// four narrow-character operations the library needs. Status codes are the
// platform's: 0 success, 2 not found, 6 invalid handle, 234 more data,
// 259 no more items. Implementations are safe for concurrent use; an open
// key may be used from any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::platform {

enum RegistryStatus : long {
  regSuccess = 0,
  regFileNotFound = 2,
  regInvalidHandle = 6,
  regMoreData = 234,
  regNoMoreItems = 259,
};

enum RegistryValueType : std::uint32_t {
  regNone = 0,
  regSz = 1,
  regExpandSz = 2,
  regBinary = 3,
  regDword = 4,
  regMultiSz = 7,
  regQword = 11,
};

// An open key; closing is dropping the handle. A key keeps what it reads
// alive, so it stays valid when the registry it came from is replaced.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
};

// The source of the errors the registry raises.
inline constexpr std::string_view kRegistryErrorSource = "Corvane.Registry";

class Registry {
 public:
  virtual ~Registry() = default;

  // The registry of the process: an export file at $CORVANE_REGISTRY
  // (default /etc/corvane/registry.reg), read again when the file changes;
  // a missing file is an empty registry. Never null. SetDefault replaces it
  // (tests); null restores the file.
  static std::shared_ptr<Registry> Default();
  static void SetDefault(std::shared_ptr<Registry> registry);

  // Opens path (e.g. "SOFTWARE\\Vendor\\Product", empty for the root) below
  // HKEY_LOCAL_MACHINE; key names compare without regard to case. Missing:
  // regFileNotFound and key reset. A registry that cannot be read (an export
  // with a syntax error) raises an Error naming the file and line.
  virtual long OpenKey(std::string_view path, std::unique_ptr<RegistryKey>& key) const = 0;
  // The name of the subkey at index, in the order of the file, as narrow
  // (Windows-1252) text. A name that does not fit bufferSize bytes with its
  // terminator gives regMoreData; past the end regNoMoreItems.
  virtual long EnumKey(const RegistryKey& key, std::uint32_t index, std::size_t bufferSize,
                       std::string& name) const = 0;
  // The value's type and data as the narrow query returns it: strings as
  // Windows-1252 bytes with their terminating NUL, a dword as four bytes
  // least significant first. Data longer than bufferSize gives regMoreData
  // (type set, data empty); an absent value regFileNotFound. An empty
  // valueName is the key's default value.
  virtual long QueryValue(const RegistryKey& key, std::string_view valueName,
                          std::size_t bufferSize, std::uint32_t& type,
                          std::vector<std::uint8_t>& data) const = 0;
};

// A registry parsed from the text of an export ("Windows Registry Editor
// Version 5.00" or "REGEDIT4"); refuses the whole text on any syntax error
// with an Error (75, "Corvane.Registry", "origin(line): reason").
std::shared_ptr<Registry> ParseRegistryExport(std::string_view text, std::string_view origin);
// The same from a file; a missing file gives an empty registry, an
// unreadable one raises an Error naming the file.
std::shared_ptr<Registry> LoadRegistryExport(const std::string& path);

}  // namespace corvane::platform
