#include <corvane/IObjectControl.h>

namespace corvane {

void IObjectControl::Activate() {}

void IObjectControl::Deactivate() {}

}  // namespace corvane
