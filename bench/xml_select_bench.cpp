// Selection of one item of a 1,000-item store by its section and name, at
// the start, middle and end of the store; single-threaded and from two
// threads sharing the document. Also the cost of refusing a hostile load.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/xml/XmlDocument.h"

namespace {

using corvane::platform::XmlDocument;

constexpr int kSections = 10;
constexpr int kItemsPerSection = 100;

std::string Store() {
  std::string xml = "<Config>";
  for (int s = 0; s < kSections; ++s) {
    xml += "<Section id='S" + std::to_string(s) + "'>";
    for (int i = 0; i < kItemsPerSection; ++i) {
      xml += "<Item><Name>I" + std::to_string(s * kItemsPerSection + i) +
             "</Name><Type>STRING</Type><Value>v</Value></Item>";
    }
    xml += "</Section>";
  }
  return xml + "</Config>";
}

const std::shared_ptr<XmlDocument>& SharedStore() {
  static const std::shared_ptr<XmlDocument> document = [] {
    auto loaded = XmlDocument::Create();
    loaded->loadXML(Store());
    return loaded;
  }();
  return document;
}

std::string ItemQuery(int item) {
  return "Config/Section[@id='S" + std::to_string(item / kItemsPerSection) + "']/Item[Name='I" +
         std::to_string(item) + "']";
}

void BM_SelectItem(benchmark::State& state) {
  const auto& document = SharedStore();
  const std::string query = ItemQuery(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto item = document->documentNode()->selectSingleNode(query);
    benchmark::DoNotOptimize(item);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SelectItem)->Arg(0)->Arg(500)->Arg(999);
BENCHMARK(BM_SelectItem)->Arg(0)->Arg(500)->Arg(999)->Threads(2)->UseRealTime();

// The same items through a pattern shape the index does not cover.
void BM_SelectItemByWalking(benchmark::State& state) {
  const auto& document = SharedStore();
  const std::string query = "//Section[@id='S" + std::to_string(state.range(0) / kItemsPerSection) +
                            "']/Item[Name='I" + std::to_string(state.range(0)) + "']";
  for (auto _ : state) {
    auto item = document->documentNode()->selectSingleNode(query);
    benchmark::DoNotOptimize(item);
  }
}
BENCHMARK(BM_SelectItemByWalking)->Arg(0)->Arg(999);

void BM_RefuseBillionLaughs(benchmark::State& state) {
  std::string xml = "<!DOCTYPE Config [<!ENTITY a0 'lol'>";
  for (int i = 1; i < 10; ++i) {
    xml += "<!ENTITY a" + std::to_string(i) + " '";
    for (int j = 0; j < 10; ++j) xml += "&a" + std::to_string(i - 1) + ";";
    xml += "'>";
  }
  xml += "]><Config>&a9;</Config>";
  const auto document = XmlDocument::Create();
  for (auto _ : state) benchmark::DoNotOptimize(document->loadXML(xml));
}
BENCHMARK(BM_RefuseBillionLaughs);

}  // namespace

BENCHMARK_MAIN();
