#include "gfx/display.h"

#include <SDL_image.h>

#include <cctype>

#include "game/fatal_error.h"

namespace vantel {

void Display::CreateBackBuffer(int32_t width, int32_t height, std::string_view routine) {
  back_buffer_ = CreateBlankSurface(width, height);
  if (!back_buffer_) throw FatalError(routine, 7, SDL_GetError());
  screen_rect_ = Rect{0, 0, width, height};
  ClearBackBuffer();
}

void Display::ResetClipRect() {
  clip_ = ClipRect{0, 0, screen_rect_.right, screen_rect_.bottom};
}

void Display::ClearBackBuffer() {
  SDL_FillRect(back_buffer_.get(), nullptr, 0);
}

namespace {

// FNV-1a, 64 bits: plenty for telling two frames apart.
constexpr uint64_t kKeySeed = 14695981039346656037ULL;
constexpr uint64_t kKeyPrime = 1099511628211ULL;

uint64_t MixKey(uint64_t key, uint64_t value) {
  for (int byte = 0; byte < 8; ++byte) {
    key ^= (value >> (8 * byte)) & 0xFF;
    key *= kKeyPrime;
  }
  return key;
}

}  // namespace

void Display::BeginKeying() {
  keying_ = true;
  key_ = MixKey(kKeySeed, static_cast<uint64_t>(clip_.clip_left) << 32 |
                              static_cast<uint32_t>(clip_.clip_top));
  key_ = MixKey(key_, static_cast<uint64_t>(clip_.clip_right) << 32 |
                          static_cast<uint32_t>(clip_.clip_bottom));
}

uint64_t Display::EndKeying() {
  keying_ = false;
  return key_;
}

void Display::DrawSurface(SDL_Surface* source, const Rect& rect, int32_t x, int32_t y,
                          bool transparent) {
  if (!source) return;
  if (keying_) {
    key_ = MixKey(key_, reinterpret_cast<uintptr_t>(source));
    key_ = MixKey(key_, static_cast<uint64_t>(rect.left) << 32 | static_cast<uint32_t>(rect.top));
    key_ =
        MixKey(key_, static_cast<uint64_t>(rect.right) << 32 | static_cast<uint32_t>(rect.bottom));
    key_ = MixKey(key_, static_cast<uint64_t>(x) << 32 | static_cast<uint32_t>(y));
    key_ = MixKey(key_, transparent ? 1 : 0);
    return;
  }
  Rect wanted = rect;
  // A whole-surface blit that starts outside the clip rectangle would come out
  // of the arithmetic with left > right; clip the real rectangle instead so the
  // visible part is still drawn.
  const bool inside = x >= clip_.clip_left && y >= clip_.clip_top;
  if (wanted.IsWhole() && !inside) wanted = Rect{0, 0, source->w, source->h};
  const ClippedBlit c = ClipSource(wanted, x, y, clip_);
  SDL_Rect dst{c.x, c.y, 0, 0};
  SDL_Rect src{c.source.left, c.source.top, c.source.Width(), c.source.Height()};
  const bool whole = c.source.IsWhole();
  if (!whole && (src.w <= 0 || src.h <= 0)) return;

  const bool keyed = SDL_HasColorKey(source) == SDL_TRUE;
  Uint32 key = 0;
  if (keyed && !transparent) {
    SDL_GetColorKey(source, &key);
    SDL_SetColorKey(source, SDL_FALSE, key);
  }
  SDL_BlitSurface(source, whole ? nullptr : &src, back_buffer_.get(), &dst);
  if (keyed && !transparent) SDL_SetColorKey(source, SDL_TRUE, key);
}

void Display::DrawAtCursor(SDL_Surface* source, int32_t hot_x, int32_t hot_y, int32_t width,
                           int32_t height, bool transparent, int32_t mouse_x, int32_t mouse_y) {
  DrawSurface(source, Rect{0, 0, width, height}, mouse_x - hot_x, mouse_y - hot_y, transparent);
}

bool Display::SaveBackBuffer(const std::filesystem::path& path) const {
  std::string ext = path.extension().string();
  for (char& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  const int rc = ext == ".png" ? IMG_SavePNG(back_buffer_.get(), path.c_str())
                               : SDL_SaveBMP(back_buffer_.get(), path.c_str());
  return rc == 0;
}

HeadlessDisplay::HeadlessDisplay(int32_t width, int32_t height) {
  CreateBackBuffer(width, height, "HeadlessDisplay");
}

bool HeadlessDisplay::DisplayAvailable() {
  if (lost_checks_ <= 0) return true;
  --lost_checks_;
  return false;
}

}  // namespace vantel
