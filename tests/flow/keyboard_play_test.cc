#include "flow/keyboard_play.h"

#include "flow/capture_help.h"
#include "flow_fixture.h"

namespace vantel {
namespace {

class KeyboardPlayTest : public FlowFixture {
 protected:
  // One press and its release: a key acts once however long it is held.
  void Press(int code) {
    Frame(Key(code));
    Frame();
  }

  // Deals and runs until the human may play.
  void UntilOurTurn() {
    NewHand(g_);
    RunUntil([&] { return HumanMayPickHandCard(g_); });
  }

  int ShownInHand() const {
    int n = 0;
    for (int s = 0; s < kHandSlots; ++s) n += g_.model.hand[0][s].shown ? 1 : 0;
    return n;
  }
};

TEST_F(KeyboardPlayTest, ArrowsWalkTheHandRoundAndPlaceKeysChooseAPlace) {
  UntilOurTurn();
  const std::vector<int16_t> row = HandSlotsInRow(g_);
  ASSERT_EQ(row.size(), 12u);
  EXPECT_EQ(g_.aids.hand_cursor, -1);
  Press(kKeyRight);
  EXPECT_EQ(g_.aids.hand_cursor, row.front());
  Press(kKeyRight);
  EXPECT_EQ(g_.aids.hand_cursor, row[1]);
  Press(kKeyLeft);
  Press(kKeyLeft);
  EXPECT_EQ(g_.aids.hand_cursor, row.back());  // round the left end
  Press(kKey1 + 4);                            // the key 5
  EXPECT_EQ(g_.aids.hand_cursor, 4);
  Press(kKey1 + 11);  // =, the twelfth place
  EXPECT_EQ(g_.aids.hand_cursor, 11);
  // Held down, a key moves once.
  Frame(Key(kKeyRight));
  Frame(Key(kKeyRight));
  Frame(Key(kKeyRight));
  EXPECT_EQ(g_.aids.hand_cursor, row.front());
  EXPECT_FALSE(g_.flow.human_picked);
}

TEST_F(KeyboardPlayTest, ReturnPlaysTheChosenCardLikeAClickOnIt) {
  UntilOurTurn();
  const int16_t card = g_.model.hand[0][3].card;
  Press(kKeyReturn);  // nothing chosen yet: nothing played
  EXPECT_FALSE(g_.flow.human_picked);
  Press(kKey1 + 3);
  Frame(Key(kKeyReturn));
  EXPECT_TRUE(g_.flow.human_picked);
  EXPECT_TRUE(g_.model.hand[0][3].moving);
  RunUntil([&] { return !g_.model.hand[0][3].shown; });
  EXPECT_EQ(g_.aids.last_played[0], card);
  // A place with no card left plays nothing.
  RunUntil([&] { return HumanMayPickHandCard(g_); });
  Press(kKey1 + 3);
  Press(kKeyReturn);
  EXPECT_FALSE(g_.flow.human_picked);
}

TEST_F(KeyboardPlayTest, CaptureKeysMoveAmongTakeableCardsPickPutBackAndConfirm) {
  // 7 played: the jack cannot be part of it.
  OpenSelection({CardId(3, 'C'), CardId(11, 'D'), CardId(4, 'H'), CardId(7, 'C')}, CardId(7, 'S'));
  const std::vector<int16_t> row = KeyTableChoices(g_);
  ASSERT_EQ(row.size(), 3u);
  EXPECT_EQ(std::count(row.begin(), row.end(), 1), 0);
  Press(kKeySpace);  // the first press shows the choice
  EXPECT_EQ(g_.aids.table_cursor, row.front());
  EXPECT_FALSE(g_.model.table[row.front()].picked);
  const int16_t three = 0;
  while (g_.aids.table_cursor != three) Press(kKeyRight);
  Press(kKeySpace);
  EXPECT_TRUE(g_.model.table[three].picked);
  EXPECT_EQ(KeyTableChoices(g_).size(), 2u);  // the picked 3 and the 4 that completes it
  Press(kKeySpace);                           // put back
  EXPECT_FALSE(g_.model.table[three].picked);
  Press(kKeySpace);
  while (g_.aids.table_cursor != 2) Press(kKeyLeft);
  Press(kKeyReturn);
  ASSERT_EQ(events_.confirms, 1);
  EXPECT_EQ(g_.capture.capture_count, 2);
  EXPECT_TRUE(g_.model.table[0].captured && g_.model.table[2].captured);
}

// The mouse was used to play (the keys' choice is hidden): with only the 3
// and the 4 making the 7, one Return takes both.
TEST_F(KeyboardPlayTest, OneReturnTakesTheOnlySetTheTableOffers) {
  OpenSelection({CardId(3, 'C'), CardId(11, 'D'), CardId(4, 'H')}, CardId(7, 'S'));
  Frame(Click(kLeftButton, 300, 200));
  Frame();
  ASSERT_FALSE(KeysChoiceShown(g_));
  Press(kKeyReturn);
  ASSERT_EQ(events_.confirms, 1);
  EXPECT_EQ(g_.capture.capture_count, 2);
  EXPECT_TRUE(g_.model.table[0].captured && g_.model.table[2].captured);
  EXPECT_FALSE(g_.model.table[1].captured);
}

TEST_F(KeyboardPlayTest, ReturnTakesTheSingleCardOfTheValue) {
  OpenSelection({CardId(5, 'C'), CardId(12, 'D')}, CardId(12, 'S'));
  Press(kKeyReturn);
  ASSERT_EQ(events_.confirms, 1);
  EXPECT_EQ(g_.capture.capture_count, 1);
  EXPECT_TRUE(g_.model.table[1].captured);
}

// Where the table offers a choice, Return shows the cursor as before; once
// the cards picked leave one way to finish, Return finishes it.
TEST_F(KeyboardPlayTest, ReturnChoosesNothingWhereSeveralSetsAreOpen) {
  // 9 played: the 4 and the 5, or the 2, the 3 and the 4.
  OpenSelection({CardId(2, 'C'), CardId(3, 'C'), CardId(4, 'H'), CardId(5, 'D')}, CardId(9, 'S'));
  Press(kKeyReturn);
  EXPECT_EQ(events_.confirms, 0);
  EXPECT_GE(g_.aids.table_cursor, 0);
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(g_.model.table[i].picked);
  while (g_.aids.table_cursor != 3) Press(kKeyRight);
  Press(kKeySpace);  // the 5: only the 4 completes it now
  ASSERT_TRUE(g_.model.table[3].picked);
  Press(kKeyReturn);  // on the picked 5, where Return used to do nothing
  ASSERT_EQ(events_.confirms, 1);
  EXPECT_EQ(g_.capture.capture_count, 2);
  EXPECT_TRUE(g_.model.table[2].captured && g_.model.table[3].captured);
  EXPECT_FALSE(g_.model.table[0].captured || g_.model.table[1].captured);
}

TEST_F(KeyboardPlayTest, TwoCardsOfTheValueAreTwoSetsToChooseFrom) {
  OpenSelection({CardId(7, 'C'), CardId(7, 'D')}, CardId(7, 'S'));
  EXPECT_TRUE(OnlyCompletion(g_).empty());
  Press(kKeyReturn);
  EXPECT_EQ(events_.confirms, 0);
  Press(kKeyReturn);  // the cursor's card now
  EXPECT_EQ(events_.confirms, 1);
  EXPECT_EQ(g_.capture.capture_count, 1);
}

// A move of the pointer or a click hides the keys' frame until the next key;
// a Return then shows the choice again rather than play a card not framed.
TEST_F(KeyboardPlayTest, TheMouseHidesTheKeysChoiceUntilTheNextKey) {
  UntilOurTurn();
  Frame();
  Press(kKey1 + 3);
  EXPECT_TRUE(KeysChoiceShown(g_));
  InputSnapshot moved;
  moved.mouse_x = 300;
  moved.mouse_y = 200;
  Frame(moved);
  EXPECT_FALSE(KeysChoiceShown(g_));
  Frame(moved);  // a still pointer keeps it hidden
  EXPECT_FALSE(KeysChoiceShown(g_));
  InputSnapshot key = moved;
  key.keys[kKeyReturn] = 1;
  Frame(key);
  Frame(moved);
  EXPECT_TRUE(KeysChoiceShown(g_));
  EXPECT_FALSE(g_.flow.human_picked);
  EXPECT_EQ(g_.aids.hand_cursor, 3);  // hidden, not forgotten
  // A click hides it too, with the pointer still.
  InputSnapshot click = moved;
  click.buttons[kRightButton] = 1;
  Frame(click);
  EXPECT_FALSE(KeysChoiceShown(g_));
  Frame(key);
  Frame(moved);
  EXPECT_FALSE(g_.flow.human_picked);
  Frame(key);
  EXPECT_TRUE(g_.flow.human_picked);
  EXPECT_TRUE(g_.model.hand[0][3].moving);
}

TEST_F(KeyboardPlayTest, BackspaceTakesNothing) {
  OpenSelection({CardId(3, 'C'), CardId(4, 'H')}, CardId(7, 'S'));
  Press(kKeyRight);
  Press(kKeySpace);
  Press(kKeyBackspace);
  EXPECT_EQ(events_.declines, 1);
  EXPECT_EQ(events_.confirms, 0);
  EXPECT_FALSE(g_.model.table[0].picked || g_.model.table[1].picked);
}

TEST_F(KeyboardPlayTest, KeysDoNothingWhilePausedOrOutOfTurn) {
  UntilOurTurn();
  g_.flow.game_paused = true;
  Press(kKeyRight);
  EXPECT_EQ(g_.aids.hand_cursor, -1);
  g_.flow.game_paused = false;
  g_.flow.turn = 2;
  Press(kKeyRight);
  EXPECT_EQ(g_.aids.hand_cursor, -1);
}

TEST_F(KeyboardPlayTest, AWholeHandIsPlayedByKeysAndTheScorePageLeftByReturn) {
  NewHand(g_);
  int played = 0;
  bool release = false;
  for (int n = 0; n < 200000 && g_.flow.state != FlowState::kEndOfMatch; ++n) {
    InputSnapshot in;
    if (release) {
      release = false;
    } else if (HumanMayPickHandCard(g_)) {
      // Right until a card is chosen, then Return.
      in.keys[g_.aids.hand_cursor < 0 || !g_.model.hand[0][g_.aids.hand_cursor].shown
                  ? kKeyRight
                  : kKeyReturn] = 1;
      release = true;
    } else if (SelectionOpen(g_)) {
      // Take what the table offers: Space on the cursor, or Backspace if nothing.
      in.keys[KeyTableChoices(g_).empty() ? kKeyBackspace : kKeySpace] = 1;
      release = true;
    }
    const bool was_picked = g_.flow.human_picked;
    Frame(in);
    if (!was_picked && g_.flow.human_picked) ++played;
  }
  ASSERT_EQ(g_.flow.state, FlowState::kEndOfMatch);
  EXPECT_EQ(played, HandSize(g_.options));
  EXPECT_EQ(ShownInHand(), 0);
  EXPECT_EQ(events_.hand_ends, 1);
  Press(kKeyReturn);
  EXPECT_NE(g_.flow.state, FlowState::kEndOfMatch);
  EXPECT_EQ(events_.hand_starts, 2);
}

// In the game window a press that comes as the score page opens (meant for
// the hand's last card) leaves it up; once it has settled, Return deals on.
TEST_F(KeyboardPlayTest, TheScorePageSettlesBeforeAPressDealsOn) {
  // The page is only ever up with every card at rest; the deal is the
  // nearest moment like it.
  const auto show_score_page = [&] {
    RunUntil([&] { return HumanMayPickHandCard(g_); });
    g_.flow.state = FlowState::kEndOfMatch;
    g_.aids.score_shown_tick = clock_.GetTickCount();
  };
  g_.aids.score_page_settles = true;
  NewHand(g_);
  show_score_page();
  Press(kKeyReturn);
  EXPECT_EQ(g_.flow.state, FlowState::kEndOfMatch);
  clock_.Advance(kScorePageSettleMs);
  Press(kKeyReturn);
  EXPECT_NE(g_.flow.state, FlowState::kEndOfMatch);

  // Offline in the simulator nothing settles: its clicks are its traces.
  g_.aids.score_page_settles = false;
  show_score_page();
  Press(kKeyReturn);
  EXPECT_NE(g_.flow.state, FlowState::kEndOfMatch);
}

}  // namespace
}  // namespace vantel
