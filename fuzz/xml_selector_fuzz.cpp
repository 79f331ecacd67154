// Selection patterns from the fuzzer against a small store: a pattern is
// either refused with the query error or selects nodes of the document, and
// the indexed first match always equals the first of all matches.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include <corvane/Error.h>

#include "platform/xml/XmlDocument.h"
#include "platform/xml/XmlErrors.h"

namespace {

using corvane::platform::XmlDocument;

const std::shared_ptr<XmlDocument>& Store() {
  static const std::shared_ptr<XmlDocument> document = [] {
    auto loaded = XmlDocument::Create();
    loaded->loadXML(
        "<Config><Section id='A'><Item><Name>x</Name><Value>1</Value></Item>"
        "<Item><Name>y</Name><Name>x</Name><Value>2</Value></Item></Section>"
        "<Section id='B'><Item><Name>x</Name><Value a='q'>3</Value></Item>"
        "<Section id='A'><Item><Name>z</Name></Item></Section></Section></Config>");
    return loaded;
  }();
  return document;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view pattern(reinterpret_cast<const char*>(data), size);
  const auto root = Store()->documentNode();
  try {
    const auto all = root->selectNodes(pattern);
    const auto first = root->selectSingleNode(pattern);
    if ((first == nullptr) != (all.length() == 0)) std::abort();
    if (first != nullptr && !first->isSameNode(all.item(0))) std::abort();
  } catch (const corvane::Error& error) {
    if (error.Number() != corvane::platform::xmlInvalidPattern) std::abort();
  }
  return 0;
}
