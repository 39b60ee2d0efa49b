#pragma once

#include <array>
#include <filesystem>
#include <ostream>
#include <streambuf>
#include <string>

namespace vantel {

// The trace's output. A file is written under a new name beside the target
// and takes the target's name only when the run finished and everything was
// written, so a failed run leaves no cut-short trace; a pipe or device
// (/dev/stdout) is written directly. The first failed write is remembered
// with the system's reason, so the run can stop there.
class TraceFile {
 public:
  TraceFile() : out_(&buffer_) {}
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;
  ~TraceFile();  // drops an uncommitted file

  // False, with the reason in *error, when it cannot be created.
  bool Open(const std::filesystem::path& target, std::string* error);
  std::ostream& Stream() { return out_; }
  bool Failed() const { return buffer_.error_number != 0; }
  // Why writing failed, naming the file.
  std::string FailureText() const;
  // Flushes and puts the file in place. False, with the reason, if that fails.
  bool Commit(std::string* error);

 private:
  // Hands the bytes to the system in large writes, keeping the first error.
  class FileBuffer final : public std::streambuf {
   public:
    FileBuffer() { setp(bytes_.data(), bytes_.data() + bytes_.size()); }
    int fd = -1;
    int error_number = 0;
    bool Drain();

   protected:
    int overflow(int c) override;
    int sync() override { return Drain() ? 0 : -1; }

   private:
    std::array<char, 1 << 16> bytes_{};
  };

  std::filesystem::path target_;
  std::filesystem::path temp_;  // empty when written directly
  FileBuffer buffer_;
  std::ostream out_;
};

}  // namespace vantel
