#include "sim_args.h"

#include "i18n/format.h"
#include "i18n/whole_number.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <set>

namespace vantel {

namespace {

// Bounds of the numeric options. A run of more hands or matches than these
// is not a test but a mistake, and would hold every hand's margin in memory.
constexpr long long kMaxSeed = 4'294'967'295;  // the seed is 32 bits
constexpr long long kMaxHands = 10'000'000;
constexpr long long kMaxMatches = 1'000'000;
constexpr long long kMaxFrameNumber = 1'000'000'000'000;
// A frame of the virtual clock: at least the clock's own millisecond (a
// shorter one leaves the tick count standing still, so a timed pause would
// outlast the frames a hand is given), at most a minute.
constexpr double kMinFrameMs = 1;
constexpr double kMaxFrameMs = 60'000;

bool ParseFrameMs(std::string_view opt, std::string_view v, double& out, std::string& error) {
  // from_chars for double is not in every library we build with; go through
  // strtod, which alone would also take leading blanks, "inf" and "nan".
  const std::string copy(v);
  char* end = nullptr;
  const double value = std::strtod(copy.c_str(), &end);
  const bool number = !copy.empty() && std::isspace(static_cast<unsigned char>(copy[0])) == 0 &&
                      end == copy.c_str() + copy.size();
  if (!number || !std::isfinite(value) || value < kMinFrameMs || value > kMaxFrameMs) {
    error = Format(_("%s takes milliseconds from %g to %g, not '%s'"), std::string(opt).c_str(),
                   kMinFrameMs, kMaxFrameMs, copy.c_str());
    return false;
  }
  out = value;
  return true;
}

bool ParseFrames(std::string_view opt, std::string_view v, std::vector<int64_t>& out,
                 std::string& error) {
  const auto frames = ParseFrameList(v);
  const bool ok = frames.has_value() && std::all_of(frames->begin(), frames->end(),
                                                    [](int64_t f) { return f <= kMaxFrameNumber; });
  if (!ok) {
    error = Format(_("%s takes frame numbers from 1 to %lld, separated by commas, not '%s'"),
                   std::string(opt).c_str(), kMaxFrameNumber, std::string(v).c_str());
    return false;
  }
  out = *frames;
  return true;
}

bool ApplyValue(SimArgs& a, std::string_view opt, std::string_view v, std::string& error) {
  SimConfig& c = a.config;
  if (opt == "--seed") return ParseWholeOption(opt, v, 0, kMaxSeed, c.seed, error);
  if (opt == "--hands") return ParseWholeOption(opt, v, 1, kMaxHands, c.hands, error);
  if (opt == "--matches") return ParseWholeOption(opt, v, 1, kMaxMatches, c.matches, error);
  if (opt == "--human-seat") {
    return ParseWholeOption(opt, v, 0, kSeats - 1, c.human_seat, error);
  }
  if (opt == "--frame-ms") return ParseFrameMs(opt, v, c.frame_ms, error);
  if (opt == "--screenshot-every") {
    return ParseWholeOption(opt, v, 1, kMaxFrameNumber, a.shots.every, error);
  }
  if (opt == "--screenshot-at") return ParseFrames(opt, v, a.shots.at, error);
  bool ok = true;
  if (opt == "--deck") {
    // "royal" is the Bresciane deck's stored name, kept for older scripts.
    ok = v == "bresciane" || v == "royal" || v == "trevigiane" || v == "trevigiano";
    c.deck = v.starts_with("trevigian") ? Deck::kTrevigiane : Deck::kBresciane;
  } else if (opt == "--human") {
    ok = v == "ai" || v == "random";
    c.human = v == "random" ? HumanMode::kRandom : HumanMode::kAi;
  } else if (opt == "--we" || opt == "--they") {
    const std::optional<PlayerLevel> level = PlayerLevelFromStoredName(v);
    ok = level.has_value();
    (opt == "--we" ? c.we : c.they) = level.value_or(PlayerLevel::kClassic);
  } else if (opt == "--trace") {
    ok = !v.empty();
    a.trace_path = std::string(v);
  } else if (opt == "--screenshot-dir") {
    ok = !v.empty();
    a.shots.dir = std::string(v);
  } else {
    error = Format(_("unknown option %s"), std::string(opt).c_str());
    return false;
  }
  if (!ok)
    error = Format(_("bad value for %s: '%s'"), std::string(opt).c_str(), std::string(v).c_str());
  return ok;
}

bool TakesValue(std::string_view opt) {
  return opt == "--seed" || opt == "--hands" || opt == "--matches" || opt == "--deck" ||
         opt == "--human" || opt == "--human-seat" || opt == "--we" || opt == "--they" ||
         opt == "--frame-ms" || opt == "--trace" || opt == "--screenshot-dir" ||
         opt == "--screenshot-every" || opt == "--screenshot-at";
}

}  // namespace

std::optional<SimArgs> ParseSimArgs(const std::vector<std::string_view>& args, std::string& error) {
  SimArgs a;
  // A second value would silently replace the first; the command line is
  // more likely wrong than meant so.
  std::set<std::string_view> seen;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view opt = args[i];
    if (opt.starts_with("-") && !seen.insert(opt == "-h" ? "--help" : opt).second) {
      error = Format(_("%s is given more than once"), std::string(opt).c_str());
      return std::nullopt;
    }
    if (opt == "--six") {
      a.config.six = true;
    } else if (opt == "--slow") {
      a.config.slow = true;
    } else if (opt == "--paired") {
      a.paired = true;
    } else if (opt == "--screenshot-round-view") {
      a.shots.round_view = true;
    } else if (opt == "--quiet") {
      a.quiet = true;
    } else if (opt == "--help" || opt == "-h") {
      a.help = true;
    } else if (opt == "--version") {
      a.version = true;
    } else if (TakesValue(opt)) {
      if (i + 1 >= args.size()) {
        error = Format(_("missing value for %s"), std::string(opt).c_str());
        return std::nullopt;
      }
      if (!ApplyValue(a, opt, args[++i], error)) return std::nullopt;
    } else {
      error = Format(_("unknown argument %s"), std::string(opt).c_str());
      return std::nullopt;
    }
  }
  if (a.config.hands > 0 && a.config.matches > 0) {
    error = _("give either --hands or --matches, not both");
    return std::nullopt;
  }
  if (a.config.hands == 0 && a.config.matches == 0) a.config.hands = 1;
  if (a.paired && (!a.trace_path.empty() || a.shots.Enabled())) {
    error = _("--paired runs many games: it takes no --trace or screenshots");
    return std::nullopt;
  }
  if (a.shots.Enabled() != (a.shots.every > 0 || !a.shots.at.empty())) {
    error = _("--screenshot-dir goes with --screenshot-every or --screenshot-at");
    return std::nullopt;
  }
  return a;
}

}  // namespace vantel
