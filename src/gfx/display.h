#pragma once

#include <filesystem>
#include <string>

#include "gfx/rect.h"
#include "gfx/surface.h"

namespace vantel {

// The drawing layer: one back buffer every picture is composed in, a clip
// rectangle, and the blits. What shows the finished frame (a window, or
// nothing at all) is up to the kind of display.
class Display {
 public:
  virtual ~Display() = default;
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;

  SDL_Surface* BackBuffer() const { return back_buffer_.get(); }
  const Rect& ScreenRect() const { return screen_rect_; }
  const ClipRect& Clip() const { return clip_; }
  bool Windowed() const { return windowed_; }

  // Clip rectangle := the whole screen. Until this runs every clip value is 0.
  void ResetClipRect();
  void ClearBackBuffer();

  // Clipped blit of `source` (kWholeSurface: all of it) to (x, y); the
  // surface's colour key is honoured only when `transparent`.
  void DrawSurface(SDL_Surface* source, const Rect& rect, int32_t x, int32_t y, bool transparent);

  // The pointer picture with its hot spot on the mouse position.
  void DrawAtCursor(SDL_Surface* source, int32_t hot_x, int32_t hot_y, int32_t width,
                    int32_t height, bool transparent, int32_t mouse_x, int32_t mouse_y);

  // While keying, draws change no pixel: each one is only mixed into a key of
  // the picture, so a frame can tell cheaply whether it would look the same
  // as one drawn before. Same draws in the same order, same key.
  void BeginKeying();
  uint64_t EndKeying();

  // Writes the back buffer as PNG (".png") or BMP (anything else).
  bool SaveBackBuffer(const std::filesystem::path& path) const;

  virtual void Present() = 0;
  virtual bool DisplayAvailable() = 0;
  // Lets the window system run while the display is unavailable.
  virtual void PumpEvents() {}
  // Re-creates whatever the display lost (textures); surfaces are reloaded by the caller.
  virtual void RestoreAllSurfaces() {}
  virtual void ShowSystemCursor(bool show) { cursor_shown_ = show; }
  virtual void SetCaption(const std::string& /*text*/) {}
  bool CursorShown() const { return cursor_shown_; }

 protected:
  Display() = default;
  // Gives the display its back buffer; throws FatalError from `routine` on failure.
  void CreateBackBuffer(int32_t width, int32_t height, std::string_view routine);
  void SetWindowed(bool windowed) { windowed_ = windowed; }
  void SetCursorShown(bool shown) { cursor_shown_ = shown; }

 private:
  SurfacePtr back_buffer_;
  Rect screen_rect_;
  ClipRect clip_;
  bool windowed_ = false;
  bool cursor_shown_ = true;
  bool keying_ = false;
  uint64_t key_ = 0;
};

// A display with the same back buffer and no window: tests, benchmarks and the
// simulator compose frames in it and save them as pictures.
class HeadlessDisplay final : public Display {
 public:
  // Throws FatalError from "HeadlessDisplay" when there is no memory for the
  // back buffer.
  explicit HeadlessDisplay(int32_t width = 800, int32_t height = 600);

  void Present() override { ++present_count_; }
  // Unavailable for the next `frames` availability checks, as if another
  // program had taken the screen.
  void LoseDisplay(int frames) { lost_checks_ = frames; }
  bool DisplayAvailable() override;
  void RestoreAllSurfaces() override { ++restore_count_; }

  int PresentCount() const { return present_count_; }
  int RestoreCount() const { return restore_count_; }

 private:
  int present_count_ = 0;
  int lost_checks_ = 0;
  int restore_count_ = 0;
};

// The first step of every drawn frame: wait while the display is unusable,
// then restore it and reload every picture with `reload`. True when it waited.
template <typename Reload>
bool CheckLostSurfaces(Display& display, Reload&& reload) {
  bool waited = false;
  while (!display.DisplayAvailable()) {
    waited = true;
    display.PumpEvents();
  }
  display.PumpEvents();
  if (waited) {
    display.RestoreAllSurfaces();
    reload();
  }
  return waited;
}

}  // namespace vantel
