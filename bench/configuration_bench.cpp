// GetValue on a cached store of 1,000 items: the first, middle and last item,
// against a plain hash-map lookup as the floor, and from two threads reading
// one shared store (compare items_per_second of threads:1 and threads:2).
#include <benchmark/benchmark.h>

#include <corvane/Application.h>
#include <corvane/Configuration.h>
#include <corvane/ContextScope.h>
#include <corvane/ObjectContext.h>
#include <corvane/Server.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unordered_map>

namespace {

using namespace corvane;

constexpr int kItems = 1000;

std::string ItemName(int index) { return "Setting" + std::to_string(index); }

// A temporary installation with an application store whose GLOBAL section
// holds kItems items, and a registry export with the loader's switch off.
class Installation {
 public:
  Installation() {
    std::string pattern = (std::filesystem::temp_directory_path() / "corvane-bench-XXXXXX").string();
    dir_ = ::mkdtemp(pattern.data());
    std::filesystem::create_directories(dir_ + "/config");
    std::ofstream store(dir_ + "/config/BenchConfiguration.xml");
    store << "<Config><Section id=\"GLOBAL\">";
    for (const char* required : {"ApplicationName", "ApplicationId", "StartName", "StartURL"}) {
      store << Item(required, "1");
    }
    for (int i = 0; i < kItems; ++i) store << Item(ItemName(i), "value " + std::to_string(i));
    store << "</Section><Section id=\"MANAGERPAGES\">" << Item("Bench_URL", "/")
          << "</Section><Section id=\"CONNECTIONS\">"
          << Item("BenchConnection_ConnectionDSN", "db") << "</Section></Config>";
    std::ofstream registry(dir_ + "/registry.reg");
    registry << "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Ostrelco\\Pandrel\\Velmoor\\"
                "Authorization Filter]\n\"Logging\"=\"0\"\n";
  }
  ~Installation() { std::filesystem::remove_all(dir_); }
  const std::string& Dir() const { return dir_; }

 private:
  static std::string Item(const std::string& name, const std::string& value) {
    return "<Item><Name>" + name + "</Name><Type>STRING</Type><Value>" + value + "</Value></Item>";
  }
  std::string dir_;
};

// One web application: every reader loads the store from its shared state.
struct WebApplication {
  WebApplication() {
    ::setenv("CORVANE_EVENT_LOG", "none", 1);
    ::setenv("CORVANE_REGISTRY", (installation.Dir() + "/registry.reg").c_str(), 1);
    application->SetValue("InstallDir", Variant(installation.Dir()));
  }
  // A request's own object over the cached document.
  std::shared_ptr<Configuration> Reader() {
    auto context = ObjectContext::Create(application, Server::Create(installation.Dir()));
    ContextScope scope(context);
    auto configuration =
        QueryInterface<Configuration>(context->CreateInstance("Corvane.Configuration"));
    configuration->Load("Bench");
    return configuration;
  }
  Installation installation;
  std::shared_ptr<Application> application = Application::Create();
};

WebApplication& Web() {
  static WebApplication web;
  return web;
}

void BM_GetValue(benchmark::State& state) {
  auto configuration = Web().Reader();
  const std::string section = "GLOBAL";
  const std::string item = ItemName(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(configuration->GetValue(section, item));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetValue)->Arg(0)->Arg(kItems / 2)->Arg(kItems - 1)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_GetValue)->Arg(kItems / 2)->Threads(1)->Threads(2)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

void BM_UnorderedMapFloor(benchmark::State& state) {
  std::unordered_map<std::string, std::string> values;
  for (int i = 0; i < kItems; ++i) values.emplace(ItemName(i), "value " + std::to_string(i));
  const std::string item = ItemName(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(values.find(item)->second);
  }
}
BENCHMARK(BM_UnorderedMapFloor)->Arg(0)->Arg(kItems / 2)->Arg(kItems - 1)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
