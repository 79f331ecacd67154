// XmlSchemaCollection: XSD schemas by target namespace. A parsed schema is
// shared by every collection that names the same file, until the file changes.
// Safe for concurrent use.
#pragma once

#include <memory>
#include <string_view>

namespace corvane::platform {

class XmlSchemaCollection {
 public:
  static std::shared_ptr<XmlSchemaCollection> Create();
  virtual ~XmlSchemaCollection() = default;

  // Adds the schema at path under namespaceUri (the library uses "").
  // A schema that cannot be read or parsed raises an Error (the file-not-found
  // number for a missing file, else the parse number).
  virtual void add(std::string_view namespaceUri, std::string_view path) = 0;
};

}  // namespace corvane::platform
