// Safe parsing of XML text into libxml2 documents: no network, no DTD
// loading, no external entities, no entity declarations at all (which
// stops entity-expansion attacks at the first declaration), and
// whitespace-only text between elements dropped. Safe on any thread.
#pragma once

#include "platform/xml/XmlParseError.h"

#include <libxml/tree.h>

#include <memory>
#include <string>
#include <string_view>

namespace corvane::platform {

struct XmlDocDeleter {
  void operator()(xmlDoc* document) const noexcept { xmlFreeDoc(document); }
};
using XmlDocOwner = std::unique_ptr<xmlDoc, XmlDocDeleter>;

struct XmlParseOutcome {
  XmlDocOwner document;  // null on failure
  XmlParseError error;   // errorCode 0 on success
};

// Parses bytes; url (may be empty) names the source in the document and
// its messages.
XmlParseOutcome ParseXml(std::string_view bytes, const std::string& url);

// Removes whitespace-only text nodes that sit beside elements, comments or
// processing instructions, except where xml:space="preserve" holds.
void DropWhitespaceBetweenElements(xmlDocPtr document);

}  // namespace corvane::platform
