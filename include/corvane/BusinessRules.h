// BusinessRules: the common shape of a business component's insert, update,
// delete and fetch operations. Not creatable: the library's own methods are
// do-nothing defaults returning a null result. Thread rules are the
// implementation's.
//
// A business component derives from it and registers itself under its ProgID:
//   ComponentRegistry::Instance().Register("Sales.Orders",
//                                          [] { return std::make_shared<Orders>(); });
#pragma once

#include <corvane/Dictionary.h>
#include <corvane/Object.h>
#include <corvane/ResultObject.h>

#include <memory>

namespace corvane {

class BusinessRules : public virtual Object {
 public:
  ~BusinessRules() override = default;

  // Inserts the record that iBDO (keys and values) describes; the messages
  // and results of the operation. The library's own result is null.
  virtual std::shared_ptr<ResultObject> Insert(std::shared_ptr<Dictionary>& iBDO);
  // Updates the record that iBDO describes. The library's own result is null.
  virtual std::shared_ptr<ResultObject> Update(std::shared_ptr<Dictionary>& iBDO);
  // Deletes the record that iBDO describes. The library's own result is null.
  virtual std::shared_ptr<ResultObject> Delete(std::shared_ptr<Dictionary>& iBDO);
  // Fills iBDO, which holds the key "BISID", with the keys and values of the
  // record that key names, and hands it back through the parameter.
  // The library's own result is null and iBDO stays as it was.
  virtual std::shared_ptr<ResultObject> GetInstance(std::shared_ptr<Dictionary>& iBDO);

 protected:
  BusinessRules() = default;
};

}  // namespace corvane
