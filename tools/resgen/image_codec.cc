#include "image_codec.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>

#include "sdl_surface.h"

namespace vantel {
namespace {

SurfacePtr ToSurface(const Picture& picture) {
  SurfacePtr s(
      SDL_CreateRGBSurfaceWithFormat(0, picture.width, picture.height, 24, SDL_PIXELFORMAT_RGB24));
  if (!s) throw std::runtime_error(std::string("cannot create a surface: ") + SDL_GetError());
  auto* base = static_cast<uint8_t*>(s->pixels);
  for (int y = 0; y < picture.height; ++y) {
    uint8_t* row = base + static_cast<size_t>(y) * s->pitch;
    for (int x = 0; x < picture.width; ++x) {
      const uint32_t c = picture.At(x, y);
      row[3 * x] = static_cast<uint8_t>(c >> 16);
      row[3 * x + 1] = static_cast<uint8_t>(c >> 8);
      row[3 * x + 2] = static_cast<uint8_t>(c);
    }
  }
  return s;
}

// An SDL stream that appends everything written to a byte vector, so the
// encoders never touch the disk.
size_t VectorWrite(SDL_RWops* ctx, const void* ptr, size_t size, size_t num) {
  auto* out = static_cast<std::vector<uint8_t>*>(ctx->hidden.unknown.data1);
  const size_t bytes = size * num;
  const size_t pos = static_cast<size_t>(reinterpret_cast<uintptr_t>(ctx->hidden.unknown.data2));
  if (out->size() < pos + bytes) out->resize(pos + bytes);
  std::copy_n(static_cast<const uint8_t*>(ptr), bytes, out->begin() + static_cast<ptrdiff_t>(pos));
  ctx->hidden.unknown.data2 = reinterpret_cast<void*>(static_cast<uintptr_t>(pos + bytes));
  return num;
}

Sint64 VectorSeek(SDL_RWops* ctx, Sint64 offset, int whence) {
  auto* out = static_cast<std::vector<uint8_t>*>(ctx->hidden.unknown.data1);
  const auto pos = static_cast<Sint64>(reinterpret_cast<uintptr_t>(ctx->hidden.unknown.data2));
  Sint64 next = offset;
  if (whence == RW_SEEK_CUR) next = pos + offset;
  if (whence == RW_SEEK_END) next = static_cast<Sint64>(out->size()) + offset;
  if (next < 0) return SDL_SetError("seek before the start");
  ctx->hidden.unknown.data2 = reinterpret_cast<void*>(static_cast<uintptr_t>(next));
  return next;
}

Sint64 VectorSize(SDL_RWops* ctx) {
  return static_cast<Sint64>(static_cast<std::vector<uint8_t>*>(ctx->hidden.unknown.data1)->size());
}

size_t NoRead(SDL_RWops*, void*, size_t, size_t) {
  return 0;
}

int CloseOnly(SDL_RWops* ctx) {
  SDL_FreeRW(ctx);
  return 0;
}

SDL_RWops* VectorWriter(std::vector<uint8_t>* out) {
  SDL_RWops* rw = SDL_AllocRW();
  if (!rw) throw std::runtime_error("out of memory");
  rw->size = VectorSize;
  rw->seek = VectorSeek;
  rw->read = NoRead;
  rw->write = VectorWrite;
  rw->close = CloseOnly;
  rw->type = SDL_RWOPS_UNKNOWN;
  rw->hidden.unknown.data1 = out;
  rw->hidden.unknown.data2 = nullptr;
  return rw;
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const Picture& picture) {
  SurfacePtr s = ToSurface(picture);
  std::vector<uint8_t> out;
  if (SDL_SaveBMP_RW(s.get(), VectorWriter(&out), 1) != 0)
    throw std::runtime_error(std::string("cannot encode a bitmap: ") + SDL_GetError());
  return out;
}

std::vector<uint8_t> EncodeJpeg(const Picture& picture, int quality) {
  SurfacePtr s = ToSurface(picture);
  std::vector<uint8_t> out;
  if (IMG_SaveJPG_RW(s.get(), VectorWriter(&out), 1, quality) != 0)
    throw std::runtime_error(std::string("cannot encode a JPEG picture: ") + IMG_GetError());
  return out;
}

}  // namespace vantel
