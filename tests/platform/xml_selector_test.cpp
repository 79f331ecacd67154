#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/RaisesError.h"
#include "platform/xml/XmlDocument.h"

namespace corvane::platform {
namespace {

constexpr std::int32_t kInvalidPattern = -2147467259;

constexpr const char* kStore = R"(<Config>
  <Section id="GLOBAL">
    <Item><Name>Logging</Name><Type>INT</Type><Value>1</Value></Item>
    <Item><Name>StartURL</Name><Type>STRING</Type><Value>/start</Value></Item>
    <Item><Name>Logging</Name><Type>STRING</Type><Value>second</Value></Item>
  </Section>
  <Section id="APP">
    <Item><Name>Logging</Name><Type>INT</Type><Value>2</Value></Item>
    <Group><Section id="GLOBAL"><Item><Name>Deep</Name><Value>d</Value></Item></Section></Group>
  </Section>
  <Section id="a/b[c]=&quot;x&quot;"><Item><Name>odd</Name><Value>o</Value></Item></Section>
</Config>)";

std::shared_ptr<XmlDocument> Loaded(const char* xml) {
  auto document = XmlDocument::Create();
  EXPECT_TRUE(document->loadXML(xml)) << document->parseError().reason;
  return document;
}

// "Name=text" for an element without element children, else its name and id.
std::string Describe(const XmlNodePtr& node) {
  std::string text = node->nodeName();
  if (const auto id = node->getAttribute("id")) text += "#" + *id;
  const auto children = node->childNodes();
  if (children.length() == 1 && children.item(0)->nodeType() == XmlNodeType::Text) {
    text += "=" + node->text();
  }
  return text;
}

std::vector<std::string> Describe(const XmlNodeList& list) {
  std::vector<std::string> texts;
  for (const auto& node : list.Nodes()) texts.push_back(Describe(node));
  return texts;
}

struct SelectionCase {
  const char* pattern;
  std::vector<std::string> expected;
};

TEST(XmlSelector, SelectsEveryAcceptedFormInDocumentOrder) {
  const auto document = Loaded(kStore);
  const std::vector<SelectionCase> cases = {
      {"Config/Section[@id='GLOBAL']/Item[Name='Logging']/Value", {"Value=1", "Value=second"}},
      {"Config/Section", {"Section#GLOBAL", "Section#APP", "Section#a/b[c]=\"x\""}},
      {"Config/Section[@id='APP']/Item/Name", {"Name=Logging"}},
      {"//Section[@id='GLOBAL']/Item/Name",
       {"Name=Logging", "Name=StartURL", "Name=Logging", "Name=Deep"}},
      {"//Item[Name='Logging']/Value", {"Value=1", "Value=second", "Value=2"}},
      {"//Group/Section/Item/Value", {"Value=d"}},
      {"//Config", {"Config"}},
      {".", {"#document"}},
      {"./Config/.", {"Config"}},
      {"Config/./Section[@id='APP']", {"Section#APP"}},
      {"Config/Section[@id='GLOBAL']/Item[Name='Logging'][Type='STRING']/Value", {"Value=second"}},
      {"Config/Section[@id='a/b[c]=\"x\"']/Item/Value", {"Value=o"}},
      {"Config/Section[@id='global']", {}},
      {"config/Section", {}},
      {"Config/Section[@id='GLOBAL']/Item[Name='Log']", {}},
      {"Config/Section[@missing='']", {}},
      {"Config/Section[@id='GLOBAL']/Item[Name='Logging'][Type='BOOL']", {}},
      {"Section", {}},
  };
  const auto root = document->documentNode();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(Describe(root->selectNodes(c.pattern)), c.expected);
    const auto first = root->selectSingleNode(c.pattern);
    if (c.expected.empty()) {
      EXPECT_EQ(first, nullptr);
    } else {
      ASSERT_NE(first, nullptr);
      EXPECT_EQ(Describe(first), c.expected.front());
    }
  }
}

TEST(XmlSelector, EvaluatesRelativeToTheContextNode) {
  const auto document = Loaded(kStore);
  const auto app = document->documentNode()->selectSingleNode("Config/Section[@id='APP']");
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(Describe(app->selectNodes("Item/Name")), std::vector<std::string>{"Name=Logging"});
  EXPECT_EQ(Describe(app->selectNodes("Group/Section/Item[Name='Deep']/Value")),
            std::vector<std::string>{"Value=d"});
  EXPECT_EQ(app->selectSingleNode("Config"), nullptr);
  // A leading "//" searches the whole tree, whatever the context.
  EXPECT_EQ(Describe(app->selectNodes("//Section[@id='APP']")),
            std::vector<std::string>{"Section#APP"});
  EXPECT_TRUE(app->selectSingleNode(".")->isSameNode(app));

  const auto root = document->documentElement();
  EXPECT_EQ(Describe(root->selectNodes("Section[@id='APP']/Item/Value")),
            std::vector<std::string>{"Value=2"});
}

TEST(XmlSelector, SearchesADetachedSubtreeFromItsOwnRoot) {
  const auto document = Loaded(kStore);
  const auto app = document->documentNode()->selectSingleNode("Config/Section[@id='APP']");
  document->documentElement()->removeChild(app);
  const auto deep = app->selectSingleNode("Group/Section");
  ASSERT_NE(deep, nullptr);
  EXPECT_EQ(Describe(deep->selectNodes("//Item/Name")),
            (std::vector<std::string>{"Name=Logging", "Name=Deep"}));
  EXPECT_EQ(deep->selectSingleNode("//Section[@id='APP']"), nullptr);
  EXPECT_EQ(document->documentNode()->selectSingleNode("//Section[@id='APP']"), nullptr);
}

TEST(XmlSelector, ListsNestedMatchesOnceInDocumentOrder) {
  const auto document =
      Loaded("<r><a n='1'><a n='2'><b>x</b></a><b>y</b></a><a n='3'><b>z</b></a></r>");
  const auto nodes = document->documentNode()->selectNodes("//a/b");
  std::vector<std::string> texts;
  for (const auto& node : nodes.Nodes()) texts.push_back(node->text());
  EXPECT_EQ(texts, (std::vector<std::string>{"x", "y", "z"}));
  EXPECT_EQ(document->documentNode()->selectNodes("//a").length(), 3);
}

TEST(XmlSelector, RefusesEveryOtherFormWithTheQueryError) {
  const auto document = Loaded(kStore);
  const auto root = document->documentNode();
  const std::vector<std::string> patterns = {
      "",
      "/Config",
      "Config/",
      "Config//Section",
      "Config/Section[@id='a'b']",
      "Config/Section[@id='it's']/Item",
      "Config/Section[@id='GLOBAL' or @id='APP']",
      "Config/Section[@id='GLOBAL'] | //Item",
      "Config/Section[@id=\"GLOBAL\"]",
      "Config/Section[@id='GLOBAL']]",
      "Config/Section[@id='GLOBAL'",
      "Config/Section[@id='GLOBAL]",
      "Config/Section[@id]",
      "Config/Section[1]",
      "Config/*",
      "Config/Section/@id",
      "Config/Section/text()",
      "..",
      "Config/..",
      "//.",
      "//",
      "Config /Section",
      "Config/Section[@id = 'GLOBAL']",
      "Config/Section[@id='GLOBAL'][",
      "Config/Section[]",
      "Config/Section[Item[Name='x']='y']",
      "1Config",
      " Config",
  };
  for (const auto& pattern : patterns) {
    SCOPED_TRACE(pattern);
    const std::string text = "Invalid selection pattern: " + pattern;
    EXPECT_TRUE(
        testing::RaisesError([&] { root->selectSingleNode(pattern); }, kInvalidPattern, text));
    EXPECT_TRUE(testing::RaisesError([&] { root->selectNodes(pattern); }, kInvalidPattern, text));
  }
}

TEST(XmlSelector, QueryErrorNamesTheServiceAsSource) {
  const auto document = Loaded(kStore);
  try {
    document->documentNode()->selectSingleNode("Config/Section[@id='x'y']");
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.Source(), "XmlDocument");
    EXPECT_EQ(error.Description(), "Invalid selection pattern: Config/Section[@id='x'y']");
  }
}

TEST(XmlSelector, IndexedSelectionSeesEveryEditAtOnce) {
  const auto document = Loaded(kStore);
  const auto root = document->documentNode();
  const std::string query = "Config/Section[@id='GLOBAL']/Item[Name='StartURL']/Value";
  ASSERT_EQ(root->selectSingleNode(query)->text(), "/start");

  // Renaming the item makes it unreachable under the old name.
  const auto name =
      root->selectSingleNode("Config/Section[@id='GLOBAL']/Item[Name='StartURL']/Name");
  name->setText("Home");
  EXPECT_EQ(root->selectSingleNode(query), nullptr);
  EXPECT_EQ(root->selectSingleNode("Config/Section[@id='GLOBAL']/Item[Name='Home']/Value")->text(),
            "/start");

  // A new first section of the same id takes precedence in document order.
  const auto section = document->createElement("Section");
  section->setAttribute("id", "GLOBAL");
  const auto item = document->createElement("Item");
  const auto itemName = document->createElement("Name");
  itemName->setText("Home");
  const auto value = document->createElement("Value");
  value->setText("/new");
  item->appendChild(itemName);
  item->appendChild(value);
  section->appendChild(item);
  const auto config = document->documentElement();
  config->appendChild(section);
  const std::string home = "Config/Section[@id='GLOBAL']/Item[Name='Home']/Value";
  EXPECT_EQ(root->selectSingleNode(home)->text(), "/start");
  config->removeChild(config->firstChild());
  EXPECT_EQ(root->selectSingleNode(home)->text(), "/new");

  // An attribute change moves the section out of the shape's reach.
  section->setAttribute("id", "OTHER");
  EXPECT_EQ(root->selectSingleNode(home), nullptr);
  value->setText("/changed");
  EXPECT_EQ(root->selectSingleNode("Config/Section[@id='OTHER']/Item[Name='Home']/Value")->text(),
            "/changed");
}

TEST(XmlSelector, IndexedSelectionFromASectionAndWithManyNameChildren) {
  std::string xml = "<Config><Section id='S'><Item><Name>first</Name></Item><Item>";
  for (int i = 0; i < 20; ++i) xml += "<Name>n" + std::to_string(i) + "</Name>";
  xml += "<Value>many</Value></Item></Section></Config>";
  const auto document = Loaded(xml.c_str());
  const auto section = document->documentElement()->firstChild();
  EXPECT_EQ(section->selectSingleNode("Item[Name='n17']/Value")->text(), "many");
  EXPECT_EQ(section->selectSingleNode("Item[Name='first']/Name")->text(), "first");
  EXPECT_EQ(section->selectSingleNode("Item[Name='n20']"), nullptr);
  EXPECT_EQ(document->documentNode()
                ->selectSingleNode("Config/Section[@id='S']/Item[Name='n3']/Value")
                ->text(),
            "many");
}

}  // namespace
}  // namespace corvane::platform
