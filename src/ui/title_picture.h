#pragma once

#include <gtk/gtk.h>

namespace vantel {

// The dialog's title picture: the game's name on green baize, drawn with Cairo.
GtkWidget* NewTitlePicture();

}  // namespace vantel
