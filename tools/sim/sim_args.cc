#include "sim_args.h"

#include "i18n/format.h"

#include <charconv>
#include <cmath>

namespace vantel {

namespace {

template <class T>
bool ParseNumber(std::string_view text, T& out) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end;
}

// A frame of the virtual clock: more than nothing, at most a minute.
constexpr double kMaxFrameMs = 60'000;

bool ParseFrameMs(std::string_view text, double& out) {
  // from_chars for double is not in every library we build with; go through strtod.
  const std::string copy(text);
  char* end = nullptr;
  out = std::strtod(copy.c_str(), &end);
  return !copy.empty() && end == copy.c_str() + copy.size() && std::isfinite(out) && out > 0 &&
         out <= kMaxFrameMs;
}

bool ApplyValue(SimArgs& a, std::string_view opt, std::string_view v, std::string& error) {
  SimConfig& c = a.config;
  bool ok = true;
  if (opt == "--seed") {
    ok = ParseNumber(v, c.seed);
  } else if (opt == "--hands") {
    ok = ParseNumber(v, c.hands) && c.hands > 0;
  } else if (opt == "--matches") {
    ok = ParseNumber(v, c.matches) && c.matches > 0;
  } else if (opt == "--deck") {
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
  } else if (opt == "--frame-ms") {
    ok = ParseFrameMs(v, c.frame_ms);
  } else if (opt == "--trace") {
    ok = !v.empty();
    a.trace_path = std::string(v);
  } else if (opt == "--screenshot-dir") {
    ok = !v.empty();
    a.shots.dir = std::string(v);
  } else if (opt == "--screenshot-every") {
    ok = ParseNumber(v, a.shots.every) && a.shots.every > 0;
  } else if (opt == "--screenshot-at") {
    const auto frames = ParseFrameList(v);
    ok = frames.has_value();
    if (ok) a.shots.at = *frames;
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
         opt == "--human" || opt == "--we" || opt == "--they" || opt == "--frame-ms" ||
         opt == "--trace" || opt == "--screenshot-dir" || opt == "--screenshot-every" ||
         opt == "--screenshot-at";
}

}  // namespace

std::optional<SimArgs> ParseSimArgs(const std::vector<std::string_view>& args, std::string& error) {
  SimArgs a;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view opt = args[i];
    if (opt == "--six") {
      a.config.six = true;
    } else if (opt == "--slow") {
      a.config.slow = true;
    } else if (opt == "--paired") {
      a.paired = true;
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
