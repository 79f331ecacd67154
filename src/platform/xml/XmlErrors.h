// The XML document service's error numbers and texts, in one table.
// Plain functions; safe to call from any thread.
#pragma once

#include <corvane/Error.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::platform {

enum XmlErrors : std::int32_t {
  // A load of a file that does not exist (0x800C0006).
  xmlFileNotFound = -2146697210,
  // Parse and schema-validation failures: this base plus libxml2's error
  // code kept to 12 bits (0xC00CE000).
  xmlParseErrorBase = static_cast<std::int32_t>(0xC00CE000u),
  // A selection pattern outside the accepted forms (0x80004005).
  xmlInvalidPattern = -2147467259,
  // A document that could not be serialized for saving (0x80004005 as well).
  // A save that cannot write the file raises the file service's own error.
  xmlSaveFailed = -2147467259,
  // A tree edit that the DOM does not allow (0x80004005).
  xmlInvalidOperation = -2147467259,
  // A missing node, a node of another document or an invalid name (0x80070057).
  xmlInvalidArgument = -2147024809,
};

// The failures the service raises; each has one number and one text.
enum class XmlFailure {
  FileNotFound,      // "The system cannot locate the object specified."
  InvalidPattern,    // "Invalid selection pattern: " + the pattern
  SaveFailed,        // "The document could not be serialized."
  NullNode,          // "The parameter is incorrect."
  InvalidName,       // "Invalid XML name: " + the name
  WrongDocument,     // "The node belongs to another document."
  HierarchyRequest,  // "The node cannot be inserted at this position."
  NotAChild,         // "The node is not a child of this node."
  WrongNodeType,     // "The operation is not supported on a node of this type."
  InvalidText,       // "The text holds a character that XML cannot represent."
};

// The source that the service's errors carry.
inline constexpr std::string_view kXmlErrorSource = "XmlDocument";

// xmlParseErrorBase + (libxml2 code & 0xFFF).
std::int32_t XmlParseErrorNumber(int libxmlCode) noexcept;

std::int32_t XmlFailureNumber(XmlFailure failure) noexcept;
// The failure's text, followed by detail where the text ends in ": ".
std::string XmlFailureText(XmlFailure failure, std::string_view detail = {});
// The Error to raise for failure.
corvane::Error XmlError(XmlFailure failure, std::string_view detail = {});

}  // namespace corvane::platform
