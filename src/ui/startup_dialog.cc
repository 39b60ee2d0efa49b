#include "ui/startup_dialog.h"

#include <gtk/gtk.h>

#include <optional>
#include <span>
#include <string>
#include <utility>

#include "codec/player_name.h"
#include "ui/message_box.h"
#include "ui/online_options.h"
#include "ui/online_texts.h"
#include "ui/startup_options.h"
#include "ui/startup_texts.h"
#include "ui/startup_timing.h"
#include "ui/statistics_texts.h"
#include "ui/title_picture.h"

#ifndef VANTEL_VERSION_MAJOR
#define VANTEL_VERSION_MAJOR 0
#define VANTEL_VERSION_MINOR 0
#define VANTEL_VERSION_PATCH 0
#endif

namespace vantel {
namespace {

enum Response { kStart = 1, kExit = 2, kHost = 3, kJoin = 4 };

struct Widgets {
  GtkWidget* dialog = nullptr;
  GtkWidget* notebook = nullptr;
  GtkWidget* bresciane = nullptr;  // the deck buttons
  GtkWidget* trevigiane = nullptr;
  GtkWidget* previews[2] = {nullptr, nullptr};  // 0 Trevigiane, 1 Bresciane
  GtkWidget* twelve_cards = nullptr;
  GtkWidget* six_cards = nullptr;
  GtkWidget* slow_animation = nullptr;
  GtkWidget* exit = nullptr;
  GtkWidget* windowed = nullptr;
  GtkWidget* scaling[3] = {nullptr, nullptr, nullptr};                 // by PictureScaling
  GtkWidget* opponent_levels[kPlayerLevelCount] = {nullptr, nullptr};  // by PlayerLevel
  GtkWidget* partner_levels[kPlayerLevelCount] = {nullptr, nullptr};
  GtkWidget* paces[2] = {nullptr, nullptr};  // by ComputerPace
  // The counts shown, by row and PlayerLevel.
  GtkWidget* statistics_cells[kStatisticsRowCount][kPlayerLevelCount] = {};
  // The "Play online" tab.
  GtkWidget* server = nullptr;
  GtkWidget* name = nullptr;
  GtkWidget* code = nullptr;
  GtkWidget* server_problem = nullptr;
  GtkWidget* name_problem = nullptr;
  GtkWidget* code_problem = nullptr;
  // By seat - 1, then SeatOccupant.
  GtkWidget* occupants[kOtherSeatCount][kSeatOccupantCount] = {};
  GtkWidget* online_hands[2] = {nullptr, nullptr};  // 12 cards, 6 cards
  GtkWidget* turn_limit = nullptr;
  GtkWidget* turn_seconds = nullptr;
  GtkWidget* host = nullptr;
  GtkWidget* join = nullptr;
  // The hand size to host was picked on the online tab, not set from the
  // Options tab; `following` is true while the dialog sets it itself.
  bool online_hand_chosen = false;
  bool following = false;
  const StatisticsAccess* statistics = nullptr;
  StartupDialogState state;
};

GtkWidget* WrappedLabel(const char* text, int width = 60) {
  GtkWidget* label = gtk_label_new(text);
  gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
  gtk_label_set_max_width_chars(GTK_LABEL(label), width);
  gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
  return label;
}

GtkWidget* Panel(int spacing = 8, int border = 12) {
  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, spacing);
  gtk_container_set_border_width(GTK_CONTAINER(box), static_cast<guint>(border));
  return box;
}

void Pack(GtkWidget* box, GtkWidget* child) {
  gtk_box_pack_start(GTK_BOX(box), child, FALSE, FALSE, 0);
}

bool Active(GtkWidget* toggle) {
  return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(toggle));
}

CheckState StateOf(GtkWidget* check) {
  if (gtk_toggle_button_get_inconsistent(GTK_TOGGLE_BUTTON(check))) return CheckState::kGrey;
  return Active(check) ? CheckState::kTicked : CheckState::kClear;
}

StartupControls ReadControls(const Widgets& w) {
  StartupControls c;
  c.trevigiane_selected = Active(w.trevigiane);
  c.six_card_selected = Active(w.six_cards);
  c.slow_animation_ticked = Active(w.slow_animation);
  c.windowed = StateOf(w.windowed);
  for (int i = 0; i < 3; ++i)
    if (Active(w.scaling[i])) c.scaling = static_cast<PictureScaling>(i);
  for (int i = 0; i < kPlayerLevelCount; ++i) {
    if (Active(w.opponent_levels[i])) c.opponent_level = static_cast<PlayerLevel>(i);
    if (Active(w.partner_levels[i])) c.partner_level = static_cast<PlayerLevel>(i);
  }
  if (Active(w.paces[1])) c.computer_pace = ComputerPace::kUnhurried;
  return c;
}

void SetActive(GtkWidget* toggle, bool active) {
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(toggle), active ? TRUE : FALSE);
}

void ShowControls(const Widgets& w, const StartupControls& c) {
  SetActive(c.trevigiane_selected ? w.trevigiane : w.bresciane, true);
  SetActive(c.six_card_selected ? w.six_cards : w.twelve_cards, true);
  SetActive(w.slow_animation, c.slow_animation_ticked);
  SetActive(w.windowed, c.windowed == CheckState::kTicked);
  SetActive(w.scaling[static_cast<int>(c.scaling)], true);
  SetActive(w.opponent_levels[static_cast<int>(c.opponent_level)], true);
  SetActive(w.partner_levels[static_cast<int>(c.partner_level)], true);
  SetActive(w.paces[static_cast<int>(c.computer_pace)], true);
}

void ShowBitmaps(Widgets& w) {
  const bool trevigiane = Active(w.trevigiane);
  gtk_widget_set_visible(w.previews[0], trevigiane);
  gtk_widget_set_visible(w.previews[1], !trevigiane);
}

void OnDeckToggled(GtkToggleButton*, gpointer data) {
  ShowBitmaps(*static_cast<Widgets*>(data));
}

void OnSwitchPage(GtkNotebook*, GtkWidget*, guint page, gpointer data) {
  static_cast<Widgets*>(data)->state.current_tab = static_cast<int16_t>(page);
}

gboolean OnRulesLink(GtkLabel*, gchar*, gpointer data) {
  GtkWidget* dialog = static_cast<Widgets*>(data)->dialog;
  ShowInfoBox(GTK_WINDOW(dialog), gtk_window_get_title(GTK_WINDOW(dialog)), _(kBrowserMessage));
  return TRUE;  // no browser is started
}

GtkWidget* PreviewImage(const char* deck_name, const ArchiveEntrySource& archive) {
  GdkPixbuf* preview = BuildDeckPreview(deck_name, archive);
  GtkWidget* image = preview ? gtk_image_new_from_pixbuf(preview) : gtk_image_new();
  if (preview) g_object_unref(preview);
  gtk_widget_set_no_show_all(image, TRUE);  // show_bitmaps decides
  return image;
}

GtkWidget* DeckPanel(Widgets& w, const ArchiveEntrySource& archive) {
  GtkWidget* box = Panel();
  w.bresciane = gtk_radio_button_new_with_label(nullptr, _(kBrescianeOption));
  w.trevigiane = gtk_radio_button_new_with_label_from_widget(GTK_RADIO_BUTTON(w.bresciane),
                                                             _(kTrevigianeOption));
  Pack(box, w.bresciane);
  Pack(box, WrappedLabel(_(kBrescianeDescription)));
  Pack(box, w.trevigiane);
  Pack(box, WrappedLabel(_(kTrevigianeDescription)));
  w.previews[1] = PreviewImage("Royal", archive);
  w.previews[0] = PreviewImage("Trevigiano", archive);
  Pack(box, w.previews[1]);
  Pack(box, w.previews[0]);
  g_signal_connect(w.trevigiane, "toggled", G_CALLBACK(OnDeckToggled), &w);
  return box;
}

GtkWidget* KeysPanel() {
  GtkWidget* box = Panel();
  for (const char* text :
       {kKeyHelpMouse, kKeyHelpPlayKeys, kKeyHelpCaptureKeys, kKeyHelpContinue, kKeyHelpR,
        kKeyHelpHint, kKeyHelpRound, kKeyHelpP, kKeyHelpFullScreen, kKeyHelpEscape})
    Pack(box, WrappedLabel(_(text)));
  return box;
}

GtkWidget* RulesPanel(Widgets& w) {
  GtkWidget* box = Panel();
  GtkWidget* view = gtk_text_view_new();
  gtk_text_view_set_editable(GTK_TEXT_VIEW(view), FALSE);
  gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(view), GTK_WRAP_WORD);
  gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)), _(kRulesText), -1);
  GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_widget_set_size_request(scroller, -1, 260);
  gtk_container_add(GTK_CONTAINER(scroller), view);
  gtk_box_pack_start(GTK_BOX(box), scroller, TRUE, TRUE, 0);
  GtkWidget* link = gtk_label_new(nullptr);
  gchar* markup = g_markup_printf_escaped("<a href=\"rules\">%s</a>", _(kRulesLinkText));
  gtk_label_set_markup(GTK_LABEL(link), markup);
  g_free(markup);
  g_signal_connect(link, "activate-link", G_CALLBACK(OnRulesLink), &w);
  Pack(box, link);
  return box;
}

GtkWidget* CreditsPanel() {
  GtkWidget* box = Panel();
  Pack(box, WrappedLabel(_(kCreditsText)));
  return box;
}

// A caption and one radio button per name, the first starting the group.
GtkWidget* RadioRow(GtkWidget* caption, std::span<const char* const> names,
                    std::span<GtkWidget*> buttons) {
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12);
  gtk_box_pack_start(GTK_BOX(row), caption, FALSE, FALSE, 0);
  for (std::size_t i = 0; i < names.size(); ++i) {
    buttons[i] = i == 0 ? gtk_radio_button_new_with_label(nullptr, names[i])
                        : gtk_radio_button_new_with_label_from_widget(GTK_RADIO_BUTTON(buttons[0]),
                                                                      names[i]);
    gtk_box_pack_start(GTK_BOX(row), buttons[i], FALSE, FALSE, 0);
  }
  return row;
}

// "Opponents: (o) Classic ( ) Expert": one radio button per PlayerLevel.
GtkWidget* LevelRow(const char* caption, GtkWidget* (&buttons)[kPlayerLevelCount]) {
  GtkWidget* label = gtk_label_new(_(caption));
  gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
  gtk_label_set_width_chars(GTK_LABEL(label), 11);  // both rows' buttons line up
  const char* const names[kPlayerLevelCount] = {_(kClassicLevelOption), _(kExpertLevelOption)};
  return RadioRow(label, names, buttons);
}

// Who plays, how the game shows, then the variant of the deal.
GtkWidget* OptionsPanel(Widgets& w) {
  GtkWidget* box = Panel();
  Pack(box, LevelRow(kOpponentsLabel, w.opponent_levels));
  Pack(box, LevelRow(kPartnerLabel, w.partner_levels));
  Pack(box, WrappedLabel(_(kLevelNote)));
  const char* const paces[] = {_(kNormalPaceOption), _(kUnhurriedPaceOption)};
  Pack(box, RadioRow(gtk_label_new(_(kPaceLabel)), paces, w.paces));
  Pack(box, WrappedLabel(_(kPaceNote)));
  w.windowed = gtk_check_button_new_with_label(_(kWindowedOption));
  Pack(box, w.windowed);
  Pack(box, WrappedLabel(_(kWindowedNote)));
  w.slow_animation = gtk_check_button_new_with_label(_(kSlowAnimationOption));
  Pack(box, w.slow_animation);
  Pack(box, WrappedLabel(_(kSlowAnimationNote)));
  const char* const scalings[] = {_(kAutomaticScalingOption), _(kSharpScalingOption),
                                  _(kSmoothScalingOption)};
  Pack(box, RadioRow(gtk_label_new(_(kScalingLabel)), scalings, w.scaling));
  Pack(box, WrappedLabel(_(kScalingNote)));
  w.twelve_cards = gtk_radio_button_new_with_label(nullptr, _(kTwelveCardOption));
  w.six_cards = gtk_radio_button_new_with_label_from_widget(GTK_RADIO_BUTTON(w.twelve_cards),
                                                            _(kSixCardOption));
  Pack(box, w.twelve_cards);
  Pack(box, WrappedLabel(_(kTwelveCardNote)));
  Pack(box, w.six_cards);
  Pack(box, WrappedLabel(_(kSixCardNote)));
  return box;
}

void ShowStatistics(Widgets& w) {
  const Statistics shown = w.statistics->read ? w.statistics->read() : Statistics{};
  for (int row = 0; row < kStatisticsRowCount; ++row) {
    for (int level = 0; level < kPlayerLevelCount; ++level) {
      gtk_label_set_text(GTK_LABEL(w.statistics_cells[row][level]),
                         StatisticsCell(shown.levels[level], row).c_str());
    }
  }
}

void OnResetStatistics(GtkButton*, gpointer data) {
  auto& w = *static_cast<Widgets*>(data);
  GtkWindow* dialog = GTK_WINDOW(w.dialog);
  if (!AskYesNo(dialog, kDialogTitle, _(kResetStatisticsQuestion))) return;
  const std::string problem = w.statistics->reset();
  ShowStatistics(w);
  if (!problem.empty())
    ShowInfoBox(dialog, kDialogTitle, std::string(_(kResetStatisticsFailed)) + " " + problem);
}

GtkWidget* RightAligned(const char* text) {
  GtkWidget* label = gtk_label_new(text);
  gtk_label_set_xalign(GTK_LABEL(label), 1.0f);
  return label;
}

GtkWidget* StatisticsPanel(Widgets& w) {
  GtkWidget* box = Panel();
  GtkWidget* grid = gtk_grid_new();
  gtk_grid_set_row_spacing(GTK_GRID(grid), 6);
  gtk_grid_set_column_spacing(GTK_GRID(grid), 24);
  const char* columns[kPlayerLevelCount] = {_(kClassicColumn), _(kExpertColumn)};
  for (int level = 0; level < kPlayerLevelCount; ++level)
    gtk_grid_attach(GTK_GRID(grid), RightAligned(columns[level]), level + 1, 0, 1, 1);
  for (int row = 0; row < kStatisticsRowCount; ++row) {
    GtkWidget* caption = gtk_label_new(_(kStatisticsRowNames[row]));
    gtk_label_set_xalign(GTK_LABEL(caption), 0.0f);
    gtk_grid_attach(GTK_GRID(grid), caption, 0, row + 1, 1, 1);
    for (int level = 0; level < kPlayerLevelCount; ++level) {
      w.statistics_cells[row][level] = RightAligned("");
      gtk_grid_attach(GTK_GRID(grid), w.statistics_cells[row][level], level + 1, row + 1, 1, 1);
    }
  }
  Pack(box, grid);
  Pack(box, WrappedLabel(_(kStatisticsNote)));
  GtkWidget* reset = gtk_button_new_with_label(_(kResetStatisticsCaption));
  gtk_widget_set_halign(reset, GTK_ALIGN_START);
  gtk_widget_set_sensitive(reset, w.statistics->reset ? TRUE : FALSE);
  g_signal_connect(reset, "clicked", G_CALLBACK(OnResetStatistics), &w);
  Pack(box, reset);
  ShowStatistics(w);
  return box;
}

std::string EntryText(GtkWidget* entry) {
  return gtk_entry_get_text(GTK_ENTRY(entry));
}

OnlineControls ReadOnline(const Widgets& w) {
  OnlineControls c;
  c.server = EntryText(w.server);
  c.name = EntryText(w.name);
  c.code = EntryText(w.code);
  for (int seat = 0; seat < kOtherSeatCount; ++seat) {
    for (int i = 0; i < kSeatOccupantCount; ++i)
      if (Active(w.occupants[seat][i])) c.others[seat] = static_cast<SeatOccupant>(i);
  }
  c.six_card_selected = Active(w.online_hands[1]);
  c.turn_limit_ticked = Active(w.turn_limit);
  // A number typed but not yet confirmed counts.
  gtk_spin_button_update(GTK_SPIN_BUTTON(w.turn_seconds));
  c.turn_seconds = gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(w.turn_seconds));
  return c;
}

// Return plays at once. Left to the button, GTK shows it pressed for a quarter
// of a second before it answers: a wait added to every start. Return on the
// focused Exit button or on the rules link keeps its own meaning. On the
// "Play online" tab Return never starts a game on this screen: in the code
// it joins, elsewhere the focused control answers it.
gboolean OnKeyPress(GtkWidget* dialog, GdkEventKey* event, gpointer data) {
  const auto& w = *static_cast<Widgets*>(data);
  const bool enter = event->keyval == GDK_KEY_Return || event->keyval == GDK_KEY_KP_Enter ||
                     event->keyval == GDK_KEY_ISO_Enter;
  const auto modifiers = event->state & gtk_accelerator_get_default_mod_mask();
  if (!enter || modifiers != 0) return FALSE;
  GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(dialog));
  if (w.state.current_tab == kOnlineTab) {
    if (focus != w.code) return FALSE;
    if (JoinChoice(ReadOnline(w))) gtk_dialog_response(GTK_DIALOG(dialog), kJoin);
    return TRUE;
  }
  if (focus == w.exit || GTK_IS_LABEL(focus)) return FALSE;
  gtk_dialog_response(GTK_DIALOG(dialog), kStart);
  return TRUE;
}

void SetProblem(GtkWidget* label, const std::string& problem) {
  // A space keeps the line's height, so that the controls below stay put.
  gchar* markup =
      g_markup_printf_escaped("<small>%s</small>", problem.empty() ? " " : problem.c_str());
  gtk_label_set_markup(GTK_LABEL(label), markup);
  g_free(markup);
}

// Says under each field what is wrong with it, and lets Host and Join be
// pressed only when they would hand over a choice.
void UpdateOnline(const Widgets& w) {
  const OnlineControls c = ReadOnline(w);
  const OnlineProblems problems = OnlineProblemsOf(c);
  SetProblem(w.server_problem, problems.server);
  SetProblem(w.name_problem, problems.name);
  SetProblem(w.code_problem, problems.code);
  gtk_widget_set_sensitive(w.turn_seconds, c.turn_limit_ticked ? TRUE : FALSE);
  gtk_widget_set_sensitive(w.host, HostChoice(c) ? TRUE : FALSE);
  gtk_widget_set_sensitive(w.join, JoinChoice(c) ? TRUE : FALSE);
}

void ShowOnline(Widgets& w, const OnlineControls& c) {
  gtk_entry_set_text(GTK_ENTRY(w.server), c.server.c_str());
  gtk_entry_set_text(GTK_ENTRY(w.name), c.name.c_str());
  gtk_entry_set_text(GTK_ENTRY(w.code), c.code.c_str());
  for (int seat = 0; seat < kOtherSeatCount; ++seat)
    SetActive(w.occupants[seat][static_cast<int>(c.others[seat])], true);
  w.following = true;
  SetActive(w.online_hands[c.six_card_selected ? 1 : 0], true);
  w.following = false;
  SetActive(w.turn_limit, c.turn_limit_ticked);
  gtk_spin_button_set_value(GTK_SPIN_BUTTON(w.turn_seconds), c.turn_seconds);
  UpdateOnline(w);
}

void OnOnlineChanged(GtkWidget*, gpointer data) {
  UpdateOnline(*static_cast<Widgets*>(data));
}

// A code shows in upper case as it is typed, as the table will read it.
void OnCodeInsert(GtkEditable* editable, const gchar* text, gint length, gint* position,
                  gpointer data) {
  gchar* upper = g_ascii_strup(text, length);
  if (std::string_view(upper) != std::string_view(text, static_cast<std::size_t>(length))) {
    g_signal_handlers_block_by_func(editable, reinterpret_cast<gpointer>(OnCodeInsert), data);
    gtk_editable_insert_text(editable, upper, -1, position);
    g_signal_handlers_unblock_by_func(editable, reinterpret_cast<gpointer>(OnCodeInsert), data);
    g_signal_stop_emission_by_name(editable, "insert-text");
  }
  g_free(upper);
}

// The hand size to host follows the Options tab's until it is chosen here.
void OnOptionsHandToggled(GtkToggleButton*, gpointer data) {
  auto& w = *static_cast<Widgets*>(data);
  if (w.online_hand_chosen) return;
  w.following = true;
  SetActive(w.online_hands[Active(w.six_cards) ? 1 : 0], true);
  w.following = false;
}

void OnOnlineHandToggled(GtkToggleButton*, gpointer data) {
  auto& w = *static_cast<Widgets*>(data);
  if (!w.following) w.online_hand_chosen = true;
}

void OnHost(GtkButton*, gpointer data) {
  const auto& w = *static_cast<Widgets*>(data);
  if (HostChoice(ReadOnline(w))) gtk_dialog_response(GTK_DIALOG(w.dialog), kHost);
}

void OnJoin(GtkButton*, gpointer data) {
  const auto& w = *static_cast<Widgets*>(data);
  if (JoinChoice(ReadOnline(w))) gtk_dialog_response(GTK_DIALOG(w.dialog), kJoin);
}

GtkWidget* ProblemLabel() {
  GtkWidget* label = WrappedLabel("");
  gtk_widget_set_margin_bottom(label, 2);
  return label;
}

// A caption whose Alt key moves to `target`, aligned as the other captions.
GtkWidget* Caption(const char* text, GtkWidget* target, int width = 0) {
  GtkWidget* label = gtk_label_new_with_mnemonic(text);
  gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
  if (width > 0) gtk_label_set_width_chars(GTK_LABEL(label), width);
  if (target) gtk_label_set_mnemonic_widget(GTK_LABEL(label), target);
  return label;
}

// "Caption: [entry]" with the field's problem under the entry.
void AttachField(GtkWidget* grid, int row, const char* caption, GtkWidget* entry,
                 GtkWidget* problem) {
  gtk_grid_attach(GTK_GRID(grid), Caption(caption, entry), 0, row, 1, 1);
  gtk_widget_set_hexpand(entry, TRUE);
  gtk_grid_attach(GTK_GRID(grid), entry, 1, row, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), problem, 1, row + 1, 1, 1);
}

GtkWidget* Entry(int max_length, const char* example, Widgets& w) {
  GtkWidget* entry = gtk_entry_new();
  gtk_entry_set_max_length(GTK_ENTRY(entry), max_length);
  gtk_entry_set_placeholder_text(GTK_ENTRY(entry), example);
  g_signal_connect(entry, "changed", G_CALLBACK(OnOnlineChanged), &w);
  return entry;
}

GtkWidget* HostFrame(Widgets& w) {
  constexpr int kCaptionWidth = 24;  // the rows' buttons line up
  // Closer than the other tabs: the online tab must not make the dialog taller.
  GtkWidget* box = Panel(2, 8);
  Pack(box, WrappedLabel(_(kHostNote)));
  const char* const captions[kOtherSeatCount] = {kRightOpponentLabel, kPartnerLabel,
                                                 kLeftOpponentLabel};
  const char* const occupants[kSeatOccupantCount] = {_(kPersonOption), _(kClassicLevelOption),
                                                     _(kExpertLevelOption)};
  for (int seat = 0; seat < kOtherSeatCount; ++seat) {
    Pack(box, RadioRow(Caption(_(captions[seat]), nullptr, kCaptionWidth), occupants,
                       w.occupants[seat]));
    for (GtkWidget* button : w.occupants[seat])
      g_signal_connect(button, "toggled", G_CALLBACK(OnOnlineChanged), &w);
  }
  const char* const hands[] = {_(kTwelveCardShort), _(kSixCardShort)};
  Pack(box, RadioRow(Caption(_(kHandSizeLabel), nullptr, kCaptionWidth), hands, w.online_hands));
  g_signal_connect(w.six_cards, "toggled", G_CALLBACK(OnOptionsHandToggled), &w);
  for (GtkWidget* button : w.online_hands)
    g_signal_connect(button, "toggled", G_CALLBACK(OnOnlineHandToggled), &w);

  GtkWidget* turn = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
  w.turn_limit = gtk_check_button_new_with_mnemonic(_(kTurnLimitOption));
  w.turn_seconds = gtk_spin_button_new_with_range(kMinTurnSeconds, kMaxTurnSeconds, 5);
  gtk_spin_button_set_digits(GTK_SPIN_BUTTON(w.turn_seconds), 0);
  gtk_spin_button_set_numeric(GTK_SPIN_BUTTON(w.turn_seconds), TRUE);
  g_signal_connect(w.turn_limit, "toggled", G_CALLBACK(OnOnlineChanged), &w);
  g_signal_connect(w.turn_seconds, "value-changed", G_CALLBACK(OnOnlineChanged), &w);
  gtk_box_pack_start(GTK_BOX(turn), w.turn_limit, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(turn), w.turn_seconds, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(turn), gtk_label_new(_(kSecondsLabel)), FALSE, FALSE, 0);
  w.host = gtk_button_new_with_mnemonic(_(kHostCaption));
  g_signal_connect(w.host, "clicked", G_CALLBACK(OnHost), &w);
  gtk_box_pack_end(GTK_BOX(turn), w.host, FALSE, FALSE, 0);
  Pack(box, turn);
  Pack(box, WrappedLabel(_(kTurnLimitNote)));

  GtkWidget* frame = gtk_frame_new(_(kHostFrameTitle));
  gtk_container_add(GTK_CONTAINER(frame), box);
  return frame;
}

GtkWidget* JoinFrame(Widgets& w) {
  GtkWidget* box = Panel(2, 8);
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
  // Room for a code written in groups ("K7Q-H2M"), which folds to six symbols.
  w.code = Entry(16, "K7QH2M", w);
  gtk_entry_set_width_chars(GTK_ENTRY(w.code), 12);
  g_signal_connect(w.code, "insert-text", G_CALLBACK(OnCodeInsert), &w);
  w.join = gtk_button_new_with_mnemonic(_(kJoinCaption));
  g_signal_connect(w.join, "clicked", G_CALLBACK(OnJoin), &w);
  gtk_box_pack_start(GTK_BOX(row), Caption(_(kCodeLabel), w.code), FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(row), w.code, FALSE, FALSE, 0);
  gtk_box_pack_end(GTK_BOX(row), w.join, FALSE, FALSE, 0);
  Pack(box, row);
  w.code_problem = ProblemLabel();
  Pack(box, w.code_problem);
  GtkWidget* frame = gtk_frame_new(_(kJoinFrameTitle));
  gtk_container_add(GTK_CONTAINER(frame), box);
  return frame;
}

// Where to play and as whom, then hosting or joining.
GtkWidget* OnlinePanel(Widgets& w) {
  GtkWidget* box = Panel(6);
  GtkWidget* grid = gtk_grid_new();
  gtk_grid_set_column_spacing(GTK_GRID(grid), 12);
  gtk_grid_set_row_spacing(GTK_GRID(grid), 2);
  w.server = Entry(256, kServerExample, w);
  w.name = Entry(static_cast<int>(kMaxPlayerNameLength), _(kNameExample), w);
  w.server_problem = ProblemLabel();
  w.name_problem = ProblemLabel();
  AttachField(grid, 0, _(kServerLabel), w.server, w.server_problem);
  AttachField(grid, 2, _(kNameLabel), w.name, w.name_problem);
  Pack(box, grid);
  Pack(box, HostFrame(w));
  Pack(box, JoinFrame(w));
  return box;
}

GtkWidget* Notebook(Widgets& w, const ArchiveEntrySource& archive) {
  w.notebook = gtk_notebook_new();
  // By StartupTab; the Options tab first, as the online tab's hand size follows it.
  GtkWidget* panels[kStartupTabCount] = {OptionsPanel(w),   OnlinePanel(w), DeckPanel(w, archive),
                                         KeysPanel(),       RulesPanel(w),  CreditsPanel(),
                                         StatisticsPanel(w)};
  for (int i = 0; i < kStartupTabCount; ++i)
    gtk_notebook_append_page(GTK_NOTEBOOK(w.notebook), panels[i],
                             gtk_label_new_with_mnemonic(_(kStartupTabNames[i])));
  g_signal_connect(w.notebook, "switch-page", G_CALLBACK(OnSwitchPage), &w);
  return w.notebook;
}

GtkWidget* FooterRow() {
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12);
  std::string version =
      VersionText(VANTEL_VERSION_MAJOR, VANTEL_VERSION_MINOR, VANTEL_VERSION_PATCH);
  gtk_box_pack_start(GTK_BOX(row), gtk_label_new(version.c_str()), FALSE, FALSE, 0);
  gtk_box_pack_end(GTK_BOX(row), gtk_label_new(_(kStartHintText)), FALSE, FALSE, 0);
  return row;
}

void Build(Widgets& w, const ArchiveEntrySource& archive) {
  w.dialog = gtk_dialog_new();
  gtk_window_set_title(GTK_WINDOW(w.dialog), kDialogTitle);
  gtk_window_set_resizable(GTK_WINDOW(w.dialog), FALSE);
  gtk_window_set_position(GTK_WINDOW(w.dialog), GTK_WIN_POS_CENTER);
  GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(w.dialog));
  gtk_box_set_spacing(GTK_BOX(content), 8);
  Pack(content, NewTitlePicture());
  gtk_box_pack_start(GTK_BOX(content), Notebook(w, archive), TRUE, TRUE, 0);
  Pack(content, FooterRow());
  GtkWidget* start = gtk_dialog_add_button(GTK_DIALOG(w.dialog), _(kStartCaption), kStart);
  w.exit = gtk_dialog_add_button(GTK_DIALOG(w.dialog), _(kExitCaption), kExit);
  g_signal_connect(w.dialog, "key-press-event", G_CALLBACK(OnKeyPress), &w);
  gtk_dialog_set_default_response(GTK_DIALOG(w.dialog), kStart);
  gtk_widget_show_all(w.dialog);
  ShowBitmaps(w);
  // Return starts the game, as the default button of a dialog should.
  gtk_widget_grab_focus(start);
}

void Destroy(Widgets& w) {
  gtk_widget_destroy(w.dialog);
  while (gtk_events_pending()) gtk_main_iteration();
}

}  // namespace

StartupChoice RunStartupDialog(Options& options, const ArchiveEntrySource& archive,
                               const StatisticsAccess& statistics, OnlineChoice& online) {
  Widgets w;
  w.statistics = &statistics;
  LoadStartupDialog(options, w.state);
  Build(w, archive);
  ShowControls(w, ControlsFor(options));
  ShowOnline(w, OnlineControlsFor(options));
  ShowBitmaps(w);
  gtk_notebook_set_current_page(GTK_NOTEBOOK(w.notebook), w.state.current_tab);
  int response = kExit;
  std::optional<OnlineChoice> chosen;
  // Host and Join are pressed only when they make a choice; should one be
  // answered anyway, the dialog stays.
  do {
    response = gtk_dialog_run(GTK_DIALOG(w.dialog));
    if (response == kHost) chosen = HostChoice(ReadOnline(w));
    if (response == kJoin) chosen = JoinChoice(ReadOnline(w));
  } while ((response == kHost || response == kJoin) && !chosen);
  MarkStartupPhase("dialog answered");
  StartupChoice choice = StartupChoice::kExit;
  if (response == kStart) {
    StoreStartOptions(ReadControls(w), options);
    choice = StartupChoice::kStart;
  }
  if (chosen) {
    StoreStartOptions(ReadControls(w), options);
    RememberOnline(*chosen, options);
    online = std::move(*chosen);
    choice = StartupChoice::kPlayOnline;
  }
  Destroy(w);
  MarkStartupPhase("dialog teardown");
  return choice;
}

}  // namespace vantel
