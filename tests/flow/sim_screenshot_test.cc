#include <gtest/gtest.h>

#include "flow/deal.h"
#include "flow/game.h"
#include "flow/make_game.h"
#include "gfx_fixture.h"
#include "pak/pak_writer.h"
#include "screenshot_options.h"
#include "screenshot_session.h"

namespace vantel {
namespace {

TEST(ScreenshotOptionsTest, FrameListsAndChoice) {
  EXPECT_EQ(ParseFrameList("120"), (std::vector<int64_t>{120}));
  EXPECT_EQ(ParseFrameList("1,5,300"), (std::vector<int64_t>{1, 5, 300}));
  for (const char* bad : {"", "0", "-3", "4,", ",4", "4,x", "12a"}) {
    EXPECT_FALSE(ParseFrameList(bad).has_value()) << bad;
  }
  ScreenshotOptions o;
  EXPECT_FALSE(o.Enabled());
  o.dir = "shots";
  o.every = 120;
  o.at = {7};
  EXPECT_TRUE(o.Wants(240));
  EXPECT_TRUE(o.Wants(7));
  EXPECT_FALSE(o.Wants(121));
  EXPECT_EQ(ScreenshotFileName(120), "frame_000120.png");
  EXPECT_EQ(ScreenshotFileName(1234567), "frame_1234567.png");
}

// The pictures of the built resource archive, loaded and drawn for real.
class RealPicturesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(VANTEL_TEST_PAK)) GTEST_SKIP() << "no " << VANTEL_TEST_PAK;
  }
  test::TempFolder dir_{"shots"};
  Chance chance_{3};
  SilentSound sound_;
  ManualClock clock_;
  Game g_ = MakeGame(Options{}, {chance_, sound_, clock_});
};

TEST_F(RealPicturesTest, ArchivePicturesHaveTheSizesTheDrawingReliesOn) {
  ScreenshotOptions o{dir_.Path() / "out", 2, {}};
  std::string error;
  auto session = ScreenshotSession::Open(o, VANTEL_TEST_PAK, g_, error);
  ASSERT_TRUE(session) << error;
  const Assets& a = session->LoadedAssets();
  EXPECT_EQ(a.background_surface->w, 800);
  EXPECT_EQ(a.background_surface->h, 600);
  for (int id = 0; id <= 51; ++id) {
    EXPECT_EQ(a.card_surfaces[static_cast<std::size_t>(id)]->h, 153) << id;
  }
  EXPECT_EQ(a.card_back_surface->h, 153);
  EXPECT_EQ(a.cursor_surface->w, 32);
  EXPECT_EQ(a.cursor_surface->h, 32);
  for (const BitmapFont* font : {&a.digit_font, &a.deluxe_font, &a.hand_font}) {
    EXPECT_EQ(font->Sheet()->w, 19 * 20);
    EXPECT_EQ(font->Sheet()->h % 27, 0);
  }
  // The pointer's corners are see-through: magenta, the key colour.
  EXPECT_EQ(test::PixelAt(a.cursor_surface.get(), 31, 31), test::kMagenta);
  EXPECT_EQ(g_.layout.card_height, 153);
}

TEST_F(RealPicturesTest, FramesOfAGameAreWrittenAsPictures) {
  ScreenshotOptions o{dir_.Path() / "out", 2, {3}};
  std::string error;
  auto session = ScreenshotSession::Open(o, VANTEL_TEST_PAK, g_, error);
  ASSERT_TRUE(session) << error;
  NewHand(g_);
  InputSnapshot input;
  session->SetPointer(400, 300);
  for (int frame = 0; frame < 4; ++frame) RunFrame(g_, input, session->Hooks());
  EXPECT_EQ(session->ShotsWritten(), 3);
  EXPECT_TRUE(session->Error().empty());
  SurfacePtr shot;
  CreateSurfaceFromFile(shot, dir_.Path() / "out" / "frame_000004.png");
  EXPECT_EQ(shot->w, 800);
  EXPECT_EQ(shot->h, 600);
  EXPECT_FALSE(std::filesystem::exists(dir_.Path() / "out" / "frame_000001.png"));
}

// Pictures that cannot be taken away again fail the session with the
// removal's reason (vantel-sim prints it and stops with status 1), whether the
// loading worked or not.
TEST_F(RealPicturesTest, AFailedRemovalOfTheUnpackedPicturesIsReported) {
  ScreenshotOptions o{dir_.Path() / "out", 1, {}};
  std::filesystem::path unpacked;
  const auto stuck = [&](const ResourceRoot& root) {
    unpacked = root.folder;
    EXPECT_EQ(RemoveUnpackedResources(root), "");
    return "cannot remove " + root.folder.string() + ": Device or resource busy";
  };
  std::string error;
  EXPECT_FALSE(ScreenshotSession::Open(o, VANTEL_TEST_PAK, g_, error, stuck));
  EXPECT_EQ(error, "cannot remove " + unpacked.string() + ": Device or resource busy");
  // An archive without the pictures: the loading fails, and then the removal.
  const std::filesystem::path sounds_only = dir_.Path() / "sounds.pak";
  ASSERT_TRUE(WritePak(sounds_only.string(), {PakFile{"Sounds_CARD_FLIP.WAV", {'f'}}}, &error))
      << error;
  error.clear();
  EXPECT_FALSE(ScreenshotSession::Open(o, sounds_only, g_, error, stuck));
  const std::size_t busy = error.find("; cannot remove " + unpacked.string());
  EXPECT_NE(busy, std::string::npos) << error;
  EXPECT_GT(busy, 0u) << error;  // the loading's reason comes first
}

TEST(ScreenshotSessionTest, AMissingArchiveIsReported) {
  test::TempFolder dir("noarchive");
  Chance chance{3};
  SilentSound sound;
  ManualClock clock;
  Game g{chance, sound, clock};
  ScreenshotOptions o{dir.Path() / "out", 1, {}};
  std::string error;
  EXPECT_FALSE(ScreenshotSession::Open(o, dir.Path() / "none.pak", g, error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace vantel
