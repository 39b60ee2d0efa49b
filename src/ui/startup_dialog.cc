#include "ui/startup_dialog.h"

#include <gtk/gtk.h>

#include <span>

#include "ui/message_box.h"
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

enum Response { kStart = 1, kExit = 2 };

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
  const StatisticsAccess* statistics = nullptr;
  StartupDialogState state;
};

// Return plays at once. Left to the button, GTK shows it pressed for a quarter
// of a second before it answers: a wait added to every start. Return on the
// focused Exit button or on the rules link keeps its own meaning.
gboolean OnKeyPress(GtkWidget* dialog, GdkEventKey* event, gpointer data) {
  const auto& w = *static_cast<Widgets*>(data);
  const bool enter = event->keyval == GDK_KEY_Return || event->keyval == GDK_KEY_KP_Enter ||
                     event->keyval == GDK_KEY_ISO_Enter;
  const auto modifiers = event->state & gtk_accelerator_get_default_mod_mask();
  if (!enter || modifiers != 0) return FALSE;
  GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(dialog));
  if (focus == w.exit || GTK_IS_LABEL(focus)) return FALSE;
  gtk_dialog_response(GTK_DIALOG(dialog), kStart);
  return TRUE;
}

GtkWidget* WrappedLabel(const char* text, int width = 60) {
  GtkWidget* label = gtk_label_new(text);
  gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
  gtk_label_set_max_width_chars(GTK_LABEL(label), width);
  gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
  return label;
}

GtkWidget* Panel() {
  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 8);
  gtk_container_set_border_width(GTK_CONTAINER(box), 12);
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

GtkWidget* Notebook(Widgets& w, const ArchiveEntrySource& archive) {
  w.notebook = gtk_notebook_new();
  // By StartupTab.
  GtkWidget* panels[kStartupTabCount] = {OptionsPanel(w), DeckPanel(w, archive),
                                         KeysPanel(),     RulesPanel(w),
                                         CreditsPanel(),  StatisticsPanel(w)};
  for (int i = 0; i < kStartupTabCount; ++i)
    gtk_notebook_append_page(GTK_NOTEBOOK(w.notebook), panels[i],
                             gtk_label_new(_(kStartupTabNames[i])));
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
                               const StatisticsAccess& statistics) {
  Widgets w;
  w.statistics = &statistics;
  LoadStartupDialog(options, w.state);
  Build(w, archive);
  ShowControls(w, ControlsFor(options));
  ShowBitmaps(w);
  gtk_notebook_set_current_page(GTK_NOTEBOOK(w.notebook), w.state.current_tab);
  const int response = gtk_dialog_run(GTK_DIALOG(w.dialog));
  MarkStartupPhase("dialog answered");
  StartupChoice choice = StartupChoice::kExit;
  if (response == kStart) {
    StoreStartOptions(ReadControls(w), options);
    choice = StartupChoice::kStart;
  }
  Destroy(w);
  MarkStartupPhase("dialog teardown");
  return choice;
}

}  // namespace vantel
