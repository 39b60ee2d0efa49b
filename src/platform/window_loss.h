#pragma once

#include <SDL_video.h>

namespace vantel {

// Notices that the game's window was destroyed by another program
// (`xdotool windowclose`, a window manager's "destroy"), which SDL 2 does not
// report: it keeps the window as shown and would draw into it forever. The
// loss shows either as the window system's notice of the destruction or as an
// error about the window on a request made after it, whichever comes first.
// X11 only; on any other window system it notices nothing.
//
// One window at a time: the X error handler it puts in front of the others
// is the process's only one.
class WindowLossWatch {
 public:
  // Called once, on the thread that met the loss, possibly from inside the
  // window system's library while it handles an error: it may only take note
  // (set a flag, post a semaphore), never call into the display.
  using LostFn = void (*)(void* context);

  WindowLossWatch() = default;
  WindowLossWatch(const WindowLossWatch&) = delete;
  WindowLossWatch& operator=(const WindowLossWatch&) = delete;
  ~WindowLossWatch();

  // Starts watching window; nothing happens unless it is an X11 window.
  void Watch(SDL_Window* window, LostFn on_lost, void* context);
  // Puts the former error handler back and stops looking at events; what
  // was noticed until then stays noticed.
  void Stop();
  bool Lost() const;
  // True between a Watch that took and Stop.
  bool Watching() const { return watching_; }

 private:
  bool watching_ = false;
  bool lost_when_stopped_ = false;
};

// Xlib ends the program by itself once the connection to the display breaks
// (the X server went away, the client was killed with xkill), without a word
// and without anything the program would do at its end. on_lost is called
// instead, on the thread that met the broken connection; it must not return.
// For every X connection of the process (the dialog's and SDL's); nothing
// where the game was built without X11. Stop puts the former handler back.
void WatchDisplayConnection(void (*on_lost)());
void StopWatchingDisplayConnection();

}  // namespace vantel
