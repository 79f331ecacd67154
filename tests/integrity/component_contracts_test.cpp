#include <corvane/BusinessRules.h>
#include <corvane/ComponentRegistry.h>
#include <corvane/IObjectControl.h>
#include <corvane/IReferentialIntegrity.h>

#include "platform/RaisesError.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>

namespace corvane {
namespace {

using corvane::testing::RaisesError;

static_assert(!std::is_constructible_v<IReferentialIntegrity>, "callers cannot create it");
static_assert(!std::is_constructible_v<BusinessRules>, "callers cannot create it");

// Implementers that keep the library's own methods.
class DefaultOwner : public IReferentialIntegrity {};
class DefaultRules : public BusinessRules {};

Variant Pair(const char* first, const char* second) {
  return Variant(VariantArray({first, second}));
}

TEST(IReferentialIntegrity, OwnMethodsAnswerFalseAndLeaveTheArguments) {
  auto owner = std::make_shared<DefaultOwner>();
  std::string origin = "RequisitionLine";
  Variant keys = Pair("BUDGETCODE", "ID");
  const Variant nullValue(VariantArray({"B-1", Variant::Null()}));  // a row lacking the column
  Variant values = nullValue;
  EXPECT_FALSE(owner->Exists(origin, keys, values));
  EXPECT_FALSE(owner->BeforeDelete(origin, keys, values));
  EXPECT_EQ(origin, "RequisitionLine");
  EXPECT_EQ(keys, Pair("BUDGETCODE", "ID"));
  EXPECT_EQ(values, nullValue);
}

TEST(BusinessRules, OwnMethodsReturnNullAndLeaveTheRecord) {
  auto rules = std::make_shared<DefaultRules>();
  auto record = Dictionary::Create();
  record->Add("BISID", 12);
  std::shared_ptr<Dictionary> bdo = record;
  EXPECT_EQ(rules->Insert(bdo), nullptr);
  EXPECT_EQ(rules->Update(bdo), nullptr);
  EXPECT_EQ(rules->Delete(bdo), nullptr);
  EXPECT_EQ(rules->GetInstance(bdo), nullptr);
  EXPECT_EQ(bdo, record);
  EXPECT_EQ(record->Count(), 1);
}

TEST(ComponentContracts, InterfaceClassesHaveNoProgId) {
  for (const char* progId :
       {"Corvane.IReferentialIntegrity", "Corvane.BusinessRules", "Corvane.IObjectControl"}) {
    SCOPED_TRACE(progId);
    EXPECT_TRUE(RaisesError([&] { (void)ComponentRegistry::Instance().CreateObject(progId); }, 429,
                            "ActiveX component can't create object"));
  }
}

// An owner of the suite: answers from a table and writes into its arguments.
class Products : public IReferentialIntegrity, public BusinessRules, public IObjectControl {
 public:
  bool Exists(std::string& iOrigin, Variant& iKeys, Variant& iValues) override {
    const bool known = iValues.AsArray().At(0) == Variant("P-1");
    iOrigin = "checked " + iOrigin;
    iKeys.AsArray().Append("STATUS");
    iValues = Variant(VariantArray({"P-1", known ? "active" : "unknown"}));
    return known;
  }
  std::shared_ptr<ResultObject> GetInstance(std::shared_ptr<Dictionary>& iBDO) override {
    auto filled = Dictionary::Create();
    filled->Add("BISID", iBDO->Item("BISID"));
    filled->Add("FILENAME", "orders.csv");
    iBDO = filled;
    auto result = ResultObject::Create();
    result->AddMessage("found");
    return result;
  }
  void Activate() override { activated = true; }

  bool activated = false;
};

TEST(ComponentContracts, RegisteredOwnerIsCreatedByProgIdAndAskedThroughTheInterface) {
  ScopedComponentRegistration registration("CorvaneTest.Products",
                                           [] { return std::make_shared<Products>(); });
  const ObjectPtr object = ComponentRegistry::Instance().CreateObject("corvanetest.PRODUCTS");
  const auto owner = QueryInterface<IReferentialIntegrity>(object);
  ASSERT_NE(owner, nullptr);

  std::string origin = "OrderLine";
  Variant keys(VariantArray({"PRODUCTID"}));
  Variant values(VariantArray({"P-1"}));
  EXPECT_TRUE(owner->Exists(origin, keys, values));
  EXPECT_EQ(origin, "checked OrderLine");
  EXPECT_EQ(keys, Variant(VariantArray({"PRODUCTID", "STATUS"})));
  EXPECT_EQ(values, Pair("P-1", "active"));
  EXPECT_FALSE(owner->BeforeDelete(origin, keys, values));  // kept the library's own

  Variant otherValues(VariantArray({"P-2"}));
  EXPECT_FALSE(owner->Exists(origin, keys, otherValues));
}

TEST(ComponentContracts, OneComponentImplementsSeveralInterfaces) {
  const ObjectPtr object = std::make_shared<Products>();
  const auto rules = QueryInterface<BusinessRules>(object);
  const auto control = QueryInterface<IObjectControl>(object);
  ASSERT_NE(rules, nullptr);
  ASSERT_NE(control, nullptr);
  control->Activate();
  EXPECT_TRUE(std::dynamic_pointer_cast<Products>(object)->activated);
  EXPECT_EQ(rules->shared_from_this(), object);

  auto record = Dictionary::Create();
  record->Add("BISID", 12);
  std::shared_ptr<Dictionary> bdo = record;
  const auto result = rules->GetInstance(bdo);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->GetAllMessages(), "found\r\n");
  EXPECT_NE(bdo, record);
  EXPECT_EQ(bdo->Item("FILENAME"), Variant("orders.csv"));
  EXPECT_EQ(bdo->Item("BISID"), Variant(12));
  EXPECT_EQ(rules->Insert(bdo), nullptr);
}

TEST(ComponentContracts, AnObjectWithoutTheInterfaceCannotServeAsOwner) {
  const ObjectPtr plain = ResultObject::Create();
  EXPECT_EQ(QueryInterface<IReferentialIntegrity>(plain), nullptr);
  EXPECT_EQ(QueryInterface<BusinessRules>(plain), nullptr);
}

}  // namespace
}  // namespace corvane
