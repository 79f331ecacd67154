#include "crypto/ClockGuard.h"
#include "crypto/Lib_Crypt.h"
#include "tools/CliRunner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

using corvane::testing::ClockGuard;
using corvane::testing::EnvironmentGuard;
using corvane::testing::RunTool;

// text is prefix, then hexDigits upper-case hexadecimal digits, then suffix.
::testing::AssertionResult HasHexBetween(const std::string& text, const std::string& prefix,
                                         std::size_t hexDigits, const std::string& suffix) {
  const bool shaped =
      text.size() == prefix.size() + hexDigits + suffix.size() &&
      text.compare(0, prefix.size(), prefix) == 0 &&
      text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0 &&
      text.find_first_not_of("0123456789ABCDEF", prefix.size()) == prefix.size() + hexDigits;
  if (shaped) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "\"" << text << "\" is not " << prefix << " + "
                                       << hexDigits << " hex digits + " << suffix;
}

class CliEncryptTest : public ::testing::Test {
 protected:
  EnvironmentGuard environment_{{"CORVANE_INSTALL_DIR", std::nullopt},
                                {"CORVANE_REGISTRY", std::nullopt},
                                {"CORVANE_EVENT_LOG", "none"}};
};

TEST_F(CliEncryptTest, EncryptWithKeyIndexPrintsTheValue) {
  const auto run = RunTool({"encrypt", "--key-index", "3", "abc"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(HasHexBetween(run.out, "03", 32, "\n"));
  EXPECT_EQ(Crypt_DecryptWithIndex(run.out.substr(0, 34)), "abc");
}

TEST_F(CliEncryptTest, EncryptWithoutKeyIndexUsesTheClock) {
  ClockGuard clock(47);
  const auto run = RunTool({"encrypt", "five!"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(HasHexBetween(run.out, "07", 48, "\n"));
}

TEST_F(CliEncryptTest, DecryptGivesTheTextBack) {
  for (const std::string text : {"plain",
                                 "Gr\xC3\xBC\xC3\x9F"
                                 "e \xE2\x82\xAC 5",
                                 "two words"}) {
    SCOPED_TRACE(text);
    const auto encrypted = RunTool({"encrypt", "--key-index", "8", text});
    ASSERT_EQ(encrypted.status, 0);
    const auto decrypted = RunTool({"decrypt", encrypted.out.substr(0, encrypted.out.size() - 1)});
    EXPECT_EQ(decrypted.status, 0);
    EXPECT_EQ(decrypted.out, text + "\n");
    EXPECT_EQ(decrypted.err, "");
  }
}

TEST_F(CliEncryptTest, EmptyTextEncryptsToAnEmptyLine) {
  const auto run = RunTool({"encrypt", "--key-index", "2", ""});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "\n");
}

TEST_F(CliEncryptTest, JsonPrintsOneDocument) {
  const auto encrypted = RunTool({"--json", "encrypt", "--key-index", "5", "x"});
  EXPECT_EQ(encrypted.status, 0);
  EXPECT_TRUE(HasHexBetween(encrypted.out, "{\"value\": \"05", 32, "\"}\n"));

  const std::string value = Crypt_EncryptWithKeyIndex("say \"hi\"\n\tto C:\\", 1);
  const auto decrypted = RunTool({"decrypt", "--json", value});  // global option after the command
  EXPECT_EQ(decrypted.status, 0);
  EXPECT_EQ(decrypted.out, "{\"value\": \"say \\\"hi\\\"\\n\\tto C:\\\\\"}\n");
}

TEST_F(CliEncryptTest, LibraryErrorsExitOneWithTheErrorLine) {
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"encrypt", "--key-index", "10", "x"},
       "corvane: error 0x80040000\nIncorrect Encryption Key Index\n"},
      {{"decrypt", "03ABCD"}, "corvane: error 0x00000009\nSubscript out of range\n"},
      {{"decrypt", "03ABCDEFGH"}, "corvane: error 0x0000000D\nType mismatch\n"},
      {{"--json", "decrypt", "03"}, "corvane: error 0x00000009\nSubscript out of range\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.back());
    const auto run = RunTool(c.args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, c.err);
  }
}

TEST_F(CliEncryptTest, CommandHelpNamesItsOptions) {
  const auto run = RunTool({"encrypt", "--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("--key-index"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("TEXT"), std::string::npos) << run.out;
  EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace corvane
