#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "flow/game.h"
#include "flow/layout.h"
#include "flow/status_text.h"
#include "flow/table.h"
#include "game/clock.h"
#include "game/random.h"
#include "game/sound.h"
#include "gfx/assets.h"
#include "gfx/picture_fit.h"
#include "gfx/play_plates.h"
#include "gfx/score_page.h"
#include "gfx/screen_text.h"
#include "gfx/seat_labels.h"
#include "gfx/table_drawing.h"
#include "italian_catalogue.h"
#include "pak/resource_path.h"
#include "pak/sdl/sdl_picture_converter.h"
#include "pak/unpack.h"

namespace vantel {
namespace {

// The game's pictures unpacked from the archive the build makes, for the
// whole suite; the folder goes with them.
struct UnpackedPictures {
  std::filesystem::path folder;
  Assets assets;
  ~UnpackedPictures() {
    if (!folder.empty()) std::filesystem::remove_all(folder);
  }
};

std::unique_ptr<UnpackedPictures>& Pictures() {
  static std::unique_ptr<UnpackedPictures> pictures;
  return pictures;
}

// The texts the table draws, measured with the game's own glyph sheets
// against the room their place leaves, in the catalogue's language.
class ItalianTextsFitTest : public test::ItalianCatalogueTest {
 protected:
  static void SetUpTestSuite() {
    ItalianCatalogueTest::SetUpTestSuite();
    auto& pictures = Pictures();
    pictures = std::make_unique<UnpackedPictures>();
    std::string pattern = (std::filesystem::temp_directory_path() / "vantel-fit-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    pictures->folder = pattern;
    SdlPictureConverter converter;
    const UnpackResult unpacked =
        UnpackInto(VANTEL_TEST_PAK, ResourceRoot{pictures->folder, false}, converter);
    ASSERT_TRUE(unpacked.Succeeded()) << unpacked.message;
    Chance chance(1);
    SilentSound sound;
    ManualClock clock;
    const Game g(chance, sound, clock);
    const std::filesystem::path root = pictures->folder;
    LoadBitmaps(pictures->assets, g,
                [root](std::string_view name) { return ResolveResourcePath(root, name); });
  }
  static void TearDownTestSuite() {
    Pictures().reset();
    ItalianCatalogueTest::TearDownTestSuite();
  }

  static const BitmapFont& Table() { return Pictures()->assets.deluxe_font; }
};

// Every situation, with the widest numbers a match shows, before the clock;
// a sentence cut into the clock loses its end mid-word.
TEST_F(ItalianTextsFitTest, StatusLineEndsBeforeTheClock) {
  ASSERT_TRUE(Table().Loaded());
  for (int k = 0; k <= static_cast<int>(StatusKind::kMatchScore); ++k) {
    const StatusLine line{static_cast<StatusKind>(k), {88, 88, 51}};
    const std::string shown = ScreenStatus(line);
    EXPECT_LE(Table().SpacedWidth(shown), kStatusRoom) << shown;
    std::string english;
    ASSERT_TRUE(ToGlyphCodes(FillStatus(StatusPattern(line.kind), line), &english));
    EXPECT_LE(Table().SpacedWidth(english), kStatusRoom) << english;
  }
}

TEST_F(ItalianTextsFitTest, SeatLabelsKeepToTheirPlaces) {
  ASSERT_TRUE(Table().Loaded());
  for (int place = 0; place < kSeats; ++place) {
    const std::string english(SeatName(place));
    const std::string shown = ScreenText(english.c_str());
    EXPECT_NE(shown, english);
    EXPECT_LE(Table().SpacedWidth(shown), SeatLabelRoom(place)) << shown;
    EXPECT_LE(Table().SpacedWidth(english), SeatLabelRoom(place)) << english;
  }
}

// The side's name on its pile's tag, and the score beside the score page's
// tab, which must stay on the felt left of it.
TEST_F(ItalianTextsFitTest, PileTagsAndTheScoreTabNoteFit) {
  ASSERT_TRUE(Table().Loaded());
  Chance chance(1);
  SilentSound sound;
  ManualClock clock;
  Game g(chance, sound, clock);
  SetupLayout(g.options, g.layout);
  for (const char* side : {"We", "They"}) {
    const std::string shown = ScreenText(side);
    EXPECT_NE(shown, side);
    EXPECT_LE(Table().SpacedWidth(shown) + 12, g.layout.card_width) << shown;
  }
  const std::string note = ScoreTabText(88, 88);
  EXPECT_EQ(note.rfind("Punti:", 0), 0u) << note;
  EXPECT_LE(Table().SpacedWidth(note) + 16, kScorePageTabX) << note;
}

// The plate under a waiting table's join link says in Italian how to copy
// it and whether that worked: every letter has its cell.
TEST_F(ItalianTextsFitTest, TheJoinLinkPlateSpeaksItalian) {
  EXPECT_EQ(ScreenText("Ctrl+C: copy the link"), "Ctrl+C: copia il link");
  EXPECT_EQ(ScreenText("Link copied"), "Link copiato");
  EXPECT_EQ(ScreenText("The link could not be copied"), "Impossibile copiare il link");
}

// The notes beside the score page's rows stay on the paper, and the labels
// under the line leave a two-digit total its own room.
TEST_F(ItalianTextsFitTest, ScorePageNotesAndLabelsFit) {
  const BitmapFont& hand = Pictures()->assets.hand_font;
  ASSERT_TRUE(hand.Loaded());
  for (const std::string& note :
       {CountNoteText(1, 0), CountNoteText(0, 1), CountNoteText(0, 0), PointsNoteText()}) {
    EXPECT_LE(hand.SpacedWidth(note), kScoreNoteRoom) << note;
  }
  EXPECT_EQ(CountNoteText(0, 1), "numero, +1 Loro");
  for (const std::string& label :
       {HistoryLabelText(true), HistoryLabelText(false), TotalLabelText()}) {
    EXPECT_LE(label.size(), kTotalsLabelWidth) << label;
  }
}

// The plates of what the other seats did keep off the table cards' places
// and the score strip, even with the longest word ("took 6"), in English and
// in the translation; the round view's widest row stays on the felt.
TEST_F(ItalianTextsFitTest, PlayPlatesAndTheRoundViewKeepToTheirPlaces) {
  ASSERT_TRUE(Table().Loaded());
  const Assets& a = Pictures()->assets;
  Chance chance(1);
  SilentSound sound;
  ManualClock clock;
  Game g(chance, sound, clock);
  SetupLayout(g.options, g.layout);
  SetupTablePlaces(g);
  int32_t table_left = kPictureWidth;
  int32_t table_right = 0;
  for (const TableSlotEntry& place : g.model.table_slot) {
    table_left = std::min<int32_t>(table_left, place.x);
    table_right = std::max<int32_t>(table_right, place.x + g.layout.card_width);
  }
  const std::string strip = ScreenStatus({StatusKind::kMatchScore, {88, 88, 51}});
  const int32_t strip_right = (kPictureWidth + Table().SpacedWidth(strip)) / 2 + 6;
  NotedPlay widest{0, 1, {2, 3, 4, 5, 6, 7}};
  for (int seat = 1; seat < kSeats; ++seat) {
    widest.seat = static_cast<int16_t>(seat);
    g.aids.round[static_cast<std::size_t>(seat - 1)] = widest;
  }
  g.aids.round_count = kSeats - 1;
  const Rect right = SeatPlateNow(g, a, 1);
  EXPECT_GE(right.left, strip_right) << PlayWord(widest, true);
  EXPECT_LE(SeatPlateNow(g, a, 3).right, table_left) << PlayWord(widest, true);
  EXPECT_GE(SeatPlateNow(g, a, 2).left, table_right) << PlayWord(widest, true);
  EXPECT_LE(SeatPlateNow(g, a, 2).right, kScorePageTabX);
  for (int place = 0; place < kSeats; ++place) {
    EXPECT_LE(RoundRowWidth(a, widest, place) + 2 * kRoundPanelMargin, kPictureWidth - 40)
        << SeatName(place);
  }
}

}  // namespace
}  // namespace vantel
