#include "gfx/score_page.h"

#include <algorithm>
#include <array>

#include "game/game.h"
#include "gfx/assets.h"
#include "gfx/display.h"

namespace vantel {

namespace {

// Blanks that right-align `value` in a field of `field` characters; a value
// wider than its field gets none.
std::string Padded(int16_t value, int field) {
  const std::string digits = std::to_string(value);
  const int blanks = std::max(0, field - static_cast<int>(digits.size()));
  return std::string(static_cast<std::size_t>(blanks), ' ') + digits;
}

constexpr int32_t kTextX = 213;
constexpr int32_t kHistoryX = 233;
constexpr int32_t kFirstRowY = 94;
constexpr int32_t kRowStep = 31;

void Line(BitmapFont* font, Display& d, int32_t x, int32_t y, const std::string& text) {
  if (!font) return;
  font->XPos = static_cast<float>(x);
  font->YPos = static_cast<float>(y);
  font->DrawText(d, text, true);
}

struct Row {
  const char* label;
  int16_t we;
  int16_t they;
};

std::array<Row, 8> Rows(const Game& g) {
  const SideScore& we = g.score.We;
  const SideScore& they = g.score.They;
  auto keyCards = [](const SideScore& s) {
    return static_cast<int16_t>(s.HasTwoS + s.HasJackH + s.HasTenD);
  };
  return {{
      {"Cards ", g.model.WeTakenCount, g.model.TheyTakenCount},
      {"Clubs ", we.SuitSCount, they.SuitSCount},
      {"Napula", we.Napula, they.Napula},
      {"Scua  ", we.ScuaCount, they.ScuaCount},
      {"Picada", we.PicadaCount, they.PicadaCount},
      {"Simili", we.SimiliCount, they.SimiliCount},
      {"Quadri", we.QuadrigliaCount, they.QuadrigliaCount},
      {"2-10-J", keyCards(we), keyCards(they)},
  }};
}

}  // namespace

std::string ScoreHeaderText() {
  return std::string("  We ") + " " + ")    " + "They " + " " + " ";
}

std::string ScoreRowText(std::string_view label, int16_t we, int16_t they) {
  return std::string(label) + Padded(we, 2) + Padded(they, 5);
}

std::string ScoreTotalsText(int16_t we, int16_t they) {
  return Padded(we, 7) + Padded(they, 5);
}

int32_t HistoryRowY(int32_t i, int32_t rows) {
  return kFirstRowY + kRowStep * (rows + 8 - i);
}

void DrawScorePage(const Game& g, Assets& a, Display& d) {
  d.DrawSurface(a.BackgroundSurface.get(), WholeSurface, 0, 0, false);
  d.DrawSurface(a.ScorePageSurface.get(), WholeSurface, 156, 4, true);
  d.DrawSurface(a.LineHorzSurface1.get(), WholeSurface, 223, 117, true);
  d.DrawSurface(a.LineVertSurface.get(), WholeSurface, 366, 64, true);
  d.DrawSurface(a.LineHorzSurface2.get(), WholeSurface, 223, 430, true);
  d.DrawSurface(a.LineHorzSurface3.get(), WholeSurface, 223, 363, true);

  Line(a.ScoreFonts[0].get(), d, kTextX, kFirstRowY, ScoreHeaderText());
  const auto rows = Rows(g);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const auto y = kFirstRowY + kRowStep * static_cast<int32_t>(r + 1);
    Line(a.ScoreFonts[r + 1].get(), d, kTextX, y,
         ScoreRowText(rows[r].label, rows[r].we, rows[r].they));
  }
  // Only two history rows are ever kept, and there are only two fonts for them.
  const int32_t historyRows = std::clamp<int32_t>(g.score.HistoryRows, 0, 2);
  for (int32_t i = 0; i < historyRows; ++i) {
    const auto k = static_cast<std::size_t>(i);
    Line(a.ScoreFonts[9 + k].get(), d, kHistoryX, HistoryRowY(i, historyRows),
         ScoreTotalsText(g.score.HistoryWe[k], g.score.HistoryThey[k]));
  }
  Line(a.ScoreFonts[9].get(), d, kHistoryX, 438,
       ScoreTotalsText(g.score.WeMatchPoints, g.score.TheyMatchPoints));
  Line(a.ScoreFonts[10].get(), d, kTextX, 469, g.score.MatchResultText);
}

}  // namespace vantel
