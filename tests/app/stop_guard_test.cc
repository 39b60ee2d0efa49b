#include "app/stop_guard.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace vantel {
namespace {

using std::chrono::hours;
using std::chrono::milliseconds;

int handled_elsewhere = 0;
extern "C" void CountSignal(int) {
  ++handled_elsewhere;
}

// Stands in for the watchdog's end of the process and keeps what it was given.
class EndRecorder {
 public:
  ForcedEndFn Fn() {
    return [this](const ForcedEnd& end) {
      const std::lock_guard lock(mutex_);
      end_ = end;
      changed_.notify_all();
    };
  }
  // The end, once the watchdog made it (waits up to a minute for it).
  std::optional<ForcedEnd> Wait() {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, std::chrono::minutes(1), [this] { return end_.has_value(); });
    return end_;
  }
  std::optional<ForcedEnd> Now() {
    const std::lock_guard lock(mutex_);
    return end_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<ForcedEnd> end_;
};

TEST(StopGuard, TerminationIsNotedWhileItLivesAndTheOldHandlerComesBack) {
  auto* const before = std::signal(SIGTERM, CountSignal);
  auto* const before_hup = std::signal(SIGHUP, CountSignal);
  EndRecorder recorder;
  {
    const StopGuard signals(hours(1), recorder.Fn());
    EXPECT_EQ(signals.Caught(), 0);
    EXPECT_FALSE(signals.StopRequested());
    std::raise(SIGTERM);
    EXPECT_EQ(signals.Caught(), SIGTERM);
    EXPECT_TRUE(signals.StopRequested());
    std::raise(SIGINT);
    EXPECT_EQ(signals.Caught(), SIGINT);
    std::raise(SIGHUP);
    EXPECT_EQ(signals.Caught(), SIGHUP);
    ASSERT_TRUE(recorder.Wait().has_value());
  }
  EXPECT_EQ(handled_elsewhere, 0);
  std::raise(SIGTERM);
  std::raise(SIGHUP);
  EXPECT_EQ(handled_elsewhere, 2);
  std::signal(SIGTERM, before);
  std::signal(SIGHUP, before_hup);
  // A new guard starts without the earlier signal.
  const StopGuard again(hours(1), recorder.Fn());
  EXPECT_EQ(again.Caught(), 0);
  EXPECT_EQ(ExitStatusForSignal(SIGTERM), 143);
}

TEST(StopGuard, SignalWhileNobodyLooksEndsAtOnceWithoutAWordAndTakesTheRunFolder) {
  EndRecorder recorder;
  StopGuard stop(hours(1), recorder.Fn());  // no grace to wait out
  stop.SetRunFolder("/nowhere/vantel-abcdef");
  std::raise(SIGTERM);
  const std::optional<ForcedEnd> end = recorder.Wait();
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->status, 143);
  EXPECT_EQ(end->message, "");
  EXPECT_EQ(end->run_folder, "/nowhere/vantel-abcdef");
}

TEST(StopGuard, LookingMainThreadIsWokenAndKeepsItsGraceUntilItLeaves) {
  EndRecorder recorder;
  std::mutex mutex;
  std::condition_variable woken_changed;
  int wakes = 0;
  {
    StopGuard stop(hours(1), recorder.Fn());
    stop.SetWake([&] {
      const std::lock_guard lock(mutex);
      ++wakes;
      woken_changed.notify_all();
    });
    std::raise(SIGINT);
    std::unique_lock lock(mutex);
    ASSERT_TRUE(woken_changed.wait_for(lock, std::chrono::minutes(1), [&] { return wakes > 0; }));
  }
  EXPECT_EQ(wakes, 1);
  EXPECT_FALSE(recorder.Now().has_value());  // it left in time: nothing forced
}

TEST(StopGuard, MainThreadThatDoesNotGetBackIsEndedWithTheSignalsStatusAndAMessage) {
  EndRecorder recorder;
  StopGuard stop(milliseconds(20), recorder.Fn());
  stop.SetWake([] {});
  stop.SetRunFolder("/nowhere/vantel-ghijkl");
  std::raise(SIGTERM);
  const std::optional<ForcedEnd> end = recorder.Wait();
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->status, 143);
  EXPECT_NE(end->message.find("SIGTERM"), std::string::npos) << end->message;
  EXPECT_NE(end->message.find("20 ms"), std::string::npos) << end->message;
  EXPECT_EQ(end->run_folder, "/nowhere/vantel-ghijkl");
}

TEST(StopGuard, LostWindowIsAFailureThatSaysWhy) {
  EndRecorder recorder;
  StopGuard stop(milliseconds(20), recorder.Fn());
  stop.SetWake([] {});
  stop.NoteWindowLost();
  stop.NoteWindowLost();  // the error and the notice both report it
  EXPECT_TRUE(stop.WindowLost());
  EXPECT_TRUE(stop.StopRequested());
  EXPECT_EQ(stop.Caught(), 0);
  const std::optional<ForcedEnd> end = recorder.Wait();
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->status, 1);
  EXPECT_EQ(end->message, WindowLostMessage());
}

TEST(StopGuard, LostDisplayEndsAtOnceWithTheRunFolder) {
  EndRecorder recorder;
  StopGuard stop(hours(1), recorder.Fn());
  EXPECT_EQ(StopGuard::Current(), &stop);
  stop.SetRunFolder("/nowhere/vantel-mnopqr");
  stop.EndForLostDisplay();
  const std::optional<ForcedEnd> end = recorder.Now();
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->status, 1);
  EXPECT_EQ(end->message, DisplayLostMessage());
  EXPECT_EQ(end->run_folder, "/nowhere/vantel-mnopqr");
}

TEST(StopGuardDeathTest, WatchdogEndsAStuckProgramAndDeletesItsRunFolder) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("vantel_stop_guard_" + std::to_string(getpid()));
  std::filesystem::create_directories(folder / "res" / "Sounds");
  EXPECT_EXIT(
      {
        StopGuard stop(milliseconds(50));
        stop.SetRunFolder(folder);
        stop.SetWake([] {});
        std::raise(SIGTERM);
        for (;;) std::this_thread::sleep_for(hours(1));  // the main thread never gets back
      },
      ::testing::ExitedWithCode(143), "vantel: the game did not answer SIGTERM within 50 ms");
  EXPECT_FALSE(std::filesystem::exists(folder));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace vantel
