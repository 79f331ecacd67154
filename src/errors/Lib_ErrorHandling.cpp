#include "errors/Lib_ErrorHandling.h"

#include <corvane/Error.h>
#include <corvane/Log.h>
#include <corvane/RuntimeErrors.h>

#include <cstdio>

#include "errors/Lib_General.h"
#include "errors/PendingError.h"

namespace corvane {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr const char* kLogProgId = "Corvane.Log";

thread_local bool tLogAlways = false;
thread_local bool tLogging = false;

// Marks a logging step as running on this thread.
class LoggingStep {
 public:
  LoggingStep() noexcept : nested_(tLogging) { tLogging = true; }
  ~LoggingStep() {
    if (!nested_) tLogging = false;
  }
  bool Nested() const noexcept { return nested_; }

 private:
  bool nested_;
};

std::string HexNumber(std::int32_t number) {
  char digits[9];
  std::snprintf(digits, sizeof digits, "%X", static_cast<unsigned>(static_cast<std::uint32_t>(number)));
  return digits;
}

void WriteThroughLog(Log& log, const std::string& source, const std::string& message,
                     std::int32_t type) {
  if (tLogAlways) {
    log.WriteEventAlways(source, message, type);
  } else {
    log.WriteEvent(source, message, type);
  }
}

std::shared_ptr<Log> CreateLog() {
  auto log = QueryInterface<Log>(Gen_GetComponent(kLogProgId));
  if (!log) throw Error::Runtime(rtTypeMismatch);
  return log;
}

}  // namespace

std::string Err_InfoText(const Variant& vInfo) {
  if (vInfo.IsNull()) return {};
  try {
    return vInfo.ToString();
  } catch (const Error&) {
    return std::string(TypeName(vInfo.Type()));
  }
}

std::string Err_FormatMessage(std::string_view sDescription, std::int32_t nNumber,
                              std::string_view sMethod, const Variant& vInfo) {
  std::string message;
  message.reserve(sDescription.size() + sMethod.size() + 48);
  message.append(kCrLf).append("ERROR 0x").append(HexNumber(nNumber));
  message.append(kCrLf).append(" METHOD: ").append(sMethod);
  message.append(kCrLf).append(" DESC: ").append(sDescription).append(".");
  message.append(kCrLf);
  if (!vInfo.IsMissing()) {
    message.append(" INFO: ").append(Err_InfoText(vInfo)).append(".").append(kCrLf);
  }
  return message;
}

ErrorInfo Err_CaptureError(const std::string& sMethod, const Variant& vInfo) {
  const ErrorInfo& pending = PendingError::Get();
  return ErrorInfo{pending.Number, pending.Source,
                   Err_FormatMessage(pending.Description, pending.Number, sMethod, vInfo),
                   pending.HelpFile, pending.HelpContext};
}

void Err_RaiseError(const std::string& sMethod, const Variant& vInfo) {
  tLogAlways = false;
  ErrorInfo captured = Err_CaptureError(sMethod, vInfo);
  if (captured.Number == 0) return;

  // Logging sees the formatted record as the pending error, so the event
  // carries the layout applied to the already formatted text.
  {
    PendingErrorScope pending(captured);
    try {
      Err_LogError(sMethod, vInfo);
    } catch (...) {
      // Logging never changes what the caller receives.
    }
  }
  Err_Raise(captured);
}

void Err_LogError(const std::string& sMethod, const Variant& vInfo) {
  tLogAlways = false;
  Err_LogEvent(etError, sMethod, vInfo);
}

void Err_LogEvent(EventTypes nType, const std::string& sMethod, const Variant& vInfo) {
  LoggingStep step;
  if (step.Nested()) return;

  const ErrorInfo pending = PendingError::Get();
  if (pending.Number != 0) {
    const std::string message =
        Err_FormatMessage(pending.Description, pending.Number, sMethod, vInfo);
    auto log = CreateLog();
    WriteThroughLog(*log, pending.Source, message, nType);
    return;
  }

  const std::string message = Err_FormatMessage("Not an actual error", 0, sMethod, vInfo);
  std::shared_ptr<Log> log;
  try {
    log = CreateLog();
  } catch (...) {
    return;
  }
  WriteThroughLog(*log, sMethod, message, etwarning);
}

bool Err_GetLogAlways() noexcept { return tLogAlways; }

void Err_SetLogAlways(bool logAlways) noexcept { tLogAlways = logAlways; }

void Err_Raise(const ErrorInfo& error) { throw Error(error); }

}  // namespace corvane
