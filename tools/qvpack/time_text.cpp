#include "time_text.h"

#include <cstdint>
#include <cstdio>

namespace qvpack {

std::string formatFileTime(const qv::FileTime& time) {
  uint64_t v = time.value();
  if (v == 0) return "-";
  uint64_t seconds = v / 10000000ULL;
  int64_t days = int64_t(seconds / 86400);
  unsigned secondOfDay = unsigned(seconds % 86400);
  // Days since 1601-01-01 to a civil date: shift to days since 0000-03-01, then
  // count 400-year eras (146097 days each).
  int64_t z = days + 584694;  // 1601-01-01 is day 584694 after 0000-03-01
  int64_t era = z / 146097;
  int64_t dayOfEra = z - era * 146097;
  int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  int64_t mp = (5 * dayOfYear + 2) / 153;
  int day = int(dayOfYear - (153 * mp + 2) / 5 + 1);
  int month = int(mp < 10 ? mp + 3 : mp - 9);
  int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  char text[40];
  std::snprintf(text, sizeof(text), "%04lld-%02d-%02d %02u:%02u:%02u", (long long)year, month, day,
                secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
  return text;
}

namespace {

// Days from 1970-01-01 to a civil date (the inverse of the conversion above).
int64_t daysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  int64_t era = (year >= 0 ? year : year - 399) / 400;
  int64_t yearOfEra = year - era * 400;
  int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

// Digits from text[at] on, exactly `count` of them.
bool readDigits(const std::string& text, size_t at, size_t count, int64_t& value) {
  if (at + count > text.size()) return false;
  value = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

}  // namespace

bool parseFixedTime(const std::string& text, qv::FileTime& time) {
  // 9999-12-31T23:59:59Z, the last second a listing shows with four digits.
  constexpr int64_t kLastSecond = 253402300799;
  int64_t seconds = 0;
  if (!text.empty() && text.size() <= 12 && readDigits(text, 0, text.size(), seconds)) {
    // seconds since 1970
  } else {
    int64_t year, month, day, hour, minute, second;
    if (text.size() != 20 || !readDigits(text, 0, 4, year) || text[4] != '-' || !readDigits(text, 5, 2, month) ||
        text[7] != '-' || !readDigits(text, 8, 2, day) || text[10] != 'T' || !readDigits(text, 11, 2, hour) ||
        text[13] != ':' || !readDigits(text, 14, 2, minute) || text[16] != ':' || !readDigits(text, 17, 2, second) ||
        text[19] != 'Z')
      return false;
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (year < 1970 || month < 1 || month > 12 || day < 1 || day > kDays[month - 1] ||
        (month == 2 && day == 29 && !leap) || hour > 23 || minute > 59 || second > 59)
      return false;
    seconds = daysFromCivil(year, int(month), int(day)) * 86400 + hour * 3600 + minute * 60 + second;
  }
  if (seconds > kLastSecond) return false;
  // FILETIME counts 100-nanosecond steps from 1601-01-01.
  time = qv::FileTime::fromValue((uint64_t(seconds) + 11644473600ULL) * 10000000ULL);
  return true;
}

}  // namespace qvpack
