#pragma once

#include <string_view>

typedef struct _GtkWindow GtkWindow;

namespace vantel {

// Starts GTK without letting it set the process locale (numbers must keep
// printing with a point). False when no display can be opened.
bool InitGtk();
bool GtkReady();

// One modal message box with an OK button. Falls back to SDL's box, then to
// standard error, when GTK has no display.
void ShowErrorBox(std::string_view title, std::string_view text);
void ShowInfoBox(GtkWindow* parent, std::string_view title, std::string_view text);
// A modal question with Yes and No; true for Yes. No is the default answer.
bool AskYesNo(GtkWindow* parent, std::string_view title, std::string_view text);
// A modal question with two named answers; true for `first`, the default.
// Closing the box answers `second`.
bool AskEitherOr(std::string_view title, std::string_view text, std::string_view first,
                 std::string_view second);

}  // namespace vantel
