#include "platform/host/BuiltInComponents.h"

#include <corvane/Configuration.h>
#include <corvane/FileSystemObject.h>
#include <corvane/Log.h>
#include <corvane/ResultObject.h>

#include "platform/filesystem/ScriptingFileSystemObject.h"

namespace corvane::platform {

void RegisterBuiltInComponents(ComponentRegistry& registry) {
  registry.Register("Corvane.Configuration", [] { return Configuration::Create(); });
  registry.Register("Corvane.Log", [] { return Log::Create(); });
  registry.Register("Corvane.ResultObject", [] { return ResultObject::Create(); });
  registry.Register("Corvane.FileSystemObject", [] { return FileSystemObject::Create(); });
  registry.Register("Scripting.FileSystemObject", [] { return CreateScriptingFileSystemObject(); });
}

}  // namespace corvane::platform
