// IReferentialIntegrity: the interface that every component owning data that
// the referential checker asks about implements. Not creatable: the library's
// own methods are do-nothing defaults. Thread rules are the implementation's.
//
// An owning component implements it and registers itself under its ProgID:
//   class Products : public IReferentialIntegrity {
//    public:
//     bool Exists(std::string& iOrigin, Variant& iKeys, Variant& iValues) override;
//   };
//   ComponentRegistry::Instance().Register("Catalog.Products",
//                                          [] { return std::make_shared<Products>(); });
// The checker creates it by that ProgID and calls it through this interface,
// so the object itself must derive from IReferentialIntegrity.
#pragma once

#include <corvane/Object.h>
#include <corvane/Variant.h>

#include <string>

namespace corvane {

class IReferentialIntegrity : public virtual Object {
 public:
  ~IReferentialIntegrity() override = default;

  // Insert and update side: whether this owner holds the row that iKeys (one
  // or two key names) and iValues (their values, possibly Null) refer to;
  // iOrigin is the table the caller is about to write. Delete side: whether
  // this owner holds a row that refers to the row of table iOrigin described
  // by iKeys and iValues; true blocks the delete. All three are in and out:
  // what an implementation writes into them reaches the caller.
  // The library's own answer is false.
  virtual bool Exists(std::string& iOrigin, Variant& iKeys, Variant& iValues);
  // Deals with this owner's rows that depend on the row of iOrigin about to
  // be deleted (the cascade); true when it has done so.
  // The library's own answer is false.
  virtual bool BeforeDelete(std::string& iOrigin, Variant& iKeys, Variant& iValues);

 protected:
  IReferentialIntegrity() = default;
};

}  // namespace corvane
