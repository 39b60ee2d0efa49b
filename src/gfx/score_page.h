#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantel {

struct Game;
struct Assets;
class Display;

// The score page's texts: fixed-width columns made with blanks, so that the
// hand-writing font lines the numbers up.
std::string ScoreHeaderText();
// Label (6 characters), We right-aligned in 2, They right-aligned in 5.
std::string ScoreRowText(std::string_view label, int16_t we, int16_t they);
// We right-aligned in 7, They in the next 5: history rows and the totals.
std::string ScoreTotalsText(int16_t we, int16_t they);

// Beside a row of counts (cards, batons): which side the count gave its
// point to, so the counts are not read as points.
std::string CountNoteText(int16_t we_point, int16_t they_point);
// Beside a row of points.
std::string PointsNoteText();
// The labels of the rows under the line: the latest hand, the totals before
// it (when two rows are kept), and the match total. Five characters at most,
// so that a two-digit total never touches its label.
inline constexpr std::size_t kTotalsLabelWidth = 5;
std::string HistoryLabelText(bool latest_hand);
std::string TotalLabelText();
// Where the notes beside the rows start, and how wide they may be.
inline constexpr int32_t kScoreNoteX = 462;
inline constexpr int32_t kScoreNoteRoom = 166;

// y of history row i when `rows` rows are shown: the latest row is the upper one.
int32_t HistoryRowY(int32_t i, int32_t rows);

// Draws the page over whatever the frame holds so far. Reads the game; the
// score fonts' positions are set here before each line.
void DrawScorePage(const Game& g, const Assets& a, Display& d);

}  // namespace vantel
