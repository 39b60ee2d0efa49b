#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// The small files the game keeps for the player (settings, statistics): read
// with a bound, written atomically through the player's links, leftovers of
// killed saves cleared, and a lock for the writers that must not overlap.

namespace vantel {

// The game writes a few hundred bytes; a file past this was not written by it,
// and reading it whole would only cost memory.
inline constexpr std::size_t kMaxKeptFileSize = std::size_t{1} << 20;

// How long a temporary file of ours must have gone unwritten before it counts
// as the leftover of a killed save (see ClearLeftovers).
inline constexpr std::chrono::seconds kLeftoverAge{60};

struct KeptFileText {
  enum class State {
    kRead,      // `text` holds the contents
    kMissing,   // no such file (or a link to none)
    kTooLarge,  // larger than kMaxKeptFileSize: not read
    kFailed,    // not a plain file, or the system said no: `reason` says why
  };
  State state = State::kMissing;
  std::string text;
  std::string reason;  // one line, for every state but kRead and kMissing
};

// Reads the file (through links) unless it is larger than kMaxKeptFileSize.
// Pipes, devices and folders are not opened for reading, so none can block
// or flood the game.
KeptFileText ReadKeptFile(const std::filesystem::path& file);

// Where a save of `file` lands: `file` itself, or for a symbolic link the file
// it names at the end of its chain of links, whether or not that exists yet.
// Empty, with `problem` set, when the links go round in a circle or cannot be
// read.
std::filesystem::path KeptFileTarget(const std::filesystem::path& file, std::string& problem);

// Writes `data` as `file` atomically: a temporary file in the target's folder
// (KeptFileTarget), flushed to the disk, then renamed over the target, whose
// permissions it keeps. A link stays a link. Makes `file`'s folder when
// missing; a link whose target's folder is missing, or a target that is no
// plain file, is refused. Clears leftovers of killed saves on the way. Empty
// on success, else one line saying why.
std::string WriteKeptFile(const std::filesystem::path& file, std::string_view data);

// Renames a damaged `file` (a link's target, for a link) out of the way, to
// `<name>.corrupt-<local date and time>`, a name no earlier one has. The new
// name, or empty with `problem` saying why not.
std::filesystem::path SetKeptFileAside(const std::filesystem::path& file, std::string& problem);

// Removes the temporary files killed saves of `target` left in its folder:
// only names of our own pattern for that file (`<name>.tmp-` and six letters or
// digits), only plain files of this user, and only those untouched for
// `min_age`. Quiet: a leftover that cannot go stays for the next save.
void ClearLeftovers(const std::filesystem::path& target, std::chrono::seconds min_age);

// An exclusive lock on `<file>.lock` beside `file`, held while the object
// lives, for writers that read the file and write it back: without it two
// copies of the game would each write back what they read and one's counts
// would be lost. Waits for another holder up to `patience`.
class KeptFileLock {
 public:
  explicit KeptFileLock(const std::filesystem::path& file,
                        std::chrono::milliseconds patience = std::chrono::seconds(5));
  ~KeptFileLock();
  KeptFileLock(const KeptFileLock&) = delete;
  KeptFileLock& operator=(const KeptFileLock&) = delete;

  // True when another holder kept the lock past the patience. A lock file
  // that cannot be made, or a file system without locks, leaves the caller
  // unguarded rather than stopped: its own write then says what is wrong.
  bool Busy() const { return busy_; }

 private:
  int fd_ = -1;
  bool busy_ = false;
};

// At most `max_chars` characters of `text`, fit to quote on a terminal: bytes
// that are not printable UTF-8 become `\xNN`, and "…" ends a cut.
std::string Excerpt(std::string_view text, std::size_t max_chars);

// A library's message about the file holding `text`, bounded: each quoted
// piece (the library quotes the offending line whole) cut to a short excerpt,
// then the whole. A quoted line the library had to mend (it shows bytes that
// are no UTF-8 as U+FFFD) is quoted from `text` instead, so those bytes show
// as what they are.
std::string TamedMessage(std::string_view message, std::string_view text = {});

}  // namespace vantel
