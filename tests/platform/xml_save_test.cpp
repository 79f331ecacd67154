#include <sys/stat.h>

#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/RaisesError.h"
#include "platform/file_system_unprivileged.h"
#include "platform/filesystem/FileSystem.h"
#include "platform/xml/XmlDocument.h"
#include "support/FaultyFileSystem.h"
#include "support/TestEnvironment.h"

namespace corvane::platform {
namespace {

constexpr const char* kStore =
    "<Config><Section id=\"a\"><Item><Name>x</Name><Value/></Item></Section></Config>";

std::shared_ptr<XmlDocument> Loaded(const std::string& xml) {
  auto document = XmlDocument::Create();
  EXPECT_TRUE(document->loadXML(xml)) << document->parseError().reason;
  return document;
}

class XmlSave : public ::testing::Test {
 protected:
  test::TempDir dir_;
};

TEST_F(XmlSave, WritesTheWholeDocumentIndented) {
  const auto document = Loaded(kStore);
  const std::string path = dir_.PathOf("Store.xml");
  document->save(path);
  const std::string expected =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<Config>\n"
      "  <Section id=\"a\">\n"
      "    <Item>\n"
      "      <Name>x</Name>\n"
      "      <Value/>\n"
      "    </Item>\n"
      "  </Section>\n"
      "</Config>\n";
  EXPECT_EQ(dir_.Read("Store.xml"), expected);
  EXPECT_EQ(document->xml(), expected);
  const auto reloaded = XmlDocument::Create();
  ASSERT_TRUE(reloaded->load(path));
  EXPECT_EQ(reloaded->xml(), expected);
}

TEST_F(XmlSave, EscapesTextAndAttributesAndReadsThemBack) {
  const auto document = Loaded(kStore);
  const auto name = document->documentNode()->selectSingleNode("Config/Section/Item/Name");
  name->setText("a<b&c>d]]>");
  name->setAttribute("v", "q\"<&'");
  const std::string path = dir_.PathOf("Store.xml");
  document->save(path);
  const std::string saved = dir_.Read("Store.xml");
  EXPECT_NE(saved.find("<Name v=\"q&quot;&lt;&amp;'\">a&lt;b&amp;c&gt;d]]&gt;</Name>"),
            std::string::npos)
      << saved;
  const auto reloaded = XmlDocument::Create();
  ASSERT_TRUE(reloaded->load(path));
  const auto again = reloaded->documentNode()->selectSingleNode("Config/Section/Item/Name");
  EXPECT_EQ(again->text(), "a<b&c>d]]>");
  EXPECT_EQ(again->getAttribute("v"), "q\"<&'");
}

TEST_F(XmlSave, KeepsTheDeclaredEncoding) {
  const auto document = Loaded("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><V>caf\xE9</V>");
  document->save(dir_.PathOf("Latin.xml"));
  EXPECT_EQ(dir_.Read("Latin.xml"),
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<V>caf\xE9</V>\n");
  EXPECT_EQ(document->xml(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<V>caf\xC3\xA9</V>\n");
}

TEST_F(XmlSave, ReplacesAnExistingFileOfAnotherLetterCase) {
  dir_.Write("config/Store.xml", "<Config/>");
  Loaded(kStore)->save(dir_.PathOf("CONFIG/store.xml"));
  EXPECT_NE(dir_.Read("config/Store.xml").find("<Name>x</Name>"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir_.PathOf("config/store.xml")));
  EXPECT_FALSE(std::filesystem::exists(dir_.PathOf("CONFIG")));
}

TEST_F(XmlSave, AFolderThatCannotBeWrittenLeavesTheFileUnchanged) {
  const std::string original = "<Config>\n  <Old/>\n</Config>\n";
  const std::string path = dir_.Write("locked/Store.xml", original);
  ::chmod(dir_.Path().c_str(), 0755);
  ::chmod(dir_.PathOf("locked").c_str(), 0555);
  ::chmod(path.c_str(), 0644);
  const auto document = Loaded(kStore);
  const std::string result =
      test::RunUnprivileged([&] { return test::ErrorOf([&] { document->save(path); }); });
  ::chmod(dir_.PathOf("locked").c_str(), 0755);
  EXPECT_EQ(result, "70: Permission denied: '" + path + "' (Permission denied)");
  EXPECT_EQ(dir_.Read("locked/Store.xml"), original);
}

TEST_F(XmlSave, AMissingFolderRaisesPathNotFound) {
  const std::string path = dir_.PathOf("missing/Store.xml");
  try {
    Loaded(kStore)->save(path);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.Number(), rtPathNotFound);
  }
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(XmlSave, RaisesTheFileServicesErrorUnchanged) {
  const std::string original = "<Config/>";
  const std::string path = dir_.Write("Store.xml", original);
  const auto previous = FileSystem::Default();
  auto faulty = std::make_shared<test::FaultyFileSystem>(previous);
  faulty->FailWriteBeforeRename(Error(rtPathFileAccessError, "FileSystem", "Disk full"));
  FileSystem::SetDefault(faulty);
  const auto document = Loaded(kStore);
  std::string source;
  try {
    document->save(path);
  } catch (const Error& error) {
    source = error.Source() + "|" + std::to_string(error.Number()) + "|" + error.Description();
  }
  FileSystem::SetDefault(previous);
  EXPECT_EQ(source, "FileSystem|75|Disk full");
  EXPECT_EQ(dir_.Read("Store.xml"), original);
  // The edit stays in memory; a later save writes it.
  document->save(path);
  EXPECT_NE(dir_.Read("Store.xml").find("<Name>x</Name>"), std::string::npos);
}

}  // namespace
}  // namespace corvane::platform
