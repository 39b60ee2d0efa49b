#pragma once

#include <array>
#include <cstdint>

#include "game/options.h"

namespace vantel {

// Screen positions, step counts and sizes, filled once by SetupLayout for the
// 800 x 600 layout (the only one defined; any other resolution leaves zeros).
struct Layout {
  // Hand place of seat s for its k-th card: (HandBaseX[s] + HandStepX[s] * k, HandBaseY[s]).
  std::array<int16_t, kSeats> HandBaseX{};
  std::array<int16_t, kSeats> HandBaseY{};
  std::array<int16_t, kSeats> HandStepX{};
  // The visible stock: card i of a lay-out from b sits at DeckBaseX + DeckRightOffset - (i - b) *
  // DeckStep.
  int16_t DeckBaseX = 0;
  int16_t DeckY = 0;
  int16_t DeckRightOffset = 0;
  int16_t DeckStep = 0;

  int16_t ShortMoveSteps = 0;
  int16_t LongMoveSteps = 0;
  int16_t ArriveToleranceX = 0;
  int16_t ArriveToleranceY = 0;

  int16_t WePileX = 0, WePileY = 0;
  int16_t TheyPileX = 0, TheyPileY = 0;
  int16_t WeFanBaseX = 0, FanBaseY = 0, TheyFanBaseX = 0;

  // Scatter ranges: a scatter is the whole part of (random * range), x drawn first.
  int16_t PlayScatterX = 0, PlayScatterY = 0;
  int16_t DealScatterX = 0, DealScatterY = 0;
  int16_t GatherScatterX = 0, GatherScatterY = 0;  // also the pile scatter

  int16_t CardWidth = 0;
  int16_t CardHeight = 0;  // set by the asset loading (SetCardHeightForDeck)
};

// 1024 x 768 value scaled to 800 x 600 (x 0.78125), rounded half to even.
int16_t ScaleTo800(int v);

void SetupLayout(const Options& options, Layout& layout);

// Both offered decks are 153 pixels high; the asset loading records it, and a
// game without pictures (the simulator, tests) calls this instead.
void SetCardHeightForDeck(const Options& options, Layout& layout);

}  // namespace vantel
