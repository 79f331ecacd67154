#include "CliHost.h"

#include <corvane/Server.h>
#include <corvane/Variant.h>

#include <filesystem>

namespace corvane::cli {
namespace {

std::shared_ptr<ObjectContext> MakeContext(const std::optional<std::string>& installDir) {
  if (!installDir) {
    return ObjectContext::Create();
  }
  auto application = Application::Create();
  application->SetValue("InstallDir", Variant(*installDir));
  return ObjectContext::Create(std::move(application),
                               Server::Create(std::filesystem::current_path().string()));
}

}  // namespace

CliHost::CliHost(const std::optional<std::string>& installDir)
    : context_(MakeContext(installDir)), scope_(context_) {}

}  // namespace corvane::cli
