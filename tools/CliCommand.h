// Command: one subcommand of the corvane tool, and what it is given and
// returns. A command object serves one run of the tool on one thread.
#pragma once

#include "CliHost.h"
#include "CliOptions.h"

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace corvane::cli {

// What a command prints: nothing, one value, or a list of lines.
class CommandResult {
 public:
  enum class Kind { Nothing, Value, Lines };

  static CommandResult Nothing() { return CommandResult(Kind::Nothing, {}, {}); }
  static CommandResult Value(std::string value) {
    return CommandResult(Kind::Value, std::move(value), {});
  }
  static CommandResult Lines(std::vector<std::string> lines) {
    return CommandResult(Kind::Lines, {}, std::move(lines));
  }

  Kind GetKind() const noexcept { return kind_; }
  const std::string& GetValue() const noexcept { return value_; }
  const std::vector<std::string>& GetLines() const noexcept { return lines_; }

 private:
  CommandResult(Kind kind, std::string value, std::vector<std::string> lines)
      : kind_(kind), value_(std::move(value)), lines_(std::move(lines)) {}

  Kind kind_;
  std::string value_;
  std::vector<std::string> lines_;
};

// What a running command may use: the parsed global options, the store
// selection (meaningful for store commands only) and the host context.
struct CommandEnvironment {
  const GlobalOptions& options;
  const StoreSelection& store;
  CliHost& host;
};

class Command {
 public:
  virtual ~Command() = default;
  // Declares the command's own options and arguments on its subcommand.
  virtual void Configure(CLI::App& command) = 0;
  // Runs after a successful parse, inside the host's context. Failures are
  // corvane::Error and reach the user as the error line.
  virtual CommandResult Run(const CommandEnvironment& environment) = 0;
};

}  // namespace corvane::cli
