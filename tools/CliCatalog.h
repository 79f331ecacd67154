// CommandCatalog: the commands the tool offers. Each command file registers
// its commands with one CommandRegistration object:
//   void Register(CommandCatalog& catalog) { catalog.Add({"stores", "...", false, Make}); }
//   const CommandRegistration kRegistration(Register);
// The built-in catalog is filled before main runs and only read afterwards.
#pragma once

#include "CliCommand.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvane::cli {

struct CommandDefinition {
  std::string name;           // the subcommand word
  std::string summary;        // one line for the help text
  bool selectsStore = false;  // takes --site, --store ID or --file PATH
  std::function<std::unique_ptr<Command>()> create;
};

class CommandCatalog {
 public:
  // Adds a command. REQUIRES: no command of that name yet (a duplicate is a
  // programming error and throws std::logic_error).
  void Add(CommandDefinition definition);
  // The commands in name order.
  const std::vector<CommandDefinition>& Commands() const noexcept { return commands_; }

  // The catalog of the corvane tool: every registered command file's commands.
  static const CommandCatalog& Builtin();

 private:
  std::vector<CommandDefinition> commands_;
};

// Adds a command file's commands to the built-in catalog; define one static
// instance per command file.
class CommandRegistration {
 public:
  using Function = void (*)(CommandCatalog&);
  explicit CommandRegistration(Function registerCommands);
};

}  // namespace corvane::cli
