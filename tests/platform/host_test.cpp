#include <corvane/Application.h>
#include <corvane/ComponentRegistry.h>
#include <corvane/ContextScope.h>
#include <corvane/Error.h>
#include <corvane/ObjectContext.h>
#include <corvane/ObjectControl.h>
#include <corvane/RuntimeErrors.h>
#include <corvane/Server.h>

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace corvane {
namespace {

// Records what the host did to it, and under which context.
class Recorder : public Object, public ObjectControl {
 public:
  struct Log {
    std::vector<std::string> calls;
    std::vector<std::shared_ptr<ObjectContext>> contexts;
  };
  explicit Recorder(std::shared_ptr<Log> log) : log_(std::move(log)) {}
  ~Recorder() override { log_->calls.push_back("destroyed"); }
  void ObjectControl_Activate() override { Record("activate"); }
  bool ObjectControl_CanBePooled() override { return false; }
  void ObjectControl_Deactivate() override { Record("deactivate"); }

 private:
  void Record(const char* call) {
    log_->calls.push_back(call);
    log_->contexts.push_back(ObjectContext::Current());
  }
  std::shared_ptr<Log> log_;
};

class Plain : public Object {};

template <class F>
std::int32_t ErrorNumber(F&& call) {
  try {
    call();
  } catch (const Error& error) {
    return error.Number();
  }
  return 0;
}

TEST(ComponentRegistry, FindsProgIdsWithoutRegardToCaseAndRestoresScopedRegistrations) {
  {
    ScopedComponentRegistration plain("Test.Plain", [] { return std::make_shared<Plain>(); });
    EXPECT_TRUE(ComponentRegistry::Instance().IsRegistered("TEST.plain"));
    EXPECT_TRUE(QueryInterface<Plain>(ComponentRegistry::Instance().CreateObject("test.PLAIN")));
  }
  EXPECT_FALSE(ComponentRegistry::Instance().IsRegistered("Test.Plain"));
  for (const char* progId : {"Corvane.Configuration", "Corvane.Log", "Corvane.ResultObject",
                             "Corvane.FileSystemObject", "Scripting.FilesystemObject"}) {
    SCOPED_TRACE(progId);
    EXPECT_TRUE(ComponentRegistry::Instance().CreateObject(progId));
  }
}

TEST(ComponentRegistry, PlainCreationFailsWith429) {
  ScopedComponentRegistration throwing("Test.Throwing",
                                       []() -> ObjectPtr { throw std::runtime_error("no"); });
  ScopedComponentRegistration empty("Test.Empty", [] { return ObjectPtr(); });
  for (const char* progId : {"Test.Unknown", "Test.Throwing", "Test.Empty"}) {
    SCOPED_TRACE(progId);
    EXPECT_EQ(ErrorNumber([&] { ComponentRegistry::Instance().CreateObject(progId); }),
              rtCannotCreateObject);
  }
}

TEST(ComponentRegistry, PlainCreationDoesNotActivate) {
  auto log = std::make_shared<Recorder::Log>();
  ScopedComponentRegistration recorder("Test.Recorder", [log] { return std::make_shared<Recorder>(log); });
  ComponentRegistry::Instance().CreateObject("Test.Recorder");
  EXPECT_EQ(log->calls, std::vector<std::string>{"destroyed"});
}

TEST(ObjectContext, CurrentIsNullOutsideAnyScopeAndScopesNest) {
  EXPECT_EQ(ObjectContext::Current(), nullptr);
  auto outer = ObjectContext::Create();
  auto inner = ObjectContext::Create();
  {
    ContextScope a(outer);
    EXPECT_EQ(ObjectContext::Current(), outer);
    {
      ContextScope b(inner);
      EXPECT_EQ(ObjectContext::Current(), inner);
    }
    EXPECT_EQ(ObjectContext::Current(), outer);
  }
  EXPECT_EQ(ObjectContext::Current(), nullptr);
}

TEST(ObjectContext, CreateInstanceActivatesInsideAndDeactivatesWhenTheLastReferenceGoes) {
  auto log = std::make_shared<Recorder::Log>();
  ScopedComponentRegistration recorder("Test.Recorder", [log] { return std::make_shared<Recorder>(log); });
  auto context = ObjectContext::Create();

  ObjectPtr object = context->CreateInstance("TEST.RECORDER");
  ObjectPtr second = object;
  EXPECT_EQ(log->calls, std::vector<std::string>{"activate"});
  object.reset();
  EXPECT_EQ(log->calls.size(), 1u);
  second.reset();

  EXPECT_EQ(log->calls, (std::vector<std::string>{"activate", "deactivate", "destroyed"}));
  EXPECT_EQ(log->contexts[0], context);
  EXPECT_EQ(log->contexts[1], context);
  EXPECT_EQ(ObjectContext::Current(), nullptr);
}

TEST(ObjectContext, CreateInstanceOfAnUnknownProgIdFailsWithClassNotRegistered) {
  auto context = ObjectContext::Create();
  EXPECT_EQ(ErrorNumber([&] { context->CreateInstance("Test.Unknown"); }), -2147221164);
}

TEST(ObjectContext, RecordsTheLastVoteAndHandsOutItsIntrinsics) {
  auto application = Application::Create();
  auto server = Server::Create("/srv/site/pages");
  auto context = ObjectContext::Create(application, server);
  EXPECT_EQ(context->Vote(), TransactionVote::None);
  context->SetAbort();
  EXPECT_EQ(context->Vote(), TransactionVote::Abort);
  context->SetComplete();
  EXPECT_EQ(context->Vote(), TransactionVote::Complete);

  EXPECT_EQ(context->Item("application"), application);
  EXPECT_EQ(context->Item("SERVER"), server);
  EXPECT_EQ(context->Item("Session"), nullptr);
  EXPECT_EQ(ObjectContext::Create()->Item("Application"), nullptr);
}

TEST(Application, KeysIgnoreCaseValuesAreCopiedObjectsShared) {
  auto application = Application::Create();
  EXPECT_TRUE(application->Value("missing").IsEmpty());

  VariantArray list({Variant("a"), Variant("b")});
  application->SetValue("List", Variant(list));
  list.At(0) = Variant("changed");
  Variant read = application->Value("LIST");
  read.AsArray().At(1) = Variant("changed too");
  EXPECT_EQ(application->Value("list").AsArray().At(0).AsString(), "a");
  EXPECT_EQ(application->Value("list").AsArray().At(1).AsString(), "b");

  auto shared = std::make_shared<Plain>();
  application->SetObject("Doc", shared);
  EXPECT_EQ(application->ObjectValue("doc"), shared);
}

TEST(Application, ReadingANonObjectAsAnObjectFailsWithObjectRequired) {
  auto application = Application::Create();
  application->SetValue("Text", Variant("x"));
  application->SetObject("Nothing", nullptr);
  EXPECT_EQ(ErrorNumber([&] { application->ObjectValue("Text"); }), rtObjectRequired);
  EXPECT_EQ(ErrorNumber([&] { application->ObjectValue("Missing"); }), rtObjectRequired);
  EXPECT_EQ(application->ObjectValue("Nothing"), nullptr);
}

TEST(ApplicationConcurrency, EntriesStayWholeUnderConcurrentReadersAndWriters) {
  auto application = Application::Create();
  constexpr int kRounds = 2000;
  std::atomic<bool> torn{false};
  std::vector<std::thread> threads;
  for (int writer = 0; writer < 2; ++writer) {
    threads.emplace_back([&, writer] {
      for (int i = 0; i < kRounds; ++i) {
        const std::string text(64, static_cast<char>('a' + writer));
        application->SetValue("Shared", Variant(VariantArray({Variant(text), Variant(text)})));
      }
    });
  }
  for (int reader = 0; reader < 2; ++reader) {
    threads.emplace_back([&] {
      for (int i = 0; i < kRounds; ++i) {
        const Variant value = application->Value("shared");
        if (value.IsEmpty()) continue;
        const auto& elements = value.AsArray().Elements();
        if (elements[0].AsString() != elements[1].AsString()) torn = true;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_FALSE(torn);
}

TEST(Server, MapsTheCurrentDirectoryAndJoinsRelativePaths) {
  auto server = Server::Create("/srv/site/pages/");
  for (const char* path : {".\\", "./", ".", ""}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(server->MapPath(path), "/srv/site/pages");
  }
  EXPECT_EQ(server->MapPath("images\\logo.png"), "/srv/site/pages/images/logo.png");
}

}  // namespace
}  // namespace corvane
