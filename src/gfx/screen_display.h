#pragma once

#include <SDL_events.h>
#include <SDL_render.h>
#include <SDL_video.h>

#include <memory>
#include <string>

#include "gfx/display.h"
#include "gfx/frame_limiter.h"

namespace vantel {

inline constexpr const char* kWindowCaption = "Greek Morvik";

// The game's real display. Full screen is a borderless window covering the
// desktop at (0, 0) (mode switches misbehave without a window manager) that
// shows the 800 x 600 back buffer letter-boxed; the windowed variant is a
// framed window with a 640 x 480 back buffer.
class ScreenDisplay final : public Display {
 public:
  // The set-up ("DirectX"): throws FatalError "Error in function DirectX() ..."
  // when SDL cannot give a window, renderer or texture.
  ScreenDisplay(bool fullScreen, PaceClock& paceClock, int32_t width = 800, int32_t height = 600);
  ~ScreenDisplay() override;

  void Present() override;
  bool DisplayAvailable() override;
  void PumpEvents() override;
  void RestoreAllSurfaces() override;
  void ShowSystemCursor(bool show) override;

  // Windowed variant, once per loop pass (does nothing in full screen).
  void UpdateWindowCursor(bool gamePaused);
  bool Minimized() const { return minimized_; }
  void SetWindowOffsets(int32_t x, int32_t y) {
    windowOffsetX_ = x;
    windowOffsetY_ = y;
  }
  const Rect& WindowRect() const { return windowRect_; }
  void SetCaption(const std::string& text) override;
  // Pausing in a window gives the player the system cursor back.
  void OnPause(bool paused);

  // Releases texture, renderer and window, showing the system cursor first.
  // Safe to call more than once; the destructor calls it.
  void Release();

  SDL_Window* Window() const { return window_; }

 private:
  void CreateRendererAndTexture();
  void RecomputeDrawingArea();
  static int WatchEvents(void* self, SDL_Event* event);

  PaceClock& paceClock_;
  FrameLimiter limiter_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  bool videoStarted_ = false;
  bool deviceLost_ = false;
  bool quitRequested_ = false;
  bool minimized_ = false;
  int32_t windowOffsetX_ = 0;
  int32_t windowOffsetY_ = 0;
  Rect windowRect_;
};

}  // namespace vantel
