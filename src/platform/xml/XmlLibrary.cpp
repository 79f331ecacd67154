#include "platform/xml/XmlLibrary.h"

#include "platform/filesystem/FileSystem.h"

#include <corvane/Error.h>

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlschemastypes.h>

#include <climits>
#include <mutex>
#include <string_view>

namespace corvane::platform {
namespace {

constexpr std::string_view kFileScheme = "file://";

bool IsLocalPath(std::string_view url) noexcept {
  if (url.starts_with(kFileScheme)) return true;
  const auto colon = url.find(':');
  const auto slash = url.find('/');
  return colon == std::string_view::npos || (slash != std::string_view::npos && slash < colon);
}

xmlParserInputPtr InputFromBytes(xmlParserCtxtPtr context, const std::vector<std::uint8_t>& bytes,
                                 const char* url) {
  if (bytes.size() > static_cast<std::size_t>(INT_MAX)) return nullptr;
  xmlParserInputBufferPtr buffer =
      xmlParserInputBufferCreateMem(reinterpret_cast<const char*>(bytes.data()),
                                    static_cast<int>(bytes.size()), XML_CHAR_ENCODING_NONE);
  if (buffer == nullptr) return nullptr;
  xmlParserInputPtr input = xmlNewIOInputStream(context, buffer, XML_CHAR_ENCODING_NONE);
  if (input == nullptr) {
    xmlFreeParserInputBuffer(buffer);
    return nullptr;
  }
  input->filename = reinterpret_cast<const char*>(xmlStrdup(reinterpret_cast<const xmlChar*>(url)));
  return input;
}

xmlParserInputPtr LoadExternal(const char* url, const char* /*publicId*/,
                               xmlParserCtxtPtr context) {
  // A parser that is already reading asks for an entity or DTD: refused. A
  // fresh parser is the schema compiler opening an included schema file.
  if (url == nullptr || context == nullptr || context->inputNr > 0) return nullptr;
  std::string_view path(url);
  if (!IsLocalPath(path)) return nullptr;
  if (path.starts_with(kFileScheme)) path.remove_prefix(kFileScheme.size());
  try {
    const auto fileSystem = FileSystem::Default();
    const auto resolved = fileSystem->Resolve(path);
    if (!resolved) return nullptr;
    return InputFromBytes(context, fileSystem->ReadFile(*resolved), url);
  } catch (const corvane::Error&) {
    return nullptr;
  } catch (const std::exception&) {
    return nullptr;
  }
}

}  // namespace

void EnsureXmlLibrary() {
  static std::once_flag once;
  std::call_once(once, [] {
    xmlInitParser();
    // Built lazily without a lock otherwise, on the first schema compiled.
    xmlSchemaInitTypes();
    xmlSetExternalEntityLoader(LoadExternal);
  });
}

}  // namespace corvane::platform
