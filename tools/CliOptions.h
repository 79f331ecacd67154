// The tool's global options and the store selection of store commands, as
// parsed from the command line and the environment. Plain values.
#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

namespace corvane::cli {

struct GlobalOptions {
  std::optional<std::string> installDir;  // run as a web application with this "InstallDir"
  std::optional<std::string> registry;    // the registry export file
  std::optional<std::string> eventLog;    // the event-log sink
  bool json = false;                      // results as one JSON document
};

enum class StoreKind { Site, Id, File };

struct StoreSelection {
  StoreKind kind = StoreKind::Site;
  std::string value;  // the store ID or the file path; empty for the site store
};

// Declares --install-dir, --registry, --event-log (each with its environment
// variable) and --json on the tool.
void AddGlobalOptions(CLI::App& app, GlobalOptions& options);

// Declares --site, --store ID and --file PATH (one at most) on a store command.
void AddStoreOptions(CLI::App& command, StoreSelection& selection);

// Hands --registry and --event-log to the library through the environment
// variables it reads.
void ExportToEnvironment(const GlobalOptions& options);

}  // namespace corvane::cli
