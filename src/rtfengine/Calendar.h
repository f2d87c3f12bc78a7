// Date arithmetic of the proleptic Gregorian calendar, for the data layer's serial dates,
// the day names of format patterns and the mail's date line.
#pragma once

#include "rtfengine/Dataset.h"

#include <cstdint>

namespace rtfengine {

struct CivilDate {
    std::int64_t year;
    int month; // 1 to 12
    int day;   // 1 to 31
};

// Days from 1970-01-01 to the given date (negative before it).
long long daysFromCivil(long long year, int month, int day);
// The date `days` after 1970-01-01.
CivilDate civilFromDays(std::int64_t days);
// Whether the date exists; there is no year 0.
bool isValidDate(int year, int month, int day);
// 0 for Sunday to 6 for Saturday; 0 for a month outside 1 to 12.
int dayOfWeek(int year, int month, int day);
// Days since 1899-12-30 plus the fraction of the day, the serial form of dates.
double serialFromDateTime(const DateTime& value);

} // namespace rtfengine
