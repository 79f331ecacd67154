#include "platform/xml/XmlErrorCollector.h"

#include "platform/xml/XmlErrors.h"
#include "platform/xml/XmlNodeText.h"
#include "platform/xml/XmlSourceLine.h"

namespace corvane::platform {
namespace {

std::string_view Trimmed(std::string_view text) noexcept {
  constexpr std::string_view kSpace = " \t\r\n";
  const auto begin = text.find_first_not_of(kSpace);
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(kSpace) - begin + 1);
}

}  // namespace

void XmlErrorCollector::OnError(void* data, xmlErrorPtr error) {
  auto* self = static_cast<XmlErrorCollector*>(data);
  if (self == nullptr || error == nullptr || error->level < XML_ERR_ERROR) return;
  if (self->HasError()) return;
  self->Record(error->code, error->message == nullptr ? "" : error->message, error->line,
               error->domain == XML_FROM_SCHEMASV ? 0 : error->int2);
  const auto* node = static_cast<const xmlNode*>(error->node);
  if (error->domain == XML_FROM_SCHEMASV && node != nullptr && node->type == XML_ELEMENT_NODE) {
    self->element_ = QualifiedName(node);
    if (self->line_ == 0) self->line_ = static_cast<int>(xmlGetLineNo(node));
  }
}

void XmlErrorCollector::OnParserError(void* ctx, xmlErrorPtr error) {
  auto* context = static_cast<xmlParserCtxtPtr>(ctx);
  if (context != nullptr) OnError(context->_private, error);
}

void XmlErrorCollector::Record(int code, std::string_view message, int line, int column) {
  if (HasError()) return;
  code_ = code == 0 ? XML_ERR_INTERNAL_ERROR : code;
  message_ = std::string(Trimmed(message));
  line_ = line < 0 ? 0 : line;
  column_ = column < 0 ? 0 : column;
}

XmlParseError XmlErrorCollector::ToParseError(std::string_view source) const {
  XmlParseError error;
  error.errorCode = XmlParseErrorNumber(code_);
  error.reason = message_;
  error.line = line_;
  error.srcText = SourceLine(source, line_);
  // Validation reports no column; the element's start tag on its line stands in.
  error.linepos = element_.empty() ? column_ : ElementColumn(error.srcText, element_);
  return error;
}

}  // namespace corvane::platform
