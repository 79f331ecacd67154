#include <fcntl.h>

#include <cerrno>
#include <utility>

#include "platform/filesystem/FdIo.h"
#include "platform/filesystem/FileError.h"
#include "platform/registry/ExportParser.h"
#include "platform/registry/ExportRegistry.h"
#include "platform/registry/Registry.h"

namespace corvane::platform {

std::shared_ptr<Registry> ParseRegistryExport(std::string_view text, std::string_view origin) {
  return std::make_shared<ExportRegistry>(ParseExportTree(text, origin));
}

std::shared_ptr<Registry> LoadRegistryExport(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  if (const int error = ReadWholeFile(path.c_str(), bytes); error != 0) {
    if (error == ENOENT || error == ENOTDIR) {
      return std::make_shared<ExportRegistry>(std::make_shared<RegistryNode>("HKEY_LOCAL_MACHINE"));
    }
    throw FileError(error, path, PathKind::File, kRegistryErrorSource);
  }
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return ParseRegistryExport(text, path);
}

}  // namespace corvane::platform
