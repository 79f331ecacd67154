// Helpers for the configuration tests: a web application over a test
// installation, and error capture.
#pragma once

#include <corvane/Application.h>
#include <corvane/Configuration.h>
#include <corvane/Error.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "support/Caught.h"
#include "support/TestEnvironment.h"

namespace corvane::test {

// The description p_RaiseError gives a failure raised inside a method.
inline std::string Formatted(const std::string& hex, const std::string& method,
                             const std::string& description) {
  return "\r\nERROR 0x" + hex + "\r\n METHOD: Corvane.Configuration::" + method + "\r\n DESC: " +
         description + ".\r\n";
}

// A valid application store; the sections' items can be replaced.
inline std::string ApplicationStoreXml(
    const std::string& startUrl = "/orders/start.asp",
    const std::string& managerPages = ItemXml("Orders_Name", "STRING", "Orders") +
                                      ItemXml("Orders_URL", "STRING", "/orders/manage.asp"),
    const std::string& connections =
        ItemXml("OrdersConnection_ConnectionDSN", "STRING", "ordersdb") +
        ItemXml("OrdersConnection_RuntimeUserName", "STRING", "app") +
        ItemXml("OrdersConnection_RuntimePassword", "STRING", "pw")) {
  return StoreXml({{"GLOBAL", ItemXml("ApplicationName", "STRING", "Orders") +
                                  ItemXml("ApplicationId", "INT", "12") +
                                  ItemXml("StartName", "STRING", "Start") +
                                  ItemXml("StartURL", "STRING", startUrl)},
                   {"MANAGERPAGES", managerPages},
                   {"CONNECTIONS", connections}});
}

// xml with the first occurrence of from replaced by to.
inline std::string Replaced(std::string xml, const std::string& from, const std::string& to) {
  const auto at = xml.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) xml.replace(at, from.size(), to);
  return xml;
}

// A web application over a test installation, with the registry's
// loader switch "0" unless told otherwise, and the event log in memory.
class WebApplicationTest : public ::testing::Test {
 protected:
  explicit WebApplicationTest(std::string_view siteLogging = "1", std::string_view loaderSwitch = "0")
      : installation_(siteLogging), registry_(ProductRegistry("", loaderSwitch)) {
    application_->SetValue("InstallDir", installation_.Dir());
  }

  std::shared_ptr<Configuration> NewConfiguration() {
    return QueryInterface<Configuration>(request_.Context()->CreateInstance("Corvane.Configuration"));
  }

  TestInstallation installation_;
  ScopedRegistry registry_;
  ScopedEventLog log_;
  std::shared_ptr<Application> application_ = Application::Create();
  WebRequest request_{application_};
};

}  // namespace corvane::test
