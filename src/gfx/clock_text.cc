#include "gfx/clock_text.h"

#include <cstdio>
#include <ctime>

namespace vantel {

LocalTime SystemLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return LocalTime{local.tm_hour, local.tm_min};
}

std::string ClockText(const LocalTime& t) {
  const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d %s", hour12 % 100, t.minute % 100,
                t.hour < 12 ? "AM" : "PM");
  return text;
}

}  // namespace vantel
