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
    fonts_ = new FontSet();
    entries_ = new std::vector<PakFile>(BuildResources(*fonts_));
  }
  static void TearDownTestSuite() {
    delete entries_;
    delete fonts_;
  }

  static const PakFile& Entry(const std::string& name) {
    for (const PakFile& e : *entries_) {
      if (e.Name == name) return e;
    }
    throw std::runtime_error("no entry " + name);
  }
  static Picture Decoded(const std::string& name) { return DecodeEntry(Entry(name)); }

  static std::vector<std::string> CardNames() {
    std::vector<std::string> names;
    for (int id = 0; id < kCardCount; ++id) names.push_back(CardPictureName(id));
    return names;
  }

  static inline FontSet* fonts_ = nullptr;
  static inline std::vector<PakFile>* entries_ = nullptr;
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
  for (const PakFile& e : *entries_) {
    names.insert(e.Name);
    EXPECT_LE(e.Name.size(), 56u) << e.Name;
    EXPECT_FALSE(e.Data.empty()) << e.Name;
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
      EXPECT_EQ(p.Width, DeckWidth(deck)) << deck + card;
      EXPECT_EQ(p.Height, 153) << deck + card;
    }
    for (const char* extra : {"S_cardback.bmp", "FrameBlue.bmp"}) {
      const Picture p = Decoded(deck + extra);
      EXPECT_EQ(p.Width, DeckWidth(deck));
      EXPECT_EQ(p.Height, 153);
    }
  }
  const Picture cloth = Decoded("Bitmaps_Back_800x600.jpg");
  EXPECT_EQ(cloth.Width, 800);
  EXPECT_EQ(cloth.Height, 600);
  const Picture mouse = Decoded("Bitmaps_mouse.bmp");
  EXPECT_EQ(mouse.Width, 32);
  EXPECT_EQ(mouse.Height, 32);
  for (const char* sheet :
       {"fntFonts_fntHandParker.bmp", "fntFonts_fntDigit.bmp", "fntFonts_fntDeluxe.bmp"}) {
    const Picture p = Decoded(sheet);
    EXPECT_EQ(p.Width, 380) << sheet;
    EXPECT_EQ(p.Height, 324) << sheet;
  }
}

TEST_F(ResourcesTest, ScorePageAndRulesFitTheScreenWhereTheyAreDrawn) {
  const Picture page = Decoded("Bitmaps_Scorepage_800x600.bmp");
  EXPECT_LE(156 + page.Width, 800);
  EXPECT_LE(4 + page.Height, 566);  // above the clock and the caption line
  EXPECT_GE(page.Width, 20);        // its tab is the left 20 columns
  // The tab shows something at (780, 5): the left columns are not all key.
  int tabInk = 0;
  for (int y = 0; y < page.Height; ++y) {
    for (int x = 0; x < 20; ++x) tabInk += page.At(x, y) != kKeyColour;
  }
  EXPECT_GT(tabInk, 20 * page.Height / 2);
  // The rules lie on the page: horizontal ones at x 223 from y 117 to 430, the
  // vertical at (366, 64).
  const Picture horz = Decoded("Bitmaps_line_horz.bmp");
  const Picture vert = Decoded("Bitmaps_line_vert.bmp");
  EXPECT_GT(horz.Width, horz.Height);
  EXPECT_LE(223 + horz.Width, 156 + page.Width);
  EXPECT_GT(vert.Height, vert.Width);
  EXPECT_LE(64 + vert.Height, 4 + page.Height);
  EXPECT_GE(64 + vert.Height, 430);  // reaches the lowest rule
}

TEST_F(ResourcesTest, PointerTipIsTheCentrePixel) {
  const Picture mouse = Decoded("Bitmaps_mouse.bmp");
  EXPECT_NE(mouse.At(16, 16), kKeyColour);
  EXPECT_EQ(mouse.At(0, 0), kKeyColour);
  EXPECT_EQ(mouse.At(15, 15), kKeyColour);  // nothing up and left of the tip
}

TEST_F(ResourcesTest, KeyedPicturesHaveHardEdgesWithoutPinkFringes) {
  int keyed = 0;
  for (const PakFile& e : *entries_) {
    if (!e.Name.ends_with(".bmp") && !e.Name.ends_with(".BMP")) continue;
    ++keyed;
    const Picture p = DecodeEntry(e);
    int pink = 0;
    for (uint32_t c : p.Pixels) pink += testing::LooksPink(c);
    EXPECT_EQ(pink, 0) << e.Name;
  }
  EXPECT_EQ(keyed, 2 * 54 + 4 + 3);
}

TEST_F(ResourcesTest, CardsHaveRoundedTransparentCornersAndSolidFaces) {
  for (std::string deck : kDecks) {
    for (const std::string& name : CardNames()) {
      const Picture p = Decoded(deck + name);
      const int w = p.Width, h = p.Height;
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
    EXPECT_EQ(f.At(f.Width / 2, f.Height / 2), kKeyColour);
    EXPECT_EQ(f.At(20, 40), kKeyColour);
    EXPECT_NE(f.At(f.Width / 2, 1), kKeyColour);
    EXPECT_NE(f.At(1, f.Height / 2), kKeyColour);
    EXPECT_GT(testing::Blue(f.At(f.Width / 2, 1)), testing::Red(f.At(f.Width / 2, 1)));
  }
}

double Difference(const Picture& a, const Picture& b) {
  const int w = std::min(a.Width, b.Width);
  int differ = 0;
  for (int y = 0; y < a.Height; ++y) {
    for (int x = 0; x < w; ++x) differ += a.At(x, y) != b.At(x, y);
  }
  return static_cast<double>(differ) / (w * a.Height);
}

TEST_F(ResourcesTest, EveryFaceIsItsOwnAndTheCourtFiguresDiffer) {
  for (std::string deck : kDecks) {
    std::set<std::vector<uint32_t>> faces;
    for (const std::string& name : CardNames()) {
      EXPECT_TRUE(faces.insert(Decoded(deck + name).Pixels).second) << deck + name;
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
  for (uint32_t c : cloth.Pixels) {
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
    ASSERT_GT(e.Data.size(), 44u);
    EXPECT_EQ(std::string(e.Data.begin(), e.Data.begin() + 4), "RIFF") << e.Name;
    EXPECT_EQ(std::string(e.Data.begin() + 8, e.Data.begin() + 12), "WAVE") << e.Name;
  }
}

TEST_F(ResourcesTest, TheSameBuildGivesTheSameArchiveBytes) {
  const FontSet fonts;
  EXPECT_EQ(BuildPak(BuildResources(fonts)), BuildPak(*entries_));
}

}  // namespace
}  // namespace vantel
