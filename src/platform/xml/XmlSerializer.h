// Serialization of a whole libxml2 document, indented. REQUIRES: the
// tree's read lock and its serializer mutex.
#pragma once

#include <libxml/tree.h>

#include <string>

namespace corvane::platform {

// The document in encoding (its declared one when null, else UTF-8).
// Raises XmlFailure::SaveFailed when libxml2 cannot produce it.
std::string SerializeDocument(xmlDocPtr document, const char* encoding);

}  // namespace corvane::platform
