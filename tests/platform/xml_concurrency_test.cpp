#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/xml/XmlDocument.h"
#include "support/TestEnvironment.h"

namespace corvane::platform {
namespace {

constexpr int kSections = 8;
constexpr int kItems = 16;

std::string Value(int section, int item, int version) {
  return std::to_string(section) + "-" + std::to_string(item) + "-" + std::to_string(version);
}

std::string Store() {
  std::string xml = "<Config>";
  for (int s = 0; s < kSections; ++s) {
    xml += "<Section id='S" + std::to_string(s) + "'>";
    for (int i = 0; i < kItems; ++i) {
      xml += "<Item><Name>I" + std::to_string(i) + "</Name><Type>STRING</Type><Value>" +
             Value(s, i, 0) + "</Value></Item>";
    }
    xml += "</Section>";
  }
  return xml + "</Config>";
}

std::string ItemQuery(int section, int item) {
  return "Config/Section[@id='S" + std::to_string(section) + "']/Item[Name='I" +
         std::to_string(item) + "']";
}

// Whether text is a value written for that item.
bool BelongsTo(const std::string& text, int section, int item) {
  const std::string prefix = std::to_string(section) + "-" + std::to_string(item) + "-";
  return text.starts_with(prefix) && text.size() > prefix.size();
}

// Readers of random items, checking that each item they find is whole.
void StartReaders(std::vector<std::thread>& threads, const std::shared_ptr<XmlDocument>& document,
                  std::atomic<int>& wrongReads, std::atomic<int>& missingItems) {
  for (int reader = 0; reader < 4; ++reader) {
    threads.emplace_back([&, reader] {
      for (int n = 0; n < 1500; ++n) {
        const int s = (n * 7 + reader) % kSections;
        const int i = (n * 5 + reader * 3) % kItems;
        const auto item = document->documentNode()->selectSingleNode(ItemQuery(s, i));
        if (!item) {
          ++missingItems;
          continue;
        }
        if (!BelongsTo(item->selectSingleNode("Value")->text(), s, i)) ++wrongReads;
        const auto section = item->parentNode();
        if (!section || section->getAttribute("id") != "S" + std::to_string(s)) ++wrongReads;
        if (document->documentNode()->selectNodes("//Item[Type='STRING']/Value").length() <
            kSections * kItems) {
          ++wrongReads;
        }
      }
    });
  }
}

TEST(XmlConcurrency, ReadersSeeConsistentItemsWhileOthersEdit) {
  const auto document = XmlDocument::Create();
  ASSERT_TRUE(document->loadXML(Store()));
  std::atomic<int> wrongReads{0};
  std::atomic<int> missingItems{0};
  std::vector<std::thread> threads;
  StartReaders(threads, document, wrongReads, missingItems);
  for (int writer = 0; writer < 2; ++writer) {
    threads.emplace_back([&, writer] {
      for (int n = 1; n <= 300; ++n) {
        const int s = (n + writer) % kSections;
        const int i = (n * 3) % kItems;
        if (const auto value =
                document->documentNode()->selectSingleNode(ItemQuery(s, i) + "/Value")) {
          value->setText(Value(s, i, n));
        }
        const auto section = document->documentNode()->selectSingleNode("Config/Section[@id='S" +
                                                                        std::to_string(s) + "']");
        const auto extra = document->createElement("Note");
        extra->setText("temporary");
        section->appendChild(extra);
        section->setAttribute("stamp", std::to_string(n));
        section->removeChild(extra);
      }
    });
  }
  threads.emplace_back([&] {
    for (int n = 0; n < 50; ++n) EXPECT_NE(document->xml().find("<Config>"), std::string::npos);
  });
  for (auto& thread : threads) thread.join();

  EXPECT_EQ(wrongReads.load(), 0);
  EXPECT_EQ(missingItems.load(), 0);
  const auto value = document->documentNode()->selectSingleNode(ItemQuery(3, 4) + "/Value");
  value->setText(Value(3, 4, 999));
  EXPECT_EQ(document->documentNode()->selectSingleNode(ItemQuery(3, 4) + "/Value")->text(),
            Value(3, 4, 999));
}

TEST(XmlConcurrency, ReadersKeepWorkingWhileTheDocumentReloads) {
  const auto document = XmlDocument::Create();
  ASSERT_TRUE(document->loadXML(Store()));
  std::atomic<int> wrongReads{0};
  std::atomic<int> missingItems{0};
  std::vector<std::thread> threads;
  StartReaders(threads, document, wrongReads, missingItems);
  threads.emplace_back([&] {
    for (int n = 0; n < 30; ++n) {
      EXPECT_TRUE(document->loadXML(Store()));
      EXPECT_FALSE(document->loadXML("<Config>"));
    }
  });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(wrongReads.load(), 0);
  EXPECT_EQ(missingItems.load(), 0);
  EXPECT_EQ(document->parseError().errorCode, static_cast<std::int32_t>(0xC00CE04Du));
}

TEST(XmlConcurrency, SchemasAreSharedByConcurrentLoads) {
  test::TempDir dir;
  const std::string schema =
      dir.Write("Schema.xsd",
                "<xs:schema xmlns:xs='http://www.w3.org/2001/XMLSchema'><xs:element name='V' "
                "type='xs:int'/></xs:schema>");
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int n = 0; n < 50; ++n) {
        auto schemas = XmlSchemaCollection::Create();
        schemas->add("", schema);
        const auto document = XmlDocument::Create();
        document->setSchemas(schemas);
        const bool valid = (n + t) % 2 == 0;
        if (document->loadXML(valid ? "<V>12</V>" : "<V>x</V>") != valid) ++wrong;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
}  // namespace corvane::platform
