#include "server/web_files.h"

#include <openssl/evp.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <system_error>
#include <utility>

#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {

namespace {

namespace fs = std::filesystem;

// A request's path is decoded into a buffer of this size on the stack; a
// file whose path in the folder is longer could never be asked for.
constexpr std::size_t kMaxWebPath = 512;
// Half a SHA-256: an ETag only has to tell two versions of one file apart.
constexpr std::size_t kEtagHashBytes = 16;
constexpr std::string_view kIndexPath = "/index.html";
constexpr std::string_view kJoinPrefix = "/join/";

constexpr std::array<std::pair<std::string_view, const char*>, 17> kContentTypes = {{
    {".html", "text/html; charset=utf-8"},
    {".js", "text/javascript; charset=utf-8"},
    {".mjs", "text/javascript; charset=utf-8"},
    {".css", "text/css; charset=utf-8"},
    {".json", "application/json"},
    {".map", "application/json"},
    {".png", "image/png"},
    {".jpg", "image/jpeg"},
    {".jpeg", "image/jpeg"},
    {".webp", "image/webp"},
    {".gif", "image/gif"},
    {".svg", "image/svg+xml"},
    {".ico", "image/vnd.microsoft.icon"},
    {".webmanifest", "application/manifest+json"},
    {".woff2", "font/woff2"},
    {".txt", "text/plain; charset=utf-8"},
    {".wasm", "application/wasm"},
}};
constexpr const char* kUnknownType = "application/octet-stream";

// The file's tag, or nothing when the hash cannot be had: an empty tag would
// let any client's "" pass for this file.
std::optional<std::string> QuotedHash(std::string_view body) {
  std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
  unsigned int size = 0;
  if (EVP_Digest(body.data(), body.size(), digest.data(), &size, EVP_sha256(), nullptr) != 1 ||
      size < kEtagHashBytes) {
    return std::nullopt;
  }
  constexpr std::string_view kHex = "0123456789abcdef";
  std::string etag = "\"";
  for (std::size_t i = 0; i < kEtagHashBytes; ++i) {
    etag += kHex[digest[i] >> 4];
    etag += kHex[digest[i] & 0xf];
  }
  etag += '"';
  return etag;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// `path` with its %XX escapes undone into `out`; nothing when an escape is
// broken or the result would not fit.
std::optional<std::string_view> DecodedPath(std::string_view path,
                                            std::array<char, kMaxWebPath>& out) {
  std::size_t length = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (length == out.size()) return std::nullopt;
    char c = path[i];
    if (c == '%') {
      if (i + 2 >= path.size()) return std::nullopt;
      const int high = HexValue(path[i + 1]);
      const int low = HexValue(path[i + 2]);
      if (high < 0 || low < 0) return std::nullopt;
      c = static_cast<char>(high * 16 + low);
      i += 2;
    }
    out[length++] = c;
  }
  return std::string_view(out.data(), length);
}

bool IsJoinSegment(std::string_view segment) {
  return !segment.empty() && segment.size() <= kMaxJoinSegment &&
         std::all_of(segment.begin(), segment.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
         });
}

bool ReadWhole(const fs::path& file, std::uintmax_t size, std::string& body) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  body.resize(size);
  in.read(body.data(), static_cast<std::streamsize>(size));
  // A file that changed size while it was read is read again at the next start.
  return in.gcount() == static_cast<std::streamsize>(size) &&
         in.peek() == std::ifstream::traits_type::eof();
}

}  // namespace

const char* ContentTypeOf(std::string_view file_name) {
  for (const auto& [extension, type] : kContentTypes) {
    if (file_name.size() > extension.size() && file_name.ends_with(extension)) return type;
  }
  return kUnknownType;
}

std::optional<WebFiles> WebFiles::Load(const fs::path& root, std::string& error) {
  const auto fail = [&](const std::string& reason) {
    error =
        Format(_("cannot serve the web client from %s: %s"), root.string().c_str(), reason.c_str());
    return std::nullopt;
  };
  std::error_code ec;
  if (!fs::is_directory(root, ec)) return fail(ec ? ec.message() : _("not a folder"));
  WebFiles web;
  std::size_t entries = 0;
  fs::recursive_directory_iterator it(root, ec);
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    const fs::path& path = it->path();
    if (path.filename().string().starts_with('.')) {
      if (it->is_directory(ec)) it.disable_recursion_pending();
      continue;
    }
    if (++entries > kMaxWebEntries) {
      return fail(
          Format(_("it holds more than %d files and folders"), static_cast<int>(kMaxWebEntries)));
    }
    // Sockets, pipes and links to nowhere are nothing to serve.
    if (!it->is_regular_file(ec)) continue;
    const std::uintmax_t size = it->file_size(ec);
    if (ec) break;
    if (size > kMaxWebBytes - web.bytes_) {
      return fail(
          Format(_("its files come to more than %d MiB"), static_cast<int>(kMaxWebBytes >> 20)));
    }
    const std::string key = "/" + path.lexically_relative(root).generic_string();
    if (key.size() > kMaxWebPath) return fail(Format(_("%s: name too long"), key.c_str()));
    WebFile file;
    if (!ReadWhole(path, size, file.body)) {
      return fail(Format(_("%s: cannot be read whole"), key.c_str()));
    }
    file.content_type = ContentTypeOf(key);
    std::optional<std::string> etag = QuotedHash(file.body);
    if (!etag) return fail(Format(_("%s: cannot be hashed"), key.c_str()));
    file.etag = std::move(*etag);
    web.bytes_ += size;
    web.files_.emplace(key, std::move(file));
  }
  if (ec) return fail(ec.message());
  if (!web.files_.contains(kIndexPath)) return fail(_("it holds no index.html"));
  return web;
}

const WebFile* WebFiles::Find(std::string_view target) const {
  std::string_view path = target.substr(0, target.find_first_of("?#"));
  if (path == "/" ||
      (path.starts_with(kJoinPrefix) && IsJoinSegment(path.substr(kJoinPrefix.size())))) {
    path = kIndexPath;
  }
  std::array<char, kMaxWebPath> decoded{};
  const std::optional<std::string_view> name = DecodedPath(path, decoded);
  if (!name) return nullptr;
  const auto found = files_.find(*name);
  return found == files_.end() ? nullptr : &found->second;
}

std::array<fs::path, 2> WebRootCandidates(const fs::path& program_folder) {
  return {program_folder.parent_path() / "share" / "vantel" / "web",
          program_folder.parent_path() / "web"};
}

std::optional<fs::path> DefaultWebRoot(const fs::path& program_folder) {
  for (const fs::path& candidate : WebRootCandidates(program_folder)) {
    std::error_code ec;
    if (fs::is_directory(candidate, ec)) return candidate;
  }
  return std::nullopt;
}

}  // namespace vantel
