#include "platform/xml/XmlErrors.h"

#include <array>

namespace corvane::platform {
namespace {

struct FailureEntry {
  XmlFailure failure;
  std::int32_t number;
  std::string_view text;
};

constexpr std::array<FailureEntry, 10> kFailures{{
    {XmlFailure::FileNotFound, xmlFileNotFound, "The system cannot locate the object specified."},
    {XmlFailure::InvalidPattern, xmlInvalidPattern, "Invalid selection pattern: "},
    {XmlFailure::SaveFailed, xmlSaveFailed, "The document could not be serialized."},
    {XmlFailure::NullNode, xmlInvalidArgument, "The parameter is incorrect."},
    {XmlFailure::InvalidName, xmlInvalidArgument, "Invalid XML name: "},
    {XmlFailure::WrongDocument, xmlInvalidArgument, "The node belongs to another document."},
    {XmlFailure::HierarchyRequest, xmlInvalidOperation,
     "The node cannot be inserted at this position."},
    {XmlFailure::NotAChild, xmlInvalidArgument, "The node is not a child of this node."},
    {XmlFailure::WrongNodeType, xmlInvalidOperation,
     "The operation is not supported on a node of this type."},
    {XmlFailure::InvalidText, xmlInvalidArgument,
     "The text holds a character that XML cannot represent."},
}};

const FailureEntry& Entry(XmlFailure failure) noexcept {
  for (const auto& entry : kFailures) {
    if (entry.failure == failure) return entry;
  }
  return kFailures[0];
}

}  // namespace

std::int32_t XmlParseErrorNumber(int libxmlCode) noexcept {
  const auto code = static_cast<std::uint32_t>(libxmlCode) & 0xFFFu;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(xmlParseErrorBase) + code);
}

std::int32_t XmlFailureNumber(XmlFailure failure) noexcept { return Entry(failure).number; }

std::string XmlFailureText(XmlFailure failure, std::string_view detail) {
  std::string text(Entry(failure).text);
  if (text.ends_with(": ")) text.append(detail);
  return text;
}

corvane::Error XmlError(XmlFailure failure, std::string_view detail) {
  return corvane::Error(XmlFailureNumber(failure), std::string(kXmlErrorSource),
                        XmlFailureText(failure, detail));
}

}  // namespace corvane::platform
