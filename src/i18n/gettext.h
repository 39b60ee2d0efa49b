#pragma once

#include <libintl.h>

#include "i18n/marker.h"

// _() translates a text where it is used; N_() marks one that is translated
// later (a constant, a table entry), so that xgettext still collects it.
// Every text a person reads outside the drawn game screen goes through _().
#define VANTEL_TEXT_DOMAIN "vantel"
#define _(text) ::dgettext(VANTEL_TEXT_DOMAIN, text)
