#pragma once

namespace tickwell {

class UpDown;

// Shows a stored period of `seconds` in the three spin fields of a period: whole hours first;
// the minutes of what is left after the hours the hours field now holds; the seconds of what is
// left after the minutes the minutes field now holds. A field keeps its value within its range,
// so a period longer than the fields can show ends as full as they get.
void showPeriod(int seconds, UpDown& hours, UpDown& minutes, UpDown& secondsField);

// The period in seconds that the three spin fields of a period give.
int periodSeconds(const UpDown& hours, const UpDown& minutes, const UpDown& secondsField);

// The longest period a reminder, the task reminders or the slideshow may have: a day.
inline constexpr int longestPeriodSeconds = 24 * 3600;

} // namespace tickwell
