#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/RaisesError.h"
#include "platform/filesystem/FileSystem.h"
#include "platform/xml/XmlDocument.h"
#include "support/FaultyFileSystem.h"
#include "support/TestEnvironment.h"

namespace corvane::platform {
namespace {

constexpr std::int32_t kFileNotFound = -2146697210;

std::int32_t ParseNumber(std::uint32_t libxmlCode) {
  return static_cast<std::int32_t>(0xC00CE000u + libxmlCode);
}

struct ParseErrorCase {
  const char* name;
  std::string xml;
  XmlParseError expected;
};

TEST(XmlLoad, MalformedTextFailsWithTheParseErrorsFiveFields) {
  const std::vector<ParseErrorCase> cases = {
      {"tag mismatch",
       "<Config><Section></Config>",
       {ParseNumber(76), "Opening and ending tag mismatch: Section line 1 and Config", 1, 27,
        "<Config><Section></Config>"}},
      {"mismatch on a later line",
       "<Config>\n  <Section id='a'>\n  </Sectio>\n</Config>",
       {ParseNumber(76), "Opening and ending tag mismatch: Section line 2 and Sectio", 3, 12,
        "  </Sectio>"}},
      {"lines ended by CR LF",
       "<Config>\r\n<A>\r\n</B>\r\n</Config>",
       {ParseNumber(76), "Opening and ending tag mismatch: A line 2 and B", 3, 5, "</B>"}},
      {"empty text", "", {ParseNumber(4), "Document is empty", 1, 1, ""}},
      {"truncated",
       "<Config>\n<Section id='a'>",
       {ParseNumber(77), "Premature end of data in tag Section line 2", 2, 17, "<Section id='a'>"}},
      {"not UTF-8",
       "<Config>\xFF</Config>",
       {ParseNumber(9),
        "Input is not proper UTF-8, indicate encoding !\nBytes: 0xFF 0x3C 0x2F 0x43", 1, 9,
        "<Config>\xEF\xBF\xBD</Config>"}},
      {"undeclared entity",
       "<Config>&nbsp;</Config>",
       {ParseNumber(26), "Entity 'nbsp' not defined", 1, 15, "<Config>&nbsp;</Config>"}},
      {"undeclared prefix",
       "<p:Config/>",
       {ParseNumber(201), "Namespace prefix p on Config is not defined", 1, 10, "<p:Config/>"}},
      {"text after the root",
       "<Config/>\n<Other/>",
       {ParseNumber(5), "Extra content at the end of the document", 2, 1, "<Other/>"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto document = XmlDocument::Create();
    EXPECT_FALSE(document->loadXML(c.xml));
    const XmlParseError error = document->parseError();
    EXPECT_EQ(error.errorCode, c.expected.errorCode);
    EXPECT_EQ(error.reason, c.expected.reason);
    EXPECT_EQ(error.line, c.expected.line);
    EXPECT_EQ(error.linepos, c.expected.linepos);
    EXPECT_EQ(error.srcText, c.expected.srcText);
    EXPECT_EQ(document->documentElement(), nullptr);
  }
}

TEST(XmlLoad, AFailedLoadKeepsThePreviousTreeAndASuccessClearsTheError) {
  const auto document = XmlDocument::Create();
  ASSERT_TRUE(document->loadXML("<Config><Value>old</Value></Config>"));
  EXPECT_FALSE(document->loadXML("<Config>"));
  EXPECT_EQ(document->parseError().errorCode, ParseNumber(77));
  EXPECT_EQ(document->documentElement()->text(), "old");

  ASSERT_TRUE(document->loadXML("<Store/>"));
  const XmlParseError cleared = document->parseError();
  EXPECT_EQ(cleared.errorCode, 0);
  EXPECT_EQ(cleared.reason, "");
  EXPECT_EQ(cleared.line, 0);
  EXPECT_EQ(cleared.linepos, 0);
  EXPECT_EQ(cleared.srcText, "");
}

TEST(XmlLoad, HandlesIntoTheOldTreeStayValidAfterAReload) {
  const auto document = XmlDocument::Create();
  ASSERT_TRUE(document->loadXML("<Config><Value>old</Value></Config>"));
  const auto oldValue = document->documentNode()->selectSingleNode("Config/Value");
  const auto oldRoot = document->documentNode();
  ASSERT_TRUE(document->loadXML("<Config><Value>new</Value></Config>"));
  EXPECT_EQ(oldValue->text(), "old");
  oldValue->setText("edited");
  EXPECT_EQ(oldRoot->selectSingleNode("Config/Value")->text(), "edited");
  EXPECT_EQ(document->documentNode()->selectSingleNode("Config/Value")->text(), "new");
  EXPECT_TRUE(testing::RaisesError([&] { document->documentElement()->appendChild(oldValue); },
                                   -2147024809, "The node belongs to another document."));
}

TEST(XmlLoad, DropsWhitespaceBetweenElementsOnly) {
  const auto document = XmlDocument::Create();
  ASSERT_TRUE(document->loadXML(
      "<Config>\n  <Value>  </Value>\n  <!-- note -->\n  <Mixed>a <b>x</b> <i>y</i> </Mixed>\n"
      "  <Kept xml:space='preserve'> <b/> </Kept>\n</Config>\n"));
  const auto root = document->documentElement();
  const auto children = root->childNodes();
  ASSERT_EQ(children.length(), 4);
  EXPECT_EQ(children.item(1)->nodeType(), XmlNodeType::Comment);
  EXPECT_EQ(root->selectSingleNode("Value")->text(), "  ");
  EXPECT_EQ(root->selectSingleNode("Mixed")->text(), "a xy");
  EXPECT_EQ(root->selectSingleNode("Mixed")->childNodes().length(), 3);
  EXPECT_EQ(root->selectSingleNode("Kept")->childNodes().length(), 3);
}

TEST(XmlLoad, DecodesTheDeclaredEncoding) {
  const auto document = XmlDocument::Create();
  ASSERT_TRUE(document->loadXML("<?xml version='1.0' encoding='ISO-8859-1'?><V>caf\xE9</V>"));
  EXPECT_EQ(document->documentElement()->text(), "caf\xC3\xA9");
}

class XmlLoadFile : public ::testing::Test {
 protected:
  test::TempDir dir_;
};

TEST_F(XmlLoadFile, LoadsAFileAndFindsItWithoutRegardToCase) {
  dir_.Write("config/Store.XML", "<Config><Value>v</Value></Config>");
  for (const char* relative : {"config/Store.XML", "config/store.xml", "CONFIG/STORE.xml"}) {
    SCOPED_TRACE(relative);
    const auto document = XmlDocument::Create();
    ASSERT_TRUE(document->load(dir_.PathOf(relative))) << document->parseError().reason;
    EXPECT_EQ(document->documentElement()->text(), "v");
  }
}

TEST_F(XmlLoadFile, AMissingFileFailsWithFileNotFound) {
  const auto document = XmlDocument::Create();
  ASSERT_TRUE(document->loadXML("<Config/>"));
  EXPECT_FALSE(document->load(dir_.PathOf("missing/Store.xml")));
  const XmlParseError error = document->parseError();
  EXPECT_EQ(error.errorCode, kFileNotFound);
  EXPECT_EQ(error.reason, "The system cannot locate the object specified.");
  EXPECT_EQ(error.line, 0);
  EXPECT_EQ(error.linepos, 0);
  EXPECT_EQ(error.srcText, "");
  EXPECT_EQ(document->documentElement()->nodeName(), "Config");
}

TEST_F(XmlLoadFile, AFileThatCannotBeReadReportsTheFileServicesError) {
  const std::string path = dir_.Write("Store.xml", "<Config/>");
  const auto previous = FileSystem::Default();
  auto faulty = std::make_shared<test::FaultyFileSystem>(previous);
  faulty->FailOn(test::FaultyFileSystem::Operation::ReadFile,
                 Error(rtPermissionDenied, "FileSystem", "Permission denied: 'Store.xml'"));
  FileSystem::SetDefault(faulty);
  const auto document = XmlDocument::Create();
  const bool loaded = document->load(path);
  FileSystem::SetDefault(previous);
  EXPECT_FALSE(loaded);
  EXPECT_EQ(document->parseError().errorCode, rtPermissionDenied);
  EXPECT_EQ(document->parseError().reason, "Permission denied: 'Store.xml'");
}

TEST_F(XmlLoadFile, AParseErrorOfAFileNamesItsLine) {
  const std::string path = dir_.Write("Store.xml", "<Config>\n  <Section>\n</Config>\n");
  const auto document = XmlDocument::Create();
  EXPECT_FALSE(document->load(path));
  EXPECT_EQ(document->parseError().errorCode, ParseNumber(76));
  EXPECT_EQ(document->parseError().line, 3);
  EXPECT_EQ(document->parseError().srcText, "</Config>");
}

struct HostileCase {
  const char* name;
  std::string xml;
  std::string reason;
};

TEST_F(XmlLoadFile, HostileDocumentsFailWithoutReadingAnyFile) {
  const std::string secret = dir_.Write("secret.txt", "TOP-SECRET-CONTENT");
  const std::string dtd = dir_.Write("secret.dtd", "<!ENTITY leak SYSTEM 'file://" + secret + "'>");
  std::string laughs = "<!DOCTYPE Config [<!ENTITY a0 'lol'>";
  for (int i = 1; i < 10; ++i) {
    laughs += "<!ENTITY a" + std::to_string(i) + " '";
    for (int j = 0; j < 10; ++j) laughs += "&a" + std::to_string(i - 1) + ";";
    laughs += "'>";
  }
  laughs += "]><Config>&a9;</Config>";
  const std::vector<HostileCase> cases = {
      {"external entity",
       "<!DOCTYPE Config [<!ENTITY leak SYSTEM 'file://" + secret + "'>]><Config>&leak;</Config>",
       "Entity declarations are not allowed: leak"},
      {"external entity without scheme",
       "<!DOCTYPE Config [<!ENTITY leak SYSTEM '" + secret + "'>]><Config>&leak;</Config>",
       "Entity declarations are not allowed: leak"},
      {"parameter entity",
       "<!DOCTYPE Config [<!ENTITY % p SYSTEM '" + dtd + "'> %p;]><Config>&leak;</Config>",
       "Entity declarations are not allowed: p"},
      {"network entity",
       "<!DOCTYPE Config [<!ENTITY net SYSTEM 'http://127.0.0.1:9/x'>]><Config>&net;</Config>",
       "Entity declarations are not allowed: net"},
      {"billion laughs", laughs, "Entity declarations are not allowed: a0"},
      {"unparsed entity",
       "<!DOCTYPE Config [<!NOTATION n SYSTEM 'x'><!ENTITY u SYSTEM '" + secret +
           "' NDATA n>]><Config/>",
       "Entity declarations are not allowed: u"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir_.Write("hostile.xml", c.xml);
    const auto document = XmlDocument::Create();
    EXPECT_FALSE(document->load(path));
    const XmlParseError error = document->parseError();
    EXPECT_EQ(error.errorCode, ParseNumber(104));
    EXPECT_EQ(error.reason, c.reason);
    EXPECT_EQ(error.line, 1);
    EXPECT_EQ(error.srcText.find("TOP-SECRET"), std::string::npos);
    EXPECT_EQ(document->documentElement(), nullptr);
  }
}

TEST_F(XmlLoadFile, AnExternalDtdIsNotReadForItsEntities) {
  const std::string secret = dir_.Write("secret.txt", "TOP-SECRET-CONTENT");
  const std::string dtd = dir_.Write("store.dtd", "<!ENTITY leak SYSTEM 'file://" + secret + "'>");
  const auto document = XmlDocument::Create();
  EXPECT_FALSE(document->loadXML("<!DOCTYPE Config SYSTEM 'file://" + dtd +
                                 "'>\n<Config><A>&leak;</A></Config>"));
  const XmlParseError error = document->parseError();
  EXPECT_EQ(error.errorCode, ParseNumber(27));
  EXPECT_EQ(error.reason, "Entity 'leak' not defined");
  EXPECT_EQ(error.line, 2);
  EXPECT_EQ(error.srcText, "<Config><A>&leak;</A></Config>");
}

TEST_F(XmlLoadFile, XIncludeIsNotProcessed) {
  const std::string secret = dir_.Write("secret.txt", "TOP-SECRET-CONTENT");
  const auto document = XmlDocument::Create();
  ASSERT_TRUE(document->loadXML(
      "<Config xmlns:xi='http://www.w3.org/2001/XInclude'><xi:include href='file://" + secret +
      "' parse='text'/></Config>"));
  EXPECT_EQ(document->documentElement()->text(), "");
  EXPECT_EQ(document->xml().find("TOP-SECRET"), std::string::npos);
  EXPECT_EQ(document->documentElement()->firstChild()->nodeName(), "xi:include");
}

}  // namespace
}  // namespace corvane::platform
