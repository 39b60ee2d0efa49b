#include "trace_file.h"

#include "i18n/format.h"
#include "i18n/gettext.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vantel {

namespace fs = std::filesystem;

bool TraceFile::FileBuffer::Drain() {
  const char* at = pbase();
  while (error_number == 0 && at < pptr()) {
    const ssize_t n = ::write(fd, at, static_cast<size_t>(pptr() - at));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error_number = n < 0 ? errno : EIO;
      break;
    }
    at += n;
  }
  setp(bytes_.data(), bytes_.data() + bytes_.size());
  return error_number == 0;
}

int TraceFile::FileBuffer::overflow(int c) {
  if (!Drain()) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

TraceFile::~TraceFile() {
  if (buffer_.fd >= 0) ::close(buffer_.fd);
  if (!temp_.empty()) ::unlink(temp_.c_str());
}

std::string TraceFile::FailureText() const {
  return Format(_("cannot write the trace file %s: %s"), target_.c_str(),
                std::strerror(buffer_.error_number));
}

bool TraceFile::Open(const fs::path& target, std::string* error) {
  target_ = target;
  struct stat st {};
  const bool special = ::stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
  if (special && S_ISDIR(st.st_mode)) {
    *error = Format(_("cannot write the trace file %s: %s"), target.c_str(), _("it is a folder"));
    return false;
  }
  if (special) {
    buffer_.fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
  } else {
    temp_ = target;
    temp_ += ".part-" + std::to_string(::getpid());
    buffer_.fd = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
  }
  if (buffer_.fd < 0) {
    *error = Format(_("cannot write the trace file %s: %s"), target.c_str(), std::strerror(errno));
    temp_.clear();
    return false;
  }
  return true;
}

bool TraceFile::Commit(std::string* error) {
  out_.flush();
  if (buffer_.fd >= 0 && ::close(buffer_.fd) != 0 && buffer_.error_number == 0)
    buffer_.error_number = errno;
  buffer_.fd = -1;
  if (Failed()) {
    *error = FailureText();
    return false;
  }
  if (!temp_.empty()) {
    if (::rename(temp_.c_str(), target_.c_str()) != 0) {
      *error = Format(_("cannot put the trace file in place as %s: %s"), target_.c_str(),
                      std::strerror(errno));
      return false;
    }
    temp_.clear();
  }
  return true;
}

}  // namespace vantel
