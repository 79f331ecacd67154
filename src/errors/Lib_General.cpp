#include "errors/Lib_General.h"

#include <corvane/ComponentRegistry.h>
#include <corvane/ObjectContext.h>

#include "errors/FailureHandler.h"
#include "errors/Lib_ErrorHandling.h"

namespace corvane {
namespace {

std::string CreationFailureInfo(const std::string& progId) {
  if (ObjectContext::Current()) {
    return "CreateInstance(" + progId +
           ") failed.\r\nNote: Objects having 'Instancing=PublicNotCreatable' may only be "
           "instantiated with 'New', not with Gen_GetComponent()";
  }
  return "CreateObject(" + progId + ") failed";
}

}  // namespace

ObjectPtr Gen_GetComponent(std::string sProgID) {
  return WithFailureHandler(
      [&] {
        auto context = ObjectContext::Current();
        return context ? context->CreateInstance(sProgID)
                       : ComponentRegistry::Instance().CreateObject(sProgID);
      },
      [&] { Err_RaiseError("Lib_General.Gen_GetComponent", Variant(CreationFailureInfo(sProgID))); });
}

}  // namespace corvane
