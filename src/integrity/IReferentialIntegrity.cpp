#include <corvane/IReferentialIntegrity.h>

namespace corvane {

bool IReferentialIntegrity::Exists(std::string& /*iOrigin*/, Variant& /*iKeys*/,
                                   Variant& /*iValues*/) {
  return false;
}

bool IReferentialIntegrity::BeforeDelete(std::string& /*iOrigin*/, Variant& /*iKeys*/,
                                         Variant& /*iValues*/) {
  return false;
}

}  // namespace corvane
