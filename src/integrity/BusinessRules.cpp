#include <corvane/BusinessRules.h>

namespace corvane {

std::shared_ptr<ResultObject> BusinessRules::Insert(std::shared_ptr<Dictionary>& /*iBDO*/) {
  return nullptr;
}

std::shared_ptr<ResultObject> BusinessRules::Update(std::shared_ptr<Dictionary>& /*iBDO*/) {
  return nullptr;
}

std::shared_ptr<ResultObject> BusinessRules::Delete(std::shared_ptr<Dictionary>& /*iBDO*/) {
  return nullptr;
}

std::shared_ptr<ResultObject> BusinessRules::GetInstance(std::shared_ptr<Dictionary>& /*iBDO*/) {
  return nullptr;
}

}  // namespace corvane
