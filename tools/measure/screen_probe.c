/* Watches a square of the X screen and prints, for every change of its mean
 * colour, the milliseconds since the start and the new mean red, green and
 * blue (0..1), until the given number of seconds has passed. Fast enough (a few milliseconds a
 * look) to time how soon a picture shows.
 *   screen_probe <x> <y> <size> <seconds> */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static double NowMs(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

int main(int argc, char** argv) {
  if (argc != 5) {
    fprintf(stderr, "usage: screen_probe <x> <y> <size> <seconds>\n");
    return 2;
  }
  const int x = atoi(argv[1]), y = atoi(argv[2]), size = atoi(argv[3]);
  const double limit = atof(argv[4]) * 1000.0;
  Display* display = XOpenDisplay(NULL);
  if (!display) {
    fprintf(stderr, "screen_probe: cannot open the display\n");
    return 1;
  }
  const Window root = DefaultRootWindow(display);
  const double start = NowMs();
  double last[3] = {-1, -1, -1};
  for (double now = start; now - start < limit; now = NowMs()) {
    XImage* image = XGetImage(display, root, x, y, size, size, AllPlanes, ZPixmap);
    if (!image) return 1;
    double sum[3] = {0, 0, 0};
    for (int j = 0; j < size; ++j)
      for (int i = 0; i < size; ++i) {
        const unsigned long p = XGetPixel(image, i, j);
        sum[0] += (p >> 16) & 0xFF;
        sum[1] += (p >> 8) & 0xFF;
        sum[2] += p & 0xFF;
      }
    XDestroyImage(image);
    double mean[3];
    for (int c = 0; c < 3; ++c) mean[c] = sum[c] / (size * size * 255.0);
    if (mean[0] != last[0] || mean[1] != last[1] || mean[2] != last[2]) {
      printf("%.1f %.4f %.4f %.4f\n", now - start, mean[0], mean[1], mean[2]);
      fflush(stdout);
      for (int c = 0; c < 3; ++c) last[c] = mean[c];
    }
    struct timespec pause = {0, 2 * 1000 * 1000};
    nanosleep(&pause, NULL);
  }
  XCloseDisplay(display);
  return 0;
}
