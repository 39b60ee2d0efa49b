#include "pak/sdl/sdl_memory_file.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "pak/file_writing.h"

#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {

namespace {

// A growable SDL stream over a byte vector: the writers seek back to fill in
// sizes, so it keeps a position of its own.
struct MemoryStream {
  std::vector<uint8_t> bytes;
  size_t position = 0;
};

MemoryStream& StreamOf(SDL_RWops* rw) {
  return *static_cast<MemoryStream*>(rw->hidden.unknown.data1);
}

Sint64 StreamSize(SDL_RWops* rw) {
  return static_cast<Sint64>(StreamOf(rw).bytes.size());
}

Sint64 StreamSeek(SDL_RWops* rw, Sint64 offset, int whence) {
  MemoryStream& s = StreamOf(rw);
  const Sint64 base = whence == RW_SEEK_SET   ? 0
                      : whence == RW_SEEK_CUR ? static_cast<Sint64>(s.position)
                                              : static_cast<Sint64>(s.bytes.size());
  const Sint64 to = base + offset;
  if (to < 0) return SDL_SetError("seek before the start of a memory stream");
  s.position = static_cast<size_t>(to);
  return to;
}

size_t StreamRead(SDL_RWops* rw, void* out, size_t size, size_t count) {
  MemoryStream& s = StreamOf(rw);
  if (size == 0 || s.position >= s.bytes.size()) return 0;
  const size_t whole = std::min(count, (s.bytes.size() - s.position) / size);
  std::memcpy(out, s.bytes.data() + s.position, whole * size);
  s.position += whole * size;
  return whole;
}

size_t StreamWrite(SDL_RWops* rw, const void* in, size_t size, size_t count) {
  MemoryStream& s = StreamOf(rw);
  const size_t n = size * count;
  if (s.position + n > s.bytes.size()) s.bytes.resize(s.position + n);
  std::memcpy(s.bytes.data() + s.position, in, n);
  s.position += n;
  return count;
}

int StreamClose(SDL_RWops* rw) {
  SDL_FreeRW(rw);
  return 0;
}

}  // namespace

std::string SaveThroughMemory(const std::filesystem::path& path,
                              const std::function<int(SDL_RWops*)>& save) {
  MemoryStream stream;
  std::unique_ptr<SDL_RWops, int (*)(SDL_RWops*)> rw(SDL_AllocRW(), &StreamClose);
  if (!rw) return Format(_("cannot write %s: %s"), path.c_str(), SDL_GetError());
  rw->size = StreamSize;
  rw->seek = StreamSeek;
  rw->read = StreamRead;
  rw->write = StreamWrite;
  rw->close = StreamClose;
  rw->type = SDL_RWOPS_UNKNOWN;
  rw->hidden.unknown.data1 = &stream;
  if (save(rw.get()) != 0) return Format(_("cannot write %s: %s"), path.c_str(), SDL_GetError());
  return ReplaceFile(path, stream.bytes);
}

}  // namespace vantel
