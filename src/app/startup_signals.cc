#include "app/startup_signals.h"

namespace vantel {

namespace {

volatile std::sig_atomic_t caught_signal = 0;

extern "C" void NoteSignal(int signal) {
  caught_signal = signal;
}

}  // namespace

StartupSignals::StartupSignals() {
  caught_signal = 0;
  struct sigaction action {};
  action.sa_handler = NoteSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &old_int_);
  sigaction(SIGTERM, &action, &old_term_);
}

StartupSignals::~StartupSignals() {
  sigaction(SIGINT, &old_int_, nullptr);
  sigaction(SIGTERM, &old_term_, nullptr);
}

int StartupSignals::Caught() const {
  return caught_signal;
}

}  // namespace vantel
