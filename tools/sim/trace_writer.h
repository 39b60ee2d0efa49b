#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string>

#include "flow/observer.h"
#include "game/sound.h"

namespace vantel {

// Remembers the last effect played, for the trace's end-of-hand line.
class LastSound final : public SoundSink {
 public:
  void Play(SoundId id) override {
    last = id;
    any = true;
  }
  SoundId last = SoundId::kShuffle;
  bool any = false;
};

// Writes the flow's events as JSON Lines, one object per line, in the order
// they happen. Hands are numbered from 1 in the run.
class TraceWriter final : public GameObserver {
 public:
  TraceWriter(std::ostream& out, const LastSound& sound) : out_(out), sound_(sound) {}

  void OnHandStart(const Game& g) override;
  void OnDealt(const Game& g) override;
  void OnTurn(const Game& g, int seat, int16_t choice, std::span<const int16_t> capture) override;
  void OnLand(const Game& g, int seat, int16_t card) override;
  void OnSelect(const Game& g, bool declined) override;
  void OnApply(const Game& g, bool special) override;
  void OnBank(const Game& g, Side side, int16_t first_taken, int16_t marker) override;
  void OnScore(const Game& g) override;
  void OnReorder(const Game& g, std::span<const int16_t> before,
                 std::span<const int16_t> after) override;
  void OnHandEnd(const Game& g) override;

 private:
  void Begin(const char* ev);
  void End();
  void Int(const char* key, long v);
  void Bool(const char* key, bool v);
  void Text(const char* key, std::string_view v);
  void List(const char* key, std::span<const int16_t> ids);
  void TableCards(const Game& g);
  void Flags(const Game& g);

  std::ostream& out_;
  const LastSound& sound_;
  std::string line_;
  int hand_ = 0;
};

}  // namespace vantel
