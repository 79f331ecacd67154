// Documents from the fuzzer: a load either fails with a parse error or
// yields a tree whose saved form loads again, with the same root.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/xml/XmlDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view xml(reinterpret_cast<const char*>(data), size);
  const auto document = corvane::platform::XmlDocument::Create();
  if (!document->loadXML(xml)) {
    if (document->parseError().errorCode == 0) std::abort();
    return 0;
  }
  const auto saved = document->xml();
  const auto again = corvane::platform::XmlDocument::Create();
  if (!again->loadXML(saved)) std::abort();
  const auto root = document->documentElement();
  const auto reloadedRoot = again->documentElement();
  if ((root == nullptr) != (reloadedRoot == nullptr)) std::abort();
  if (root != nullptr && root->nodeName() != reloadedRoot->nodeName()) std::abort();
  return 0;
}
