// Feeds arbitrary bytes to the registry export parser: it must either build
// a registry or refuse the text with an Error, never crash or hang.
#include <corvane/Error.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/registry/Registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    auto registry = corvane::platform::ParseRegistryExport(text, "fuzz.reg");
    std::unique_ptr<corvane::platform::RegistryKey> root;
    if (registry->OpenKey("", root) == corvane::platform::regSuccess) {
      std::string name;
      for (std::uint32_t i = 0; registry->EnumKey(*root, i, 2048, name) == 0; ++i) {
      }
    }
  } catch (const corvane::Error&) {
  }
  return 0;
}
