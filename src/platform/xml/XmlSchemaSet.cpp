#include "platform/xml/XmlSchemaSet.h"

namespace corvane::platform {

std::shared_ptr<XmlSchemaCollection> XmlSchemaCollection::Create() {
  return std::make_shared<XmlSchemaSet>();
}

void XmlSchemaSet::add(std::string_view namespaceUri, std::string_view path) {
  auto schema = LoadSchema(path);
  std::lock_guard<std::mutex> guard(mutex_);
  for (auto& entry : entries_) {
    if (entry.first == namespaceUri) {
      entry.second = std::move(schema);
      return;
    }
  }
  entries_.emplace_back(std::string(namespaceUri), std::move(schema));
}

std::vector<SchemaEntry> XmlSchemaSet::Entries() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return entries_;
}

}  // namespace corvane::platform
