#include "app/time_of_day_seed.h"

#include <ctime>

namespace vantel {

uint32_t SeedFromTimeOfDay(std::chrono::system_clock::time_point now) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  const long since_midnight = (local.tm_hour * 3600L + local.tm_min * 60L + local.tm_sec) * 1000L;
  return static_cast<uint32_t>(since_midnight + (ms < 0 ? ms + 1000 : ms));
}

}  // namespace vantel
