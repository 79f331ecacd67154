// The corvane command line: global options, the command catalog, output and
// exit status. One call parses, runs one command and reports; it is not meant
// to run on two threads at once (it sets the process's environment).
#pragma once

#include "CliCatalog.h"

#include <ostream>

namespace corvane::cli {

// Exit statuses of the tool.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // the library raised an error
inline constexpr int kExitUsage = 2;    // unknown command or option, missing argument

// Parses argv, runs the selected command of catalog and writes its result to
// out, failures and usage messages to err. Returns the exit status.
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
           const CommandCatalog& catalog = CommandCatalog::Builtin());

}  // namespace corvane::cli
