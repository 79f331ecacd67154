// Dictionary lookups and result merges should stay constant per entry as
// dictionaries grow: compare the per-item times across the ranges.
#include <corvane/Dictionary.h>
#include <corvane/ResultObject.h>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::vector<corvane::Variant> TextKeys(std::int64_t count) {
  std::vector<corvane::Variant> keys;
  keys.reserve(static_cast<std::size_t>(count));
  for (std::int64_t i = 0; i < count; ++i) keys.emplace_back("key" + std::to_string(i));
  return keys;
}

void BM_DictionaryAdd(benchmark::State& state) {
  const auto keys = TextKeys(state.range(0));
  for (auto _ : state) {
    auto dictionary = corvane::Dictionary::Create();
    for (const auto& key : keys) dictionary->Add(key, 1);
    benchmark::DoNotOptimize(dictionary->Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DictionaryAdd)->Range(1000, 100000);

void BM_DictionaryItem(benchmark::State& state) {
  const auto keys = TextKeys(state.range(0));
  auto dictionary = corvane::Dictionary::Create();
  for (const auto& key : keys) dictionary->Add(key, 1);
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(&dictionary->Item(keys[next]));
    next = (next + 7919) % keys.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DictionaryItem)->Range(1000, 100000);

void BM_ResultObjectMerge(benchmark::State& state) {
  auto source = corvane::ResultObject::Create();
  for (std::int32_t i = 0; i < state.range(0); ++i) source->addResult(i, i);
  for (auto _ : state) {
    auto target = corvane::ResultObject::Create();
    target->AddResultObject(source);
    benchmark::DoNotOptimize(target->getResult()->Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ResultObjectMerge)->Range(1000, 65536);

}  // namespace

BENCHMARK_MAIN();
