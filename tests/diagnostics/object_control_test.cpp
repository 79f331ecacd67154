#include <corvane/ComponentRegistry.h>
#include <corvane/ContextScope.h>
#include <corvane/IObjectControl.h>
#include <corvane/ObjectContext.h>
#include <corvane/ObjectControl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace corvane {
namespace {

// The library's own class, reached as any implementer reaches it.
class Plain : public IObjectControl {};

TEST(IObjectControl, OwnActivateAndDeactivateSucceedAndChangeNothing) {
  Plain plain;
  IObjectControl& control = plain;
  EXPECT_NO_THROW(control.Activate());
  EXPECT_NO_THROW(control.Deactivate());
  EXPECT_NO_THROW(control.Activate());
}

// A component wired as the header describes, recording what runs when.
class Wired final : public IObjectControl, public ObjectControl {
 public:
  Wired(bool debugMode, std::shared_ptr<std::vector<std::string>> log)
      : debugMode_(debugMode), log_(std::move(log)) {
    log_->push_back("constructor");
    if (!debugMode_) Activate();
  }
  ~Wired() override {
    log_->push_back("destructor");
    if (!debugMode_) Deactivate();
  }
  void ObjectControl_Activate() override {
    log_->push_back("host activates");
    if (debugMode_) Activate();
  }
  bool ObjectControl_CanBePooled() override { return false; }
  void ObjectControl_Deactivate() override {
    log_->push_back("host deactivates");
    if (debugMode_) Deactivate();
  }
  void Activate() override { log_->push_back("Activate"); }
  void Deactivate() override { log_->push_back("Deactivate"); }

 private:
  bool debugMode_;
  std::shared_ptr<std::vector<std::string>> log_;
};

std::vector<std::string> CreateAndReleaseInContext(bool debugMode) {
  auto log = std::make_shared<std::vector<std::string>>();
  ScopedComponentRegistration registration(
      "CorvaneTest.Wired", [debugMode, log] { return std::make_shared<Wired>(debugMode, log); });
  auto context = ObjectContext::Create();
  ObjectPtr object = context->CreateInstance("CorvaneTest.Wired");
  log->push_back("caller works");
  object.reset();
  return *log;
}

TEST(IObjectControl, InDebugModeTheHostHooksActivateAndDeactivate) {
  EXPECT_EQ(CreateAndReleaseInContext(true),
            (std::vector<std::string>{"constructor", "host activates", "Activate", "caller works",
                                      "host deactivates", "Deactivate", "destructor"}));
}

TEST(IObjectControl, OtherwiseConstructorAndDestructorDo) {
  EXPECT_EQ(CreateAndReleaseInContext(false),
            (std::vector<std::string>{"constructor", "Activate", "host activates", "caller works",
                                      "host deactivates", "destructor", "Deactivate"}));
}

}  // namespace
}  // namespace corvane
