// Log ("Corvane.Log"): writes entries to the event log under the source
// "Pandrel Velmoor". WriteEvent writes only while the site store's
// GLOBAL/Logging switch is on (or cannot be read); WriteEventAlways writes
// regardless. Each object is used by one thread; the error routines create
// a new one for every entry.
#pragma once

#include <corvane/Collection.h>
#include <corvane/EventTypes.h>
#include <corvane/Object.h>
#include <corvane/ObjectControl.h>
#include <corvane/Variant.h>

#include <cstdint>
#include <memory>
#include <string>

namespace corvane {

class Log : public Object, public ObjectControl {
 public:
  static std::shared_ptr<Log> Create();
  ~Log() override;

  // Stores the switch in the site store: 1 for true, 0 for false.
  // Failures (no context, no site store) reach the caller unchanged.
  void Enable(bool i_bEnable);
  // Reads the switch anew, then writes the entry when it is on. Never fails.
  Variant WriteEvent(const std::string& i_sSource, const std::string& i_sEventMsg,
                     std::int32_t i_nType);
  // Writes the entry whatever the switch says. Never fails.
  Variant WriteEventAlways(const std::string& i_sSource, const std::string& i_sEventMsg,
                           std::int32_t i_nType);
  // Always fails with -2147467263, "GetEvents is not yet implemented".
  std::shared_ptr<Collection> GetEvents();

  // Registers the event source; deactivation releases it.
  void ObjectControl_Activate() override;
  bool ObjectControl_CanBePooled() override { return false; }
  void ObjectControl_Deactivate() override;

 private:
  enum class LogState { Unknown, On, Off };

  Log() = default;
  void p_ReadLogSwitch();
  void p_ReportEvent(const std::string& i_sSource, const std::string& i_sEventMsg,
                     std::int32_t i_nType);

  std::uintptr_t m_hEventSource = 0;
  LogState m_nLogState = LogState::Unknown;
};

}  // namespace corvane
