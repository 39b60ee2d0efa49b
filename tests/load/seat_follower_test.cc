#include "seat_follower.h"

#include <gtest/gtest.h>

#include <string>

#include "table/table.h"

namespace vantel {
namespace {

using std::chrono::milliseconds;

// Four simulated people at a real table, fed the table's own messages: what
// each follows of its hand and the table must be what its view says, and
// the plays it chooses must all be taken.
class FollowTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    TableSettings settings;
    for (SeatChoice& seat : settings.seats) seat.person = true;
    settings.twelve_card_hands = GetParam();
    settings.seed = 7;
    table_.emplace("K7QH2M", settings, now_);
    for (int i = 0; i < kSeats; ++i) {
      // Appended rather than added to a literal: GCC 12 at -O3 misreads the
      // latter as an overlapping copy.
      const std::string number = std::to_string(i);
      std::string name = "p";
      name += number;
      std::string token = "token-of-seat-";
      token += number;
      token += "xxxx";
      ASSERT_TRUE(table_->Seat(name, token, now_));
    }
  }

  // Hands every message out; fails on a refusal, a leak or a picture that
  // differs from the seat's view.
  void Deliver() {
    for (const SeatMessage& sent : table_->TakeMessages()) {
      const nlohmann::json message = nlohmann::json::parse(sent.text);
      ASSERT_NE(message["type"], "error") << sent.text;
      SeatFollower& follower = followers_[static_cast<std::size_t>(sent.seat)];
      const MessageMeaning meaning = FollowMessage(message, follower, knowledge_);
      ASSERT_FALSE(meaning.malformed) << sent.text;
      ASSERT_EQ(meaning.leaks, 0) << sent.text;
      hands_ += meaning.hand_scored && sent.seat == 0 ? 1 : 0;
      if (meaning.type != "view" && meaning.type != "events") continue;
      const SeatView view(table_->Match(), sent.seat);
      // Events of a play are all sent before the next play is made, so the
      // follower is level with the match once its message is read.
      if (follower.playing) {
        EXPECT_EQ(follower.hand, std::vector<int16_t>(view.Hand().begin(), view.Hand().end()));
        EXPECT_EQ(follower.table, std::vector<int16_t>(view.Table().begin(), view.Table().end()))
            << sent.text;
        EXPECT_EQ(follower.turn, view.Turn());
      }
    }
  }

  std::optional<Table> table_;
  TableTime now_{0};
  std::array<SeatFollower, kSeats> followers_;
  TableKnowledge knowledge_;
  int hands_ = 0;
};

TEST_P(FollowTest, FollowersStayLevelWithTheirViewsAndEveryChosenPlayIsTaken) {
  Deliver();
  for (int step = 0; step < 2000 && !table_->Ended(); ++step) {
    now_ += milliseconds(500);
    table_->Advance(now_);
    Deliver();
    if (HasFailure()) return;
    const MatchState& match = table_->Match();
    if (match.phase != HandPhase::kPlaying) continue;
    const SeatFollower& on_turn = followers_[static_cast<std::size_t>(match.turn)];
    ASSERT_EQ(on_turn.turn, match.turn);
    table_->PersonPlays(match.turn, ChooseLoadPlay(on_turn, static_cast<std::size_t>(step)).play,
                        now_);
    Deliver();
    if (HasFailure()) return;
  }
  EXPECT_TRUE(table_->Ended());
  EXPECT_GE(hands_, 2);
}

INSTANTIATE_TEST_SUITE_P(TwelveAndSix, FollowTest, ::testing::Bool());

// A card that another seat holds is a leak wherever it turns up, in a view or
// in an event; cards once played are public.
TEST(FollowLeakTest, AnotherSeatsHeldCardIsCountedOnceItShows) {
  TableKnowledge knowledge;
  knowledge.held[1] = {5, 6};
  SeatFollower follower;
  follower.seat = 0;
  const auto laid = nlohmann::json::parse(
      R"({"type":"events","protocol":1,"seat":0,"events":[{"kind":"laid","seat":1,"card":5}]})");
  EXPECT_EQ(FollowMessage(laid, follower, knowledge).leaks, 0);
  EXPECT_EQ(knowledge.held[1], std::vector<int16_t>{6});
  const auto leaked = nlohmann::json::parse(
      R"({"type":"events","protocol":1,"seat":0,"events":[{"kind":"second-deal","hand":[6,7]}]})");
  EXPECT_EQ(FollowMessage(leaked, follower, knowledge).leaks, 1);
  EXPECT_TRUE(FollowMessage(nlohmann::json::parse(R"({"type":"events","events":[{"kind":"?"}]})"),
                            follower, knowledge)
                  .malformed);
}

}  // namespace
}  // namespace vantel
