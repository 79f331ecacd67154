#include "CliCatalog.h"
#include "CliCommand.h"
#include "CliOutput.h"
#include "tools/CliRunner.h"

#include <corvane/Error.h>
#include <corvane/ObjectContext.h>
#include <corvane/Server.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvane {
namespace {

using cli::Command;
using cli::CommandCatalog;
using cli::CommandEnvironment;
using cli::CommandResult;
using cli::StoreKind;
using corvane::testing::EnvironmentGuard;
using corvane::testing::RunTool;

// A command that hands what it was given to a test and returns what it is told.
class ProbeCommand : public Command {
 public:
  using Body = std::function<CommandResult(const CommandEnvironment&)>;
  explicit ProbeCommand(Body body) : body_(std::move(body)) {}
  void Configure(CLI::App&) override {}
  CommandResult Run(const CommandEnvironment& environment) override { return body_(environment); }

 private:
  Body body_;
};

CommandCatalog CatalogWith(ProbeCommand::Body body, bool selectsStore = false) {
  CommandCatalog catalog;
  catalog.Add({"probe", "A test command", selectsStore,
               [body] { return std::make_unique<ProbeCommand>(body); }});
  return catalog;
}

class CliTest : public ::testing::Test {
 protected:
  EnvironmentGuard environment_{{"CORVANE_INSTALL_DIR", std::nullopt},
                                {"CORVANE_REGISTRY", std::nullopt},
                                {"CORVANE_EVENT_LOG", std::nullopt}};
};

TEST_F(CliTest, VersionPrintsTheToolVersion) {
  const auto run = RunTool({"--version"});
  EXPECT_EQ(run.status, 0);
  const std::string prefix = "corvane ";
  ASSERT_EQ(run.out.compare(0, prefix.size(), prefix), 0) << run.out;
  const std::string version = run.out.substr(prefix.size());
  EXPECT_EQ(version.find_first_not_of("0123456789."), version.size() - 1) << run.out;
  EXPECT_EQ(std::count(version.begin(), version.end(), '.'), 2) << run.out;
  EXPECT_EQ(version.back(), '\n');
  EXPECT_EQ(run.err, "");
}

TEST_F(CliTest, HelpListsCommandsAndGlobalOptions) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"}, {"-h"}}) {
    const auto run = RunTool(args);
    EXPECT_EQ(run.status, 0);
    for (const char* word : {"encrypt", "decrypt", "--install-dir", "--registry", "--event-log",
                             "--json", "--version"}) {
      EXPECT_NE(run.out.find(word), std::string::npos) << word << " missing from\n" << run.out;
    }
    EXPECT_EQ(run.err, "");
  }
}

TEST_F(CliTest, UsageErrorsExitTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"frobnicate"},
      {"encrypt"},
      {"decrypt"},
      {"--bogus", "decrypt", "0412"},
      {"encrypt", "--key-index", "three", "x"},
      {"encrypt", "--key-index"},
      {"decrypt", "one", "two"},
      {"--registry"},
  };
  for (const auto& args : cases) {
    std::string joined;
    for (const auto& arg : args) joined += arg + " ";
    SCOPED_TRACE(joined);
    const auto run = RunTool(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("corvane: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("Usage: corvane"), std::string::npos) << run.err;
  }
}

TEST_F(CliTest, RegistryAndEventLogReachTheLibraryThroughTheEnvironment) {
  const auto catalog = CatalogWith([](const CommandEnvironment&) {
    const char* registry = std::getenv("CORVANE_REGISTRY");
    const char* eventLog = std::getenv("CORVANE_EVENT_LOG");
    return CommandResult::Lines({registry ? registry : "(unset)", eventLog ? eventLog : "(unset)"});
  });
  const auto given = RunTool(
      {"--registry", "/srv/machine.reg", "--event-log", "file:/tmp/x.log", "probe"}, catalog);
  EXPECT_EQ(given.status, 0);
  EXPECT_EQ(given.out, "/srv/machine.reg\nfile:/tmp/x.log\n");

  EnvironmentGuard preset{{"CORVANE_REGISTRY", "/etc/preset.reg"}, {"CORVANE_EVENT_LOG", "none"}};
  EXPECT_EQ(RunTool({"probe"}, catalog).out, "/etc/preset.reg\nnone\n");
  EXPECT_EQ(RunTool({"probe", "--registry", "/override.reg"}, catalog).out,
            "/override.reg\nnone\n");
}

TEST_F(CliTest, InstallDirRunsAsAWebApplication) {
  const auto catalog = CatalogWith([](const CommandEnvironment& environment) {
    const auto context = ObjectContext::Current();
    std::vector<std::string> lines;
    lines.push_back(context == environment.host.Context() ? "current" : "not current");
    const auto& application = context->GetApplication();
    lines.push_back(application ? application->Value("InstallDir").ToString() : "(no application)");
    const auto& server = context->GetServer();
    lines.push_back(server ? server->MapPath(".") : "(no server)");
    return CommandResult::Lines(lines);
  });
  const std::string cwd = std::filesystem::current_path().string();

  const auto web = RunTool({"--install-dir", "/srv/velmoor", "probe"}, catalog);
  EXPECT_EQ(web.status, 0);
  EXPECT_EQ(web.out, "current\n/srv/velmoor\n" + cwd + "\n");

  {
    EnvironmentGuard fromEnvironment{{"CORVANE_INSTALL_DIR", "/opt/site"}};
    EXPECT_EQ(RunTool({"probe"}, catalog).out, "current\n/opt/site\n" + cwd + "\n");
  }

  const auto plain = RunTool({"probe"}, catalog);
  EXPECT_EQ(plain.out, "current\n(no application)\n(no server)\n");
  EXPECT_EQ(ObjectContext::Current(), nullptr);
}

TEST_F(CliTest, UnknownCommandIsNamed) {
  const auto run = RunTool({"frobnicate", "now"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err,
            "corvane: unknown command: frobnicate\n"
            "Usage: corvane [OPTIONS] COMMAND [OPTIONS] [ARGS]\n"
            "Run 'corvane --help' for more information.\n");
}

TEST_F(CliTest, StoreCommandsTakeOneStoreSelection) {
  const auto catalog = CatalogWith(
      [](const CommandEnvironment& environment) {
        const char* kinds[] = {"site", "id", "file"};
        return CommandResult::Value(std::string(kinds[static_cast<int>(environment.store.kind)]) +
                                    ":" + environment.store.value);
      },
      true);
  const struct {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{"probe"}, "site:\n"},
      {{"probe", "--site"}, "site:\n"},
      {{"probe", "--store", "Orders"}, "id:Orders\n"},
      {{"probe", "--file", "/srv/OrdersConfiguration.xml"}, "file:/srv/OrdersConfiguration.xml\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.out);
    const auto run = RunTool(c.args, catalog);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, c.out);
  }
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"probe", "--store", "A", "--file", "b.xml"},
        {"probe", "--site", "--store", "A"},
        {"probe", "--store"}}) {
    EXPECT_EQ(RunTool(args, catalog).status, 2);
  }
  EXPECT_EQ(RunTool({"encrypt", "--store", "A", "x"}).status, 2);  // not a store command
}

TEST_F(CliTest, ResultsAndJsonDocuments) {
  const struct {
    const char* name;
    CommandResult result;
    std::string plain;
    std::string json;
  } cases[] = {
      {"nothing", CommandResult::Nothing(), "", "{}\n"},
      {"value", CommandResult::Value("v"), "v\n", "{\"value\": \"v\"}\n"},
      {"lines", CommandResult::Lines({"a", "b c"}), "a\nb c\n", "{\"values\": [\"a\", \"b c\"]}\n"},
      {"no lines", CommandResult::Lines({}), "", "{\"values\": []}\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto catalog = CatalogWith([&c](const CommandEnvironment&) { return c.result; });
    EXPECT_EQ(RunTool({"probe"}, catalog).out, c.plain);
    EXPECT_EQ(RunTool({"--json", "probe"}, catalog).out, c.json);
  }
}

TEST_F(CliTest, FailuresOfCommandsExitOne) {
  const auto raising = CatalogWith([](const CommandEnvironment&) -> CommandResult {
    throw Error(-2147221491, "Corvane.Configuration",
                "ERROR 0x80040011\r\n METHOD: GetValue(GLOBAL, x)\r\n DESC: not found\r\n");
  });
  const auto run = RunTool({"probe"}, raising);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "corvane: error 0x8004000D (source: Corvane.Configuration)\n"
            "ERROR 0x80040011\n METHOD: GetValue(GLOBAL, x)\n DESC: not found\n");

  const auto foreign = CatalogWith(
      [](const CommandEnvironment&) -> CommandResult { throw std::runtime_error("broken"); });
  EXPECT_EQ(RunTool({"probe"}, foreign).err,
            "corvane: error 0x00000005 (source: Corvane)\nbroken\n");
}

TEST(CliOutput, ErrorLine) {
  const struct {
    Error error;
    std::string text;
  } cases[] = {
      {Error(13, "", "Type mismatch"), "corvane: error 0x0000000D\nType mismatch\n"},
      {Error(-1, "S", ""), "corvane: error 0xFFFFFFFF (source: S)\n"},
      {Error(-2147221504, "", "one\r\ntwo\nthree\rfour"),
       "corvane: error 0x80040000\none\ntwo\nthree\rfour\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::ostringstream err;
    cli::WriteError(c.error, err);
    EXPECT_EQ(err.str(), c.text);
  }
}

TEST(CliOutput, JsonStringEscapes) {
  const struct {
    std::string text;
    std::string json;
  } cases[] = {
      {"", "\"\""},
      {"plain", "\"plain\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"\n\r\t\b\f", "\"\\n\\r\\t\\b\\f\""},
      {std::string("\x01\x1F\x7F", 3), "\"\\u0001\\u001F\\u007F\""},
      {"\xC3\xA9\xE2\x82\xAC", "\"\xC3\xA9\xE2\x82\xAC\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.json);
    EXPECT_EQ(cli::JsonString(c.text), c.json);
  }
}

TEST(CliCatalog, CommandsAreKeptInNameOrderAndNamedOnce) {
  CommandCatalog catalog;
  const auto make = [] { return std::make_unique<ProbeCommand>(nullptr); };
  catalog.Add({"stores", "", false, make});
  catalog.Add({"decrypt", "", false, make});
  catalog.Add({"get", "", true, make});
  std::vector<std::string> names;
  for (const auto& definition : catalog.Commands()) names.push_back(definition.name);
  EXPECT_EQ(names, (std::vector<std::string>{"decrypt", "get", "stores"}));
  try {
    catalog.Add({"get", "", false, make});
    ADD_FAILURE() << "a second \"get\" was accepted";
  } catch (const std::logic_error& error) {
    EXPECT_STREQ(error.what(), "command registered twice: get");
  }
  std::vector<std::string> builtin;
  for (const auto& definition : CommandCatalog::Builtin().Commands())
    builtin.push_back(definition.name);
  EXPECT_NE(std::find(builtin.begin(), builtin.end(), "encrypt"), builtin.end());
  EXPECT_NE(std::find(builtin.begin(), builtin.end(), "decrypt"), builtin.end());
}

}  // namespace
}  // namespace corvane
