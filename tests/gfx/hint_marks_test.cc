#include "gfx/hint_marks.h"

#include <gtest/gtest.h>

#include "gfx/frame_drawing.h"
#include "gfx/table_drawing.h"
#include "table_fixture.h"

namespace vantel {
namespace {

using test::kFrameColour;

class HintMarksTest : public test::TableFixture {
 protected:
  void SetUp() override {
    TableFixture::SetUp();
    Place(g_.model.hand[0][2], 20, 300, 420);
    Place(g_.model.hand[0][3], 21, 340, 420);
    Place(g_.model.table[0], 7, 100, 200);
    Place(g_.model.table[1], 8, 200, 200);
    g_.model.table_count = 2;
  }

  void Suggest(int16_t card, std::initializer_list<int16_t> take) {
    g_.flow.hint_card = card;
    g_.flow.hint_take_count = 0;
    for (int16_t i : take) g_.flow.hint_take[g_.flow.hint_take_count++] = i;
  }
};

TEST_F(HintMarksTest, FramesTheSuggestedCardAndWhatItTakes) {
  Suggest(21, {1});
  Draw();
  DrawHintMarks(g_, a_, d_);
  EXPECT_EQ(At(340, 420), kFrameColour);  // the card to play
  EXPECT_NE(At(300, 420), kFrameColour);  // its neighbour is not
  // Lifted out of the fanned row, whole, so that no neighbour hides it.
  EXPECT_EQ(At(345, 420 - kHandCardRise), kFrameColour);
  EXPECT_EQ(At(200, 200), kFrameColour);  // the table card it takes
  EXPECT_NE(At(100, 200), kFrameColour);
}

// On the human's turn the keys' choice stands out of the row; a suggestion of
// that card is framed where it stands, not where it lay.
TEST_F(HintMarksTest, FrameFollowsARaisedCard) {
  g_.flow.turn = 0;
  g_.flow.awaiting_human = true;
  g_.aids.hand_cursor = 3;
  Suggest(21, {});
  Draw();
  DrawHintMarks(g_, a_, d_);
  EXPECT_EQ(At(345, 420 - kHandCardRise), kFrameColour);
  EXPECT_NE(At(345, 420), kFrameColour);
}

TEST_F(HintMarksTest, NoSuggestionOrAStaleIndexMarksNothing) {
  Suggest(-1, {0});
  Draw();
  DrawHintMarks(g_, a_, d_);
  EXPECT_NE(At(100, 200), kFrameColour);
  Suggest(20, {5});  // an index past the table
  Draw();
  DrawHintMarks(g_, a_, d_);
  EXPECT_EQ(At(300, 420), kFrameColour);
}

// An idle table is not drawn again; a hint that appears or goes must be.
TEST_F(HintMarksTest, AHintChangesTheFrame) {
  FrameDrawing frames(
      d_, a_,
      [] {
        return PointerPosition{400, 300};
      },
      [] {
        return LocalTime{9, 41};
      });
  frames.SetSkipUnchanged(true);
  auto frame = [&] {
    const int64_t before = frames.FramesPresented();
    frames.BeforeStep(g_);
    frames.AfterStep(g_);
    frames.AfterPickStart(g_);
    return frames.FramesPresented() > before;
  };
  frame();
  EXPECT_FALSE(frame());
  Suggest(20, {0});
  EXPECT_TRUE(frame());
  EXPECT_FALSE(frame());
  Suggest(-1, {});
  EXPECT_TRUE(frame());
}

}  // namespace
}  // namespace vantel
