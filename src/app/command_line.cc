#include "app/command_line.h"

#include <glib.h>

#include <array>
#include <memory>
#include <vector>

#include "app/key_file.h"
#include "codec/player_name.h"
#include "codec/table_codes.h"
#include "i18n/format.h"
#include "i18n/gettext.h"

#ifndef VANTEL_VERSION_TEXT
#define VANTEL_VERSION_TEXT "0.0.0"
#endif

namespace vantel {
namespace {

struct ContextDeleter {
  void operator()(GOptionContext* c) const { g_option_context_free(c); }
};

constexpr const char* kSummary =
    N_("A card game of the Italian fishing family: you and the computer partner\n"
       "against two computer opponents. Without options the options dialog opens.");

constexpr const char* kKeysDescription =
    N_("Keys at the table:\n"
       "  Left, Right     choose a card of your hand (1-9, 0, -, = : its place)\n"
       "  Return          play the chosen card\n"
       "  Left, Right     while taking cards: move among the cards you can take\n"
       "  Space           pick the chosen table card, or put it back\n"
       "  Backspace       take nothing\n"
       "  Return, Space   after a hand: deal the next one\n"
       "  any key, click  during the deal: put the cards down at once\n"
       "  R               sort your cards (before your first card of a deal)\n"
       "  Tab (held)      the plays of the round so far\n"
       "  P               pause and resume\n"
       "  F11, Alt+Enter  window or full screen\n"
       "  Escape          end the game");

// The seats of a hosted table, "person,classic,person,classic": the host's
// first, then right, partner and left.
std::optional<std::array<SeatChoice, kSeats>> SeatsOf(const std::string& text) {
  std::array<SeatChoice, kSeats> seats{};
  std::size_t start = 0;
  for (int seat = 0; seat < kSeats; ++seat) {
    const std::size_t comma = text.find(',', start);
    if ((comma == std::string::npos) != (seat == kSeats - 1)) return std::nullopt;
    const std::string word = text.substr(start, comma == std::string::npos ? comma : comma - start);
    start = comma + 1;
    if (word == "person") {
      seats[static_cast<std::size_t>(seat)] = {true, PlayerLevel::kClassic};
    } else if (const std::optional<PlayerLevel> level = PlayerLevelFromStoredName(word)) {
      seats[static_cast<std::size_t>(seat)] = {false, *level};
    } else {
      return std::nullopt;
    }
  }
  if (!seats[0].person) return std::nullopt;
  return seats;
}

struct NetworkArguments {
  gchar* connect = nullptr;
  gboolean host = FALSE;
  gchar* join = nullptr;
  gchar* name = nullptr;
  gchar* seats = nullptr;
  gint turn_seconds = 0;
  gchar* trust = nullptr;
  ~NetworkArguments() {
    for (gchar* text : {connect, join, name, seats, trust}) g_free(text);
  }
};

// The network table the arguments ask for, or why they do not add up.
std::optional<OnlineRequest> RequestOf(const NetworkArguments& a, std::string& why) {
  OnlineRequest request;
  const std::optional<TableAddress> address = ParseTableAddress(a.connect);
  if (!address) {
    why = Format(_("not a table server's address: %s (ws://HOST:PORT or wss://HOST:PORT)"),
                 a.connect);
    return std::nullopt;
  }
  request.address = *address;
  if ((a.host != FALSE) == (a.join != nullptr)) {
    why = _("--connect needs one of --host and --join");
    return std::nullopt;
  }
  request.host = a.host != FALSE;
  if (a.join != nullptr) {
    request.code = a.join;
    for (char& c : request.code) c = static_cast<char>(g_ascii_toupper(c));
    if (!IsJoinCode(request.code)) {
      why = Format(_("not a table code: %s"), a.join);
      return std::nullopt;
    }
  }
  request.name = a.name != nullptr ? a.name : g_get_user_name();
  if (!IsPlayerName(request.name)) {
    why = Format(_("not a player's name: %s (1 to 24 characters)"), request.name.c_str());
    return std::nullopt;
  }
  request.table.seats = {{{true, PlayerLevel::kClassic},
                          {false, PlayerLevel::kClassic},
                          {true, PlayerLevel::kClassic},
                          {false, PlayerLevel::kClassic}}};
  if (a.seats != nullptr) {
    const std::optional<std::array<SeatChoice, kSeats>> seats = SeatsOf(a.seats);
    if (!seats) {
      why = Format(_("not the seats of a table: %s (four of person, classic, expert; the "
                     "first a person)"),
                   a.seats);
      return std::nullopt;
    }
    request.table.seats = *seats;
  }
  if (a.turn_seconds != 0 &&
      (a.turn_seconds < kMinTurnSeconds || a.turn_seconds > kMaxTurnSeconds)) {
    why = Format(_("--turn-seconds: 0 (no limit) or %d to %d"), kMinTurnSeconds, kMaxTurnSeconds);
    return std::nullopt;
  }
  request.table.turn_seconds = a.turn_seconds;
  if (a.trust != nullptr) request.trusted_certificate = a.trust;
  return request;
}

std::string Usage(GOptionContext* context) {
  std::unique_ptr<char, GFreeDeleter> help(g_option_context_get_help(context, TRUE, nullptr));
  return help ? help.get() : "";
}

}  // namespace

CommandLine ParseCommandLine(int argc, char** argv) {
  CommandLine line;
  gboolean help = FALSE, version = FALSE, window = FALSE, full_screen = FALSE;
  gboolean skip_dialog = FALSE, show_rate = FALSE, resume = FALSE;
  gchar** rest = nullptr;
  NetworkArguments net;
  GOptionEntry entries[] = {
      {"help", 'h', 0, G_OPTION_ARG_NONE, &help, N_("Show this help and exit"), nullptr},
      {"version", 0, 0, G_OPTION_ARG_NONE, &version, N_("Show the version and exit"), nullptr},
      {"window", 0, 0, G_OPTION_ARG_NONE, &window, N_("Play in a window this time"), nullptr},
      {"fullscreen", 0, 0, G_OPTION_ARG_NONE, &full_screen, N_("Play full screen this time"),
       nullptr},
      {"skip-dialog", 0, 0, G_OPTION_ARG_NONE, &skip_dialog,
       N_("Start at once with the saved settings"), nullptr},
      {"resume", 0, 0, G_OPTION_ARG_NONE, &resume,
       N_("Go on with the match left last time, without asking"), nullptr},
      {"show-frame-rate", 0, 0, G_OPTION_ARG_NONE, &show_rate,
       N_("Show the pointer and the frame rate in the window's title"), nullptr},
      {"connect", 0, 0, G_OPTION_ARG_STRING, &net.connect,
       N_("Play at a table of the server at ADDRESS (ws://HOST:PORT)"), N_("ADDRESS")},
      {"host", 0, 0, G_OPTION_ARG_NONE, &net.host, N_("Host a new table and show its code"),
       nullptr},
      {"join", 0, 0, G_OPTION_ARG_STRING, &net.join, N_("Join the table with this code"),
       N_("CODE")},
      {"name", 0, 0, G_OPTION_ARG_STRING, &net.name, N_("Your name at the table"), N_("NAME")},
      {"seats", 0, 0, G_OPTION_ARG_STRING, &net.seats,
       N_("A hosted table's seats from yours round: person, classic or expert each"), N_("LIST")},
      {"turn-seconds", 0, 0, G_OPTION_ARG_INT, &net.turn_seconds,
       N_("A hosted table's time for a turn before the computer plays it (0: none)"),
       N_("SECONDS")},
      {"trust-cert", 0, 0, G_OPTION_ARG_FILENAME, &net.trust,
       N_("Trust this certificate (PEM) for a private wss:// server"), N_("FILE")},
      {G_OPTION_REMAINING, 0, 0, G_OPTION_ARG_STRING_ARRAY, &rest, nullptr, nullptr},
      {nullptr, 0, 0, G_OPTION_ARG_NONE, nullptr, nullptr, nullptr}};
  std::unique_ptr<GOptionContext, ContextDeleter> context(g_option_context_new(nullptr));
  // The help is ours to print, so that --help can be tested and never exits
  // from inside the parser.
  g_option_context_set_help_enabled(context.get(), FALSE);
  // GLib translates the option texts through the main group's domain, but the
  // summary and the description only through the context's own, which is
  // unset (no translation) unless named here.
  g_option_context_add_main_entries(context.get(), entries, VANTEL_TEXT_DOMAIN);
  g_option_context_set_translation_domain(context.get(), VANTEL_TEXT_DOMAIN);
  g_option_context_set_summary(context.get(), kSummary);
  g_option_context_set_description(context.get(), kKeysDescription);

  // The parser reorders and shortens its copy; the caller's stays as it was.
  std::vector<char*> args(argv, argv + argc);
  int count = argc;
  char** data = args.data();
  GError* raw = nullptr;
  const bool parsed = g_option_context_parse(context.get(), &count, &data, &raw) != FALSE;
  if (!parsed || rest != nullptr || (window && full_screen)) {
    std::string why = raw    ? raw->message
                      : rest ? Format(_("unexpected argument %s"), rest[0])
                             : _("--window and --fullscreen exclude each other");
    if (raw) g_error_free(raw);
    g_strfreev(rest);
    line.err = "vantel: " + why + "\n" + Usage(context.get());
    line.exit_status = kExitUsage;
    return line;
  }
  if (help) {
    line.out = Usage(context.get());
    line.exit_status = 0;
  } else if (version) {
    line.out = std::string("vantel ") + VANTEL_VERSION_TEXT + "\n";
    line.exit_status = 0;
  }
  const bool network_only = net.connect == nullptr &&
                            (net.host != FALSE || net.join != nullptr || net.name != nullptr ||
                             net.seats != nullptr || net.turn_seconds != 0 || net.trust != nullptr);
  if (!line.exit_status && (net.connect != nullptr || network_only)) {
    std::string why =
        network_only ? _("--host, --join and the table's options need --connect") : std::string();
    if (!network_only) line.online = RequestOf(net, why);
    if (!line.online) {
      line.err = "vantel: " + why + "\n";
      line.exit_status = kExitUsage;
      return line;
    }
  }
  if (window) line.full_screen = false;
  if (full_screen) line.full_screen = true;
  line.skip_dialog = skip_dialog;
  line.resume = resume;
  line.show_frame_rate = show_rate;
  return line;
}

}  // namespace vantel
