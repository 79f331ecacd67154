// XmlSchemaSet: the schema collection behind XmlSchemaCollection::Create.
// Safe for concurrent use.
#pragma once

#include "platform/xml/XmlSchemaCache.h"
#include "platform/xml/XmlSchemaCollection.h"

#include <mutex>
#include <vector>

namespace corvane::platform {

class XmlSchemaSet final : public XmlSchemaCollection {
 public:
  void add(std::string_view namespaceUri, std::string_view path) override;

  // The registered schemas at this moment, one per namespace.
  std::vector<SchemaEntry> Entries() const;

 private:
  mutable std::mutex mutex_;
  std::vector<SchemaEntry> entries_;
};

}  // namespace corvane::platform
