// XmlErrorCollector: keeps the first error that libxml2 reports for one
// parse, schema compilation or validation, through a context-local
// structured-error handler. One collector per operation; not shared.
#pragma once

#include "platform/xml/XmlParseError.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <string>
#include <string_view>

namespace corvane::platform {

class XmlErrorCollector {
 public:
  // Handler for schema contexts: data is the collector.
  static void OnError(void* data, xmlErrorPtr error);
  // Handler for parser contexts: ctx is the parser context, whose _private
  // is the collector.
  static void OnParserError(void* ctx, xmlErrorPtr error);

  // Keeps this error unless an earlier one is kept. A line of 0 is unknown.
  void Record(int code, std::string_view message, int line, int column);
  bool HasError() const noexcept { return code_ != 0; }
  int Code() const noexcept { return code_; }
  const std::string& Message() const noexcept { return message_; }

  // The kept error, with the text of its line taken from source.
  XmlParseError ToParseError(std::string_view source) const;

 private:
  int code_ = 0;
  std::string message_;
  int line_ = 0;
  int column_ = 0;
  std::string element_;  // the element a validation error is about
};

}  // namespace corvane::platform
