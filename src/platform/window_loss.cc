#include "platform/window_loss.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <atomic>

#if defined(VANTEL_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)
#define VANTEL_WATCH_X11 1
#endif

namespace vantel {
namespace {

#ifdef VANTEL_WATCH_X11

// Xlib's handlers are per process, so is what they look at. The window and
// the callback are set before the handler goes in and cleared after it left.
struct WatchState {
  Window window = 0;
  WindowLossWatch::LostFn on_lost = nullptr;
  void* context = nullptr;
  std::atomic<bool> lost{false};
  XErrorHandler former = nullptr;
  bool installed = false;
  Uint8 former_syswm_state = SDL_DISABLE;
};
WatchState watch;

void MarkLost() {
  if (!watch.lost.exchange(true) && watch.on_lost != nullptr) watch.on_lost(watch.context);
}

// A request about a window that no longer exists fails with BadWindow (or
// BadDrawable for drawing); Mesa's software GL meets it in the first
// presentation after the window went and carries on with whatever size it
// had on its stack, so the error is the earliest sign there is.
int NoteWindowError(Display* display, XErrorEvent* error) {
  const bool gone = error->error_code == BadWindow || error->error_code == BadDrawable;
  if (gone && watch.window != 0 && error->resourceid == watch.window) {
    MarkLost();
    return 0;
  }
  return watch.former != nullptr ? watch.former(display, error) : 0;
}

int WatchDestroyNotify(void* /*unused*/, SDL_Event* event) {
  if (event->type != SDL_SYSWMEVENT || event->syswm.msg == nullptr) return 1;
  const SDL_SysWMmsg& msg = *event->syswm.msg;
  if (msg.subsystem == SDL_SYSWM_X11 && msg.msg.x11.event.type == DestroyNotify &&
      msg.msg.x11.event.xdestroywindow.window == watch.window) {
    MarkLost();
  }
  return 1;
}

void (*display_lost)() = nullptr;
XIOErrorHandler former_io_handler = nullptr;
bool io_installed = false;

int DisplayLost(Display* /*display*/) {
  if (display_lost != nullptr) display_lost();
  return 0;  // Xlib ends the process itself once this returns
}

#endif  // VANTEL_WATCH_X11

}  // namespace

WindowLossWatch::~WindowLossWatch() {
  Stop();
}

void WindowLossWatch::Watch(SDL_Window* window, LostFn on_lost, void* context) {
  Stop();
  lost_when_stopped_ = false;
#ifdef VANTEL_WATCH_X11
  if (watch.installed) return;  // another window is watched
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
    return;
  watch.window = info.info.x11.window;
  watch.on_lost = on_lost;
  watch.context = context;
  watch.lost = false;
  watch.former = XSetErrorHandler(NoteWindowError);
  // SDL hands on the X events it does not use itself only when asked to.
  watch.former_syswm_state = SDL_EventState(SDL_SYSWMEVENT, SDL_QUERY);
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
  SDL_AddEventWatch(WatchDestroyNotify, nullptr);
  watch.installed = true;
  watching_ = true;
#else
  (void)window;
  (void)on_lost;
  (void)context;
#endif
}

void WindowLossWatch::Stop() {
#ifdef VANTEL_WATCH_X11
  if (!watching_) return;
  lost_when_stopped_ = watch.lost;
  watching_ = false;
  SDL_DelEventWatch(WatchDestroyNotify, nullptr);
  SDL_EventState(SDL_SYSWMEVENT, watch.former_syswm_state);
  // Someone who put a handler in front of ours since keeps it.
  const XErrorHandler current = XSetErrorHandler(watch.former);
  if (current != NoteWindowError) XSetErrorHandler(current);
  watch.window = 0;
  watch.on_lost = nullptr;
  watch.context = nullptr;
  watch.installed = false;
#endif
}

bool WindowLossWatch::Lost() const {
#ifdef VANTEL_WATCH_X11
  if (watching_) return watch.lost;
#endif
  return lost_when_stopped_;
}

void WatchDisplayConnection(void (*on_lost)()) {
#ifdef VANTEL_WATCH_X11
  if (io_installed) return;
  display_lost = on_lost;
  former_io_handler = XSetIOErrorHandler(DisplayLost);
  io_installed = true;
#else
  (void)on_lost;
#endif
}

void StopWatchingDisplayConnection() {
#ifdef VANTEL_WATCH_X11
  if (!io_installed) return;
  const XIOErrorHandler current = XSetIOErrorHandler(former_io_handler);
  if (current != DisplayLost) XSetIOErrorHandler(current);
  display_lost = nullptr;
  io_installed = false;
#endif
}

}  // namespace vantel
