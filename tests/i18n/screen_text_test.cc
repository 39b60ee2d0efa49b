#include "gfx/screen_text.h"

#include <gtest/gtest.h>

#include <string>

#include "italian_catalogue.h"

namespace vantel {
namespace {

TEST(GlyphCodesTest, ConvertsToTheSheetsCodePage) {
  std::string codes;
  ASSERT_TRUE(ToGlyphCodes("perché più già", &codes));
  EXPECT_EQ(codes, "perch\xE9 pi\xF9 gi\xE0");
  ASSERT_TRUE(ToGlyphCodes("\xE2\x82\xAC 5", &codes));  // the euro sign has a code of its own
  EXPECT_EQ(codes, "\x80 5");
  ASSERT_TRUE(ToGlyphCodes("", &codes));
  EXPECT_EQ(codes, "");
}

TEST(GlyphCodesTest, RefusesTextsWithALetterWithoutACell) {
  std::string codes = "kept";
  EXPECT_FALSE(
      ToGlyphCodes("\xC5\x81\xC3\xB3"
                   "d\xC5\xBA",
                   &codes));                              // Polish: Ł and ź
  EXPECT_FALSE(ToGlyphCodes("ok \xE2\x86\x92", &codes));  // an arrow
  EXPECT_FALSE(ToGlyphCodes("bad \xFF utf-8", &codes));
  EXPECT_EQ(codes, "kept");
}

TEST(ScreenTextTest, UntranslatedTextIsTheEnglishItself) {
  EXPECT_EQ(ScreenText("no such text in any catalogue"), "no such text in any catalogue");
}

// With the Italian catalogue of the build: the score page and the key line as
// an Italian player sees them.
class ItalianScreenTest : public test::ItalianCatalogueTest {};

TEST_F(ItalianScreenTest, ScorePageTextsFitTheirColumns) {
  // Each label has six cells, We three and They five (see score_page.cc).
  for (const char* label :
       {"Cards", "Clubs", "Napula", "Scua", "Picada", "Simili", "Quadri", "2-10-J"}) {
    EXPECT_EQ(ScreenText(label, 6), ScreenText(label))
        << "the translation of " << label << " is too wide";
  }
  EXPECT_EQ(ScreenText("Cards", 6), "Carte");
  EXPECT_EQ(ScreenText("2-10-J", 6), "2-10-F");
  EXPECT_EQ(ScreenText("We", 3), "Noi");
  EXPECT_EQ(ScreenText("They", 5), "Loro");
  EXPECT_EQ(ScreenText("We Won!"), "Abbiamo vinto!");
}

// Every situation of the status line reads in Italian with its numbers, in
// letters the table fonts have; the English stays the fallback.
TEST_F(ItalianScreenTest, StatusLineSpeaksItalianInEverySituation) {
  EXPECT_EQ(ScreenStatus({StatusKind::kMatchScore, {25, 31, 51}}), "Noi 25 \xB7 Loro 31 \xB7 a 51");
  EXPECT_EQ(ScreenStatus({StatusKind::kTakeCards, {7}}),
            "Prendi 7 \xB7 niente: Backspace o clic destro sulla tua carta");
  EXPECT_EQ(ScreenStatus({StatusKind::kLeftPlaying, {}}), "Tocca a Sinistra");
  for (int k = 0; k <= static_cast<int>(StatusKind::kMatchScore); ++k) {
    const StatusLine line{static_cast<StatusKind>(k), {52, 40, 51}};
    std::string english;
    ASSERT_TRUE(ToGlyphCodes(FillStatus(StatusPattern(line.kind), line), &english));
    const std::string shown = ScreenStatus(line);
    EXPECT_NE(shown, english) << "no Italian for " << StatusPattern(line.kind);
    EXPECT_NE(shown.find_first_not_of(' '), std::string::npos);
  }
  for (const char* seat : {"You", "Right", "Partner", "Left"}) EXPECT_NE(ScreenText(seat), seat);
}

// The score page draws the result even before a match has one.
TEST_F(ItalianScreenTest, EmptyTextStaysEmpty) {
  EXPECT_EQ(ScreenText(""), "");
}

TEST_F(ItalianScreenTest, TooWideTranslationFallsBackToEnglish) {
  EXPECT_EQ(ScreenText("We Won!", 7), "We Won!");
  EXPECT_EQ(ScreenText("They", 3), "They");
}

}  // namespace
}  // namespace vantel
