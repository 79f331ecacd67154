#include <corvane/CorvaneErrors.h>
#include <corvane/RuntimeErrors.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "configuration/ConfigurationTesting.h"
#include "support/FaultyFileSystem.h"

namespace corvane {
namespace {

using test::Caught;
using test::Formatted;
using test::ItemXml;
using test::StoreXml;

class Items : public test::WebApplicationTest {
 protected:
  // Loads xml as a store file; without the schema when loose is set.
  std::shared_ptr<Configuration> Store(const std::string& xml, bool loose = false) {
    if (loose) installation_.RemoveSchema();
    path_ = installation_.WriteStore("Test.xml", xml);
    auto configuration = NewConfiguration();
    configuration->LoadConfigFile(path_);
    log_.Sink().ClearEntries();
    return configuration;
  }
  std::string File() const { return installation_.Files().Read("config/Test.xml"); }
  std::string path_;
};

TEST_F(Items, WithoutAStoreEveryOperationFailsWithNoStoreLoaded) {
  auto configuration = NewConfiguration();
  const std::vector<std::pair<const char*, std::function<void()>>> operations = {
      {"GetValue(S, I)", [&] { configuration->GetValue("S", "I"); }},
      {"Setvalue(S, I, v)", [&] { configuration->SetValue("S", "I", Variant("v")); }},
      {"AddSection(S)", [&] { configuration->AddSection("S"); }},
      {"RemoveSection(S)", [&] { configuration->RemoveSection("S"); }},
      {"AddItem(S, I, 7)", [&] { configuration->AddItem("S", "I", Variant(std::int16_t{7})); }},
      {"RemoveItem(S, I)", [&] { configuration->RemoveItem("S", "I"); }},
      {"GetItems(S)", [&] { configuration->GetItems("S"); }},
  };
  for (const auto& [method, call] : operations) {
    SCOPED_TRACE(method);
    const Error error = Caught(call);
    EXPECT_EQ(error.Number(), ConfigurationNoStoreLoaded);
    EXPECT_EQ(error.Description(),
              Formatted("80040013", method, "No configuration store is currently loaded"));
  }
  EXPECT_EQ(log_.Entries().size(), operations.size());

  Variant untouched("before");
  EXPECT_EQ(configuration->GetValue2("S", "I", untouched), ConfigurationNoStoreLoaded);
  EXPECT_EQ(configuration->SetValue2("S", "I", Variant("v")), ConfigurationNoStoreLoaded);
  EXPECT_EQ(configuration->AddSection2("S"), ConfigurationNoStoreLoaded);
  EXPECT_EQ(configuration->RemoveSection2("S"), ConfigurationNoStoreLoaded);
  EXPECT_EQ(configuration->AddItem2("S", "I", Variant("v")), ConfigurationNoStoreLoaded);
  EXPECT_EQ(configuration->RemoveItem2("S", "I"), ConfigurationNoStoreLoaded);
  EXPECT_EQ(untouched.AsString(), "before");
}

TEST_F(Items, AMissingItemIsReportedDirectlyAndNotLogged) {
  auto configuration = Store(StoreXml({{"GLOBAL", ItemXml("A", "STRING", "a")}}));
  for (const auto& [section, item] : {std::pair{"GLOBAL", "B"}, std::pair{"OTHER", "A"}}) {
    SCOPED_TRACE(section);
    const Error error = Caught([&] { configuration->GetValue(section, item); });
    EXPECT_EQ(error.Number(), ConfigurationItemNotFound);
    EXPECT_EQ(error.Description(),
              std::string("Item ") + item + " not found in Configuration Store " + path_);
  }
  Variant untouched(std::int16_t{3});
  EXPECT_EQ(configuration->GetValue2("GLOBAL", "B", untouched), ConfigurationItemNotFound);
  EXPECT_EQ(untouched.AsInt16(), 3);
  EXPECT_TRUE(log_.Entries().empty());
}

struct ReadCase {
  const char* type;
  const char* text;
  Variant expected;  // Empty when the read fails
  std::int32_t error;
};

TEST_F(Items, ValuesAreReadByTheirType) {
  const std::vector<ReadCase> cases = {
      {"INT", "12", Variant(std::int16_t{12}), 0},
      {"INT", "-32768", Variant(std::int16_t{-32768}), 0},
      {"INT", "2.5", Variant(std::int16_t{2}), 0},
      {"int", "3.5", Variant(std::int16_t{4}), 0},
      {"INT", "32768", Variant(), rtOverflow},
      {"INT", "abc", Variant(), rtTypeMismatch},
      {"INT", "", Variant(), rtTypeMismatch},
      {"STRING", "", Variant(std::string()), 0},
      {"string", "Grüße & <tags>", Variant("Grüße & <tags>"), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.type) + " '" + c.text + "'");
    std::string escaped = c.text;
    if (escaped.find('&') != std::string::npos) escaped = "Grüße &amp; &lt;tags&gt;";
    auto configuration = Store(StoreXml({{"GLOBAL", ItemXml("V", c.type, escaped)}}));
    if (c.error == 0) {
      EXPECT_EQ(configuration->GetValue("GLOBAL", "V"), c.expected);
    } else {
      const Error error = Caught([&] { configuration->GetValue("GLOBAL", "V"); });
      EXPECT_EQ(error.Number(), c.error);
      EXPECT_NE(error.Description().find(" METHOD: Corvane.Configuration::GetValue(GLOBAL, V)"),
                std::string::npos);
      EXPECT_EQ(log_.Entries().size(), 1u);
    }
  }
}

TEST_F(Items, AnUnknownTypeFailsNamingTheStore) {
  auto configuration = Store(StoreXml({{"GLOBAL", ItemXml("V", "BOOL", "1")}}), true);
  const Error error = Caught([&] { configuration->GetValue("GLOBAL", "V"); });
  EXPECT_EQ(error.Number(), ConfigurationUnknownItemType);
  EXPECT_EQ(error.Description(),
            Formatted("80040014", "GetValue(GLOBAL, V)",
                      "Type BOOL of item V invalid in Configuration Store " + path_));
  EXPECT_EQ(Caught([&] { configuration->SetValue("GLOBAL", "V", Variant("x")); }).Description(),
            Formatted("80040014", "Setvalue(GLOBAL, V, x)", "Type BOOL of item V invalid"));
}

TEST_F(Items, SetValueAcceptsOnlyTheItemsOwnType) {
  auto configuration = Store(StoreXml(
      {{"GLOBAL", ItemXml("Count", "INT", "1") + ItemXml("Name", "STRING", "old")}}));
  configuration->SetValue("GLOBAL", "Count", Variant(std::int16_t{-12}));
  EXPECT_EQ(configuration->GetValue("GLOBAL", "Count").AsInt16(), -12);
  configuration->SetValue("GLOBAL", "Count", Variant(std::uint8_t{200}));
  EXPECT_NE(File().find("<Value>200</Value>"), std::string::npos);
  configuration->SetValue("GLOBAL", "Name", Variant("new"));
  EXPECT_EQ(configuration->GetValue("GLOBAL", "Name").AsString(), "new");

  const std::vector<std::tuple<const char*, Variant, const char*>> refused = {
      {"Count", Variant(std::int32_t{5}), "Setvalue(GLOBAL, Count, 5)"},
      {"Count", Variant("5"), "Setvalue(GLOBAL, Count, 5)"},
      {"Name", Variant(std::int16_t{5}), "Setvalue(GLOBAL, Name, 5)"},
  };
  for (const auto& [item, value, method] : refused) {
    SCOPED_TRACE(method);
    const std::string type = std::string(item) == "Count" ? "INT" : "STRING";
    EXPECT_EQ(Caught([&] { configuration->SetValue("GLOBAL", item, value); }).Description(),
              Formatted("80040014", method,
                        "Datatype of value is not equal to the type of item " + std::string(item) +
                            " (" + type + ")"));
  }
  EXPECT_EQ(Caught([&] { configuration->SetValue("GLOBAL", "Gone", Variant("x")); }).Description(),
            Formatted("8004000F", "Setvalue(GLOBAL, Gone, x)", "Item Gone not found"));
  EXPECT_EQ(configuration->SetValue2("GLOBAL", "Gone", Variant("x")), ConfigurationItemNotFound);
}

TEST_F(Items, AnEncryptedItemIsWrittenEncryptedAndReadPlain) {
  auto configuration = Store(StoreXml({{"CONNECTIONS", ItemXml("OrdersConnection_RuntimePassword", "STRING", "", "yes")}}));
  EXPECT_EQ(configuration->GetValue("CONNECTIONS", "OrdersConnection_RuntimePassword").AsString(), "");

  configuration->SetValue("CONNECTIONS", "OrdersConnection_RuntimePassword", Variant("s3cret"));
  EXPECT_EQ(configuration->GetValue("CONNECTIONS", "OrdersConnection_RuntimePassword").AsString(), "s3cret");
  const std::string file = File();
  EXPECT_EQ(file.find("s3cret"), std::string::npos);
  EXPECT_NE(file.find("encrypted=\"yes\""), std::string::npos);

  // A fresh object reading the file back decrypts it too.
  auto reader = NewConfiguration();
  reader->LoadConfigFile(path_);
  EXPECT_EQ(reader->GetValue("CONNECTIONS", "OrdersConnection_RuntimePassword").AsString(), "s3cret");
}

TEST_F(Items, AnEncryptedValueThatCannotBeDecryptedFailsInsteadOfReadingEmpty) {
  // Sixteen zero bytes under key 0 decrypt to a frame whose size does not fit.
  auto configuration = Store(StoreXml({{"GLOBAL",
      ItemXml("Damaged", "STRING", "0000000000000000000000000000000000", "yes") +
      ItemXml("Short", "STRING", "7", "yes")}}));
  const Error error = Caught([&] { configuration->GetValue("GLOBAL", "Damaged"); });
  EXPECT_EQ(error.Number(), -2147221504);
  EXPECT_EQ(error.Description(), Formatted("80040000", "GetValue(GLOBAL, Damaged)",
                                           "Incorrect size descriptor in Blowfish decryption"));
  EXPECT_EQ(log_.Entries().size(), 1u);
  EXPECT_EQ(configuration->GetValue("GLOBAL", "Short").AsString(), "7");
}

TEST_F(Items, SetValueOnAnItemWithoutAValueFailsAndChangesNothing) {
  auto configuration = Store(
      "<Config><Section id=\"GLOBAL\"><Item><Name>A</Name><Type>STRING</Type></Item></Section></Config>",
      true);
  const std::string before = File();
  EXPECT_EQ(Caught([&] { configuration->SetValue("GLOBAL", "A", Variant("x")); }).Number(),
            rtObjectVariableNotSet);
  EXPECT_EQ(File(), before);
  EXPECT_EQ(configuration->GetValue("GLOBAL", "A").AsString(), "");
}

TEST_F(Items, SecretsNeverReachTheMethodText) {
  auto configuration = Store(StoreXml({{"CONNECTIONS",
      ItemXml("OrdersConnection_RuntimePassword", "STRING", "") +
      ItemXml("ApiKey", "INT", "", "yes") +
      ItemXml("Plain", "INT", "1")}}));
  const std::vector<std::tuple<std::string, Variant, std::string>> cases = {
      {"OrdersConnection_RuntimePassword", Variant(std::int16_t{1}), "********"},
      {"ApiKey", Variant("hunter2"), "********"},
      {"ordersconnection_connectionstring", Variant(std::int16_t{1}), "********"},
      {"Plain", Variant("visible"), "visible"},
  };
  for (const auto& [item, value, shown] : cases) {
    SCOPED_TRACE(item);
    const Error error = Caught([&] { configuration->SetValue("CONNECTIONS", item, value); });
    EXPECT_NE(error.Description().find("Setvalue(CONNECTIONS, " + item + ", " + shown + ")"),
              std::string::npos);
  }
  const Error exists = Caught([&] {
    configuration->AddItem("CONNECTIONS", "OrdersConnection_RuntimePassword", Variant("pw"));
  });
  EXPECT_NE(exists.Description().find("AddItem(CONNECTIONS, OrdersConnection_RuntimePassword, ********)"),
            std::string::npos);
  for (const auto& text : log_.Texts()) {
    EXPECT_EQ(text.find("hunter2"), std::string::npos);
    EXPECT_EQ(text.find(", pw)"), std::string::npos);
  }
}

TEST_F(Items, DuplicatesAreTakenFirstForReadsAndAllForRemovals) {
  auto configuration = Store(StoreXml({
      {"A", ItemXml("X", "STRING", "first") + ItemXml("X", "STRING", "second")},
      {"A", ItemXml("Y", "STRING", "other section")},
  }));
  EXPECT_EQ(configuration->GetValue("A", "X").AsString(), "first");
  EXPECT_EQ(configuration->GetValue("A", "Y").AsString(), "other section");
  configuration->SetValue("A", "X", Variant("changed"));
  EXPECT_EQ(configuration->GetValue("A", "X").AsString(), "changed");

  const Variant names = configuration->GetItems("A");
  ASSERT_EQ(names.AsArray().Size(), 3u);
  EXPECT_EQ(names.AsArray().LowerBound(), 0);
  EXPECT_EQ(names.AsArray().At(1).AsString(), "X");

  configuration->AddItem("A", "Z", Variant("z"));
  const std::string file = File();
  EXPECT_LT(file.find("<Name>Z</Name>"), file.find("<Name>Y</Name>"));

  configuration->RemoveItem("A", "X");
  EXPECT_EQ(configuration->GetItems("A").AsArray().Size(), 2u);
  configuration->RemoveSection("A");
  EXPECT_EQ(Caught([&] { configuration->GetItems("A"); }).Number(), ConfigurationItemNotFound);
  EXPECT_EQ(File().find("id=\"A\""), std::string::npos);
}

TEST_F(Items, SectionsAreFoundAtAnyDepthByAddAndRemoveSection) {
  auto configuration = Store(
      "<Config><Section id=\"OUTER\"><Section id=\"DEEP\"/></Section></Config>", true);
  EXPECT_EQ(Caught([&] { configuration->AddSection("DEEP"); }).Description(),
            Formatted("80040015", "AddSection(DEEP)", "Section DEEP already exists"));
  EXPECT_EQ(Caught([&] { configuration->RemoveSection("NONE"); }).Description(),
            Formatted("8004000D", "RemoveSection(NONE)", "Section NONE does not exist"));

  configuration->AddSection("NEW");
  const std::string file = File();
  EXPECT_GT(file.find("<Section id=\"NEW\"/>"), file.find("</Section>"));
  configuration->RemoveSection("DEEP");
  EXPECT_EQ(File().find("DEEP"), std::string::npos);
  EXPECT_EQ(configuration->AddSection2("NEW"), ConfigurationSectionExists);
  EXPECT_EQ(configuration->RemoveSection2("NONE"), ConfigurationSectionNotFound);
}

TEST_F(Items, AddItemStoresTheTypeOfTheValueAndAlwaysRewritesTheFile) {
  auto configuration = Store(StoreXml({{"GLOBAL", ""}}));
  configuration->AddItem("GLOBAL", "Wide", Variant(std::int32_t{100000}));
  configuration->AddItem("GLOBAL", "Flag", Variant(true));
  configuration->AddItem("GLOBAL", "Small", Variant(std::uint8_t{7}));
  const std::string file = File();
  EXPECT_NE(file.find("<Name>Wide</Name>\n      <Type>INT</Type>\n      <Value>100000</Value>"),
            std::string::npos);
  EXPECT_NE(file.find("<Name>Flag</Name>\n      <Type>STRING</Type>\n      <Value>True</Value>"),
            std::string::npos);
  EXPECT_EQ(configuration->GetValue("GLOBAL", "Small").AsInt16(), 7);
  // Stored, but beyond what an INT item can be read back as.
  EXPECT_EQ(Caught([&] { configuration->GetValue("GLOBAL", "Wide"); }).Number(), rtOverflow);

  std::filesystem::remove(path_);
  configuration->AddItem("MISSING", "A", Variant("a"));
  EXPECT_EQ(File().find("<Name>A</Name>"), std::string::npos);
  EXPECT_NE(File().find("<Name>Flag</Name>"), std::string::npos);

  EXPECT_EQ(Caught([&] { configuration->AddItem("GLOBAL", "Flag", Variant("again")); }).Description(),
            Formatted("80040016", "AddItem(GLOBAL, Flag, again)",
                      "Item Flag already exists in section GLOBAL"));
  EXPECT_EQ(configuration->AddItem2("GLOBAL", "Flag", Variant("again")), ConfigurationItemExists);
}

TEST_F(Items, AnItemWhoseValueCannotBeReadCountsAsAbsent) {
  auto configuration = Store(StoreXml({{"GLOBAL", ItemXml("Broken", "INT", "abc")}}));
  configuration->AddItem("GLOBAL", "Broken", Variant("second"));
  const Variant names = configuration->GetItems("GLOBAL");
  EXPECT_EQ(names.AsArray().Size(), 2u);

  auto other = Store(StoreXml({{"GLOBAL", ItemXml("Broken", "INT", "abc")}}));
  EXPECT_EQ(Caught([&] { other->RemoveItem("GLOBAL", "Broken"); }).Description(),
            Formatted("8004000F", "RemoveItem(GLOBAL, Broken)",
                      "Item Broken does not exist in section GLOBAL"));
  EXPECT_EQ(other->RemoveItem2("GLOBAL", "Broken"), ConfigurationItemNotFound);
}

TEST_F(Items, GetItemsOfAnEmptyOrMissingSectionFails) {
  auto configuration = Store(StoreXml({{"EMPTY", ""}}));
  for (const char* section : {"EMPTY", "MISSING"}) {
    SCOPED_TRACE(section);
    const Error error = Caught([&] { configuration->GetItems(section); });
    EXPECT_EQ(error.Number(), ConfigurationItemNotFound);
    EXPECT_EQ(error.Description(), Formatted("8004000F", std::string("GetItems(") + section + ")",
                                             std::string("No items found in section ") + section));
  }
}

TEST_F(Items, AnApostropheInANameFailsAsAQueryErrorAndSelectsNothing) {
  auto configuration = Store(StoreXml({{"GLOBAL", ItemXml("A", "STRING", "a")}}));
  const Error error = Caught([&] { configuration->GetValue("GLOBAL", "x' or Name='A"); });
  EXPECT_EQ(error.Number(), -2147467259);
  EXPECT_EQ(log_.Entries().size(), 1u);
  EXPECT_EQ(Caught([&] { configuration->RemoveSection("GLOBAL' or @id='X"); }).Number(), -2147467259);

  // Added all the same (its existence test fails on the query), listed, never found.
  configuration->AddItem("GLOBAL", "it's", Variant("v"));
  EXPECT_EQ(configuration->GetItems("GLOBAL").AsArray().At(1).AsString(), "it's");
}

TEST_F(Items, AFailedSaveKeepsTheChangeInMemoryAndTheFileAsItWas) {
  auto configuration = Store(StoreXml({{"GLOBAL", ItemXml("Name", "STRING", "old")}}));
  const std::string before = File();
  auto faulty = std::make_shared<test::FaultyFileSystem>(platform::FileSystem::Default());
  faulty->FailWriteBeforeRename(Error(rtPermissionDenied, "test", "Permission denied"));
  platform::FileSystem::SetDefault(faulty);

  const Error error = Caught([&] { configuration->SetValue("GLOBAL", "Name", Variant("new")); });
  platform::FileSystem::SetDefault(nullptr);

  EXPECT_EQ(error.Number(), rtPermissionDenied);
  EXPECT_EQ(error.Description(),
            Formatted("46", "Setvalue(GLOBAL, Name, new)",
                      Formatted("46", "p_Save()", "Permission denied")));
  EXPECT_EQ(File(), before);
  EXPECT_EQ(configuration->GetValue("GLOBAL", "Name").AsString(), "new");
  EXPECT_EQ(log_.Entries().size(), 2u);
}

}  // namespace
}  // namespace corvane
