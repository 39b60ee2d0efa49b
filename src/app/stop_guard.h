#pragma once

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace vantel {

// How long the main thread has to end the program by itself once it is
// asked to stop, before the watchdog ends it.
inline constexpr std::chrono::milliseconds kStopGrace{1500};

// How the watchdog ends the program.
struct ForcedEnd {
  int status = 1;
  std::string message;               // "" when there is nothing to say
  std::filesystem::path run_folder;  // "" when there is none to delete
};
using ForcedEndFn = std::function<void(const ForcedEnd&)>;

// Deletes the run folder, writes "vantel: <message>" on stderr and leaves with
// _exit: whatever the main thread is stuck in is neither waited for nor run.
[[noreturn]] void EndProcessNow(const ForcedEnd& end);

// While it lives, SIGINT, SIGTERM and SIGHUP only note that they came, and so
// does a window destroyed by another program; the main thread looks at the
// notes where it can stop cleanly (between two files of the unpacking, before
// each frame). A watchdog thread makes sure the program ends all the same:
// at once while the main thread is not looking (the options dialog, a message
// box: there is nothing to keep), or after the grace period when the main
// thread promised to look but did not get back (stuck in a display driver).
// The former signal handlers come back when it goes. One at a time.
class StopGuard {
 public:
  explicit StopGuard(std::chrono::milliseconds grace = kStopGrace, ForcedEndFn end = EndProcessNow);
  StopGuard(const StopGuard&) = delete;
  StopGuard& operator=(const StopGuard&) = delete;
  ~StopGuard();

  // The signal that came last, or 0.
  int Caught() const;
  bool WindowLost() const { return window_lost_; }
  bool StopRequested() const { return Caught() != 0 || WindowLost(); }

  // The game's window is gone. Safe from any thread and from inside Xlib's
  // error handler (it only takes note and wakes the watchdog).
  void NoteWindowLost();
  // The connection to the display broke: the program ends at once the
  // watchdog's way, with a message, since nothing can be drawn or asked any
  // more. Called from Xlib's handler, on whichever thread met it.
  void EndForLostDisplay();

  // wake: how the watchdog wakes the main thread when a stop comes (called
  // on the watchdog's thread); setting one promises that the main thread
  // looks at the notes. Empty: the main thread is not looking.
  void SetWake(std::function<void()> wake);
  // The run folder an end by the watchdog deletes; "" when there is none.
  void SetRunFolder(std::filesystem::path folder);

  // The guard that lives now, or null (for Xlib's handlers, which take no
  // context).
  static StopGuard* Current();

 private:
  void WatchForStop();
  ForcedEnd Ending(bool overdue) const;

  std::chrono::milliseconds grace_;
  ForcedEndFn end_;
  std::atomic<bool> window_lost_{false};
  std::atomic<bool> leaving_{false};
  mutable std::mutex mutex_;  // guards wake_ and run_folder_
  std::function<void()> wake_;
  std::filesystem::path run_folder_;
  struct sigaction old_int_ {};
  struct sigaction old_term_ {};
  struct sigaction old_hup_ {};
  std::thread watchdog_;
};

// The exit status of a run ended by signal: 128 + its number, as shells report.
inline constexpr int ExitStatusForSignal(int signal) {
  return 128 + signal;
}

// The messages of the two ways the display can go from under the game.
std::string WindowLostMessage();
std::string DisplayLostMessage();

}  // namespace vantel
