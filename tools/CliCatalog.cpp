#include "CliCatalog.h"

#include <algorithm>
#include <stdexcept>

namespace corvane::cli {
namespace {

// Filled by the static registrations of the command files, before main.
std::vector<CommandRegistration::Function>& Registrations() {
  static std::vector<CommandRegistration::Function> functions;
  return functions;
}

}  // namespace

void CommandCatalog::Add(CommandDefinition definition) {
  const auto position =
      std::lower_bound(commands_.begin(), commands_.end(), definition.name,
                       [](const CommandDefinition& existing, const std::string& name) {
                         return existing.name < name;
                       });
  if (position != commands_.end() && position->name == definition.name) {
    throw std::logic_error("command registered twice: " + definition.name);
  }
  commands_.insert(position, std::move(definition));
}

const CommandCatalog& CommandCatalog::Builtin() {
  static const CommandCatalog catalog = [] {
    CommandCatalog built;
    for (const CommandRegistration::Function function : Registrations()) function(built);
    return built;
  }();
  return catalog;
}

CommandRegistration::CommandRegistration(Function registerCommands) {
  Registrations().push_back(registerCommands);
}

}  // namespace corvane::cli
