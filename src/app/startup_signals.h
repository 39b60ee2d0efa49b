#pragma once

#include <csignal>

namespace vantel {

// While it lives, SIGINT and SIGTERM only note that they came, so that the
// unpacking can stop at the next file and take back what it wrote instead of
// leaving a half-made tree. The former handlers come back when it goes (the
// display library installs its own, which end the game normally).
class StartupSignals {
 public:
  StartupSignals();
  StartupSignals(const StartupSignals&) = delete;
  StartupSignals& operator=(const StartupSignals&) = delete;
  ~StartupSignals();

  // The signal that came, or 0.
  int Caught() const;

 private:
  struct sigaction old_int_ {};
  struct sigaction old_term_ {};
};

// The exit status of a run ended by signal: 128 + its number, as shells report.
inline constexpr int ExitStatusForSignal(int signal) {
  return 128 + signal;
}

}  // namespace vantel
