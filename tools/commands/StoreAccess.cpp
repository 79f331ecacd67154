#include "commands/StoreAccess.h"

#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

namespace corvane::cli {

std::shared_ptr<Configuration> NewConfiguration(CliHost& host) {
  auto configuration = QueryInterface<Configuration>(host.Create("Corvane.Configuration"));
  // A registry entry that names another class is a broken installation, not a user error.
  if (!configuration) throw Error::Runtime(rtObjectDoesNotSupport, "corvane");
  return configuration;
}

std::shared_ptr<Configuration> OpenSelectedStore(const CommandEnvironment& environment,
                                                 StoreLoad load) {
  auto configuration = NewConfiguration(environment.host);
  const bool force = load == StoreLoad::FromDisk;
  switch (environment.store.kind) {
    case StoreKind::Site: {
      bool forceReload = force;
      configuration->LoadSiteConfig(forceReload);
      break;
    }
    case StoreKind::Id:
      configuration->Load(environment.store.value, force);
      break;
    case StoreKind::File:
      // A store file is only ever read from disk and checked against its schema.
      configuration->LoadConfigFile(environment.store.value);
      break;
  }
  return configuration;
}

std::vector<std::string> ArrayTexts(const Variant& array) {
  std::vector<std::string> texts;
  for (const Variant& element : array.AsArray().Elements()) texts.push_back(element.ToString());
  return texts;
}

CommandResult StoreCommand::Run(const CommandEnvironment& environment) {
  return RunOn(*OpenSelectedStore(environment, StoreLoad::Shared));
}

}  // namespace corvane::cli
