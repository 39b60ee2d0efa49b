#include "gfx/screen_display.h"

#include <SDL.h>

#include <algorithm>

#include "game/fatal_error.h"
#include "i18n/gettext.h"

namespace vantel {

namespace {

// Error numbers of the set-up, one per step that can fail.
enum SetupStep : long {
  kStepVideo = 1,
  kStepDesktop = 2,
  kStepWindow = 3,
  kStepRenderer = 4,
  kStepTexture = 5,
};

[[noreturn]] void SetupFailed(SetupStep step) {
  throw FatalError(kScreenSetUpRoutineText, step, SDL_GetError());
}

// With no window system answering (the X server went away after the dialog),
// SDL 2 falls back on its offscreen driver, and the game would go on playing
// where nobody can see it or end it. Only asked for by name is it fine.
bool OffscreenUnasked() {
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* asked = SDL_getenv("SDL_VIDEODRIVER");
  return driver != nullptr && SDL_strcmp(driver, "offscreen") == 0 &&
         (asked == nullptr || SDL_strcasecmp(asked, "offscreen") != 0);
}

// Room left in the work area for a window manager's frame around the window.
constexpr int32_t kFrameAllowanceWidth = 16;
constexpr int32_t kFrameAllowanceHeight = 48;

SDL_Rect DesktopBounds() {
  SDL_Rect bounds{0, 0, kPictureWidth, kPictureHeight};
  SDL_DisplayMode desktop{};
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) SetupFailed(kStepDesktop);
  bounds.w = desktop.w;
  bounds.h = desktop.h;
  return bounds;
}

// Every screen's bounds together: a window may have been on any of them.
DesktopArea AllScreens() {
  SDL_Rect all = DesktopBounds();
  for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
    SDL_Rect one{};
    if (SDL_GetDisplayBounds(i, &one) == 0) SDL_UnionRect(&all, &one, &all);
  }
  return DesktopArea{all.x, all.y, all.w, all.h};
}

WindowSize ChooseWindowSize(const ScreenChoice& choice) {
  SDL_Rect work{};
  if (SDL_GetDisplayUsableBounds(0, &work) != 0) work = DesktopBounds();
  const WindowSize first =
      FirstWindowSize(work.w - kFrameAllowanceWidth, work.h - kFrameAllowanceHeight);
  if (choice.window_width < kPictureWidth / 2 || choice.window_height < kPictureHeight / 2)
    return first;
  // A saved size larger than this desktop (another monitor) would open off it.
  return WindowSize{std::min(choice.window_width, work.w), std::min(choice.window_height, work.h)};
}

}  // namespace

ScreenDisplay::ScreenDisplay(const ScreenChoice& choice, PaceClock& pace_clock)
    : pace_clock_(pace_clock), scaling_(choice.scaling) {
  try {
    SetCursorShown(true);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) SetupFailed(kStepVideo);
    video_started_ = true;
    if (OffscreenUnasked()) {
      SDL_SetError("%s", _("no window system answers"));
      SetupFailed(kStepVideo);
    }
    windowed_size_ = ChooseWindowSize(choice);
    if (choice.full_screen) {
      const SDL_Rect desktop = DesktopBounds();
      window_ = SDL_CreateWindow(kWindowCaption, 0, 0, desktop.w, desktop.h,
                                 SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
    } else {
      window_ = SDL_CreateWindow(kWindowCaption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                 windowed_size_.width, windowed_size_.height,
                                 SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN);
    }
    if (!window_) SetupFailed(kStepWindow);
    SDL_SetWindowMinimumSize(window_, kPictureWidth / 2, kPictureHeight / 2);
    CreateBackBuffer(kPictureWidth, kPictureHeight, kScreenSetUpRoutineText);
    CreateRendererAndTexture();
    SetWindowed(!choice.full_screen);
    SDL_AddEventWatch(&ScreenDisplay::WatchEvents, this);
  } catch (...) {
    Release();
    throw;
  }
}

ScreenDisplay::~ScreenDisplay() {
  Release();
}

void ScreenDisplay::CreateRendererAndTexture() {
  if (!renderer_) {
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) SetupFailed(kStepRenderer);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  }
  const Rect& screen = ScreenRect();
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = SDL_CreateTexture(renderer_, kBackBufferFormat, SDL_TEXTUREACCESS_STREAMING,
                               screen.right, screen.bottom);
  if (!texture_) SetupFailed(kStepTexture);
}

void ScreenDisplay::Release() {
  const bool lost = window_watch_.Lost();
  if (video_started_) {
    if (!lost) ShowSystemCursor(true);
    SDL_DelEventWatch(&ScreenDisplay::WatchEvents, this);
  }
  if (!lost) {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    if (video_started_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  texture_ = nullptr;
  renderer_ = nullptr;
  window_ = nullptr;
  video_started_ = false;
  window_watch_.Stop();
}

void ScreenDisplay::WatchWindowLoss(WindowLossWatch::LostFn on_lost, void* context) {
  window_watch_.Watch(window_, on_lost, context);
}

bool ScreenDisplay::WindowGoneBeforePresent() {
  if (!window_watch_.Watching() || window_watch_.Lost()) return window_watch_.Lost();
  SDL_PumpEvents();
  return window_watch_.Lost();
}

int ScreenDisplay::WatchEvents(void* self, SDL_Event* event) {
  auto* display = static_cast<ScreenDisplay*>(self);
  if (event->type == SDL_RENDER_DEVICE_RESET || event->type == SDL_RENDER_TARGETS_RESET) {
    display->device_lost_ = true;
  } else if (event->type == SDL_QUIT) {
    // A close request must reach the game even while it waits for the display.
    display->quit_requested_ = true;
  }
  return 1;
}

PictureFit ScreenDisplay::Fit() const {
  int w = kPictureWidth, h = kPictureHeight;
  if (renderer_) SDL_GetRendererOutputSize(renderer_, &w, &h);
  return FitPicture(w, h, scaling_);
}

LogicalPoint ScreenDisplay::WindowToPicture(int32_t x, int32_t y) const {
  // The renderer's output and the window agree but on high-density screens,
  // where the window's points are scaled to output pixels first.
  int ww = kPictureWidth, wh = kPictureHeight, ow = ww, oh = wh;
  if (window_) SDL_GetWindowSize(window_, &ww, &wh);
  if (renderer_) SDL_GetRendererOutputSize(renderer_, &ow, &oh);
  const int32_t px = ww > 0 ? static_cast<int32_t>(static_cast<int64_t>(x) * ow / ww) : x;
  const int32_t py = wh > 0 ? static_cast<int32_t>(static_cast<int64_t>(y) * oh / wh) : y;
  return OutputToPicture(px, py, FitPicture(ow, oh, scaling_));
}

void ScreenDisplay::ShowTexture() {
  const PictureFit fit = Fit();
  SDL_SetTextureScaleMode(texture_, fit.sharp ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
  const SDL_Rect where{fit.x, fit.y, fit.width, fit.height};
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, &where);
  SDL_RenderPresent(renderer_);
}

void ScreenDisplay::Present() {
  // A reset render device is usable again by the time SDL reports it; only its
  // texture is gone. The back buffer is a software surface and kept the frame,
  // so making the texture anew before the upload is all it takes.
  if (WindowGoneBeforePresent()) return;
  if (device_lost_) RestoreAllSurfaces();
  SDL_Surface* back = BackBuffer();
  SDL_UpdateTexture(texture_, nullptr, back->pixels, back->pitch);
  ShowTexture();
}

void ScreenDisplay::Refresh() {
  if (!renderer_ || !texture_ || WindowGoneBeforePresent()) return;
  if (device_lost_) {
    Present();
    return;
  }
  ShowTexture();
}

bool ScreenDisplay::DisplayAvailable() {
  if (quit_requested_) return true;
  return !Minimized();
}

bool ScreenDisplay::Minimized() const {
  return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) != 0;
}

void ScreenDisplay::PumpEvents() {
  SDL_PumpEvents();
  if (!DisplayAvailable()) pace_clock_.SleepMs(10);
}

void ScreenDisplay::RestoreAllSurfaces() {
  if (!renderer_) return;
  device_lost_ = false;
  CreateRendererAndTexture();
}

void ScreenDisplay::ShowSystemCursor(bool show) {
  SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
  Display::ShowSystemCursor(show);
}

void ScreenDisplay::OnPause(bool paused) {
  if (Windowed() && paused) SDL_ShowCursor(SDL_ENABLE);
}

WindowSize ScreenDisplay::WindowedSize() const {
  if (Windowed() && window_) {
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    return WindowSize{w, h};
  }
  return windowed_size_;
}

void ScreenDisplay::SetFullScreen(bool full_screen) {
  if (!window_ || full_screen == !Windowed()) return;
  if (full_screen) {
    windowed_size_ = WindowedSize();
    WindowPlace place;
    SDL_GetWindowPosition(window_, &place.x, &place.y);
    windowed_place_ = place;
    const SDL_Rect desktop = DesktopBounds();
    SDL_SetWindowResizable(window_, SDL_FALSE);
    SDL_SetWindowBordered(window_, SDL_FALSE);
    SDL_SetWindowPosition(window_, 0, 0);
    SDL_SetWindowSize(window_, desktop.w, desktop.h);
    SDL_RaiseWindow(window_);
  } else {
    SDL_SetWindowBordered(window_, SDL_TRUE);
    SDL_SetWindowResizable(window_, SDL_TRUE);
    SDL_SetWindowSize(window_, windowed_size_.width, windowed_size_.height);
    // Back where the player had it; a game started full screen has no such
    // place and opens its window in the middle.
    if (windowed_place_) {
      const WindowPlace at = ReturnPlace(*windowed_place_, windowed_size_, AllScreens());
      SDL_SetWindowPosition(window_, at.x, at.y);
    } else {
      SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
  }
  SetWindowed(!full_screen);
}

void ScreenDisplay::UpdateWindowCursor(bool game_paused) {
  if (!window_ || Minimized()) return;
  if (Windowed() && game_paused) {
    SDL_ShowCursor(SDL_ENABLE);
    return;
  }
  bool over_picture = false;
  if (SDL_GetMouseFocus() == window_) {
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    const LogicalPoint p = WindowToPicture(x, y);
    over_picture = p.x >= 0 && p.y >= 0 && p.x < kPictureWidth && p.y < kPictureHeight;
  }
  const bool show = CursorShown() || !over_picture;
  if ((SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE) != show)
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void ScreenDisplay::SetCaption(const std::string& text) {
  if (window_) SDL_SetWindowTitle(window_, text.c_str());
}

}  // namespace vantel
