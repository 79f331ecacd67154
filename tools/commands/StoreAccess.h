// How the store commands reach the configuration service: a Configuration
// created inside the host's context, with the store that --site, --store ID
// or --file PATH selects made current. Used on the thread of the host.
#pragma once

#include "CliCommand.h"
#include "CliHost.h"

#include <corvane/Configuration.h>
#include <corvane/Variant.h>

#include <memory>
#include <string>
#include <vector>

namespace corvane::cli {

// How the selected store is made current.
enum class StoreLoad {
  Shared,    // as a web page loads it: from the web application's cache when it holds it
  FromDisk,  // read again from the file and validated (a forced reload)
};

// A new "Corvane.Configuration" created inside the host's context, as a web
// page creates it. Fails as the context's creation fails.
std::shared_ptr<Configuration> NewConfiguration(CliHost& host);

// NewConfiguration with the selected store current: LoadSiteConfig,
// Load(ID) or LoadConfigFile(PATH). Fails as the load fails.
std::shared_ptr<Configuration> OpenSelectedStore(const CommandEnvironment& environment,
                                                 StoreLoad load);

// The texts of a one-dimensional array the service returned, in order.
std::vector<std::string> ArrayTexts(const Variant& array);

// A command that works on the selected store: Run opens it and hands it to RunOn.
class StoreCommand : public Command {
 public:
  CommandResult Run(const CommandEnvironment& environment) final;

 protected:
  // Runs the command's one call on the opened store.
  virtual CommandResult RunOn(Configuration& configuration) = 0;
};

}  // namespace corvane::cli
