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
#include <string>
#include <string_view>

namespace corvane::platform {

class XmlDocument : public corvane::Object {
 public:
  // An empty document: a document node without children.
  static std::shared_ptr<XmlDocument> Create();

  // Later loads validate against these schemas (the one registered for the
  // root element's namespace); null detaches them.
  virtual void setSchemas(std::shared_ptr<XmlSchemaCollection> schemas) = 0;
  // Loading is always synchronous; the flag is kept for callers that set it.
  virtual void setAsync(bool async) = 0;

  // Replaces the tree with the parsed file, read through the file-system
  // service (the name matched without regard to case when the exact one is
  // missing). Returns false on a missing file, malformed XML or a schema
  // violation, and then parseError() says why and the previous tree stays.
  // Whitespace-only text between elements is dropped; no network, external
  // entities, DTD loading or entity declarations. Handles into the previous
  // tree stay valid and keep pointing into it.
  virtual bool load(std::string_view path) = 0;
  // Same as load, from text in memory (for tests and tools).
  virtual bool loadXML(std::string_view xml) = 0;
  // Why the last load failed; all fields zero or empty after a success.
  virtual XmlParseError parseError() const = 0;

  // Writes the whole document, indented, in its declared encoding (else
  // UTF-8), through an atomic replace of path. Raises the file service's
  // Error when the file cannot be written; the old file stays as it was.
  virtual void save(std::string_view path) const = 0;
  // The document serialized as save writes it, in UTF-8.
  virtual std::string xml() const = 0;

  // The root element, or null for an empty document.
  virtual XmlNodePtr documentElement() const = 0;
  // The document node of the current tree, for selections relative to it.
  virtual XmlNodePtr documentNode() const = 0;
  // A new element of this document, not yet in the tree. Raises
  // xmlInvalidArgument when name is not an XML name.
  virtual XmlNodePtr createElement(std::string_view name) = 0;
};

}  // namespace corvane::platform
