#include <corvane/FileSystemObject.h>

#include "platform/filesystem/FileSystem.h"

namespace corvane {

std::shared_ptr<FileSystemObject> FileSystemObject::Create() {
  return std::shared_ptr<FileSystemObject>(new FileSystemObject());
}

Variant FileSystemObject::ReadFromBinaryFile(const Variant& iFileName) const {
  if (iFileName.IsEmpty()) return Variant::Nothing();
  const std::string path = iFileName.ToString();
  return Variant(platform::FileSystem::Default()->ReadOrCreateFile(path));
}

}  // namespace corvane
