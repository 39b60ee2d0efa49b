#include "app/startup_signals.h"

#include <gtest/gtest.h>

#include <csignal>

namespace vantel {
namespace {

int handled_elsewhere = 0;
extern "C" void CountSignal(int) {
  ++handled_elsewhere;
}

TEST(StartupSignals, TerminationIsNotedWhileItLivesAndTheOldHandlerComesBack) {
  auto* const before = std::signal(SIGTERM, CountSignal);
  {
    const StartupSignals signals;
    EXPECT_EQ(signals.Caught(), 0);
    std::raise(SIGTERM);
    EXPECT_EQ(signals.Caught(), SIGTERM);
    std::raise(SIGINT);
    EXPECT_EQ(signals.Caught(), SIGINT);
  }
  EXPECT_EQ(handled_elsewhere, 0);
  std::raise(SIGTERM);
  EXPECT_EQ(handled_elsewhere, 1);
  std::signal(SIGTERM, before);
  // A new guard starts without the earlier signal.
  const StartupSignals again;
  EXPECT_EQ(again.Caught(), 0);
  EXPECT_EQ(ExitStatusForSignal(SIGTERM), 143);
}

}  // namespace
}  // namespace vantel
