#include "gfx/score_page.h"

#include <gtest/gtest.h>

#include "table_fixture.h"

namespace vantel {
namespace {

using test::GlyphColour;
using test::kFeltColour;
using test::kPageColour;
using ScorePageTest = test::TableFixture;

// The two sides over their columns, and nothing else: a stray ")" once stood
// after "We".
TEST(ScoreTextTest, HeaderIsEighteenCharacters) {
  EXPECT_EQ(ScoreHeaderText(), "  We       They   ");
  EXPECT_EQ(ScoreHeaderText().size(), 18u);
}

TEST(ScoreTextTest, RowsRightAlignBothValues) {
  EXPECT_EQ(ScoreRowText("Cards ", 27, 25), "Cards 27   25");
  EXPECT_EQ(ScoreRowText("Napula", 1, 0), "Napula 1    0");
  EXPECT_EQ(ScoreRowText("Scua  ", 0, 12), "Scua   0   12");
  EXPECT_EQ(ScoreRowText("Simili", -1, -3), "Simili-1   -3");
  // Wider than the field: no blanks, drawn in full.
  EXPECT_EQ(ScoreRowText("Cards ", 123, -12345), "Cards 123-12345");
}

TEST(ScoreTextTest, HistoryAndTotalsUseSevenAndFive) {
  EXPECT_EQ(ScoreTotalsText(5, 3), "      5    3");
  EXPECT_EQ(ScoreTotalsText(51, 49), "     51   49");
  EXPECT_EQ(ScoreTotalsText(0, -2), "      0   -2");
}

// The counts say which side their point went to; a tie gives none.
TEST(ScoreTextTest, CountNotesNameTheSideThatScored) {
  EXPECT_EQ(CountNoteText(1, 0), "count, +1 We");
  EXPECT_EQ(CountNoteText(0, 1), "count, +1 They");
  EXPECT_EQ(CountNoteText(0, 0), "count, no point");
  for (const std::string& label :
       {HistoryLabelText(true), HistoryLabelText(false), TotalLabelText()}) {
    EXPECT_LE(label.size(), kTotalsLabelWidth) << label;
  }
}

TEST(ScoreTextTest, LatestHistoryRowIsTheUpperOne) {
  EXPECT_EQ(HistoryRowY(0, 1), 373);
  EXPECT_EQ(HistoryRowY(0, 2), 404);
  EXPECT_EQ(HistoryRowY(1, 2), 373);
}

TEST_F(ScorePageTest, FirstHandShowsOneHistoryRowAndTheTotals) {
  g_.model.we_taken_count = 27;
  g_.model.they_taken_count = 25;
  g_.score.history_rows = 1;
  g_.score.history[0] = {5, 3};
  g_.score.we_total = 5;
  g_.score.they_total = 3;
  DrawScorePage(g_, a_, d_);
  SDL_Surface* bb = d_.BackBuffer();
  // The page blanks the table first.
  EXPECT_EQ(test::PixelAt(bb, 5, 5), kFeltColour);
  EXPECT_EQ(test::PixelAt(bb, 160, 10), kPageColour);
  // Header at y 94: "W" is the third character.
  EXPECT_EQ(test::PixelAt(bb, 213 + 2 * 17, 94), GlyphColour('W' - 32));
  // Cards row at y 125: "27" right after the label.
  EXPECT_EQ(test::PixelAt(bb, 213 + 6 * 17, 125), GlyphColour('2' - 32));
  EXPECT_EQ(test::PixelAt(bb, 213 + 11 * 17, 125), GlyphColour('2' - 32));
  EXPECT_EQ(test::PixelAt(bb, 213 + 12 * 17 + 3, 125), GlyphColour('5' - 32));
  // The history row at 373 and the totals at 438, We's digit in column 7.
  EXPECT_EQ(test::PixelAt(bb, 233 + 6 * 17 + 3, 373), GlyphColour('5' - 32));
  EXPECT_EQ(test::PixelAt(bb, 233 + 6 * 17 + 3, 372), kPageColour);
  EXPECT_EQ(test::PixelAt(bb, 233 + 11 * 17 + 3, 438), GlyphColour('3' - 32));
  EXPECT_NE(test::PixelAt(bb, 233 + 6 * 17 + 3, 404), GlyphColour('5' - 32));
  // No result text: nothing at (213, 469).
  EXPECT_EQ(test::PixelAt(bb, 213 + 3, 470), kPageColour);
  // Every row is labelled: the hand under the line, and the total.
  EXPECT_EQ(test::PixelAt(bb, 213 + 3, 373), GlyphColour('H' - 32));
  EXPECT_EQ(test::PixelAt(bb, 213 + 3, 438), GlyphColour('T' - 32));
  // Beside the counts, the side their point went to; beside the points, what they are.
  g_.score.they.cards_point = 1;
  DrawScorePage(g_, a_, d_);
  EXPECT_EQ(test::PixelAt(bb, kScoreNoteX + 1, 125), GlyphColour('c' - 32));
  EXPECT_EQ(test::PixelAt(bb, kScoreNoteX + 1, 125 + 2 * 31), GlyphColour('p' - 32));
}

TEST_F(ScorePageTest, LaterHandsShowTheTotalsBeforeBelowTheLatestHand) {
  g_.score.history_rows = 2;
  g_.score.history[0] = {17, 9};
  g_.score.history[1] = {4, 6};
  g_.score.outcome = MatchOutcome::kWeWon;
  DrawScorePage(g_, a_, d_);
  SDL_Surface* bb = d_.BackBuffer();
  EXPECT_EQ(test::PixelAt(bb, 233 + 5 * 17 + 3, 404), GlyphColour('1' - 32));
  EXPECT_EQ(test::PixelAt(bb, 233 + 6 * 17 + 3, 404), GlyphColour('7' - 32));
  EXPECT_EQ(test::PixelAt(bb, 233 + 6 * 17 + 3, 373), GlyphColour('4' - 32));
  EXPECT_EQ(test::PixelAt(bb, 233 + 11 * 17 + 3, 373), GlyphColour('6' - 32));
  EXPECT_EQ(test::PixelAt(bb, 213 + 3, 469), GlyphColour('W' - 32));
}

}  // namespace
}  // namespace vantel
