#include "codec/client_messages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "codec/player_name.h"
#include "codec/table_codes.h"

namespace vantel {
namespace {

struct Refusal {
  const char* what;
  std::string text;
  ProtocolError code;
};

std::vector<Refusal> Refusals() {
  return {
      {"too long", "{\"type\":\"ping\"}" + std::string(kMaxClientMessage, ' '),
       ProtocolError::kTooLong},
      {"one byte too long, even as a good name",
       R"({"type":"hello","protocol":1,"name":")" + std::string(kMaxClientMessage, 'a') + "\"}",
       ProtocolError::kTooLong},
      {"not JSON", "play 12", ProtocolError::kNotJson},
      {"half an object", R"({"type":"ping")", ProtocolError::kNotJson},
      {"empty", "", ProtocolError::kNotJson},
      {"an array", R"([{"type":"ping"}])", ProtocolError::kNotJson},
      {"a string", R"("ping")", ProtocolError::kNotJson},
      {"bytes that are not UTF-8", "{\"type\":\"hello\",\"protocol\":1,\"name\":\"a\xff\"}",
       ProtocolError::kNotJson},
      {"no type", R"({"card":3,"take":[]})", ProtocolError::kBadShape},
      {"type not a string", R"({"type":7})", ProtocolError::kBadShape},
      {"unknown type", R"({"type":"deal"})", ProtocolError::kUnknownType},
      {"type in other case", R"({"type":"PING"})", ProtocolError::kUnknownType},
      {"unknown field", R"({"type":"ping","id":1})", ProtocolError::kBadShape},
      {"unknown field beside good ones", R"({"type":"play","card":3,"take":[],"seat":0})",
       ProtocolError::kBadShape},
      {"missing field", R"({"type":"play","card":3})", ProtocolError::kBadShape},
      {"missing name", R"({"type":"hello","protocol":1})", ProtocolError::kBadShape},
      {"card as a string", R"({"type":"play","card":"3","take":[]})", ProtocolError::kBadShape},
      {"card as a fraction", R"({"type":"play","card":3.5,"take":[]})", ProtocolError::kBadShape},
      {"take not an array", R"({"type":"play","card":3,"take":4})", ProtocolError::kBadShape},
      {"take of strings", R"({"type":"play","card":3,"take":["4"]})", ProtocolError::kBadShape},
      {"card out of range", R"({"type":"play","card":52,"take":[]})", ProtocolError::kBadCard},
      {"card negative", R"({"type":"play","card":-1,"take":[]})", ProtocolError::kBadCard},
      {"card huge", R"({"type":"play","card":18446744073709551615,"take":[]})",
       ProtocolError::kBadCard},
      {"taken card out of range", R"({"type":"play","card":3,"take":[1,99]})",
       ProtocolError::kBadCard},
      {"too many cards to take", R"({"type":"play","card":12,"take":[0,1,2,3,4,5,6]})",
       ProtocolError::kBadCard},
      {"a card to take twice", R"({"type":"play","card":12,"take":[4,4]})",
       ProtocolError::kBadCard},
      {"taking the card played", R"({"type":"play","card":12,"take":[12]})",
       ProtocolError::kBadCard},
      {"another protocol", R"({"type":"hello","protocol":2,"name":"Ada"})",
       ProtocolError::kBadVersion},
      {"protocol as a string", R"({"type":"hello","protocol":"1","name":"Ada"})",
       ProtocolError::kBadShape},
      {"empty name", R"({"type":"hello","protocol":1,"name":""})", ProtocolError::kBadName},
      {"name of spaces", R"({"type":"hello","protocol":1,"name":"   "})", ProtocolError::kBadName},
      {"name too long", R"({"type":"join","code":"ABC234","name":"abcdefghijklmnopqrstuvwxy"})",
       ProtocolError::kBadName},
      {"name with a newline", R"({"type":"hello","protocol":1,"name":"A\nB"})",
       ProtocolError::kBadName},
      {"name with a NUL", R"({"type":"hello","protocol":1,"name":"A\u0000B"})",
       ProtocolError::kBadName},
      {"name with a C1 control", R"({"type":"hello","protocol":1,"name":"A\u0085"})",
       ProtocolError::kBadName},
      {"name not a string", R"({"type":"hello","protocol":1,"name":["Ada"]})",
       ProtocolError::kBadShape},
      {"code too short", R"({"type":"join","code":"ABC23","name":"Ada"})", ProtocolError::kBadCode},
      {"code with an O", R"({"type":"join","code":"ABCO23","name":"Ada"})",
       ProtocolError::kBadCode},
      {"code with a 1", R"({"type":"rejoin","code":"ABC123","token":"abcdefghijklmnop"})",
       ProtocolError::kBadCode},
      {"code in lower case", R"({"type":"join","code":"abc234","name":"Ada"})",
       ProtocolError::kBadCode},
      {"token too short", R"({"type":"rejoin","code":"ABC234","token":"abc"})",
       ProtocolError::kBadToken},
      {"token with a slash", R"({"type":"rejoin","code":"ABC234","token":"abcdefghijklmno/"})",
       ProtocolError::kBadToken},
      {"three seats", R"({"type":"host","seats":["person","classic","expert"],"hand_size":12})",
       ProtocolError::kBadShape},
      {"unknown level",
       R"({"type":"host","seats":["person","classic","master","classic"],"hand_size":12})",
       ProtocolError::kBadTable},
      {"no seat for the host",
       R"({"type":"host","seats":["classic","classic","expert","classic"],"hand_size":6})",
       ProtocolError::kBadTable},
      {"a hand of eight",
       R"({"type":"host","seats":["person","classic","person","classic"],"hand_size":8})",
       ProtocolError::kBadTable},
      {"hand size as a string",
       R"({"type":"host","seats":["person","classic","person","classic"],"hand_size":"6"})",
       ProtocolError::kBadShape},
      {"turn limit too short",
       R"({"type":"host","seats":["person","classic","person","classic"],"hand_size":6,"turn_seconds":9})",
       ProtocolError::kBadTable},
      {"turn limit as a string",
       R"({"type":"host","seats":["person","classic","person","classic"],"hand_size":6,"turn_seconds":"30"})",
       ProtocolError::kBadShape},
      {"computer seat out of range", R"({"type":"computer-seat","seat":4,"level":"classic"})",
       ProtocolError::kBadTable},
      {"computer seat of a person", R"({"type":"computer-seat","seat":1,"level":"person"})",
       ProtocolError::kBadTable},
      {"computer seat without a level", R"({"type":"computer-seat","seat":1})",
       ProtocolError::kBadShape},
      {"deeply nested", std::string(2000, '[') + std::string(2000, ']'), ProtocolError::kNotJson},
  };
}

TEST(ClientMessagesTest, RefusesWhatIsNotExactlyAMessage) {
  for (const Refusal& refusal : Refusals()) {
    const ClientParse parse = ParseClientMessage(refusal.text);
    EXPECT_FALSE(parse.message.has_value()) << refusal.what;
    EXPECT_EQ(ProtocolErrorName(parse.error), ProtocolErrorName(refusal.code)) << refusal.what;
    EXPECT_FALSE(parse.problem.empty()) << refusal.what;
  }
}

TEST(ClientMessagesTest, EveryKindReadsBackAsItWasWritten) {
  HostMessage host;
  host.seats[0] = {true, PlayerLevel::kClassic};
  host.seats[1] = {false, PlayerLevel::kExpert};
  host.seats[2] = {true, PlayerLevel::kClassic};
  host.seats[3] = {false, PlayerLevel::kClassic};
  host.twelve_card_hands = false;
  HostMessage timed;
  timed.turn_seconds = kMinTurnSeconds;
  const std::vector<ClientMessage> messages = {
      HelloMessage{kProtocolVersion, "Ada"},
      HelloMessage{kProtocolVersion, "Niccolò dei Conti ♠"},
      HelloMessage{kProtocolVersion, std::string(kMaxPlayerNameLength, 'z')},
      host,
      HostMessage{},
      timed,
      JoinMessage{"ABC234", "Bea"},
      JoinMessage{"ZZZZZZ", "x"},
      RejoinMessage{"HJKMNP", "Ab0_-Ab0_-Ab0_-Ab0_-"},
      PlayMessage{{12, {}}},
      PlayMessage{{51, {0, 13, 26, 39, 1, 2}}},
      ComputerSeatMessage{3, PlayerLevel::kExpert},
      LeaveMessage{},
      PingMessage{},
  };
  for (const ClientMessage& message : messages) {
    const std::string text = ClientMessageToText(message);
    const ClientParse parse = ParseClientMessage(text);
    ASSERT_TRUE(parse.message.has_value()) << text << ": " << parse.problem;
    EXPECT_EQ(*parse.message, message) << text;
  }
}

TEST(ClientMessagesTest, FieldOrderAndSpacingDoNotMatter) {
  const ClientParse parse =
      ParseClientMessage(" { \"take\" : [ 7 , 3 ] ,\n\"card\":10, \"type\":\"play\" } ");
  ASSERT_TRUE(parse.message.has_value()) << parse.problem;
  EXPECT_EQ(std::get<PlayMessage>(*parse.message).play, (Play{10, {7, 3}}));
}

TEST(TableCodesTest, JoinCodesUseOnlyUnmistakableSymbols) {
  for (char c : std::string_view("01OIL"))
    EXPECT_EQ(kJoinCodeAlphabet.find(c), std::string_view::npos);
  EXPECT_EQ(kJoinCodeAlphabet.size(), 31u);  // 31^6: near 900 million codes
  EXPECT_TRUE(IsJoinCode("23456Z"));
  EXPECT_FALSE(IsJoinCode("2345678"));
  EXPECT_FALSE(IsJoinCode("2345L7"));
  EXPECT_FALSE(IsJoinCode(std::string_view("23456\0", 6)));
  EXPECT_FALSE(IsJoinCode(""));
}

TEST(TableCodesTest, CodesAndTokensFromRandomBitsAreValidAndCarryEveryBit) {
  EXPECT_TRUE(IsJoinCode(JoinCodeFromBits(0)));
  EXPECT_TRUE(IsJoinCode(JoinCodeFromBits(UINT64_MAX)));
  EXPECT_NE(JoinCodeFromBits(1), JoinCodeFromBits(2));
  const std::string token = SeatTokenFromBits(0, 0);
  EXPECT_TRUE(IsSeatToken(token));
  EXPECT_EQ(token.size(), 22u);
  // Every one of the 128 bits shows in the token: flipping one changes it.
  std::set<std::string> tokens = {token};
  for (int bit = 0; bit < 64; ++bit) {
    tokens.insert(SeatTokenFromBits(uint64_t{1} << bit, 0));
    tokens.insert(SeatTokenFromBits(0, uint64_t{1} << bit));
  }
  EXPECT_EQ(tokens.size(), 129u);
  for (const std::string& t : tokens) EXPECT_TRUE(IsSeatToken(t)) << t;
}

TEST(PlayerNameTest, CountsCharactersNotBytesAndRefusesBrokenText) {
  EXPECT_TRUE(IsPlayerName("Zoë"));
  EXPECT_TRUE(IsPlayerName(std::string(24, 'a')));
  EXPECT_FALSE(IsPlayerName(std::string(25, 'a')));
  std::string accented;
  for (int i = 0; i < 24; ++i) accented += "è";  // 48 bytes, 24 characters
  EXPECT_TRUE(IsPlayerName(accented));
  EXPECT_FALSE(IsPlayerName(accented + "è"));
  EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x82\xA1"));   // a playing card, four bytes
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // an overlong slash
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // a surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xE2\x82"));          // cut short
  EXPECT_FALSE(IsValidUtf8("\x80"));              // a stray continuation
  EXPECT_FALSE(IsPlayerName("\xE2\x80\xA8"));     // a line separator
  EXPECT_FALSE(IsPlayerName("a\x7F"));
}

}  // namespace
}  // namespace vantel
