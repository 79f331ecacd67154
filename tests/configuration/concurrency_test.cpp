#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "configuration/ConfigurationTesting.h"

namespace corvane {
namespace {

using test::ApplicationStoreXml;
using test::WebRequest;

// Requests of one web application on several threads share the cached store:
// readers always see a whole value, and every write reaches the file.
class ConfigurationConcurrency : public test::WebApplicationTest {};

TEST_F(ConfigurationConcurrency, ReadersEditorsAndSharedStateRunSideBySide) {
  installation_.WriteStore("OrdersConfiguration.xml", ApplicationStoreXml("/orders/v0.asp"));
  NewConfiguration()->Load("Orders");
  constexpr int kRounds = 150;
  std::atomic<bool> failed{false};

  const auto request = [&](auto body) {
    return std::thread([&, body] {
      WebRequest threadRequest(application_);
      auto configuration = QueryInterface<Configuration>(
          threadRequest.Context()->CreateInstance("Corvane.Configuration"));
      try {
        configuration->Load("Orders");
        body(*configuration);
      } catch (const Error& error) {
        ADD_FAILURE() << error.Description();
        failed = true;
      }
    });
  };

  std::vector<std::thread> threads;
  for (int reader = 0; reader < 2; ++reader) {
    threads.push_back(request([&](Configuration& configuration) {
      for (int i = 0; i < kRounds; ++i) {
        const std::string url = configuration.GetValue("GLOBAL", "StartURL").AsString();
        if (url.rfind("/orders/v", 0) != 0) failed = true;
        configuration.GetItems("MANAGERPAGES");
      }
    }));
  }
  threads.push_back(request([&](Configuration& configuration) {
    for (int i = 1; i <= kRounds / 5; ++i) {
      configuration.SetValue("GLOBAL", "StartURL", Variant("/orders/v" + std::to_string(i) + ".asp"));
    }
  }));
  threads.push_back(request([&](Configuration&) {
    for (int i = 0; i < kRounds; ++i) {
      application_->SetValue("Counter" + std::to_string(i % 7), Variant(std::int32_t{i}));
      NewConfiguration()->Load("Orders");
    }
  }));
  for (auto& thread : threads) thread.join();

  EXPECT_FALSE(failed);
  const std::string last = "/orders/v" + std::to_string(kRounds / 5) + ".asp";
  EXPECT_EQ(NewConfiguration()->LoadConfigFile2(installation_.ConfigDir() + "OrdersConfiguration.xml"), 0);
  EXPECT_NE(installation_.Files().Read("config/OrdersConfiguration.xml").find(last), std::string::npos);
}

}  // namespace
}  // namespace corvane
