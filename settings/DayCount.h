#pragma once

// Dates as the store keeps them: a double counting days since 1899-12-30, the whole part the day
// and the fraction the time of day. For days before 1899-12-30 the fraction still counts forward
// from midnight (-1.25 is 1899-12-29 06:00).

#include <optional>

namespace tickwell {

// A day of the (proleptic Gregorian) calendar and a time of that day.
struct CivilDateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int msOfDay = 0; // milliseconds since midnight, 0 to 86,399,999
};

// The day count of a day and time; the day must be a real one of the years 1 to 9999.
double dayCountFromCivil(const CivilDateTime& when);

// The day and time of a day count, the time to the nearest millisecond; nothing for a count
// that is not a finite number or lies outside the years 1 to 9999.
std::optional<CivilDateTime> civilFromDayCount(double days);

} // namespace tickwell
