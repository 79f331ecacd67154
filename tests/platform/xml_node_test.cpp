#include <corvane/Error.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/RaisesError.h"
#include "platform/xml/XmlDocument.h"

namespace corvane::platform {
namespace {

constexpr std::int32_t kInvalidArgument = -2147024809;
constexpr std::int32_t kInvalidOperation = -2147467259;

constexpr const char* kStore =
    "<Config><Section id='a'><Item><Name>x</Name><Value>1</Value></Item>"
    "<Item><Name>y</Name><Value>2</Value></Item></Section>"
    "<Mixed>t<![CDATA[<c>]]><!--skip--><?pi data?><b>u</b></Mixed></Config>";

std::shared_ptr<XmlDocument> Loaded(const char* xml = kStore) {
  auto document = XmlDocument::Create();
  EXPECT_TRUE(document->loadXML(xml)) << document->parseError().reason;
  return document;
}

XmlNodePtr Select(const std::shared_ptr<XmlDocument>& document, const char* pattern) {
  auto node = document->documentNode()->selectSingleNode(pattern);
  EXPECT_NE(node, nullptr) << pattern;
  return node;
}

std::vector<std::string> Names(const XmlNodeList& list) {
  std::vector<std::string> names;
  for (const auto& node : list.Nodes()) names.push_back(node->nodeName());
  return names;
}

TEST(XmlNode, ReportsKindNameAndTextOfEachKindOfNode) {
  const auto document = Loaded();
  const auto mixed = Select(document, "Config/Mixed");
  const auto children = mixed->childNodes();
  ASSERT_EQ(children.length(), 5);
  struct Expected {
    XmlNodeType type;
    const char* name;
    const char* text;
  };
  const std::vector<Expected> expected = {
      {XmlNodeType::Text, "#text", "t"},
      {XmlNodeType::CData, "#cdata-section", "<c>"},
      {XmlNodeType::Comment, "#comment", "skip"},
      {XmlNodeType::ProcessingInstruction, "pi", "data"},
      {XmlNodeType::Element, "b", "u"},
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    const auto child = children.item(static_cast<std::int32_t>(i));
    EXPECT_EQ(child->nodeType(), expected[i].type);
    EXPECT_EQ(child->nodeName(), expected[i].name);
    EXPECT_EQ(child->text(), expected[i].text);
  }
  EXPECT_EQ(mixed->text(), "t<c>u");
  EXPECT_EQ(document->documentNode()->nodeType(), XmlNodeType::Document);
  EXPECT_EQ(document->documentNode()->nodeName(), "#document");
  EXPECT_EQ(document->documentNode()->text(), "x1y2t<c>u");
  EXPECT_EQ(children.item(5), nullptr);
  EXPECT_EQ(children.item(-1), nullptr);
}

TEST(XmlNode, NavigatesParentsChildrenAndSiblings) {
  const auto document = Loaded();
  const auto second = Select(document, "Config/Section/Item[Name='y']");
  const auto first = second->previousSibling();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->firstChild()->text(), "x");
  EXPECT_EQ(first->previousSibling(), nullptr);
  EXPECT_TRUE(second->parentNode()->isSameNode(Select(document, "Config/Section")));
  EXPECT_TRUE(document->documentElement()->parentNode()->isSameNode(document->documentNode()));
  EXPECT_EQ(document->documentNode()->parentNode(), nullptr);
  EXPECT_EQ(Names(second->parentNode()->childNodes()), (std::vector<std::string>{"Item", "Item"}));
  EXPECT_EQ(Select(document, "Config/Section/Item/Value")->firstChild()->firstChild(), nullptr);
  EXPECT_FALSE(first->isSameNode(second));
  EXPECT_FALSE(first->isSameNode(nullptr));
}

TEST(XmlNode, ReadsAndWritesAttributes) {
  const auto document = Loaded();
  const auto section = Select(document, "Config/Section");
  EXPECT_EQ(section->getAttribute("id"), "a");
  EXPECT_EQ(section->getAttribute("ID"), std::nullopt);
  EXPECT_EQ(section->firstChild()->firstChild()->firstChild()->getAttribute("id"), std::nullopt);
  section->setAttribute("id", "b");
  section->setAttribute("extra", "");
  EXPECT_EQ(section->getAttribute("id"), "b");
  EXPECT_EQ(section->getAttribute("extra"), "");

  const auto attribute = section->getAttributeNode("id");
  ASSERT_NE(attribute, nullptr);
  EXPECT_EQ(attribute->nodeType(), XmlNodeType::Attribute);
  EXPECT_EQ(attribute->nodeName(), "id");
  EXPECT_EQ(attribute->text(), "b");
  EXPECT_EQ(attribute->parentNode(), nullptr);
  EXPECT_EQ(attribute->childNodes().length(), 0);
  attribute->setText("c");
  EXPECT_EQ(section->getAttribute("id"), "c");
  EXPECT_EQ(section->getAttributeNode("missing"), nullptr);
}

TEST(XmlNode, ReadsNamespaceDeclarationsAndPrefixedNames) {
  const auto document = Loaded("<r xmlns='urn:d' xmlns:p='urn:p'><p:e p:a='1'/></r>");
  const auto root = document->documentElement();
  EXPECT_EQ(root->getAttribute("xmlns"), "urn:d");
  EXPECT_EQ(root->getAttribute("xmlns:p"), "urn:p");
  const auto element = root->firstChild();
  EXPECT_EQ(element->nodeName(), "p:e");
  EXPECT_EQ(element->getAttribute("p:a"), "1");
  EXPECT_EQ(element->getAttribute("a"), std::nullopt);
  EXPECT_TRUE(root->selectSingleNode("p:e[@p:a='1']")->isSameNode(element));
}

TEST(XmlNode, SetTextReplacesTheContentAndKeepsOldChildrenValid) {
  const auto document = Loaded();
  const auto item = Select(document, "Config/Section/Item[Name='x']");
  const auto name = item->firstChild();
  item->setText("plain");
  EXPECT_EQ(item->text(), "plain");
  ASSERT_EQ(item->childNodes().length(), 1);
  EXPECT_EQ(item->firstChild()->nodeType(), XmlNodeType::Text);
  EXPECT_EQ(name->text(), "x");
  EXPECT_EQ(name->parentNode(), nullptr);

  const auto value = Select(document, "Config/Section/Item[Name='y']/Value");
  const auto valueText = value->firstChild();
  value->setText("3");
  EXPECT_EQ(value->text(), "3");
  EXPECT_EQ(valueText->text(), "3");
  value->setText("");
  EXPECT_EQ(value->childNodes().length(), 0);
  EXPECT_EQ(value->text(), "");
  valueText->setText("orphan");
  EXPECT_EQ(valueText->text(), "orphan");
}

struct FailureCase {
  const char* name;
  std::function<void()> action;
  std::int32_t number;
  std::string description;
};

void ExpectFailures(const std::vector<FailureCase>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(testing::RaisesError(c.action, c.number, c.description));
  }
}

TEST(XmlNode, RefusesTextAndNamesThatXmlCannotHold) {
  const auto document = Loaded();
  const auto value = Select(document, "Config/Section/Item/Value");
  const std::string badText = "The text holds a character that XML cannot represent.";
  ExpectFailures({
      {"control character", [&] { value->setText("a\x01"); }, kInvalidArgument, badText},
      {"invalid UTF-8", [&] { value->setText("caf\xE9"); }, kInvalidArgument, badText},
      {"attribute value", [&] { value->setAttribute("a", std::string("x\0y", 3)); },
       kInvalidArgument, badText},
      {"attribute name", [&] { value->setAttribute("a b", "x"); }, kInvalidArgument,
       "Invalid XML name: a b"},
      {"empty attribute name", [&] { value->setAttribute("", "x"); }, kInvalidArgument,
       "Invalid XML name: "},
      {"element name", [&] { document->createElement("1st"); }, kInvalidArgument,
       "Invalid XML name: 1st"},
      {"document text", [&] { document->documentNode()->setText("x"); }, kInvalidOperation,
       "The operation is not supported on a node of this type."},
      {"attribute on text", [&] { value->firstChild()->setAttribute("a", "x"); }, kInvalidOperation,
       "The operation is not supported on a node of this type."},
  });
  EXPECT_EQ(value->text(), "1");
  EXPECT_EQ(value->getAttribute("a"), std::nullopt);
}

TEST(XmlNode, AppendChildMovesNodesAndBuildsNewContent) {
  const auto document = Loaded();
  const auto section = Select(document, "Config/Section");
  const auto first = Select(document, "Config/Section/Item[Name='x']");
  section->appendChild(first);
  EXPECT_EQ(section->firstChild()->firstChild()->text(), "y");
  EXPECT_TRUE(section->childNodes().item(1)->isSameNode(first));

  const auto item = document->createElement("Item");
  EXPECT_EQ(item->parentNode(), nullptr);
  const auto name = document->createElement("Name");
  name->setText("z");
  item->appendChild(name);
  section->appendChild(item);
  EXPECT_TRUE(Select(document, "Config/Section/Item[Name='z']")->isSameNode(item));

  // A text node joins as a node of its own, next to an existing text node.
  const auto mixed = Select(document, "Config/Mixed");
  const auto text = mixed->firstChild();
  name->appendChild(text);
  EXPECT_EQ(name->childNodes().length(), 2);
  EXPECT_EQ(name->text(), "zt");
  EXPECT_TRUE(name->childNodes().item(1)->isSameNode(text));
}

TEST(XmlNode, AnEmptyDocumentTakesARootElement) {
  const auto document = XmlDocument::Create();
  EXPECT_EQ(document->documentElement(), nullptr);
  EXPECT_EQ(document->documentNode()->childNodes().length(), 0);
  const auto root = document->createElement("Config");
  document->documentNode()->appendChild(root);
  EXPECT_TRUE(document->documentElement()->isSameNode(root));
  EXPECT_EQ(document->xml(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Config/>\n");
}

TEST(XmlNode, RefusesMovesTheTreeCannotHold) {
  const auto document = Loaded();
  const auto other = Loaded("<Other/>");
  const auto section = Select(document, "Config/Section");
  const auto item = Select(document, "Config/Section/Item");
  const auto root = document->documentElement();
  const std::string hierarchy = "The node cannot be inserted at this position.";
  ExpectFailures({
      {"null", [&] { section->appendChild(nullptr); }, kInvalidArgument,
       "The parameter is incorrect."},
      {"other document", [&] { section->appendChild(other->documentElement()); }, kInvalidArgument,
       "The node belongs to another document."},
      {"itself", [&] { section->appendChild(section); }, kInvalidOperation, hierarchy},
      {"its ancestor", [&] { item->appendChild(root); }, kInvalidOperation, hierarchy},
      {"second root",
       [&] { document->documentNode()->appendChild(document->createElement("Second")); },
       kInvalidOperation, hierarchy},
      {"text under the document",
       [&] { document->documentNode()->appendChild(item->firstChild()->firstChild()); },
       kInvalidOperation, hierarchy},
      {"attribute", [&] { item->appendChild(section->getAttributeNode("id")); }, kInvalidOperation,
       hierarchy},
      {"document", [&] { item->appendChild(document->documentNode()); }, kInvalidOperation,
       hierarchy},
      {"under a text node", [&] { item->firstChild()->firstChild()->appendChild(section); },
       kInvalidOperation, hierarchy},
      {"remove a grandchild", [&] { root->removeChild(item); }, kInvalidArgument,
       "The node is not a child of this node."},
      {"remove from other document", [&] { root->removeChild(other->documentElement()); },
       kInvalidArgument, "The node belongs to another document."},
  });
  EXPECT_EQ(Names(root->childNodes()), (std::vector<std::string>{"Section", "Mixed"}));
}

TEST(XmlNode, RemovedNodesStayValidAndCanReturn) {
  const auto document = Loaded();
  const auto section = Select(document, "Config/Section");
  const auto item = Select(document, "Config/Section/Item[Name='x']");
  section->removeChild(item);
  EXPECT_EQ(item->parentNode(), nullptr);
  EXPECT_EQ(item->text(), "x1");
  EXPECT_EQ(document->documentNode()->selectSingleNode("Config/Section/Item[Name='x']"), nullptr);
  item->selectSingleNode("Value")->setText("5");
  document->documentElement()->appendChild(item);
  EXPECT_EQ(Select(document, "Config/Item[Name='x']/Value")->text(), "5");
}

TEST(XmlNode, RemoveAllDetachesEveryListedNode) {
  const auto document = Loaded();
  const auto items = document->documentNode()->selectNodes("Config/Section/Item");
  ASSERT_EQ(items.length(), 2);
  items.item(0)->parentNode()->removeChild(items.item(0));
  XmlNodeList(items).removeAll();
  EXPECT_EQ(Select(document, "Config/Section")->childNodes().length(), 0);
  EXPECT_EQ(items.item(1)->text(), "y2");
  XmlNodeList().removeAll();
}

TEST(XmlNode, HandlesOutliveTheirDocument) {
  XmlNodePtr value;
  XmlNodePtr detached;
  {
    const auto document = Loaded();
    value = Select(document, "Config/Section/Item/Value");
    detached = document->createElement("Loose");
  }
  EXPECT_EQ(value->text(), "1");
  value->setText("2");
  EXPECT_EQ(value->parentNode()->parentNode()->getAttribute("id"), "a");
  detached->appendChild(value);
  EXPECT_EQ(detached->text(), "2");
}

}  // namespace
}  // namespace corvane::platform
