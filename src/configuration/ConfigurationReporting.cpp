#include <corvane/Configuration.h>

#include "configuration/ConfigurationHandler.h"
#include "configuration/Lib_Registry.h"
#include "errors/Lib_ErrorHandling.h"
#include "platform/Text.h"

namespace corvane {

// Logs whatever the logging switch says, and does not guard the logging
// step: a failure there reaches the caller in place of the captured error.
void Configuration::p_RaiseError(const std::string& sMethod, const Variant& vInfo) {
  Err_SetLogAlways(true);
  const ErrorInfo captured = Err_CaptureError(sMethod, vInfo);
  Err_LogEvent(etError, sMethod, vInfo);
  Err_Raise(captured);
}

void Configuration::p_TraceEvent(const std::string& sMethod, const Variant& vInfo) {
  if (m_sLoggingFilter.empty()) {
    m_sLoggingFilter = Reg_GetValue("Authorization Filter", "Logging");
  }
  if (!platform::EqualsNoCase(m_sLoggingFilter, "1")) return;
  Err_SetLogAlways(true);
  Err_LogEvent(etInformation, sMethod, vInfo);
}

}  // namespace corvane
