#include "Cli.h"

#include "CliOutput.h"

#include <corvane/Error.h>

#include "errors/ExceptionTranslation.h"

#include <CLI/CLI.hpp>

#include <exception>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace corvane::cli {
namespace {

constexpr const char* kDescription =
    "Reads and edits a Corvane installation's configuration and encrypted values.";

struct BoundCommand {
  CLI::App* subcommand;
  std::unique_ptr<Command> command;
};

std::vector<BoundCommand> AddCommands(CLI::App& app, const CommandCatalog& catalog,
                                      StoreSelection& store) {
  std::vector<BoundCommand> bound;
  for (const CommandDefinition& definition : catalog.Commands()) {
    CLI::App* subcommand = app.add_subcommand(definition.name, definition.summary);
    subcommand->group("Commands");
    std::unique_ptr<Command> command = definition.create();
    command->Configure(*subcommand);
    if (definition.selectsStore) {
      AddStoreOptions(*subcommand, store);
    }
    bound.push_back({subcommand, std::move(command)});
  }
  return bound;
}

std::string CommandPath(const CLI::App& app) {
  const auto selected = app.get_subcommands();
  return selected.empty() ? std::string("corvane") : "corvane " + selected.front()->get_name();
}

// CLI11 reports a word that names no command as a missing command; say what it is.
std::string UsageMessage(const CLI::App& app, const CLI::ParseError& error) {
  if (app.get_subcommands().empty()) {
    const std::vector<std::string> extra = app.remaining();
    if (!extra.empty() && !extra.front().empty() && extra.front().front() != '-') {
      return "unknown command: " + extra.front();
    }
  }
  return error.what();
}

int RunSelected(Command& command, const GlobalOptions& options, const StoreSelection& store,
                std::ostream& out, std::ostream& err) {
  try {
    ExportToEnvironment(options);
    CliHost host(options.installDir);
    const CommandResult result = command.Run({options, store, host});
    WriteResult(result, options.json, out);
    return kExitSuccess;
  } catch (...) {
    WriteError(ToError(std::current_exception()), err);
    return kExitFailure;
  }
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
           const CommandCatalog& catalog) {
  GlobalOptions options;
  StoreSelection store;
  CLI::App app(kDescription, "corvane");
  app.set_version_flag("--version", std::string("corvane ") + CORVANE_VERSION);
  app.get_formatter()->label("SUBCOMMAND", "COMMAND");
  AddGlobalOptions(app, options);
  app.fallthrough();  // global options may follow the command word; set before commands inherit it
  app.require_subcommand(1);
  std::vector<BoundCommand> commands = AddCommands(app, catalog, store);

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& done) {  // --help or --version
    return app.exit(done, out, err);
  } catch (const CLI::ParseError& error) {
    WriteUsageError(UsageMessage(app, error), CommandPath(app), err);
    return kExitUsage;
  }

  for (BoundCommand& entry : commands) {
    if (entry.subcommand->parsed()) {
      return RunSelected(*entry.command, options, store, out, err);
    }
  }
  WriteUsageError("A command is required", "corvane", err);
  return kExitUsage;
}

}  // namespace corvane::cli
