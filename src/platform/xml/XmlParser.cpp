#include "platform/xml/XmlParser.h"

#include "platform/xml/XmlErrorCollector.h"
#include "platform/xml/XmlLibrary.h"

#include <libxml/parser.h>

#include <climits>
#include <string>

namespace corvane::platform {
namespace {

constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_BIG_LINES;

void RefuseDeclaration(xmlParserCtxtPtr context, const xmlChar* name) {
  auto* collector = static_cast<XmlErrorCollector*>(context->_private);
  const std::string message =
      std::string("Entity declarations are not allowed: ") + reinterpret_cast<const char*>(name);
  const int line = context->input == nullptr ? 0 : context->input->line;
  const int column = context->input == nullptr ? 0 : context->input->col;
  collector->Record(XML_ERR_ENTITY_PROCESSING, message, line, column);
  xmlStopParser(context);
}

void OnEntityDeclaration(void* ctx, const xmlChar* name, int /*type*/, const xmlChar* /*publicId*/,
                         const xmlChar* /*systemId*/, xmlChar* /*content*/) {
  RefuseDeclaration(static_cast<xmlParserCtxtPtr>(ctx), name);
}

void OnUnparsedEntityDeclaration(void* ctx, const xmlChar* name, const xmlChar* /*publicId*/,
                                 const xmlChar* /*systemId*/, const xmlChar* /*notation*/) {
  RefuseDeclaration(static_cast<xmlParserCtxtPtr>(ctx), name);
}

struct ContextDeleter {
  void operator()(xmlParserCtxt* context) const noexcept { xmlFreeParserCtxt(context); }
};

XmlParseOutcome Failure(const XmlErrorCollector& collector, std::string_view bytes) {
  XmlParseOutcome outcome;
  outcome.error = collector.ToParseError(bytes);
  return outcome;
}

}  // namespace

XmlParseOutcome ParseXml(std::string_view bytes, const std::string& url) {
  EnsureXmlLibrary();
  XmlErrorCollector collector;
  if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
    collector.Record(XML_ERR_NO_MEMORY, "The document is too large.", 0, 0);
    return Failure(collector, {});
  }
  std::unique_ptr<xmlParserCtxt, ContextDeleter> context(xmlNewParserCtxt());
  if (!context) {
    collector.Record(XML_ERR_NO_MEMORY, "Out of memory.", 0, 0);
    return Failure(collector, {});
  }
  context->_private = &collector;
  context->sax->serror = XmlErrorCollector::OnParserError;
  context->sax->entityDecl = OnEntityDeclaration;
  context->sax->unparsedEntityDecl = OnUnparsedEntityDeclaration;

  XmlDocOwner document(
      xmlCtxtReadMemory(context.get(), bytes.data(), static_cast<int>(bytes.size()),
                        url.empty() ? nullptr : url.c_str(), nullptr, kParseOptions));
  if (!collector.HasError() && (!document || !context->wellFormed)) {
    const xmlError& last = context->lastError;
    collector.Record(last.code,
                     last.message == nullptr ? "The document is not well-formed." : last.message,
                     last.line, last.int2);
  }
  if (collector.HasError()) return Failure(collector, bytes);

  DropWhitespaceBetweenElements(document.get());
  XmlParseOutcome outcome;
  outcome.document = std::move(document);
  return outcome;
}

}  // namespace corvane::platform
