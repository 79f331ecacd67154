#include "CliOutput.h"

#include <cstdint>
#include <cstdio>

namespace corvane::cli {
namespace {

std::string HexNumber(std::int32_t number) {
  char buffer[11];
  std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<std::uint32_t>(number));
  return buffer;
}

std::string WithoutCarriageReturns(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    result.push_back(text[i]);
  }
  return result;
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string json = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        json += "\\\"";
        break;
      case '\\':
        json += "\\\\";
        break;
      case '\b':
        json += "\\b";
        break;
      case '\f':
        json += "\\f";
        break;
      case '\n':
        json += "\\n";
        break;
      case '\r':
        json += "\\r";
        break;
      case '\t':
        json += "\\t";
        break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          char escape[7];
          std::snprintf(escape, sizeof escape, "\\u%04X", byte);
          json += escape;
        } else {
          json.push_back(c);  // UTF-8 passes through unchanged
        }
    }
  }
  return json + "\"";
}

void WriteResult(const CommandResult& result, bool json, std::ostream& out) {
  using Kind = CommandResult::Kind;
  if (json) {
    switch (result.GetKind()) {
      case Kind::Nothing:
        out << "{}\n";
        break;
      case Kind::Value:
        out << "{\"value\": " << JsonString(result.GetValue()) << "}\n";
        break;
      case Kind::Lines: {
        out << "{\"values\": [";
        const char* separator = "";
        for (const std::string& line : result.GetLines()) {
          out << separator << JsonString(line);
          separator = ", ";
        }
        out << "]}\n";
        break;
      }
    }
    return;
  }
  switch (result.GetKind()) {
    case Kind::Nothing:
      break;
    case Kind::Value:
      out << result.GetValue() << '\n';
      break;
    case Kind::Lines:
      for (const std::string& line : result.GetLines()) out << line << '\n';
      break;
  }
}

void WriteError(const Error& error, std::ostream& err) {
  err << "corvane: error " << HexNumber(error.Number());
  if (!error.Source().empty()) {
    err << " (source: " << error.Source() << ')';
  }
  err << '\n';
  const std::string description = WithoutCarriageReturns(error.Description());
  if (!description.empty()) {
    err << description;
    if (description.back() != '\n') err << '\n';
  }
}

void WriteUsageError(std::string_view message, std::string_view commandPath, std::ostream& err) {
  err << "corvane: " << message << '\n'
      << "Usage: corvane [OPTIONS] COMMAND [OPTIONS] [ARGS]\n"
      << "Run '" << commandPath << " --help' for more information.\n";
}

}  // namespace corvane::cli
