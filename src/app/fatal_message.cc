#include "app/fatal_message.h"

#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {

std::string FatalMessageText(const FatalError& error) {
  // The box breaks its lines with CR LF, so each line is translated alone.
  // TRANSLATORS: first line of the box shown when the game cannot go on;
  // %s is the name of the routine that failed, as the program calls it.
  std::string text = Format(_("Error in function %s() "), error.Routine().c_str());
  text += "\r\n";
  // TRANSLATORS: second line of that box; %ld is the error's number.
  text += Format(_("Error Number: %ld"), error.Number());
  text += "\r\n";
  text += error.Reason();
  return text;
}

}  // namespace vantel
