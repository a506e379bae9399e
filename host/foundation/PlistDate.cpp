#include "foundation/PlistDate.h"

#include <cmath>

namespace host {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Reads `count` decimal digits at `position`; nothing if any of them is not a digit.
std::optional<unsigned> digits(std::string_view text, std::size_t position, std::size_t count) {
  unsigned value = 0;
  for (std::size_t i = position; i < position + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
  }
  return value;
}

void appendDigits(std::string& out, std::int64_t value, int count) {
  char buffer[8];
  for (int i = count - 1; i >= 0; --i) {
    buffer[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  out.append(buffer, static_cast<std::size_t>(count));
}

}  // namespace

// Howard Hinnant's days_from_civil: days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t PlistDate::daysFromCivil(std::int64_t year, unsigned month, unsigned day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const auto yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

void PlistDate::civilFromDays(std::int64_t days, std::int64_t& year, unsigned& month,
                              unsigned& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
  month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
  year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
}

unsigned PlistDate::daysInMonth(std::int64_t year, unsigned month) {
  static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

std::optional<double> PlistDate::parse(std::string_view text, std::string* error) {
  auto refuse = [&](const char* why) -> std::optional<double> {
    if (error) *error = why;
    return std::nullopt;
  };
  // YYYY-MM-DDTHH:MM:SSZ
  // 0    5  8  11 14 17 19
  if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
      text[16] != ':' || text[19] != 'Z') {
    return refuse("not of the form YYYY-MM-DDTHH:MM:SSZ");
  }
  const auto year = digits(text, 0, 4);
  const auto month = digits(text, 5, 2);
  const auto day = digits(text, 8, 2);
  const auto hour = digits(text, 11, 2);
  const auto minute = digits(text, 14, 2);
  const auto second = digits(text, 17, 2);
  if (!year || !month || !day || !hour || !minute || !second) {
    return refuse("not of the form YYYY-MM-DDTHH:MM:SSZ");
  }
  if (*year < 1) return refuse("year 0000 is outside the years 1 to 9999");
  if (*month < 1 || *month > 12) return refuse("month out of range");
  if (*day < 1 || *day > daysInMonth(*year, *month)) return refuse("day out of range");
  if (*hour > 23 || *minute > 59 || *second > 59) return refuse("time of day out of range");
  const std::int64_t days = daysFromCivil(*year, *month, *day) - daysFromCivil(2001, 1, 1);
  const std::int64_t seconds =
      days * kSecondsPerDay + std::int64_t{*hour} * 3600 + std::int64_t{*minute} * 60 + *second;
  return static_cast<double>(seconds);
}

std::optional<std::string> PlistDate::format(double secondsSinceReferenceDate) {
  if (!std::isfinite(secondsSinceReferenceDate)) return std::nullopt;
  const std::int64_t reference = daysFromCivil(2001, 1, 1);
  const std::int64_t earliest = (daysFromCivil(1, 1, 1) - reference) * kSecondsPerDay;
  const std::int64_t latest = (daysFromCivil(10000, 1, 1) - reference) * kSecondsPerDay - 1;
  const double whole = std::floor(secondsSinceReferenceDate);
  // Both bounds are far inside the range where doubles hold integers exactly.
  if (whole < static_cast<double>(earliest) || whole > static_cast<double>(latest)) {
    return std::nullopt;
  }
  const auto seconds = static_cast<std::int64_t>(whole);
  std::int64_t days = seconds / kSecondsPerDay;
  std::int64_t secondOfDay = seconds % kSecondsPerDay;
  if (secondOfDay < 0) {
    secondOfDay += kSecondsPerDay;
    --days;
  }
  std::int64_t year;
  unsigned month, day;
  civilFromDays(days + reference, year, month, day);
  std::string out;
  out.reserve(20);
  appendDigits(out, year, 4);
  out.push_back('-');
  appendDigits(out, month, 2);
  out.push_back('-');
  appendDigits(out, day, 2);
  out.push_back('T');
  appendDigits(out, secondOfDay / 3600, 2);
  out.push_back(':');
  appendDigits(out, secondOfDay / 60 % 60, 2);
  out.push_back(':');
  appendDigits(out, secondOfDay % 60, 2);
  out.push_back('Z');
  return out;
}

}  // namespace host
