#pragma once

#include <SDL_events.h>
#include <SDL_render.h>
#include <SDL_video.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "gfx/display.h"
#include "gfx/frame_limiter.h"
#include "gfx/picture_fit.h"
#include "platform/window_loss.h"

namespace vantel {

inline constexpr const char* kWindowCaption = "Vantel";

// How the game's screen starts.
struct ScreenChoice {
  bool full_screen = true;
  // 0: the largest whole multiple of 800 x 600 that fits the work area.
  int32_t window_width = 0;
  int32_t window_height = 0;
  PictureScaling scaling = PictureScaling::kAutomatic;
};

// The routine a failed set-up of the game's screen names in the player's
// message box, "Error in function DirectX() ": the box's text stays as
// players have always read it, though nothing in the program is called so.
inline constexpr std::string_view kScreenSetUpRoutineText = "DirectX";

// The game's real display: an 800 x 600 back buffer shown letter-boxed in a
// resizable window or full screen, switchable at any moment. Full screen is a
// borderless window covering the desktop at (0, 0) (mode switches misbehave
// without a window manager).
class ScreenDisplay final : public Display {
 public:
  // Opens the window, its renderer and texture; throws FatalError naming
  // kScreenSetUpRoutineText when SDL cannot give them.
  ScreenDisplay(const ScreenChoice& choice, PaceClock& pace_clock);
  ScreenDisplay(bool full_screen, PaceClock& pace_clock)
      : ScreenDisplay(ScreenChoice{full_screen}, pace_clock) {}
  ~ScreenDisplay() override;

  // Shows the back buffer; the caller paces the frames.
  void Present() override;
  // Shows the last presented picture again (the window was uncovered or resized).
  void Refresh();
  bool DisplayAvailable() override;
  void PumpEvents() override;
  void RestoreAllSurfaces() override;
  void ShowSystemCursor(bool show) override;

  // Between window and full screen, keeping the window's size and place for
  // its return.
  void SetFullScreen(bool full_screen);
  void ToggleFullScreen() { SetFullScreen(Windowed()); }
  // The window's size in a window (the size it returns to from full screen).
  WindowSize WindowedSize() const;

  // The system cursor is hidden over the picture and shown beside it (over
  // the bars, or outside a window), and shown while a windowed game is paused.
  void UpdateWindowCursor(bool game_paused);
  bool Minimized() const;
  // Where the picture lies in the window now.
  PictureFit Fit() const;
  // Window pixels to picture pixels, for the pointer.
  LogicalPoint WindowToPicture(int32_t x, int32_t y) const;
  void SetCaption(const std::string& text) override;
  // Pausing in a window gives the player the system cursor back.
  void OnPause(bool paused);

  // Releases texture, renderer and window, showing the system cursor first.
  // Safe to call more than once; the destructor calls it. A window destroyed
  // by another program is let go with its renderer and texture instead, and
  // the video system is left running: SDL 2 would wait forever for the dead
  // window to be hidden (SDL_Quit too), so the process must end soon after.
  void Release();

  // Starts noticing a window destroyed by another program; on_lost is told
  // at once (see WindowLossWatch for what it may do). From then on nothing is
  // presented into a window known to be gone.
  void WatchWindowLoss(WindowLossWatch::LostFn on_lost, void* context);
  bool WindowLost() const { return window_watch_.Lost(); }

  SDL_Window* Window() const { return window_; }

 private:
  void CreateRendererAndTexture();
  void ShowTexture();
  // Reads what the window system sent just before a presentation: Mesa's
  // software GL, asked to present into a destroyed window, fills a frame of
  // whatever size it finds on its stack, for minutes. True when it is gone.
  bool WindowGoneBeforePresent();
  static int WatchEvents(void* self, SDL_Event* event);

  PaceClock& pace_clock_;
  PictureScaling scaling_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  bool video_started_ = false;
  bool device_lost_ = false;
  bool quit_requested_ = false;
  WindowSize windowed_size_;
  // Where the window was before full screen; none when the game started so.
  std::optional<WindowPlace> windowed_place_;
  WindowLossWatch window_watch_;
};

}  // namespace vantel
