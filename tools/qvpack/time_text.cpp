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

}  // namespace qvpack
