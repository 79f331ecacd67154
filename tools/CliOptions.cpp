#include "CliOptions.h"

#include <cstdlib>

namespace corvane::cli {
namespace {

constexpr const char* kInstallDirVariable = "CORVANE_INSTALL_DIR";
constexpr const char* kRegistryVariable = "CORVANE_REGISTRY";
constexpr const char* kEventLogVariable = "CORVANE_EVENT_LOG";

void AddTextOption(CLI::App& app, const std::string& name, const std::string& typeName,
                   std::optional<std::string>& target, const std::string& help,
                   const char* variable) {
  app.add_option_function<std::string>(
         name, [&target](const std::string& value) { target = value; }, help)
      ->type_name(typeName)
      ->envname(variable);
}

}  // namespace

void AddGlobalOptions(CLI::App& app, GlobalOptions& options) {
  AddTextOption(app, "--install-dir", "DIR", options.installDir,
                "Run as a web application whose shared \"InstallDir\" is DIR", kInstallDirVariable);
  AddTextOption(app, "--registry", "FILE", options.registry, "The registry export FILE to read",
                kRegistryVariable);
  AddTextOption(app, "--event-log", "SINK", options.eventLog,
                "Event-log SINK: syslog, stderr, file:PATH or none", kEventLogVariable);
  app.add_flag("--json", options.json, "Print the result as one JSON document");
}

void AddStoreOptions(CLI::App& command, StoreSelection& selection) {
  auto* site = command.add_flag_callback(
      "--site",
      [&selection] {
        selection = {StoreKind::Site, {}};
      },
      "Use the site store (the default)");
  auto* store = command
                    .add_option_function<std::string>(
                        "--store",
                        [&selection](const std::string& id) {
                          selection = {StoreKind::Id, id};
                        },
                        "Use the application store with this ID")
                    ->type_name("ID");
  auto* file = command
                   .add_option_function<std::string>(
                       "--file",
                       [&selection](const std::string& path) {
                         selection = {StoreKind::File, path};
                       },
                       "Use the store file at PATH")
                   ->type_name("PATH");
  site->excludes(store)->excludes(file);
  store->excludes(file);
}

void ExportToEnvironment(const GlobalOptions& options) {
  if (options.registry) {
    ::setenv(kRegistryVariable, options.registry->c_str(), 1);
  }
  if (options.eventLog) {
    ::setenv(kEventLogVariable, options.eventLog->c_str(), 1);
  }
}

}  // namespace corvane::cli
