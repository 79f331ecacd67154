// Compiled XSD schemas, shared process-wide by resolved path and compiled
// again only when the file's contents change. A compiled schema is only
// read after compilation, so any number of validations may use it at once
// (each with its own validation context). Safe for concurrent use.
#pragma once

#include "platform/xml/XmlParseError.h"
#include "platform/xml/XmlParser.h"

#include <libxml/xmlschemas.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane::platform {

class CompiledSchema {
 public:
  CompiledSchema(XmlDocOwner source, xmlSchemaPtr schema) noexcept;
  ~CompiledSchema();
  CompiledSchema(const CompiledSchema&) = delete;
  CompiledSchema& operator=(const CompiledSchema&) = delete;

  xmlSchemaPtr Schema() const noexcept { return schema_; }

 private:
  XmlDocOwner source_;  // the schema may point into its source document
  xmlSchemaPtr schema_;
};

// The compiled schema of the file at path (read through the file-system
// service). Raises xmlFileNotFound for a missing file, the file service's
// error for an unreadable one, and xmlParseErrorBase + code for a file
// that is not a well-formed, valid schema.
std::shared_ptr<const CompiledSchema> LoadSchema(std::string_view path);

// A namespace and the schema registered for it.
using SchemaEntry = std::pair<std::string, std::shared_ptr<const CompiledSchema>>;

// Validates document against the entry for its root element's namespace;
// nullopt when it is valid, else the first violation (lines and source line
// taken from source). REQUIRES: entries is not empty.
std::optional<XmlParseError> ValidateDocument(xmlDocPtr document,
                                              const std::vector<SchemaEntry>& entries,
                                              std::string_view source);

}  // namespace corvane::platform
