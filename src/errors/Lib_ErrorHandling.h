// The one way failures are captured, logged and raised again: the message
// layout, the capture of the pending error, the raise routine and the
// logging step. State: the log-always flag, once per thread.
#pragma once

#include <corvane/ErrorInfo.h>
#include <corvane/EventTypes.h>
#include <corvane/Variant.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// The fixed multi-line layout: CRLF "ERROR 0x<hex>" CRLF " METHOD: " method
// CRLF " DESC: " description "." CRLF, then " INFO: " info "." CRLF when
// vInfo is not missing.
std::string Err_FormatMessage(std::string_view sDescription, std::int32_t nNumber,
                              std::string_view sMethod, const Variant& vInfo);

// The pending error with its description laid out by Err_FormatMessage.
ErrorInfo Err_CaptureError(const std::string& sMethod, const Variant& vInfo);

// The raise routine: with an error pending, logs it (whatever goes wrong
// while logging is dropped) and raises it again with the formatted
// description; with none pending, returns and does nothing.
void Err_RaiseError(const std::string& sMethod, const Variant& vInfo = Variant::Missing());

// Logs the pending error as an error event through the switchable writer.
void Err_LogError(const std::string& sMethod, const Variant& vInfo);

// The logging step: writes the pending error (or, with none pending, a
// "Not an actual error" warning) through "Corvane.Log". A logging step that
// starts while another runs on the same thread is skipped, which ends the
// recursion through the log writer's own component creation.
void Err_LogEvent(EventTypes nType, const std::string& sMethod, const Variant& vInfo);

// The per-thread flag: true writes whatever the logging switch says.
bool Err_GetLogAlways() noexcept;
void Err_SetLogAlways(bool logAlways) noexcept;

// Raises the record as an Error with all five fields.
[[noreturn]] void Err_Raise(const ErrorInfo& error);

// The text of an information value for the layout; a value without a text
// form gives its type name rather than a second failure.
std::string Err_InfoText(const Variant& vInfo);

}  // namespace corvane
