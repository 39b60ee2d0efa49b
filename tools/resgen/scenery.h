#pragma once

#include "fonts.h"
#include "picture.h"

namespace vantel {

// The table cloth, 800 x 600, opaque.
Picture DrawTableCloth();
// The same felt without the inlaid line, the piles' marks and the caption
// strip, which belong to the game's own layout: for the web page, whose
// cards lie elsewhere.
Picture DrawPlainCloth();

// The score page and its tab: drawn at (156, 4); its left 20 columns alone
// are also shown as a tab at the screen's right edge.
inline constexpr int kScorePageWidth = 488;
inline constexpr int kScorePageHeight = 560;
inline constexpr int kScoreTabColumns = 20;
// The score page with `heading` painted at its top in the handwriting face.
Picture DrawScorePage(const FontSet& fonts, const char* heading);

// The score page's rules: one horizontal (drawn three times) and one vertical.
inline constexpr int kRuleLength = 250;
inline constexpr int kRuleVertLength = 366;
Picture DrawHorizontalRule();
Picture DrawVerticalRule();

// The 32 x 32 mouse pointer; the game draws it centred on the mouse, so the
// tip of the arrow is the centre pixel.
inline constexpr int kPointerSize = 32;
Picture DrawPointer();

}  // namespace vantel
