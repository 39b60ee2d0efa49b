#pragma once

// N_() marks a text that is translated later, where it is shown (a constant, a
// table entry), so that xgettext still collects it. It costs nothing and
// needs no gettext: the game's own logic may mark texts it never translates.
#define N_(text) text
