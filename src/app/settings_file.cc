#include "app/settings_file.h"

#include <glib.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

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

constexpr const char* kScalingNames[] = {"automatic", "sharp", "smooth"};

struct KeyFileDeleter {
  void operator()(GKeyFile* f) const { g_key_file_free(f); }
};
struct ErrorDeleter {
  void operator()(GError* e) const { g_error_free(e); }
};
struct GFreeDeleter {
  void operator()(void* p) const { g_free(p); }
};
using KeyFilePtr = std::unique_ptr<GKeyFile, KeyFileDeleter>;

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
    bool known = false;
    for (int i = 0; i < 3; ++i) {
      if (*scaling == kScalingNames[i]) {
        options.scaling = static_cast<PictureScaling>(i);
        known = true;
      }
    }
    if (!known) r.Wrong(kScalingKey);
  }
}

std::string Joined(const std::vector<std::string>& keys) {
  std::string text;
  for (const std::string& key : keys) text += (text.empty() ? "" : ", ") + key;
  return text;
}

}  // namespace

std::filesystem::path SettingsPath() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::filesystem::path base;
  if (xdg != nullptr && xdg[0] == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = std::filesystem::path(home != nullptr && home[0] != '\0' ? home : g_get_home_dir()) /
           ".config";
  }
  return base / "vantel" / "settings.ini";
}

std::string LoadSettings(const std::filesystem::path& file, Options& options) {
  KeyFilePtr keys(g_key_file_new());
  GError* raw = nullptr;
  if (!g_key_file_load_from_file(keys.get(), file.c_str(), G_KEY_FILE_NONE, &raw)) {
    std::unique_ptr<GError, ErrorDeleter> error(raw);
    if (error && error->domain == G_FILE_ERROR && error->code == G_FILE_ERROR_NOENT) return "";
    return Format(_("settings in %s not read (%s); playing with the defaults"), file.c_str(),
                  error ? error->message : _("unknown error"));
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
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  if (ec)
    return Format(_("settings not saved: cannot make %s: %s"), file.parent_path().c_str(),
                  ec.message().c_str());
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
  gsize length = 0;
  std::unique_ptr<char, GFreeDeleter> text(g_key_file_to_data(k, &length, nullptr));
  GError* raw = nullptr;
  // A temporary file beside it renamed over the old one: a crash mid-write
  // leaves the old settings whole.
  if (!g_file_set_contents(file.c_str(), text.get(), static_cast<gssize>(length), &raw)) {
    std::unique_ptr<GError, ErrorDeleter> error(raw);
    return Format(_("settings not saved to %s: %s"), file.c_str(),
                  error ? error->message : _("unknown error"));
  }
  return "";
}

}  // namespace vantel
