// The store commands: list the stores, find the installation directory,
// and read, edit and validate the selected store, one service call each.
#include "CliCatalog.h"
#include "CliCommand.h"
#include "commands/StoreAccess.h"

#include <corvane/Variant.h>

#include <charconv>
#include <cstdint>
#include <memory>
#include <string>
#include <system_error>

namespace corvane::cli {
namespace {

// "-32768" to "32767" in decimal with an optional sign, nothing else.
bool ParseInt16(const std::string& text, std::int16_t& value) {
  const bool plus = !text.empty() && text.front() == '+';  // from_chars takes only '-'
  const char* first = text.data() + (plus ? 1 : 0);
  const char* last = text.data() + text.size();
  if (plus && first != last && *first == '-') return false;
  const auto [end, error] = std::from_chars(first, last, value);
  return error == std::errc() && end == last;
}

// The VALUE argument of set and add-item, text unless --int asks for a
// 16-bit integer; a bad number is refused while parsing, as a usage error.
class ItemValueArgument {
 public:
  void Configure(CLI::App& command) {
    command.add_option("VALUE", text_, "The new value")->required();
    command.add_flag("--int", asInt16_, "Pass VALUE as a 16-bit integer (-32768 to 32767)");
    command.final_callback([this] {
      if (asInt16_ && !ParseInt16(text_, int16_)) {
        throw CLI::ValidationError("VALUE", "not a 16-bit integer (-32768 to 32767): " + text_);
      }
    });
  }

  Variant Value() const { return asInt16_ ? Variant(int16_) : Variant(text_); }

 private:
  std::string text_;
  bool asInt16_ = false;
  std::int16_t int16_ = 0;
};

void AddSectionArgument(CLI::App& command, std::string& section) {
  command.add_option("SECTION", section, "The section id")->required();
}

void AddItemArgument(CLI::App& command, std::string& item) {
  command.add_option("ITEM", item, "The item name")->required();
}

class StoresCommand : public Command {
 public:
  void Configure(CLI::App&) override {}
  CommandResult Run(const CommandEnvironment& environment) override {
    return CommandResult::Lines(ArrayTexts(NewConfiguration(environment.host)->ListConfigStores()));
  }
};

class InstallDirCommand : public Command {
 public:
  void Configure(CLI::App&) override {}
  CommandResult Run(const CommandEnvironment& environment) override {
    return CommandResult::Value(NewConfiguration(environment.host)->GetInstallDir());
  }
};

class GetCommand : public StoreCommand {
 public:
  void Configure(CLI::App& command) override {
    AddSectionArgument(command, section_);
    AddItemArgument(command, item_);
  }

 protected:
  CommandResult RunOn(Configuration& configuration) override {
    return CommandResult::Value(configuration.GetValue(section_, item_).ToString());
  }

 private:
  std::string section_;
  std::string item_;
};

// set and add-item: one write of an item's value.
class ItemWriteCommand : public StoreCommand {
 public:
  using Write = void (Configuration::*)(const std::string&, const std::string&, const Variant&);
  explicit ItemWriteCommand(Write write) : write_(write) {}

  void Configure(CLI::App& command) override {
    AddSectionArgument(command, section_);
    AddItemArgument(command, item_);
    value_.Configure(command);
  }

 protected:
  CommandResult RunOn(Configuration& configuration) override {
    (configuration.*write_)(section_, item_, value_.Value());
    return CommandResult::Nothing();
  }

 private:
  Write write_;
  std::string section_;
  std::string item_;
  ItemValueArgument value_;
};

class ItemsCommand : public StoreCommand {
 public:
  void Configure(CLI::App& command) override { AddSectionArgument(command, section_); }

 protected:
  CommandResult RunOn(Configuration& configuration) override {
    return CommandResult::Lines(ArrayTexts(configuration.GetItems(section_)));
  }

 private:
  std::string section_;
};

// add-section and remove-section: one edit of a whole section.
class SectionEditCommand : public StoreCommand {
 public:
  using Edit = void (Configuration::*)(const std::string&);
  explicit SectionEditCommand(Edit edit) : edit_(edit) {}

  void Configure(CLI::App& command) override { AddSectionArgument(command, section_); }

 protected:
  CommandResult RunOn(Configuration& configuration) override {
    (configuration.*edit_)(section_);
    return CommandResult::Nothing();
  }

 private:
  Edit edit_;
  std::string section_;
};

class RemoveItemCommand : public StoreCommand {
 public:
  void Configure(CLI::App& command) override {
    AddSectionArgument(command, section_);
    AddItemArgument(command, item_);
  }

 protected:
  CommandResult RunOn(Configuration& configuration) override {
    configuration.RemoveItem(section_, item_);
    return CommandResult::Nothing();
  }

 private:
  std::string section_;
  std::string item_;
};

class ValidateCommand : public Command {
 public:
  void Configure(CLI::App&) override {}
  CommandResult Run(const CommandEnvironment& environment) override {
    OpenSelectedStore(environment, StoreLoad::FromDisk);
    return CommandResult::Value("valid");
  }
};

template <class C>
std::unique_ptr<Command> Make() {
  return std::make_unique<C>();
}

void Register(CommandCatalog& catalog) {
  catalog.Add({"stores", "Print the site store's file name and the application store ids", false,
               Make<StoresCommand>});
  catalog.Add({"install-dir", "Print the installation directory", false, Make<InstallDirCommand>});
  catalog.Add({"get", "Print the value of ITEM in SECTION", true, Make<GetCommand>});
  catalog.Add({"set", "Change the value of ITEM in SECTION to VALUE", true, [] {
                 return std::make_unique<ItemWriteCommand>(&Configuration::SetValue);
               }});
  catalog.Add({"items", "Print the item names of SECTION", true, Make<ItemsCommand>});
  catalog.Add({"add-section", "Add the empty SECTION", true, [] {
                 return std::make_unique<SectionEditCommand>(&Configuration::AddSection);
               }});
  catalog.Add({"remove-section", "Remove SECTION with its items", true, [] {
                 return std::make_unique<SectionEditCommand>(&Configuration::RemoveSection);
               }});
  catalog.Add({"add-item", "Add ITEM with VALUE to SECTION", true, [] {
                 return std::make_unique<ItemWriteCommand>(&Configuration::AddItem);
               }});
  catalog.Add({"remove-item", "Remove ITEM from SECTION", true, Make<RemoveItemCommand>});
  catalog.Add({"validate", "Read the store from disk, validate it and print \"valid\"", true,
               Make<ValidateCommand>});
}

const CommandRegistration kRegistration(Register);

}  // namespace
}  // namespace corvane::cli
