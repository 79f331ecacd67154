#include "platform/xml/XmlSerializer.h"

#include "platform/xml/XmlErrors.h"

namespace corvane::platform {

std::string SerializeDocument(xmlDocPtr document, const char* encoding) {
  if (encoding == nullptr) {
    encoding =
        document->encoding == nullptr ? "UTF-8" : reinterpret_cast<const char*>(document->encoding);
  }
  xmlChar* bytes = nullptr;
  int size = 0;
  xmlDocDumpFormatMemoryEnc(document, &bytes, &size, encoding, 1);
  if (bytes == nullptr || size < 0) {
    xmlFree(bytes);
    throw XmlError(XmlFailure::SaveFailed);
  }
  std::string text(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size));
  xmlFree(bytes);
  return text;
}

}  // namespace corvane::platform
