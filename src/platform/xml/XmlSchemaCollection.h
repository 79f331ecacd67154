// XmlSchemaCollection: XSD schemas by target namespace. A compiled schema is
// shared by every collection that names the same file, until the file's
// contents change. Safe for concurrent use.
#pragma once

#include <memory>
#include <string_view>

namespace corvane::platform {

class XmlSchemaCollection {
 public:
  // An empty collection.
  static std::shared_ptr<XmlSchemaCollection> Create();
  virtual ~XmlSchemaCollection() = default;

  // Adds the schema at path under namespaceUri (the library uses ""),
  // replacing one added before under the same namespace. A schema that
  // cannot be read or compiled raises an Error: xmlFileNotFound for a
  // missing file, the file service's error for an unreadable one, else
  // xmlParseErrorBase plus libxml2's code with its message.
  virtual void add(std::string_view namespaceUri, std::string_view path) = 0;
};

}  // namespace corvane::platform
