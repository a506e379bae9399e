#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace host {

// Converts between property-list dates, seconds since 2001-01-01T00:00:00Z, and their XML form
// "YYYY-MM-DDTHH:MM:SSZ" (UTC, proleptic Gregorian calendar, years 1 to 9999). Day arithmetic is
// done in 64-bit integers so that no date in range can overflow.
class PlistDate {
 public:
  // Nothing, with the reason in *error, unless `text` is exactly a valid date of that form.
  static std::optional<double> parse(std::string_view text, std::string* error);
  // The date written with its seconds truncated toward the earlier time; nothing for NaN,
  // infinities and dates outside the years 1 to 9999.
  static std::optional<std::string> format(double secondsSinceReferenceDate);

 private:
  static std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day);
  static void civilFromDays(std::int64_t days, std::int64_t& year, unsigned& month, unsigned& day);
  static unsigned daysInMonth(std::int64_t year, unsigned month);
};

}  // namespace host
