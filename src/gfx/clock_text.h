#pragma once

#include <functional>
#include <string>

namespace vantel {

struct LocalTime {
  int hour = 0;  // 0..23
  int minute = 0;
};

// Where the table's clock takes the time of day from; tests fix it.
using LocalTimeSource = std::function<LocalTime()>;

LocalTime SystemLocalTime();

// "hh:mm AM" on the 12-hour clock: 21:05 is "09:05 PM", midnight "12:00 AM".
std::string ClockText(const LocalTime& t);

}  // namespace vantel
