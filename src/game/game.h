#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/card_sprite.h"
#include "game/cards.h"
#include "game/clock.h"
#include "game/flow_state.h"
#include "game/layout.h"
#include "game/options.h"
#include "game/random.h"
#include "game/seats.h"
#include "game/sound.h"

namespace vantel {

class GameObserver;  // sees the flow's events (traces); defined by the flow

// Room in the card model. Every array keeps the room the game has always had,
// one entry past its last index in use (the stock 0..52 has 53 entries), so a
// count that reaches its limit still lands inside.
inline constexpr int kStockRecords = kCardCount + 1;      // the stock, the piles, the shuffle
inline constexpr int kHandRecords = kHandSlots + 1;       // slots 0..11 in use
inline constexpr int kTableRecords = 36;                  // cards lying on the table
inline constexpr int kTablePlaces = 31;                   // fixed places 0..30
inline constexpr int kLastTablePlace = kTablePlaces - 1;  // where a full table stacks up
inline constexpr int kTakenRecords = 56;                  // a side's taken ids
inline constexpr int kFanPlaces = 15;                     // marker places of a side
inline constexpr int kFanRecords = kFanPlaces + 1;
inline constexpr int kRankSeenRecords = kHighestValue + 2;  // indexed by value 1..13
inline constexpr int kHistoryRecords = 41;                  // score page rows
inline constexpr int kDealOrderRecords = kSeats + 1;
inline constexpr int kMaxTakenPerPlay = 6;  // table cards one play can take

// Every card position and list of a hand.
struct CardModel {
  std::array<int16_t, kRankSeenRecords> RankSeen{};  // cards of each value put on the table
  std::array<CardSprite, kStockRecords> Deck{};
  std::array<std::array<CardSprite, kHandRecords>, kSeats> Hand{};  // Hand[0] is the human's
  std::array<CardSprite, kTableRecords> Table{};
  std::array<CardSprite, kStockRecords> WePile{};
  std::array<CardSprite, kStockRecords> TheyPile{};
  int16_t TableCount = 0;
  int16_t WePileCount = 0;
  int16_t TheyPileCount = 0;

  std::array<std::array<int16_t, kHandRecords>, kSeats> HandIds{};
  std::array<int16_t, kSeats> HandIdCount{};
  std::array<int16_t, kTablePlaces> TableIds{};
  int16_t TableIdCount = 0;
  std::array<int16_t, kTakenRecords> WeTaken{};
  int16_t WeTakenCount = 0;
  std::array<int16_t, kTakenRecords> TheyTaken{};
  int16_t TheyTakenCount = 0;

  std::array<TableSlotEntry, kTablePlaces> TableSlot{};
  std::array<FanEntry, kFanRecords> WeFan{};  // places 0..14 are laid out
  std::array<FanEntry, kFanRecords> TheyFan{};
  int16_t WeFanCount = 0;
  int16_t TheyFanCount = 0;
};

struct SideFlags {
  bool Scua = false;
  bool Simili = false;
  bool Picada = false;
  bool Quadriglia = false;
  bool Any() const { return Scua || Simili || Picada || Quadriglia; }
};

// The capture hand-over between the deciding player, the landing and the flow.
struct CaptureState {
  std::array<int16_t, kMaxTakenPerPlay> CaptureIdx{};  // table indices to take
  int16_t CaptureCount = 0;
  int16_t LastCaptureSize = 0;  // -1 after the deal
  int16_t PrevCaptureSize = 0;
  int16_t LastCapturer = 0;
  SideFlags We;  // special captures of the play just judged
  SideFlags They;
  SideFlags& Of(Side side) { return side == Side::We ? We : They; }
  const SideFlags& Of(Side side) const { return side == Side::We ? We : They; }
};

struct SideScore {
  int16_t ScuaCount = 0;  // running counts of the hand
  int16_t SimiliCount = 0;
  int16_t PicadaCount = 0;
  int16_t QuadrigliaCount = 0;
  int16_t Napula = 0;      // kept once non-zero
  int16_t SuitSCount = 0;  // recomputed from the taken cards
  int16_t SuitSPoint = 0;
  int16_t CardsPoint = 0;
  int16_t HasTwoS = 0;
  int16_t HasTenD = 0;
  int16_t HasJackH = 0;
  int16_t HandPoints = 0;
};

struct Scores {
  SideScore We;
  SideScore They;
  SideScore& Of(Side side) { return side == Side::We ? We : They; }
  const SideScore& Of(Side side) const { return side == Side::We ? We : They; }
  int16_t WeMatchPoints = 0;
  int16_t TheyMatchPoints = 0;
  int16_t MatchTarget = 50;
  std::array<int16_t, kHistoryRecords> HistoryWe{};
  std::array<int16_t, kHistoryRecords> HistoryThey{};
  int16_t HistoryRows = 0;
  std::string MatchResultText;
  bool MatchOver = false;
  bool MatchTied = false;
};

struct DealState {
  int16_t DeckPosition = 0;
  std::array<int16_t, kStockRecords> ShuffleOrder{};
  std::array<int16_t, kDealOrderRecords> DealOrder{};
  int16_t DealTurn = 0;
  int16_t DealRecipient = 0;
  int16_t PacketCount = 0;
  int16_t CardsDealt = 0;
  bool FirstHandDealt = false;  // run-wide: the first hand's first seat is random
};

struct FlowData {
  FlowState State = FlowState::DealingCards;  // the hand's flow state
  FlowState StateBeforePause = FlowState::DealingCards;
  uint32_t PauseStartTick = 0;
  uint32_t PauseLength = 0;
  bool PauseServed = false;
  int16_t Turn = 0;  // seat whose card is being played
  bool AwaitingHuman = false;
  bool HumanPlayed = false;
  bool HumanPicked = false;
  int16_t ComputerCardSlot = 0;
  int16_t CardsPlayed = 0;
  bool CaptureConfirmed = false;
  bool CaptureDeclined = false;
  FlowState SavedFlowState = FlowState::NormalPlay;
  int16_t MarkerIndex = 0;
  bool GamePaused = false;
  bool PauseKeyLatch = false;
  int16_t PickedHandIndex = -1;
};

// The whole state of one game. It owns no platform object: chance, sound and
// time come in through the three ports, so two games can run side by side in a
// test and a seed replays a game exactly.
struct Game {
  Game(Random& random_, SoundSink& sound_, TickClock& clock_)
      : random(random_), sound(sound_), clock(clock_) {}

  Random& random;
  SoundSink& sound;
  TickClock& clock;

  Options options;
  Layout layout;
  CardModel model;
  CaptureState capture;
  Scores score;
  DealState deal;
  FlowData flow;
  GameObserver* observer = nullptr;  // not owned; none by default
};

}  // namespace vantel
