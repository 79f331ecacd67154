#include <corvane/Configuration.h>
#include <corvane/Error.h>
#include <corvane/Log.h>
#include <corvane/ObjectContext.h>
#include <corvane/RuntimeErrors.h>

#include "diagnostics/EventEntry.h"
#include "errors/Lib_General.h"
#include "errors/PendingError.h"
#include "platform/eventlog/EventLogSink.h"

namespace corvane {
namespace {

constexpr const char* kConfigurationProgId = "Corvane.Configuration";

std::shared_ptr<Configuration> CreateConfiguration() {
  auto configuration = QueryInterface<Configuration>(Gen_GetComponent(kConfigurationProgId));
  if (!configuration) throw Error::Runtime(rtTypeMismatch);
  return configuration;
}

}  // namespace

std::shared_ptr<Log> Log::Create() { return std::shared_ptr<Log>(new Log()); }

Log::~Log() { ObjectControl_Deactivate(); }

void Log::Enable(bool i_bEnable) {
  auto configuration = CreateConfiguration();
  configuration->LoadSiteConfig();
  configuration->SetValue("GLOBAL", "Logging",
                          Variant(static_cast<std::int16_t>(i_bEnable ? 1 : 0)));
}

Variant Log::WriteEvent(const std::string& i_sSource, const std::string& i_sEventMsg,
                        std::int32_t i_nType) {
  p_ReadLogSwitch();
  p_ReportEvent(i_sSource, i_sEventMsg, i_nType);
  PendingError::Clear();
  return Variant();
}

Variant Log::WriteEventAlways(const std::string& i_sSource, const std::string& i_sEventMsg,
                              std::int32_t i_nType) {
  m_nLogState = LogState::On;
  p_ReportEvent(i_sSource, i_sEventMsg, i_nType);
  PendingError::Clear();
  return Variant();
}

std::shared_ptr<Collection> Log::GetEvents() {
  throw Error(rtNotImplemented, "Corvane.Log", "GetEvents is not yet implemented");
}

void Log::ObjectControl_Activate() {
  m_hEventSource = platform::EventLogSink::Default()->RegisterEventSource(kEventSourceName);
}

void Log::ObjectControl_Deactivate() {
  if (m_hEventSource == 0) return;
  platform::EventLogSink::Default()->DeregisterEventSource(m_hEventSource);
  m_hEventSource = 0;
}

void Log::p_ReadLogSwitch() {
  m_nLogState = LogState::On;
  if (!ObjectContext::Current()) return;
  try {
    auto configuration = CreateConfiguration();
    configuration->LoadSiteConfig();
    const Variant value = configuration->GetValue("GLOBAL", "Logging");
    if (value.ToInt16() != 1) m_nLogState = LogState::Off;
  } catch (...) {
    // A switch that cannot be read counts as on.
    m_nLogState = LogState::On;
  }
}

void Log::p_ReportEvent(const std::string& i_sSource, const std::string& i_sEventMsg,
                        std::int32_t i_nType) {
  if (m_hEventSource == 0 || m_nLogState != LogState::On) return;
  try {
    platform::EventLogSink::Default()->ReportEvent(
        m_hEventSource, EventLogTypeFor(i_nType), 0, 0,
        {EventEntryText(i_sSource, i_sEventMsg)});
  } catch (...) {
    // The result of a report is not checked.
  }
}

}  // namespace corvane
