#include "app/startup_signals.h"

namespace vantel {

namespace {

volatile std::sig_atomic_t caughtSignal = 0;

extern "C" void NoteSignal(int signal) {
  caughtSignal = signal;
}

}  // namespace

StartupSignals::StartupSignals() {
  caughtSignal = 0;
  struct sigaction action {};
  action.sa_handler = NoteSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &oldInt_);
  sigaction(SIGTERM, &action, &oldTerm_);
}

StartupSignals::~StartupSignals() {
  sigaction(SIGINT, &oldInt_, nullptr);
  sigaction(SIGTERM, &oldTerm_, nullptr);
}

int StartupSignals::Caught() const {
  return caughtSignal;
}

}  // namespace vantel
