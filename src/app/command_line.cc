#include "app/command_line.h"

#include <glib.h>

#include <memory>
#include <vector>

#include "app/key_file.h"
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
  if (window) line.full_screen = false;
  if (full_screen) line.full_screen = true;
  line.skip_dialog = skip_dialog;
  line.resume = resume;
  line.show_frame_rate = show_rate;
  return line;
}

}  // namespace vantel
