// Holds the X server for a while, so that every other client that waits for
// an answer from it waits inside Xlib: the stand-in for a display driver that
// does not come back. Moves the pointer to x, y once it holds the server, so
// that a game drawing its own pointer there asks the server at once.
//   x_hold_server <seconds> <x> <y>
// Prints "held" when the server is held; lets go after the seconds or when
// it is told to end (SIGTERM).
#include <X11/Xlib.h>

#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

volatile std::sig_atomic_t asked_to_end = 0;

extern "C" void NoteEnd(int) {
  asked_to_end = 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: x_hold_server <seconds> <x> <y>\n");
    return 2;
  }
  const int seconds = std::atoi(argv[1]);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "x_hold_server: cannot open the display\n");
    return 1;
  }
  std::signal(SIGTERM, NoteEnd);
  XGrabServer(display);
  XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, std::atoi(argv[2]),
               std::atoi(argv[3]));
  XSync(display, False);
  std::printf("held\n");
  std::fflush(stdout);
  for (int tenth = 0; tenth < seconds * 10 && asked_to_end == 0; ++tenth) usleep(100000);
  XUngrabServer(display);
  XCloseDisplay(display);
  return 0;
}
