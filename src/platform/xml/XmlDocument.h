// XmlDocument: the free-threaded DOM document of the XML document service.
// The document guards its tree with a reader/writer lock: any number of
// threads may read and edit it at once; callers take no locks.
// It is an Object so that it can be kept in a web application's shared state.
#pragma once

#include <corvane/Object.h>

#include "platform/xml/XmlNode.h"
#include "platform/xml/XmlParseError.h"
#include "platform/xml/XmlSchemaCollection.h"

#include <memory>
#include <string_view>

namespace corvane::platform {

class XmlDocument : public corvane::Object {
 public:
  static std::shared_ptr<XmlDocument> Create();

  // Later loads validate against these schemas; null detaches them.
  virtual void setSchemas(std::shared_ptr<XmlSchemaCollection> schemas) = 0;
  // Loading is always synchronous; the flag is kept for callers that set it.
  virtual void setAsync(bool async) = 0;

  // Replaces the tree with the parsed file. Returns false on a missing file,
  // malformed XML or a schema violation, and then parseError() says why and
  // the previous tree stays. Whitespace-only text between elements is
  // dropped; no network, external entities, DTD loading or entity blow-up.
  virtual bool load(std::string_view path) = 0;
  // Same as load, from text in memory (for tests and tools).
  virtual bool loadXML(std::string_view xml) = 0;
  virtual XmlParseError parseError() const = 0;

  // Writes the whole document, indented, through an atomic replace of path.
  // Raises an Error when the file cannot be written; the old file stays.
  virtual void save(std::string_view path) const = 0;
  // The document serialized as it would be saved.
  virtual std::string xml() const = 0;

  // The root element, or null for an empty document.
  virtual XmlNodePtr documentElement() const = 0;
  // The document node itself, for selections relative to it.
  virtual XmlNodePtr documentNode() const = 0;
  // A new element of this document, not yet in the tree.
  virtual XmlNodePtr createElement(std::string_view name) = 0;
};

}  // namespace corvane::platform
