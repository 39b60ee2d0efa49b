#include "gfx/screen_display.h"

#include <SDL.h>

#include "game/fatal_error.h"
#include "gfx/window_area.h"

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
  throw FatalError(ErrorInFunction("DirectX", step, SDL_GetError()));
}

// A decorated window's frame in the drawing-area arithmetic of border style 2.
constexpr int kFramedBorderStyle = 2;

}  // namespace

ScreenDisplay::ScreenDisplay(bool fullScreen, PaceClock& paceClock, int32_t width, int32_t height)
    : paceClock_(paceClock), limiter_(paceClock) {
  try {
    SetCursorShown(true);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) SetupFailed(kStepVideo);
    videoStarted_ = true;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    if (fullScreen) {
      SDL_DisplayMode desktop{};
      if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) SetupFailed(kStepDesktop);
      window_ = SDL_CreateWindow(kWindowCaption, 0, 0, desktop.w, desktop.h,
                                 SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
    } else {
      width = 640;
      height = 480;
      window_ = SDL_CreateWindow(kWindowCaption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                 width, height, SDL_WINDOW_SHOWN);
    }
    if (!window_) SetupFailed(kStepWindow);
    CreateBackBuffer(width, height, "DirectX");
    CreateRendererAndTexture();
    SetWindowed(!fullScreen);
    SDL_AddEventWatch(&ScreenDisplay::WatchEvents, this);
    if (!fullScreen) RecomputeDrawingArea();
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
  }
  const Rect& screen = ScreenRect();
  if (SDL_RenderSetLogicalSize(renderer_, screen.Right, screen.Bottom) != 0) {
    SetupFailed(kStepRenderer);
  }
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = SDL_CreateTexture(renderer_, kBackBufferFormat, SDL_TEXTUREACCESS_STREAMING,
                               screen.Right, screen.Bottom);
  if (!texture_) SetupFailed(kStepTexture);
}

void ScreenDisplay::Release() {
  if (videoStarted_) {
    ShowSystemCursor(true);
    SDL_DelEventWatch(&ScreenDisplay::WatchEvents, this);
  }
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  texture_ = nullptr;
  renderer_ = nullptr;
  window_ = nullptr;
  if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  videoStarted_ = false;
}

int ScreenDisplay::WatchEvents(void* self, SDL_Event* event) {
  auto* display = static_cast<ScreenDisplay*>(self);
  if (event->type == SDL_RENDER_DEVICE_RESET || event->type == SDL_RENDER_TARGETS_RESET) {
    display->deviceLost_ = true;
  } else if (event->type == SDL_QUIT) {
    // A close request must reach the game even while it waits for the display.
    display->quitRequested_ = true;
  }
  return 1;
}

void ScreenDisplay::Present() {
  // A reset render device is usable again by the time SDL reports it; only its
  // texture is gone. The back buffer is a software surface and kept the frame,
  // so making the texture anew before the upload is all it takes.
  if (deviceLost_) RestoreAllSurfaces();
  if (Windowed()) RecomputeDrawingArea();
  SDL_Surface* back = BackBuffer();
  SDL_UpdateTexture(texture_, nullptr, back->pixels, back->pitch);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
  limiter_.Wait();
}

bool ScreenDisplay::DisplayAvailable() {
  if (quitRequested_) return true;
  const Uint32 flags = SDL_GetWindowFlags(window_);
  return Windowed() || (flags & SDL_WINDOW_MINIMIZED) == 0;
}

void ScreenDisplay::PumpEvents() {
  SDL_PumpEvents();
  if (!DisplayAvailable()) paceClock_.SleepMs(10);
}

void ScreenDisplay::RestoreAllSurfaces() {
  if (!renderer_) return;
  deviceLost_ = false;
  CreateRendererAndTexture();
}

void ScreenDisplay::ShowSystemCursor(bool show) {
  SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
  Display::ShowSystemCursor(show);
}

void ScreenDisplay::OnPause(bool paused) {
  if (Windowed() && paused && !CursorShown()) SDL_ShowCursor(SDL_ENABLE);
}

void ScreenDisplay::RecomputeDrawingArea() {
  int x = 0, y = 0, top = 0, left = 0;
  SDL_GetWindowPosition(window_, &x, &y);
  SDL_GetWindowBordersSize(window_, &top, &left, nullptr, nullptr);
  const Rect outer{x - left, y - top, 0, 0};
  windowRect_ = DrawingArea(outer, kFramedBorderStyle, windowOffsetX_, windowOffsetY_, windowRect_);
}

void ScreenDisplay::UpdateWindowCursor(bool gamePaused) {
  if (!Windowed() || gamePaused) return;
  minimized_ = (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) != 0;
  if (minimized_ || CursorShown()) return;
  RecomputeDrawingArea();
  int mx = 0, my = 0;
  SDL_GetGlobalMouseState(&mx, &my);
  SDL_ShowCursor(InsideArea(windowRect_, mx, my) ? SDL_DISABLE : SDL_ENABLE);
}

void ScreenDisplay::SetCaption(const std::string& text) {
  if (window_) SDL_SetWindowTitle(window_, text.c_str());
}

}  // namespace vantel
