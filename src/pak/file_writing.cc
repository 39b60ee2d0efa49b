#include "pak/file_writing.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {

namespace fs = std::filesystem;

namespace {

// Attempts at a free name for the new file before giving up.
constexpr int kNameAttempts = 100;

std::atomic<unsigned> next_file_number{0};

// ".name.PID.N" beside target: hidden, and unique within and between processes.
fs::path NewFileBeside(const fs::path& target) {
  // Appended piece by piece: GCC 12 at -O3 takes `"." + std::string&&` for an
  // overlapping copy and warns (-Wrestrict) where there is none.
  std::string name = ".";
  name += target.filename().string();
  name += '.';
  name += std::to_string(::getpid());
  name += '.';
  name += std::to_string(next_file_number++);
  return target.parent_path() / name;
}

std::string Refusal(const fs::path& target, const struct stat& st) {
  const char* pattern =
      S_ISDIR(st.st_mode)    ? _("cannot write %s: it is a folder; left as it is")
      : S_ISCHR(st.st_mode)  ? _("cannot write %s: it is a character device; left as it is")
      : S_ISBLK(st.st_mode)  ? _("cannot write %s: it is a block device; left as it is")
      : S_ISFIFO(st.st_mode) ? _("cannot write %s: it is a pipe; left as it is")
      : S_ISSOCK(st.st_mode) ? _("cannot write %s: it is a socket; left as it is")
                             : _("cannot write %s: it is not a plain file; left as it is");
  return Format(pattern, target.c_str());
}

bool WriteAll(int fd, std::span<const uint8_t> data) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::string LastSystemError() {
  return std::strerror(errno);
}

std::string ReplaceFile(const fs::path& target, std::span<const uint8_t> data) {
  struct stat st {};
  if (::lstat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) {
    return Refusal(target, st);
  }
  fs::path temp;
  int fd = -1;
  for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
    temp = NewFileBeside(target);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    return Format(_("cannot create a file beside %s: %s"), target.c_str(),
                  LastSystemError().c_str());
  }
  int failure = WriteAll(fd, data) ? 0 : errno;
  // A full disk may show only when the data is handed over at close.
  if (::close(fd) != 0 && failure == 0) failure = errno;
  if (failure != 0) {
    ::unlink(temp.c_str());
    return Format(_("cannot write %s: %s"), target.c_str(), std::strerror(failure));
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    failure = errno;
    ::unlink(temp.c_str());
    return Format(_("cannot write %s: %s"), target.c_str(), std::strerror(failure));
  }
  return "";
}

}  // namespace vantel
