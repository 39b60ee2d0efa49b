#include "codec/server_messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "codec/json_fields.h"
#include "game/legal_captures.h"
#include "game/match_rules.h"
#include "support/seat_cards.h"
#include "support/shuffled_deck.h"

namespace vantel {
namespace {

using nlohmann::json;

// A random card of the seat on turn, with one of its legal captures picked at
// random, or laid down now and then even when it could take.
Play RandomLegalPlay(const MatchState& s, std::mt19937& engine) {
  const HandCards& hand = s.hands[static_cast<size_t>(s.turn)];
  const int16_t card = hand[static_cast<int>(engine() % static_cast<uint32_t>(hand.Size()))];
  std::vector<CaptureSet> captures;
  ForEachLegalCapture(s.table.Span(), card, [&](const CaptureSet& set) {
    captures.push_back(set);
    return true;
  });
  Play play{card, {}};
  if (captures.empty() || engine() % 5 == 0) return play;
  const CaptureSet& set = captures[engine() % captures.size()];
  for (int16_t p : set.Span()) play.take.PushBack(s.table[p]);
  return play;
}

void CheckViews(const MatchState& s) {
  for (int seat = 0; seat < kSeats; ++seat) {
    const SeatView view(s, seat);
    const json message = ViewMessage(view);
    ExpectOnlyVisibleCards(message, s, seat);
    const ViewRead read = ViewFromMessage(json::parse(message.dump()));
    ASSERT_TRUE(read.view.has_value()) << read.problem << "\n" << message.dump();
    ASSERT_EQ(*read.view, view) << message.dump();
  }
}

void CheckEvents(const MatchState& s, const MatchEvents& events) {
  for (int seat = 0; seat < kSeats; ++seat) {
    const json message = EventsMessage(events, SeatView(s, seat));
    ExpectOnlyVisibleCards(message, s, seat);
    ASSERT_EQ(message["events"].size(), static_cast<size_t>(events.Size()));
    for (const json& event : message["events"]) {
      if (event["kind"] == "second-deal") {
        const HandCards& own = s.hands[static_cast<size_t>(seat)];
        EXPECT_EQ(event["hand"], std::vector<int16_t>(own.begin(), own.end()));
      }
    }
  }
}

// Many matches of random legal plays; after each deal and each play, every
// seat's messages hold only cards that seat may see, and its view reads back
// as the view it was made from.
TEST(ServerMessagesTest, NoSeatIsEverSentACardItMayNotSee) {
  std::mt19937 engine(2026);
  int plays = 0;
  int second_deals = 0;
  for (int match = 0; match < 16; ++match) {
    Options options;
    options.twelve_card_deal = match % 2;
    MatchState s = NewMatch(options);
    CheckViews(s);
    for (int hand = 0; hand < 40 && !s.MatchDecided(); ++hand) {
      DealHand(s, ShuffledDeck(engine), hand % kSeats);
      CheckViews(s);
      while (s.phase == HandPhase::kPlaying) {
        const PlayResult result = ApplyPlay(s, s.turn, RandomLegalPlay(s, engine));
        ASSERT_TRUE(result.Ok());
        ++plays;
        for (const MatchEvent& event : result.events)
          second_deals += std::holds_alternative<SecondDealt>(event) ? 1 : 0;
        CheckEvents(s, result.events);
        CheckViews(s);
        if (::testing::Test::HasFatalFailure()) return;
      }
    }
    EXPECT_TRUE(s.MatchDecided());
  }
  EXPECT_GT(plays, 5000);
  EXPECT_GT(second_deals, 20);
}

TEST(ServerMessagesTest, EventsCarryWhatThePlayDid) {
  std::mt19937 engine(5);
  MatchState s = NewMatch(Options{});
  DealHand(s, ShuffledDeck(engine), 0);
  // Play until a capture, then look at its event as the other side sees it.
  while (true) {
    const Play play = RandomLegalPlay(s, engine);
    const int seat = s.turn;
    const PlayResult result = ApplyPlay(s, seat, play);
    ASSERT_TRUE(result.Ok());
    if (play.take.Empty()) continue;
    const json message = EventsMessage(result.events, SeatView(s, (seat + 1) % kSeats));
    EXPECT_EQ(message["type"], "events");
    EXPECT_EQ(message["protocol"], kProtocolVersion);
    const json& laid = message["events"][0];
    EXPECT_EQ(laid["kind"], "laid");
    EXPECT_EQ(laid["seat"], seat);
    EXPECT_EQ(laid["card"], play.card);
    const json& taken = message["events"][1];
    EXPECT_EQ(taken["kind"], "taken");
    EXPECT_EQ(taken["side"], seat % 2 == 0 ? "we" : "they");
    std::vector<int16_t> want(play.take.begin(), play.take.end());
    std::vector<int16_t> got = taken["taken"].get<std::vector<int16_t>>();
    std::ranges::sort(want);
    std::ranges::sort(got);
    EXPECT_EQ(got, want);
    const auto& cards_taken = std::get<CardsTaken>(result.events[1]);
    EXPECT_EQ(taken["we_score"]["points"], cards_taken.we_score.points);
    EXPECT_EQ(taken["specials"]["scua"], cards_taken.specials.scua);
    break;
  }
}

TEST(ServerMessagesTest, ADamagedViewIsRefused) {
  std::mt19937 engine(11);
  MatchState s = NewMatch(Options{});
  DealHand(s, ShuffledDeck(engine), 2);
  const json good = ViewMessage(SeatView(s, 1));
  ASSERT_TRUE(ViewFromMessage(good).view.has_value());
  const std::vector<std::function<void(json&)>> damages = {
      [](json& j) { j.erase("turn"); },
      [](json& j) { j["protocol"] = kProtocolVersion + 1; },
      [](json& j) { j["seat"] = 4; },
      [](json& j) { j["hand"].push_back(52); },
      [](json& j) { j["hand_sizes"][1] = 3; },  // not what the hand holds
      [](json& j) { j["hand_sizes"][0] = 13; },
      [](json& j) { j["hand_sizes"].erase(3); },
      [](json& j) { j["hand_size"] = 8; },
      [](json& j) { j["stock"] = -1; },
      [](json& j) { j["phase"] = "dealing"; },
      [](json& j) { j["sides"][1]["hand"]["points"] = "3"; },
      [](json& j) { j = json::array(); },
  };
  for (std::size_t i = 0; i < damages.size(); ++i) {
    json bad = good;
    damages[i](bad);
    const ViewRead read = ViewFromMessage(bad);
    EXPECT_FALSE(read.view.has_value()) << "damage " << i;
    EXPECT_FALSE(read.problem.empty()) << "damage " << i;
  }
}

// A whole hand as one seat was sent it: its view and every play's events.
std::vector<std::string> WholeHandTo(int seat, bool twelve_card_hands, uint32_t seed) {
  std::mt19937 engine(seed);
  Options options;
  options.twelve_card_deal = twelve_card_hands ? 1 : 0;
  MatchState s = NewMatch(options);
  DealHand(s, ShuffledDeck(engine), 1);
  std::vector<std::string> texts = {ViewMessage(SeatView(s, seat)).dump()};
  while (s.phase == HandPhase::kPlaying) {
    const PlayResult result = ApplyPlay(s, s.turn, RandomLegalPlay(s, engine));
    texts.push_back(EventsMessage(result.events, SeatView(s, seat)).dump());
  }
  return texts;
}

// The longest hand so far, the whole of one, reads back text for text; so
// does every shorter start of it.
TEST(ServerMessagesTest, AHandSoFarReadsBackAsTheTextsItWasMadeOf) {
  for (const bool twelve : {true, false}) {
    const std::vector<std::string> hand = WholeHandTo(3, twelve, twelve ? 8 : 9);
    ASSERT_EQ(hand.size(), static_cast<std::size_t>(kMaxHandSoFarMessages));
    for (const std::size_t length :
         {std::size_t{1}, std::size_t{2}, std::size_t{25}, hand.size()}) {
      const std::vector<std::string> texts(hand.begin(),
                                           hand.begin() + static_cast<std::ptrdiff_t>(length));
      const json message = HandSoFarMessage(texts);
      EXPECT_EQ(message["type"], "hand-so-far");
      // The messages travel as objects, not as strings inside strings.
      EXPECT_TRUE(message["messages"][0].is_object());
      const auto read = HandSoFarFromMessage(json::parse(message.dump()));
      ASSERT_TRUE(read.has_value()) << message.dump();
      EXPECT_EQ(*read, texts);
    }
  }
}

TEST(ServerMessagesTest, AHandSoFarOfTheWrongShapeIsRefused) {
  const std::vector<std::string> hand = WholeHandTo(0, true, 12);
  const json good = HandSoFarMessage({hand[0], hand[1], hand[2]});
  ASSERT_TRUE(HandSoFarFromMessage(good).has_value());
  const std::vector<std::function<void(json&)>> damages = {
      [](json& j) { j = json::array(); },
      [](json& j) { j.erase("messages"); },
      [](json& j) { j["messages"] = "[]"; },
      [](json& j) { j["messages"] = json::array(); },
      [](json& j) { j["messages"][1] = j["messages"][1].dump(); },  // a string, not an object
      [](json& j) { j["messages"][1].erase("type"); },
      [](json& j) { j["messages"][1]["type"] = 7; },
      [](json& j) { j["messages"][1]["type"] = "seats"; },
      [](json& j) { j["messages"][2] = j["messages"][0]; },  // a second view
      [](json& j) { j["messages"].erase(0); },               // no view to start from
      [&](json& j) {
        for (std::size_t i = 3; i < hand.size(); ++i) j["messages"].push_back(json::parse(hand[i]));
        j["messages"].push_back(json::parse(hand.back()));  // one more than a hand holds
      },
  };
  for (std::size_t i = 0; i < damages.size(); ++i) {
    json bad = good;
    damages[i](bad);
    EXPECT_FALSE(HandSoFarFromMessage(bad).has_value()) << "damage " << i << ": " << bad.dump();
  }
}

TEST(ServerMessagesTest, ErrorCodesTravelByDistinctNames) {
  std::set<std::string_view> names;
  for (int i = 0; i < kProtocolErrorCount; ++i) {
    const auto code = static_cast<ProtocolError>(i);
    const json message = ErrorMessage(code, "why");
    EXPECT_EQ(message["type"], "error");
    EXPECT_EQ(message["message"], "why");
    EXPECT_EQ(ProtocolErrorFromName(message["code"].get<std::string>()), code);
    names.insert(ProtocolErrorName(code));
  }
  EXPECT_EQ(names.size(), static_cast<size_t>(kProtocolErrorCount));
  EXPECT_FALSE(ProtocolErrorFromName("no-such-code").has_value());
}

TEST(ServerMessagesTest, TableLifeMessagesCarryTheirFieldsAndNoCard) {
  const json seated = SeatedMessage("K7QH2M", 2, "Ab0_-Ab0_-Ab0_-Ab0_-");
  EXPECT_EQ(seated["type"], "seated");
  EXPECT_EQ(seated["code"], "K7QH2M");
  EXPECT_EQ(seated["seat"], 2);
  EXPECT_EQ(seated["token"], "Ab0_-Ab0_-Ab0_-Ab0_-");

  std::array<SeatInfo, kSeats> seats{};
  seats[0] = {"Ada", SeatPresence::kHere, PlayerLevel::kClassic};
  seats[1] = {"", SeatPresence::kComputer, PlayerLevel::kExpert};
  seats[2] = {"Bea", SeatPresence::kStandIn, PlayerLevel::kClassic};
  seats[3] = {"", SeatPresence::kOpen, PlayerLevel::kClassic};
  const json list = SeatsMessage(seats, 0, 30);
  EXPECT_EQ(list["type"], "seats");
  EXPECT_EQ(list["host"], 0);
  EXPECT_EQ(list["turn_seconds"], 30);
  ASSERT_EQ(list["seats"].size(), 4u);
  EXPECT_EQ(list["seats"][0]["presence"], "here");
  EXPECT_EQ(list["seats"][0]["name"], "Ada");
  EXPECT_TRUE(list["seats"][0]["level"].is_null());  // a person plays it
  EXPECT_EQ(list["seats"][1]["level"], "expert");
  EXPECT_EQ(list["seats"][2]["presence"], "stand-in");
  EXPECT_EQ(list["seats"][2]["level"], "classic");
  EXPECT_EQ(list["seats"][3]["presence"], "open");

  EXPECT_EQ(TableEndedMessage(TableEnd::kServerClosing)["reason"], "server-closing");
  EXPECT_EQ(TableEndedMessage(TableEnd::kMatchOver)["reason"], "match-over");
  EXPECT_EQ(PongMessage()["type"], "pong");
  EXPECT_EQ(WelcomeMessage()["protocol"], kProtocolVersion);
  EXPECT_EQ(DrainingMessage(20)["seconds"], 20);
}

}  // namespace
}  // namespace vantel
