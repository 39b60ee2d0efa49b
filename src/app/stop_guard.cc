#include "app/stop_guard.h"

#include <semaphore.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <system_error>

#include "app/shut_down.h"
#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {

namespace {

static_assert(std::atomic<int>::is_always_lock_free, "the signal handler stores an atomic int");

// What the signal handler touches: a lock-free int and a semaphore, whose
// sem_post is one of the few calls a handler may make.
std::atomic<int> caught_signal{0};
sem_t stop_posted;
std::atomic<StopGuard*> current_guard{nullptr};

extern "C" void NoteStopSignal(int signal) {
  const int saved_errno = errno;
  caught_signal = signal;
  sem_post(&stop_posted);
  errno = saved_errno;
}

// Waits for a post; with a deadline (CLOCK_MONOTONIC), false once it passed.
bool WaitPosted(const timespec* deadline) {
  for (;;) {
    const int rc = deadline == nullptr ? sem_wait(&stop_posted)
                                       : sem_clockwait(&stop_posted, CLOCK_MONOTONIC, deadline);
    if (rc == 0) return true;
    if (errno != EINTR) return false;
  }
}

timespec MonotonicAfter(std::chrono::milliseconds delay) {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  const auto ns = std::chrono::nanoseconds(delay).count() + t.tv_nsec;
  t.tv_sec += static_cast<time_t>(ns / 1'000'000'000);
  t.tv_nsec = static_cast<long>(ns % 1'000'000'000);
  return t;
}

std::string SignalName(int signal) {
  const char* abbreviation = sigabbrev_np(signal);
  return abbreviation != nullptr ? std::string("SIG") + abbreviation : std::to_string(signal);
}

void WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

}  // namespace

void EndProcessNow(const ForcedEnd& end) {
  if (!end.run_folder.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(end.run_folder, ignored);
  }
  // write(2), not stdio: the stuck main thread may hold stderr's lock.
  if (!end.message.empty()) WriteAll(STDERR_FILENO, "vantel: " + end.message + "\n");
  _exit(end.status);
}

std::string WindowLostMessage() {
  return _("the game's window was destroyed by another program; the game ends.");
}

std::string DisplayLostMessage() {
  return _("the connection to the display was lost; the game ends.");
}

StopGuard::StopGuard(std::chrono::milliseconds grace, ForcedEndFn end)
    : grace_(grace), end_(std::move(end)) {
  caught_signal = 0;
  sem_init(&stop_posted, 0, 0);
  current_guard = this;
  watchdog_ = std::thread([this] { WatchForStop(); });
  struct sigaction action {};
  action.sa_handler = NoteStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, &old_int_);
  sigaction(SIGTERM, &action, &old_term_);
  sigaction(SIGHUP, &action, &old_hup_);
}

StopGuard::~StopGuard() {
  sigaction(SIGINT, &old_int_, nullptr);
  sigaction(SIGTERM, &old_term_, nullptr);
  sigaction(SIGHUP, &old_hup_, nullptr);
  leaving_ = true;
  sem_post(&stop_posted);
  watchdog_.join();
  current_guard = nullptr;
  sem_destroy(&stop_posted);
}

int StopGuard::Caught() const {
  return caught_signal;
}

StopGuard* StopGuard::Current() {
  return current_guard;
}

void StopGuard::NoteWindowLost() {
  if (!window_lost_.exchange(true)) sem_post(&stop_posted);
}

void StopGuard::EndForLostDisplay() {
  ForcedEnd end{kExitFailure, DisplayLostMessage(), {}};
  {
    const std::lock_guard lock(mutex_);
    end.run_folder = run_folder_;
  }
  end_(end);
}

void StopGuard::SetWake(std::function<void()> wake) {
  const std::lock_guard lock(mutex_);
  wake_ = std::move(wake);
}

void StopGuard::SetRunFolder(std::filesystem::path folder) {
  const std::lock_guard lock(mutex_);
  run_folder_ = std::move(folder);
}

ForcedEnd StopGuard::Ending(bool overdue) const {
  ForcedEnd end;
  const int signal = Caught();
  if (signal != 0) {
    end.status = ExitStatusForSignal(signal);
    // Cut short where nobody was looking is what the signal asks for; only a
    // main thread that did not keep its promise is worth a word.
    if (overdue) {
      end.message = Format(_("the game did not answer %s within %lld ms and was stopped."),
                           SignalName(signal).c_str(), static_cast<long long>(grace_.count()));
    }
  } else {
    end.status = kExitFailure;
    end.message = WindowLostMessage();
  }
  const std::lock_guard lock(mutex_);
  end.run_folder = run_folder_;
  return end;
}

void StopGuard::WatchForStop() {
  if (!WaitPosted(nullptr) || leaving_) return;
  bool looking = false;
  {
    const std::lock_guard lock(mutex_);
    looking = static_cast<bool>(wake_);
    if (looking) wake_();
  }
  if (!looking) {
    end_(Ending(false));
    return;
  }
  // Further posts (a second signal) do not move the deadline.
  const timespec deadline = MonotonicAfter(grace_);
  while (!leaving_) {
    if (!WaitPosted(&deadline)) {
      end_(Ending(true));
      return;
    }
  }
}

}  // namespace vantel
