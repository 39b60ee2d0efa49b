#include "resources.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "decode.h"
#include "game/cards.h"
#include "game/sound.h"

namespace vantel {
namespace {

using testing::DecodeEntry;

class ResourcesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    fonts = new FontSet();
    entries = new std::vector<PakFile>(BuildResources(*fonts));
  }
  static void TearDownTestSuite() {
    delete entries;
    delete fonts;
  }

  static const PakFile& Entry(const std::string& name) {
    for (const PakFile& e : *entries) {
      if (e.name == name) return e;
    }
    throw std::runtime_error("no entry " + name);
  }
  static Picture Decoded(const std::string& name) { return DecodeEntry(Entry(name)); }

  static std::vector<std::string> CardNames() {
    std::vector<std::string> names;
    for (int id = 0; id < kCardCount; ++id) names.push_back(CardPictureName(id));
    return names;
  }

  static inline FontSet* fonts = nullptr;
  static inline std::vector<PakFile>* entries = nullptr;
};

const char* const kDecks[] = {"Royal_", "Trevigiano_"};
int DeckWidth(const std::string& prefix) {
  return prefix == "Royal_" ? 81 : 77;
}

TEST_F(ResourcesTest, HoldsEveryEntryTheLoadersReadAndNothingTwice) {
  std::set<std::string> expected = {"dummy65",
                                    "dummy2_",
                                    "Bitmaps_Back_800x600.jpg",
                                    "Bitmaps_Scorepage_800x600.bmp",
                                    "Bitmaps_Scorepage_800x600_it.bmp",
                                    "Bitmaps_line_horz.bmp",
                                    "Bitmaps_line_vert.bmp",
                                    "Bitmaps_mouse.bmp",
                                    "fntFonts_fntHandParker.bmp",
                                    "fntFonts_fntDigit.bmp",
                                    "fntFonts_fntDeluxe.bmp"};
  for (SoundId id : kSoundLoadOrder) expected.insert("Sounds_" + std::string(SoundFileName(id)));
  for (std::string deck : kDecks) {
    for (const std::string& card : CardNames()) expected.insert(deck + card);
    expected.insert(deck + "S_cardback.bmp");
    expected.insert(deck + "FrameBlue.bmp");
  }
  std::multiset<std::string> names;
  for (const PakFile& e : *entries) {
    names.insert(e.name);
    EXPECT_LE(e.name.size(), 56u) << e.name;
    EXPECT_FALSE(e.data.empty()) << e.name;
  }
  EXPECT_EQ(names.size(), expected.size());
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), expected);
}

TEST_F(ResourcesTest, TheUnpackingMarkerIsAmongTheSounds) {
  // The game takes "Sounds/CARD_FLIP.WAV" on disk to mean "already unpacked".
  EXPECT_NO_THROW(Entry("Sounds_CARD_FLIP.WAV"));
}

TEST_F(ResourcesTest, PicturesHaveTheSizesTheGameDrawsThemAt) {
  for (std::string deck : kDecks) {
    for (const std::string& card : CardNames()) {
      const Picture p = Decoded(deck + card);
      EXPECT_EQ(p.width, DeckWidth(deck)) << deck + card;
      EXPECT_EQ(p.height, 153) << deck + card;
    }
    for (const char* extra : {"S_cardback.bmp", "FrameBlue.bmp"}) {
      const Picture p = Decoded(deck + extra);
      EXPECT_EQ(p.width, DeckWidth(deck));
      EXPECT_EQ(p.height, 153);
    }
  }
  const Picture cloth = Decoded("Bitmaps_Back_800x600.jpg");
  EXPECT_EQ(cloth.width, 800);
  EXPECT_EQ(cloth.height, 600);
  const Picture mouse = Decoded("Bitmaps_mouse.bmp");
  EXPECT_EQ(mouse.width, 32);
  EXPECT_EQ(mouse.height, 32);
  for (const char* sheet :
       {"fntFonts_fntHandParker.bmp", "fntFonts_fntDigit.bmp", "fntFonts_fntDeluxe.bmp"}) {
    const Picture p = Decoded(sheet);
    EXPECT_EQ(p.width, 380) << sheet;
    EXPECT_EQ(p.height, 324) << sheet;
  }
}

TEST_F(ResourcesTest, TranslatedScorePageDiffersOnlyInItsHeading) {
  const Picture english = Decoded("Bitmaps_Scorepage_800x600.bmp");
  const Picture italian = Decoded("Bitmaps_Scorepage_800x600_it.bmp");
  ASSERT_EQ(italian.width, english.width);
  ASSERT_EQ(italian.height, english.height);
  // The heading sits above the first row the game writes (page y 90); the
  // rest of the page, where the game draws, is the same picture.
  constexpr int kHeadingBottom = 70;
  int heading_differences = 0;
  for (int y = 0; y < english.height; ++y) {
    for (int x = 0; x < english.width; ++x) {
      if (italian.At(x, y) == english.At(x, y)) continue;
      ASSERT_LT(y, kHeadingBottom) << "at " << x << "," << y;
      ++heading_differences;
    }
  }
  EXPECT_GT(heading_differences, 100);
}

TEST_F(ResourcesTest, ScorePageAndRulesFitTheScreenWhereTheyAreDrawn) {
  const Picture page = Decoded("Bitmaps_Scorepage_800x600.bmp");
  EXPECT_LE(156 + page.width, 800);
  EXPECT_LE(4 + page.height, 566);  // above the clock and the caption line
  EXPECT_GE(page.width, 20);        // its tab is the left 20 columns
  // The tab shows something at (780, 5): the left columns are not all key.
  int tab_ink = 0;
  for (int y = 0; y < page.height; ++y) {
    for (int x = 0; x < 20; ++x) tab_ink += page.At(x, y) != kKeyColour;
  }
  EXPECT_GT(tab_ink, 20 * page.height / 2);
  // The rules lie on the page: horizontal ones at x 223 from y 117 to 430, the
  // vertical at (366, 64).
  const Picture horz = Decoded("Bitmaps_line_horz.bmp");
  const Picture vert = Decoded("Bitmaps_line_vert.bmp");
  EXPECT_GT(horz.width, horz.height);
  EXPECT_LE(223 + horz.width, 156 + page.width);
  EXPECT_GT(vert.height, vert.width);
  EXPECT_LE(64 + vert.height, 4 + page.height);
  EXPECT_GE(64 + vert.height, 430);  // reaches the lowest rule
}

TEST_F(ResourcesTest, PointerTipIsTheCentrePixel) {
  const Picture mouse = Decoded("Bitmaps_mouse.bmp");
  EXPECT_NE(mouse.At(16, 16), kKeyColour);
  EXPECT_EQ(mouse.At(0, 0), kKeyColour);
  EXPECT_EQ(mouse.At(15, 15), kKeyColour);  // nothing up and left of the tip
}

TEST_F(ResourcesTest, KeyedPicturesHaveHardEdgesWithoutPinkFringes) {
  int keyed = 0;
  for (const PakFile& e : *entries) {
    if (!e.name.ends_with(".bmp") && !e.name.ends_with(".BMP")) continue;
    ++keyed;
    const Picture p = DecodeEntry(e);
    int pink = 0;
    for (uint32_t c : p.pixels) pink += testing::LooksPink(c);
    EXPECT_EQ(pink, 0) << e.name;
  }
  EXPECT_EQ(keyed, 2 * 54 + 5 + 3);  // two decks, five pictures of the table, three sheets
}

TEST_F(ResourcesTest, CardsHaveRoundedTransparentCornersAndSolidFaces) {
  for (std::string deck : kDecks) {
    for (const std::string& name : CardNames()) {
      const Picture p = Decoded(deck + name);
      const int w = p.width, h = p.height;
      for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) {
        EXPECT_EQ(p.At(x, y), kKeyColour) << deck + name;
      }
      int holes = 0;
      for (int y = 8; y < h - 8; ++y) {
        for (int x = 8; x < w - 8; ++x) holes += p.At(x, y) == kKeyColour;
      }
      EXPECT_EQ(holes, 0) << deck + name;
    }
  }
}

TEST_F(ResourcesTest, PickFrameIsABorderAroundATransparentMiddle) {
  for (std::string deck : kDecks) {
    const Picture f = Decoded(deck + "FrameBlue.bmp");
    EXPECT_EQ(f.At(f.width / 2, f.height / 2), kKeyColour);
    EXPECT_EQ(f.At(20, 40), kKeyColour);
    EXPECT_NE(f.At(f.width / 2, 1), kKeyColour);
    EXPECT_NE(f.At(1, f.height / 2), kKeyColour);
    EXPECT_GT(testing::Blue(f.At(f.width / 2, 1)), testing::Red(f.At(f.width / 2, 1)));
  }
}

double Difference(const Picture& a, const Picture& b) {
  const int w = std::min(a.width, b.width);
  int differ = 0;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < w; ++x) differ += a.At(x, y) != b.At(x, y);
  }
  return static_cast<double>(differ) / (w * a.height);
}

TEST_F(ResourcesTest, EveryFaceIsItsOwnAndTheCourtFiguresDiffer) {
  for (std::string deck : kDecks) {
    std::set<std::vector<uint32_t>> faces;
    for (const std::string& name : CardNames()) {
      EXPECT_TRUE(faces.insert(Decoded(deck + name).pixels).second) << deck + name;
    }
    for (char suit : std::string("CDHS")) {
      const Picture jack = Decoded(deck + "J" + suit + ".BMP");
      const Picture queen = Decoded(deck + "Q" + suit + ".BMP");
      const Picture king = Decoded(deck + "K" + suit + ".BMP");
      EXPECT_GT(Difference(jack, queen), 0.15) << deck << suit;
      EXPECT_GT(Difference(queen, king), 0.15) << deck << suit;
      EXPECT_GT(Difference(jack, king), 0.15) << deck << suit;
    }
  }
}

TEST_F(ResourcesTest, TheTwoDecksLookClearlyDifferent) {
  for (std::string name : {"AC.BMP", "7D.BMP", "KH.BMP", "S_cardback.bmp"}) {
    EXPECT_GT(Difference(Decoded("Royal_" + name), Decoded("Trevigiano_" + name)), 0.3) << name;
  }
}

TEST_F(ResourcesTest, TheClothIsGreen) {
  const Picture cloth = Decoded("Bitmaps_Back_800x600.jpg");
  long r = 0, g = 0, b = 0;
  for (uint32_t c : cloth.pixels) {
    r += testing::Red(c);
    g += testing::Green(c);
    b += testing::Blue(c);
  }
  EXPECT_GT(g, 2 * r);
  EXPECT_GT(g * 2, 3 * b);
}

TEST_F(ResourcesTest, SoundsAreRiffWaveFiles) {
  for (SoundId id : kSoundLoadOrder) {
    const PakFile& e = Entry("Sounds_" + std::string(SoundFileName(id)));
    ASSERT_GT(e.data.size(), 44u);
    EXPECT_EQ(std::string(e.data.begin(), e.data.begin() + 4), "RIFF") << e.name;
    EXPECT_EQ(std::string(e.data.begin() + 8, e.data.begin() + 12), "WAVE") << e.name;
  }
}

TEST_F(ResourcesTest, TheSameBuildGivesTheSameArchiveBytes) {
  const FontSet fonts;
  EXPECT_EQ(BuildPak(BuildResources(fonts)), BuildPak(*entries));
}

}  // namespace
}  // namespace vantel
