#include "app/kept_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <glib.h>
#include <glib/gstdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <thread>
#include <utility>

#include "app/key_file.h"
#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {

namespace fs = std::filesystem;

namespace {

// What sits between a kept file's name and the random part of a temporary
// one. The older writer's bare `<name>.XXXXXX` is not cleared: a player's own
// `settings.ini.backup` would fit it.
constexpr std::string_view kTemporaryInfix = ".tmp-";
constexpr std::size_t kRandomLength = 6;
constexpr std::string_view kRandomLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int kNameAttempts = 100;
// As many links as the system itself follows before it calls it a loop.
constexpr int kMaxLinkHops = 40;

constexpr std::size_t kExcerptChars = 40;
// Room for the library's own words around an excerpt, even escaped.
constexpr std::size_t kMessageChars = 320;

std::string SystemError(int error) {
  return std::strerror(error);
}

class FdCloser {
 public:
  explicit FdCloser(int fd) : fd_(fd) {}
  ~FdCloser() {
    if (fd_ >= 0) ::close(fd_);
  }
  FdCloser(const FdCloser&) = delete;
  FdCloser& operator=(const FdCloser&) = delete;

 private:
  int fd_;
};

// "." for a bare name, so a relative path has a folder to list and sync.
fs::path FolderOf(const fs::path& file) {
  return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

std::string NotPlainReason(mode_t mode) {
  return S_ISDIR(mode) ? _("it is a folder") : _("it is not a plain file");
}

bool IsTemporaryName(std::string_view name, std::string_view prefix) {
  if (name.size() != prefix.size() + kRandomLength || name.substr(0, prefix.size()) != prefix) {
    return false;
  }
  return name.substr(prefix.size()).find_first_not_of(kRandomLetters) == std::string_view::npos;
}

std::string RandomPart() {
  std::string part;
  for (std::size_t i = 0; i < kRandomLength; ++i) {
    part += kRandomLetters[static_cast<std::size_t>(
        g_random_int_range(0, static_cast<gint32>(kRandomLetters.size())))];
  }
  return part;
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Makes the rename itself last through a power cut; where the folder cannot
// be synced the file is still whole, only perhaps not yet renamed.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  static_cast<void>(::fsync(fd));
  ::close(fd);
}

// The line of `text` a library's message shows as `shown`: itself unless the
// library mended bytes that are no UTF-8, else the line that mends to it.
std::string_view LineShownAs(std::string_view text, std::string_view shown) {
  constexpr std::string_view kReplacement = "\uFFFD";
  if (shown.find(kReplacement) == std::string_view::npos) return shown;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.size() < shown.size() / 3 || g_utf8_validate(line.data(), line.size(), nullptr)) {
      continue;  // too short to mend into it, or nothing to mend
    }
    const std::unique_ptr<char, decltype(&g_free)> mended(
        g_utf8_make_valid(line.data(), static_cast<gssize>(line.size())), &g_free);
    if (shown == mended.get()) return line;
  }
  return shown;
}

// `statistics.ini.corrupt-20260101-120000`: a name of its own per setting
// aside, so an older one is never overwritten.
std::filesystem::path SetAsideName(const std::filesystem::path& file) {
  GDateTime* now = g_date_time_new_now_local();
  std::unique_ptr<char, GFreeDeleter> stamp(g_date_time_format(now, "%Y%m%d-%H%M%S"));
  g_date_time_unref(now);
  const std::string base = file.string() + ".corrupt-" + stamp.get();
  std::filesystem::path name = base;
  std::error_code ec;
  for (int n = 2;
       std::filesystem::symlink_status(name, ec).type() != std::filesystem::file_type::not_found;
       ++n) {
    name = base + "-" + std::to_string(n);
  }
  return name;
}

}  // namespace

KeptFileText ReadKeptFile(const fs::path& file) {
  KeptFileText out;
  const auto fail = [&out](std::string reason) {
    out.state = KeptFileText::State::kFailed;
    out.reason = std::move(reason);
    return out;
  };
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) {
    if (errno == ENOENT) return out;
    return fail(SystemError(errno));
  }
  if (!S_ISREG(st.st_mode)) return fail(NotPlainReason(st.st_mode));
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return out;
    return fail(SystemError(errno));
  }
  FdCloser closer(fd);
  // Checked again on what was opened: the name may have changed hands.
  if (::fstat(fd, &st) != 0) return fail(SystemError(errno));
  if (!S_ISREG(st.st_mode)) return fail(NotPlainReason(st.st_mode));
  const auto too_large = [&out] {
    out.state = KeptFileText::State::kTooLarge;
    out.text.clear();
    out.reason = Format(_("it is larger than %zu KiB"), kMaxKeptFileSize / 1024);
    return out;
  };
  if (static_cast<std::size_t>(st.st_size) > kMaxKeptFileSize) return too_large();
  // Read to the end rather than to st_size: the file may have grown since.
  std::string text;
  char chunk[4096];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return fail(SystemError(errno));
    if (n == 0) break;
    text.append(chunk, static_cast<std::size_t>(n));
    if (text.size() > kMaxKeptFileSize) return too_large();
  }
  out.state = KeptFileText::State::kRead;
  out.text = std::move(text);
  return out;
}

fs::path KeptFileTarget(const fs::path& file, std::string& problem) {
  fs::path current = file;
  for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0) {
      // Nothing there yet (or no folder for it): the write decides.
      if (errno == ENOENT) return current;
      problem = Format(_("cannot write %s: %s"), current.c_str(), SystemError(errno).c_str());
      return {};
    }
    if (!S_ISLNK(st.st_mode)) return current;
    std::string named(256, '\0');
    ssize_t n = 0;
    while ((n = ::readlink(current.c_str(), named.data(), named.size())) >= 0 &&
           static_cast<std::size_t>(n) == named.size()) {
      named.resize(named.size() * 2);
    }
    if (n < 0) {
      problem = Format(_("cannot write %s: %s"), current.c_str(), SystemError(errno).c_str());
      return {};
    }
    named.resize(static_cast<std::size_t>(n));
    // Not normalised: ".." in a link is the system's to resolve, past any
    // linked folder on the way.
    const fs::path next(named);
    current = next.is_absolute() ? next : FolderOf(current) / next;
  }
  problem = Format(_("cannot write %s: its links go round in a circle"), file.c_str());
  return {};
}

void ClearLeftovers(const fs::path& target, std::chrono::seconds min_age) {
  const fs::path folder = FolderOf(target);
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  const std::string prefix = target.filename().string() + std::string(kTemporaryInfix);
  const int dir_fd = ::dirfd(dir);
  const std::time_t now = std::time(nullptr);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (!IsTemporaryName(name, prefix)) continue;
    struct stat st {};
    if (::fstatat(dir_fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    // Another copy's save in flight writes its temporary file and renames it
    // within milliseconds, so one untouched for min_age is a killed save's.
    // Should we still take one in flight (a copy stopped in the middle of its
    // save), that copy's rename fails and it says its save failed; the file
    // it meant to replace stays whole. Statistics are cleared under their
    // lock, where no other copy is saving at all.
    if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid() || now - st.st_mtime < min_age.count()) {
      continue;
    }
    ::unlinkat(dir_fd, entry->d_name, 0);
  }
  ::closedir(dir);
}

std::string WriteKeptFile(const fs::path& file, std::string_view data) {
  std::error_code ec;
  if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
  if (ec) return Format(_("cannot make %s: %s"), file.parent_path().c_str(), ec.message().c_str());
  std::string problem;
  const fs::path target = KeptFileTarget(file, problem);
  if (target.empty()) return problem;
  const fs::path folder = FolderOf(target);
  std::optional<mode_t> kept_mode;
  struct stat st {};
  if (::lstat(target.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      return Format(_("cannot write %s: it is a folder; left as it is"), target.c_str());
    }
    if (!S_ISREG(st.st_mode)) {
      return Format(_("cannot write %s: it is not a plain file; left as it is"), target.c_str());
    }
    kept_mode = st.st_mode & 07777;
  } else if (errno != ENOENT) {
    return Format(_("cannot write %s: %s"), target.c_str(), SystemError(errno).c_str());
  } else if (target != file && !fs::is_directory(folder, ec)) {
    return Format(_("cannot write %s: it links to %s, whose folder does not exist"), file.c_str(),
                  target.c_str());
  }
  ClearLeftovers(target, kLeftoverAge);
  fs::path temp;
  int fd = -1;
  for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
    temp = folder / (target.filename().string() + std::string(kTemporaryInfix) + RandomPart());
    // 0666 less the umask, as any new file of the player's.
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return Format(_("cannot write %s: %s"), target.c_str(), SystemError(errno).c_str());
  // Best effort: the contents matter more than the bits.
  if (kept_mode) static_cast<void>(::fchmod(fd, *kept_mode));
  int failure = WriteAll(fd, data) && ::fsync(fd) == 0 ? 0 : errno;
  // A full disk may show only when the data is handed over at close.
  if (::close(fd) != 0 && failure == 0) failure = errno;
  if (failure == 0 && ::rename(temp.c_str(), target.c_str()) != 0) failure = errno;
  if (failure != 0) {
    ::unlink(temp.c_str());
    return Format(_("cannot write %s: %s"), target.c_str(), SystemError(failure).c_str());
  }
  SyncFolder(folder);
  return "";
}

KeptFileLock::KeptFileLock(const fs::path& file, std::chrono::milliseconds patience) {
  // Beside the name the game uses rather than a link's target: the lock file
  // stays in the game's own folder, and every copy of the game uses that name.
  const std::string name = file.string() + ".lock";
  fd_ = ::open(name.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  // Another user's lock file still locks when read.
  if (fd_ < 0 && errno == EACCES) fd_ = ::open(name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd_ < 0) return;
  const auto give_up = std::chrono::steady_clock::now() + patience;
  while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    if (error == EINTR) continue;
    if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= give_up) {
      busy_ = error == EWOULDBLOCK;
      ::close(fd_);
      fd_ = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

KeptFileLock::~KeptFileLock() {
  // Closing lets go of the lock. The lock file stays: removing it would let a
  // copy waiting on the old file and one opening a new file both hold "the" lock.
  if (fd_ >= 0) ::close(fd_);
}

std::string Excerpt(std::string_view text, std::size_t max_chars) {
  std::string out;
  std::size_t chars = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    if (chars == max_chars) {
      out += "…";
      break;
    }
    const auto rest = static_cast<gssize>(text.size() - i);
    const gunichar c = g_utf8_get_char_validated(text.data() + i, rest);
    const bool valid = c != static_cast<gunichar>(-1) && c != static_cast<gunichar>(-2);
    const std::size_t length =
        valid ? static_cast<std::size_t>(g_utf8_skip[static_cast<guchar>(text[i])]) : 1;
    if (valid && g_unichar_isprint(c)) {
      out.append(text.substr(i, length));
    } else {
      // Each byte of a character that does not print: a control byte, a
      // stray one of a broken sequence, or a format character that could
      // turn the terminal's text around.
      for (std::size_t b = 0; b < length; ++b) {
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(text[i + b]));
        out += escaped;
      }
    }
    i += length;
    ++chars;
  }
  return out;
}

std::string TamedMessage(std::string_view message, std::string_view text) {
  constexpr std::string_view kOpen = "“";
  constexpr std::string_view kClose = "”";
  std::string cut;
  std::size_t from = 0;
  for (std::size_t open = message.find(kOpen); open != std::string_view::npos;
       open = message.find(kOpen, from)) {
    const std::size_t inside = open + kOpen.size();
    const std::size_t close = message.find(kClose, inside);
    if (close == std::string_view::npos) break;
    cut.append(message.substr(from, inside - from));
    cut += Excerpt(LineShownAs(text, message.substr(inside, close - inside)), kExcerptChars);
    from = close;
  }
  cut.append(message.substr(from));
  return Excerpt(cut, kMessageChars);
}

}  // namespace vantel

namespace vantel {

fs::path SetKeptFileAside(const fs::path& file, std::string& problem) {
  // A link's target is set aside, not the link: the next save writes a new
  // target through the same link.
  const fs::path target = KeptFileTarget(file, problem);
  if (target.empty()) return {};
  const fs::path aside = SetAsideName(target);
  if (g_rename(target.c_str(), aside.c_str()) != 0) {
    problem = std::strerror(errno);
    return {};
  }
  return aside;
}

}  // namespace vantel
