// DateText: automation dates written as text (M/D/YYYY H:MM:SS AM/PM).
#pragma once

#include <string>

namespace corvane::platform {

// The date alone when the time is midnight, the time alone when the day is
// 1899-12-30 (serial 0 to 1), else both, separated by a space.
std::string FormatDate(double serial);

}  // namespace corvane::platform
