#include "platform/values/DateText.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace corvane::platform {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kSerialOfUnixEpoch = 25569;  // 1970-01-01

struct CivilDate {
  std::int64_t year;
  unsigned month;
  unsigned day;
};

// The proleptic Gregorian date of a count of days since 1970-01-01.
CivilDate CivilFromDays(std::int64_t days) noexcept {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
  const unsigned day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
  const unsigned month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
  const std::int64_t year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2);
  return {year, month, day};
}

std::string FormatDay(std::int64_t serialDay) {
  const CivilDate date = CivilFromDays(serialDay - kSerialOfUnixEpoch);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%u/%u/%lld", date.month, date.day,
                static_cast<long long>(date.year));
  return buffer;
}

std::string FormatTime(std::int64_t secondOfDay) {
  const auto hour = static_cast<int>(secondOfDay / 3600);
  const auto minute = static_cast<int>(secondOfDay / 60 % 60);
  const auto second = static_cast<int>(secondOfDay % 60);
  const int clockHour = hour % 12 == 0 ? 12 : hour % 12;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d %s", clockHour, minute, second,
                hour < 12 ? "AM" : "PM");
  return buffer;
}

}  // namespace

std::string FormatDate(double serial) {
  // The whole part counts days from 1899-12-30 either way; the fraction is
  // always the time forward from that day's midnight, even for negative serials.
  const double wholeDays = std::trunc(serial);
  auto serialDay = static_cast<std::int64_t>(wholeDays);
  auto secondOfDay = static_cast<std::int64_t>(
      std::round(std::fabs(serial - wholeDays) * static_cast<double>(kSecondsPerDay)));
  if (secondOfDay >= kSecondsPerDay) {  // rounded up to the next midnight
    secondOfDay -= kSecondsPerDay;
    serialDay += 1;
  }
  const bool hasTime = secondOfDay != 0;
  if (serialDay == 0) return FormatTime(secondOfDay);
  if (!hasTime) return FormatDay(serialDay);
  return FormatDay(serialDay) + " " + FormatTime(secondOfDay);
}

}  // namespace corvane::platform
