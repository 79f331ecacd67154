// Runs the corvane command line in process and captures its exit status and
// output; keeps the environment variables the tool reads as they were.
#pragma once

#include "Cli.h"

#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace corvane::testing {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline CliRun RunTool(std::vector<std::string> args,
                      const cli::CommandCatalog& catalog = cli::CommandCatalog::Builtin()) {
  args.insert(args.begin(), "corvane");
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  std::ostringstream out;
  std::ostringstream err;
  CliRun run;
  run.status = cli::RunCli(static_cast<int>(argv.size()), argv.data(), out, err, catalog);
  run.out = out.str();
  run.err = err.str();
  return run;
}

// Sets or clears environment variables for a scope and restores them.
class EnvironmentGuard {
 public:
  EnvironmentGuard(
      std::initializer_list<std::pair<const char*, std::optional<std::string>>> values) {
    for (const auto& [name, value] : values) {
      const char* old = std::getenv(name);
      saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
      Set(name, value);
    }
  }
  ~EnvironmentGuard() {
    for (const auto& [name, value] : saved_) Set(name.c_str(), value);
  }
  EnvironmentGuard(const EnvironmentGuard&) = delete;
  EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;

 private:
  static void Set(const char* name, const std::optional<std::string>& value) {
    if (value) {
      ::setenv(name, value->c_str(), 1);
    } else {
      ::unsetenv(name);
    }
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace corvane::testing
