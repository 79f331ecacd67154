// Cost of the registry reader: parsing an export of 1,000 installation keys,
// and one value read through Registry::Default() when the file is unchanged
// (a stat of the file and a cached lookup, paid by every registry read).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry/Registry.h"

namespace {

using namespace corvane::platform;

constexpr int kKeys = 1000;

std::string ExportText() {
  std::string text = "Windows Registry Editor Version 5.00\r\n\r\n";
  for (int i = 0; i < kKeys; ++i) {
    const std::string n = std::to_string(i);
    text += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Ostrelco\\Pandrel\\Velmoor\\Shop\\Site" + n + "]\r\n";
    text += "\"webid\"=dword:" + std::string(8 - std::min<std::size_t>(8, n.size()), '0') + n +
            "\r\n\"path\"=\"/srv/www/site" + n + "\"\r\n\r\n";
  }
  return text;
}

void BM_ParseExport(benchmark::State& state) {
  const std::string text = ExportText();
  for (auto _ : state) benchmark::DoNotOptimize(ParseRegistryExport(text, "bench.reg"));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseExport);

void BM_DefaultCachedQuery(benchmark::State& state) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "corvane-registry-bench.reg").string();
  std::ofstream(path, std::ios::binary) << ExportText();
  ::setenv("CORVANE_REGISTRY", path.c_str(), 1);
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  for (auto _ : state) {
    auto registry = Registry::Default();
    std::unique_ptr<RegistryKey> key;
    registry->OpenKey("SOFTWARE\\Ostrelco\\Pandrel\\Velmoor\\Shop\\Site500", key);
    benchmark::DoNotOptimize(registry->QueryValue(*key, "path", 2048, type, data));
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_DefaultCachedQuery);

}  // namespace

BENCHMARK_MAIN();
