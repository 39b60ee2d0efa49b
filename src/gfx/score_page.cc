#include "gfx/score_page.h"

#include <algorithm>
#include <array>

#include "flow/game.h"
#include "flow/shown_score.h"
#include "gfx/assets.h"
#include "gfx/display.h"
#include "gfx/screen_text.h"
#include "i18n/gettext.h"

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
constexpr int32_t kTotalRowY = 438;
// The columns of the page: a translated label or side name must fit its field.
constexpr std::size_t kLabelWidth = 6;
constexpr std::size_t kWeWidth = 3;
constexpr std::size_t kTheyWidth = 5;

// `english` or its translation, filled with blanks to `width`.
std::string Field(const char* english, std::size_t width) {
  std::string text = ScreenText(english, width);
  text.resize(std::max(width, text.size()), ' ');
  return text;
}

void Line(const BitmapFont& font, Display& d, int32_t x, int32_t y, const std::string& text) {
  font.Draw(d, static_cast<float>(x), static_cast<float>(y), text);
}

struct Row {
  std::string label;
  int16_t we;
  int16_t they;
  std::string note;
};

std::array<Row, 8> Rows(const Game& g) {
  const HandScore& we = g.score.we;
  const HandScore& they = g.score.they;
  auto key_cards = [](const HandScore& s) {
    return static_cast<int16_t>(s.two_of_batons + s.jack_of_swords + s.ten_of_coins);
  };
  const std::string points = PointsNoteText();
  return {{
      // TRANSLATORS: the score page's row labels, six letters at most each.
      {Field(N_("Cards"), kLabelWidth), g.model.we_taken_count, g.model.they_taken_count,
       CountNoteText(we.cards_point, they.cards_point)},
      {Field(N_("Clubs"), kLabelWidth), we.batons, they.batons,
       CountNoteText(we.batons_point, they.batons_point)},
      {Field(N_("Napula"), kLabelWidth), we.napula, they.napula, points},
      {Field(N_("Scua"), kLabelWidth), we.scua, they.scua, points},
      {Field(N_("Picada"), kLabelWidth), we.picada, they.picada, points},
      {Field(N_("Simili"), kLabelWidth), we.simili, they.simili, points},
      // TRANSLATORS: Quadriglia, cut to the six letters of the column.
      {Field(N_("Quadri"), kLabelWidth), we.quadriglia, they.quadriglia, points},
      // TRANSLATORS: the key cards: two of clubs, ten of coins, jack of swords.
      {Field(N_("2-10-J"), kLabelWidth), key_cards(we), key_cards(they), points},
  }};
}

// The texts of MatchResultText; translated as they are drawn.
// TRANSLATORS: the end of a match, on the score page.
[[maybe_unused]] constexpr const char* kMatchResults[] = {N_("We Won!"), N_("We lost!")};

}  // namespace

std::string ScoreHeaderText() {
  // TRANSLATORS: the two sides on the score page: We at most three letters, They five.
  return "  " + Field(N_("We"), kWeWidth) + "      " + Field(N_("They"), kTheyWidth) + "  ";
}

std::string ScoreRowText(std::string_view label, int16_t we, int16_t they) {
  return std::string(label) + Padded(we, 2) + Padded(they, 5);
}

std::string ScoreTotalsText(int16_t we, int16_t they) {
  return Padded(we, 7) + Padded(they, 5);
}

std::string CountNoteText(int16_t we_point, int16_t they_point) {
  // TRANSLATORS: beside the score page's cards and clubs rows, whose figures
  // are counts: the side with more gets one point.
  if (we_point > 0) return ScreenText(N_("count, +1 We"));
  if (they_point > 0) return ScreenText(N_("count, +1 They"));
  return ScreenText(N_("count, no point"));
}

std::string PointsNoteText() {
  // TRANSLATORS: beside the score page's rows whose figures are points.
  return ScreenText(N_("points"));
}

std::string HistoryLabelText(bool latest_hand) {
  // TRANSLATORS: score page labels under the line, five letters at most: the
  // points of the last hand scored, and the totals before it.
  return latest_hand ? ScreenText(N_("Hand")) : ScreenText(N_("Prior"));
}

std::string TotalLabelText() {
  // TRANSLATORS: the score page's match total, five letters at most.
  return ScreenText(N_("Total"));
}

int32_t HistoryRowY(int32_t i, int32_t rows) {
  return kFirstRowY + kRowStep * (rows + 8 - i);
}

void DrawScorePage(const Game& g, const Assets& a, Display& d) {
  d.DrawSurface(a.background_surface.get(), kWholeSurface, 0, 0, false);
  d.DrawSurface(a.score_page_surface.get(), kWholeSurface, 156, 4, true);
  d.DrawSurface(a.line_horz_surface.get(), kWholeSurface, 223, 117, true);
  d.DrawSurface(a.line_vert_surface.get(), kWholeSurface, 366, 64, true);
  d.DrawSurface(a.line_horz_surface.get(), kWholeSurface, 223, 430, true);
  d.DrawSurface(a.line_horz_surface.get(), kWholeSurface, 223, 363, true);

  Line(a.hand_font, d, kTextX, kFirstRowY, ScoreHeaderText());
  const auto rows = Rows(g);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const auto y = kFirstRowY + kRowStep * static_cast<int32_t>(r + 1);
    Line(a.hand_font, d, kTextX, y, ScoreRowText(rows[r].label, rows[r].we, rows[r].they));
    a.hand_font.DrawSpaced(d, kScoreNoteX, static_cast<float>(y), rows[r].note);
  }
  // Only two history rows are ever kept.
  const int32_t history_rows = std::clamp<int32_t>(g.score.history_rows, 0, kHistoryRows);
  for (int32_t i = 0; i < history_rows; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const int32_t y = HistoryRowY(i, history_rows);
    Line(a.hand_font, d, kTextX, y, HistoryLabelText(i == history_rows - 1));
    Line(a.hand_font, d, kHistoryX, y,
         ScoreTotalsText(g.score.history[k].we, g.score.history[k].they));
  }
  Line(a.hand_font, d, kTextX, kTotalRowY, TotalLabelText());
  Line(a.hand_font, d, kHistoryX, kTotalRowY,
       ScoreTotalsText(g.score.we_total, g.score.they_total));
  Line(a.hand_font, d, kTextX, 469, ScreenText(MatchResultText(g.score.outcome)));
}

}  // namespace vantel
