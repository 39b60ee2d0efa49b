#include "ui/message_box.h"

#include <SDL.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <string>

namespace vantel {
namespace {

bool gtk_ready = false;

// The game's messages break lines with CR LF; a label shows the CR as a glyph.
std::string WithoutCarriageReturns(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c != '\r') out += c;
  return out;
}

int RunBox(GtkWindow* parent, GtkMessageType type, GtkButtonsType buttons, std::string_view title,
           std::string_view text) {
  GtkWidget* box = gtk_message_dialog_new(parent, GTK_DIALOG_MODAL, type, buttons, "%s",
                                          WithoutCarriageReturns(text).c_str());
  gtk_window_set_title(GTK_WINDOW(box), std::string(title).c_str());
  if (buttons == GTK_BUTTONS_YES_NO)
    gtk_dialog_set_default_response(GTK_DIALOG(box), GTK_RESPONSE_NO);
  const int response = gtk_dialog_run(GTK_DIALOG(box));
  gtk_widget_destroy(box);
  while (gtk_events_pending()) gtk_main_iteration();
  return response;
}

}  // namespace

bool InitGtk() {
  if (gtk_ready) return true;
  gtk_disable_setlocale();
  gtk_ready = gtk_init_check(nullptr, nullptr);
  return gtk_ready;
}

bool GtkReady() {
  return gtk_ready;
}

void ShowErrorBox(std::string_view title, std::string_view text) {
  std::fprintf(stderr, "%s\n", WithoutCarriageReturns(text).c_str());
  if (gtk_ready) {
    RunBox(nullptr, GTK_MESSAGE_ERROR, GTK_BUTTONS_OK, title, text);
    return;
  }
  std::string t(title), m = WithoutCarriageReturns(text);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, t.c_str(), m.c_str(), nullptr);
}

void ShowInfoBox(GtkWindow* parent, std::string_view title, std::string_view text) {
  RunBox(parent, GTK_MESSAGE_INFO, GTK_BUTTONS_OK, title, text);
}

bool AskEitherOr(std::string_view title, std::string_view text, std::string_view first,
                 std::string_view second) {
  GtkWidget* box =
      gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION, GTK_BUTTONS_NONE,
                             "%s", WithoutCarriageReturns(text).c_str());
  gtk_window_set_title(GTK_WINDOW(box), std::string(title).c_str());
  gtk_dialog_add_buttons(GTK_DIALOG(box), std::string(second).c_str(), GTK_RESPONSE_NO,
                         std::string(first).c_str(), GTK_RESPONSE_YES, nullptr);
  gtk_dialog_set_default_response(GTK_DIALOG(box), GTK_RESPONSE_YES);
  const int response = gtk_dialog_run(GTK_DIALOG(box));
  gtk_widget_destroy(box);
  while (gtk_events_pending()) gtk_main_iteration();
  return response == GTK_RESPONSE_YES;
}

bool AskYesNo(GtkWindow* parent, std::string_view title, std::string_view text) {
  return RunBox(parent, GTK_MESSAGE_QUESTION, GTK_BUTTONS_YES_NO, title, text) == GTK_RESPONSE_YES;
}

}  // namespace vantel
