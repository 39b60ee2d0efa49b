#include "app/settings_file.h"

#include <glib.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <vector>

#include "app/kept_file.h"
#include "app/key_file.h"
#include "codec/player_name.h"
#include "codec/table_address.h"
#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {
namespace {

constexpr const char* kGroup = "game";
constexpr const char* kDeckKey = "deck";
constexpr const char* kHandKey = "hand_size";
constexpr const char* kSlowKey = "slow_animation";
constexpr const char* kWindowKey = "play_in_window";
constexpr const char* kWidthKey = "window_width";
constexpr const char* kHeightKey = "window_height";
constexpr const char* kScalingKey = "scaling";
constexpr const char* kOpponentsKey = "opponents";
constexpr const char* kPartnerKey = "partner";
constexpr const char* kPaceKey = "computer_pace";
constexpr const char* kOnlineServerKey = "online_server";
constexpr const char* kOnlineNameKey = "online_name";

constexpr const char* kScalingNames[] = {"automatic", "sharp", "smooth"};

// Reads each key on its own, so one bad value costs only itself.
class Reader {
 public:
  explicit Reader(GKeyFile* file) : file_(file) {}

  bool Has(const char* key) const { return g_key_file_has_key(file_, kGroup, key, nullptr); }

  std::optional<std::string> String(const char* key) {
    if (!Has(key)) return std::nullopt;
    GError* error = nullptr;
    std::unique_ptr<char, GFreeDeleter> value(g_key_file_get_string(file_, kGroup, key, &error));
    if (!value) return Bad(key, error);
    return std::string(value.get());
  }

  std::optional<bool> Bool(const char* key) {
    if (!Has(key)) return std::nullopt;
    GError* error = nullptr;
    const bool value = g_key_file_get_boolean(file_, kGroup, key, &error);
    if (error) return Bad(key, error);
    return value;
  }

  std::optional<int32_t> Int(const char* key, int32_t low, int32_t high) {
    if (!Has(key)) return std::nullopt;
    GError* error = nullptr;
    const int value = g_key_file_get_integer(file_, kGroup, key, &error);
    if (error) return Bad(key, error);
    if (value < low || value > high) return Wrong(key);
    return value;
  }

  std::nullopt_t Wrong(const char* key) {
    wrong_.emplace_back(key);
    return std::nullopt;
  }

  const std::vector<std::string>& WrongKeys() const { return wrong_; }

 private:
  std::nullopt_t Bad(const char* key, GError* error) {
    if (error) g_error_free(error);
    return Wrong(key);
  }

  GKeyFile* file_;
  std::vector<std::string> wrong_;
};

void ReadLevel(Reader& r, const char* key, PlayerLevel& level) {
  const std::optional<std::string> name = r.String(key);
  if (!name) return;
  if (const std::optional<PlayerLevel> known = PlayerLevelFromStoredName(*name)) {
    level = *known;
  } else {
    r.Wrong(key);
  }
}

void ReadInto(Reader& r, Options& options) {
  if (auto deck = r.String(kDeckKey)) {
    if (const std::optional<Deck> known = DeckFromStoredName(*deck)) {
      options.deck = *known;
    } else {
      r.Wrong(kDeckKey);
    }
  }
  if (auto hand = r.Int(kHandKey, kSixCardHand, kTwelveCardHand)) {
    if (*hand == kSixCardHand || *hand == kTwelveCardHand) {
      options.twelve_card_deal = *hand == kTwelveCardHand ? 1 : 0;
    } else {
      r.Wrong(kHandKey);
    }
  }
  if (auto slow = r.Bool(kSlowKey)) options.slow_animation = *slow;
  if (auto window = r.Bool(kWindowKey)) options.full_screen = !*window;
  auto width = r.Int(kWidthKey, 0, kMaxSavedWindowSide);
  auto height = r.Int(kHeightKey, 0, kMaxSavedWindowSide);
  const bool chosen = width && height && *width == 0 && *height == 0;
  if (width && height && !chosen &&
      (*width < kMinSavedWindowWidth || *height < kMinSavedWindowHeight)) {
    r.Wrong(*width < kMinSavedWindowWidth ? kWidthKey : kHeightKey);
  } else if (width && height) {
    options.window_width = *width;
    options.window_height = *height;
  }
  if (auto scaling = r.String(kScalingKey)) {
    const auto* known = std::find(std::begin(kScalingNames), std::end(kScalingNames), *scaling);
    if (known != std::end(kScalingNames)) {
      options.scaling = static_cast<PictureScaling>(known - std::begin(kScalingNames));
    } else {
      r.Wrong(kScalingKey);
    }
  }
  ReadLevel(r, kOpponentsKey, options.opponent_level);
  ReadLevel(r, kPartnerKey, options.partner_level);
  if (auto pace = r.String(kPaceKey)) {
    if (const std::optional<ComputerPace> known = ComputerPaceFromStoredName(*pace)) {
      options.computer_pace = *known;
    } else {
      r.Wrong(kPaceKey);
    }
  }
  // Checked as the dialog checks them, so it never offers what it would
  // refuse; empty is never played online.
  if (auto server = r.String(kOnlineServerKey)) {
    if (server->empty() || ParseTableAddress(*server)) {
      options.online_server = *server;
    } else {
      r.Wrong(kOnlineServerKey);
    }
  }
  if (auto name = r.String(kOnlineNameKey)) {
    if (name->empty() || IsPlayerName(*name)) {
      options.online_name = *name;
    } else {
      r.Wrong(kOnlineNameKey);
    }
  }
}

std::string Joined(const std::vector<std::string>& keys) {
  std::string text;
  for (const std::string& key : keys) text += (text.empty() ? "" : ", ") + key;
  return text;
}

}  // namespace

std::filesystem::path SettingsPath() {
  return XdgFile("XDG_CONFIG_HOME", ".config", "settings.ini");
}

std::string LoadSettings(const std::filesystem::path& file, Options& options) {
  const KeptFileText kept = ReadKeptFile(file);
  if (kept.state == KeptFileText::State::kMissing) return "";
  std::string why = kept.reason;
  KeyFilePtr keys;
  if (kept.state == KeptFileText::State::kRead) keys = ParseKeyFile(kept.text, why);
  if (!keys) {
    return Format(_("settings in %s not read (%s); playing with the defaults"), file.c_str(),
                  why.c_str());
  }
  Reader reader(keys.get());
  Options read = options;
  ReadInto(reader, read);
  options = read;
  if (reader.WrongKeys().empty()) return "";
  return Format(_("settings in %s: %s not understood; the default is used instead"), file.c_str(),
                Joined(reader.WrongKeys()).c_str());
}

std::string SaveSettings(const std::filesystem::path& file, const Options& options) {
  KeyFilePtr keys(g_key_file_new());
  GKeyFile* k = keys.get();
  g_key_file_set_string(k, kGroup, kDeckKey, std::string(DeckStoredName(options.deck)).c_str());
  g_key_file_set_integer(k, kGroup, kHandKey, HandSize(options));
  g_key_file_set_boolean(k, kGroup, kSlowKey, options.slow_animation);
  g_key_file_set_boolean(k, kGroup, kWindowKey, !options.full_screen);
  // 0 x 0: the game chooses the size.
  const bool sized = options.window_width > 0 && options.window_height > 0;
  g_key_file_set_integer(k, kGroup, kWidthKey, sized ? options.window_width : 0);
  g_key_file_set_integer(k, kGroup, kHeightKey, sized ? options.window_height : 0);
  g_key_file_set_string(k, kGroup, kScalingKey, kScalingNames[static_cast<int>(options.scaling)]);
  g_key_file_set_string(k, kGroup, kOpponentsKey,
                        std::string(PlayerLevelStoredName(options.opponent_level)).c_str());
  g_key_file_set_string(k, kGroup, kPartnerKey,
                        std::string(PlayerLevelStoredName(options.partner_level)).c_str());
  g_key_file_set_string(k, kGroup, kPaceKey,
                        std::string(ComputerPaceStoredName(options.computer_pace)).c_str());
  g_key_file_set_string(k, kGroup, kOnlineServerKey, options.online_server.c_str());
  g_key_file_set_string(k, kGroup, kOnlineNameKey, options.online_name.c_str());
  const std::string problem = WriteKeyFile(file, k);
  return problem.empty() ? "" : Format(_("settings not saved: %s"), problem.c_str());
}

}  // namespace vantel
