#include <corvane/Application.h>
#include <corvane/ComponentRegistry.h>
#include <corvane/Configuration.h>
#include <corvane/CorvaneErrors.h>
#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include <gtest/gtest.h>

#include "errors/FailureHandler.h"
#include "errors/Lib_ErrorHandling.h"
#include "errors/Lib_General.h"
#include "support/Caught.h"
#include "support/TestEnvironment.h"

namespace corvane {
namespace {

using test::Caught;
using test::ScopedEventLog;
using test::ScopedRegistry;
using test::TestInstallation;
using test::WebRequest;

const char* kCreationNote =
    "Note: Objects having 'Instancing=PublicNotCreatable' may only be instantiated with 'New', "
    "not with Gen_GetComponent()";

// A failing method whose handler reports through Err_RaiseError.
void FailThroughRaiseError(const Error& failure, const std::string& method, const Variant& info) {
  WithFailureHandler([&] { throw failure; }, [&] { Err_RaiseError(method, info); });
}

// A web application whose site store has GLOBAL/Logging = logging.
class RaiseRoutines : public ::testing::Test {
 protected:
  explicit RaiseRoutines(std::string_view logging = "1")
      : installation_(logging), registry_(test::ProductRegistry("", "0")) {
    application_->SetValue("InstallDir", installation_.Dir());
  }

  TestInstallation installation_;
  ScopedRegistry registry_;
  ScopedEventLog log_;
  std::shared_ptr<Application> application_ = Application::Create();
  WebRequest request_{application_};
};

class RaiseRoutinesLoggingOff : public RaiseRoutines {
 protected:
  RaiseRoutinesLoggingOff() : RaiseRoutines("0") {}
};

TEST_F(RaiseRoutines, RaiseErrorRaisesTheFormattedErrorAndLogsItFormattedTwice) {
  const Error failure(-2147221499, "Orders.Rules", "Unknown origin", "rules.chm", 7);
  const Error raised = Caught([&] { FailThroughRaiseError(failure, "M(a)", Variant::Missing()); });

  const std::string once = "\r\nERROR 0x80040005\r\n METHOD: M(a)\r\n DESC: Unknown origin.\r\n";
  EXPECT_EQ(raised.Number(), -2147221499);
  EXPECT_EQ(raised.Source(), "Orders.Rules");
  EXPECT_EQ(raised.Description(), once);
  EXPECT_EQ(raised.HelpFile(), "rules.chm");
  EXPECT_EQ(raised.HelpContext(), 7);

  const auto entries = log_.Entries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].type, platform::eventError);
  EXPECT_EQ(log_.Texts()[0], "\r\nSource: Orders.Rules\r\n\r\nERROR 0x80040005\r\n METHOD: M(a)\r\n DESC: " +
                                 once + ".\r\n");
}

TEST_F(RaiseRoutines, InformationAppearsInsideTheFormattedTextAndOnceMoreInTheEvent) {
  const Error raised = Caught(
      [&] { FailThroughRaiseError(Error(13, "S", "Type mismatch"), "M", Variant("x")); });
  const std::string once = "\r\nERROR 0xD\r\n METHOD: M\r\n DESC: Type mismatch.\r\n INFO: x.\r\n";
  EXPECT_EQ(raised.Description(), once);
  ASSERT_EQ(log_.Texts().size(), 1u);
  EXPECT_EQ(log_.Texts()[0],
            "\r\nSource: S\r\n\r\nERROR 0xD\r\n METHOD: M\r\n DESC: " + once + ".\r\n INFO: x.\r\n");
}

TEST_F(RaiseRoutines, RaiseErrorWithNothingPendingDoesNothing) {
  EXPECT_NO_THROW(Err_RaiseError("M", Variant::Missing()));
  EXPECT_TRUE(log_.Entries().empty());
}

TEST_F(RaiseRoutinesLoggingOff, RaiseErrorStillRaisesButWritesNothing) {
  const Error raised = Caught([&] { FailThroughRaiseError(Error(6, "S", "Overflow"), "M", Variant::Missing()); });
  EXPECT_EQ(raised.Number(), 6);
  EXPECT_TRUE(log_.Entries().empty());
}

TEST_F(RaiseRoutinesLoggingOff, ConfigurationFailuresAreLoggedWhateverTheSwitchSays) {
  auto configuration = QueryInterface<Configuration>(request_.Context()->CreateInstance("Corvane.Configuration"));
  const Error raised = Caught([&] { configuration->GetItems("GLOBAL"); });

  const std::string expected =
      "\r\nERROR 0x80040013\r\n METHOD: Corvane.Configuration::GetItems(GLOBAL)\r\n DESC: No "
      "configuration store is currently loaded.\r\n";
  EXPECT_EQ(raised.Number(), ConfigurationNoStoreLoaded);
  EXPECT_EQ(raised.Description(), expected);
  ASSERT_EQ(log_.Texts().size(), 1u);
  EXPECT_EQ(log_.Texts()[0], "\r\nSource: Corvane.Configuration\r\n" + expected);
  EXPECT_EQ(log_.Entries()[0].type, platform::eventError);
}

TEST_F(RaiseRoutines, WithoutTheLogComponentRaiseErrorStillRaisesTheCapturedError) {
  ScopedComponentRegistration noLog("Corvane.Log", nullptr);
  const Error raised = Caught([&] { FailThroughRaiseError(Error(9, "S", "Subscript out of range"), "M", Variant::Missing()); });
  EXPECT_EQ(raised.Number(), 9);
  EXPECT_EQ(raised.Source(), "S");
  EXPECT_EQ(raised.Description(), "\r\nERROR 0x9\r\n METHOD: M\r\n DESC: Subscript out of range.\r\n");
  EXPECT_TRUE(log_.Entries().empty());
}

TEST_F(RaiseRoutines, WithoutTheLogComponentAConfigurationFailureBecomesTheCreationFailure) {
  auto configuration = QueryInterface<Configuration>(request_.Context()->CreateInstance("Corvane.Configuration"));
  ScopedComponentRegistration noLog("Corvane.Log", nullptr);
  const Error raised = Caught([&] { configuration->GetItems("GLOBAL"); });

  EXPECT_EQ(raised.Number(), rtClassNotRegistered);
  EXPECT_EQ(raised.Description(),
            "\r\nERROR 0x80040154\r\n METHOD: Lib_General.Gen_GetComponent\r\n DESC: Class not "
            "registered.\r\n INFO: CreateInstance(Corvane.Log) failed.\r\n" +
                std::string(kCreationNote) + ".\r\n");
}

TEST(GenGetComponent, OutsideAContextCreatesDirectlyAndReportsCreateObject) {
  ScopedEventLog log;
  ScopedRegistry registry(test::ProductRegistry("", ""));
  ASSERT_EQ(ObjectContext::Current(), nullptr);
  EXPECT_TRUE(QueryInterface<Configuration>(Gen_GetComponent("corvane.configuration")));

  const Error raised = Caught([] { Gen_GetComponent("X.Y"); });
  EXPECT_EQ(raised.Number(), rtCannotCreateObject);
  EXPECT_EQ(raised.Description(),
            "\r\nERROR 0x1AD\r\n METHOD: Lib_General.Gen_GetComponent\r\n DESC: ActiveX component "
            "can't create object.\r\n INFO: CreateObject(X.Y) failed.\r\n");
  // A log component created outside a context is never activated: nothing is written.
  EXPECT_TRUE(log.Entries().empty());
}

TEST(GenGetComponent, InsideAContextCreatesThroughItAndReportsCreateInstance) {
  ScopedEventLog log;
  ScopedRegistry registry(test::ProductRegistry("", ""));
  test::HostCall call;
  const Error raised = Caught([] { Gen_GetComponent("X.Y"); });
  EXPECT_EQ(raised.Number(), rtClassNotRegistered);
  EXPECT_EQ(raised.Description(),
            "\r\nERROR 0x80040154\r\n METHOD: Lib_General.Gen_GetComponent\r\n DESC: Class not "
            "registered.\r\n INFO: CreateInstance(X.Y) failed.\r\n" +
                std::string(kCreationNote) + ".\r\n");
  // Logged as an error event through an activated log component.
  ASSERT_EQ(log.Entries().size(), 1u);
  EXPECT_EQ(log.Entries()[0].type, platform::eventError);
}

}  // namespace
}  // namespace corvane
