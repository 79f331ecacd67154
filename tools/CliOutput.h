// How the tool writes results, library errors and usage errors.
// Stateless functions; safe on any thread with distinct streams.
#pragma once

#include "CliCommand.h"

#include <corvane/Error.h>

#include <ostream>
#include <string>
#include <string_view>

namespace corvane::cli {

// The result followed by a newline (one line per item of a list, nothing for
// no result); with json, one JSON document on one line.
void WriteResult(const CommandResult& result, bool json, std::ostream& out);

// "corvane: error 0xXXXXXXXX" with " (source: SOURCE)" when there is a
// source, then the description on the following lines, CR LF written as LF.
void WriteError(const Error& error, std::ostream& err);

// "corvane: MESSAGE" and a short usage hint.
void WriteUsageError(std::string_view message, std::string_view commandPath, std::ostream& err);

// text as a JSON string literal, quotes included.
std::string JsonString(std::string_view text);

}  // namespace corvane::cli
