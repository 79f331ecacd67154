// encrypt [--key-index N] TEXT and decrypt VALUE: the encrypted value texts
// of configuration items.
#include "CliCatalog.h"
#include "CliCommand.h"

#include "crypto/Lib_Crypt.h"

#include <cstdint>
#include <memory>
#include <string>

namespace corvane::cli {
namespace {

class EncryptCommand : public Command {
 public:
  void Configure(CLI::App& command) override {
    keyIndexOption_ = command.add_option("--key-index", keyIndex_,
                                         "Encrypt with key N (0 to 9) instead of the clock's");
    keyIndexOption_->type_name("N");
    command.add_option("TEXT", text_, "The text to encrypt")->required();
  }

  CommandResult Run(const CommandEnvironment&) override {
    if (keyIndexOption_->count() > 0) {
      return CommandResult::Value(Crypt_EncryptWithKeyIndex(text_, keyIndex_));
    }
    return CommandResult::Value(Crypt_EncryptWithIndex(text_));
  }

 private:
  CLI::Option* keyIndexOption_ = nullptr;
  std::int32_t keyIndex_ = 0;
  std::string text_;
};

class DecryptCommand : public Command {
 public:
  void Configure(CLI::App& command) override {
    command.add_option("VALUE", value_, "The encrypted value text")->required();
  }

  CommandResult Run(const CommandEnvironment&) override {
    return CommandResult::Value(Crypt_DecryptWithIndex(value_));
  }

 private:
  std::string value_;
};

void Register(CommandCatalog& catalog) {
  catalog.Add({"encrypt", "Print the encrypted value text of TEXT", false,
               [] { return std::make_unique<EncryptCommand>(); }});
  catalog.Add({"decrypt", "Print the text of an encrypted VALUE", false,
               [] { return std::make_unique<DecryptCommand>(); }});
}

const CommandRegistration kRegistration(Register);

}  // namespace
}  // namespace corvane::cli
