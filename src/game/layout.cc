#include "game/layout.h"

#include <cmath>

namespace vantel {

int16_t ScaleTo800(int v) {
  return static_cast<int16_t>(std::nearbyint(v * 0.78125));
}

void SetupLayout(const Options& options, Layout& layout) {
  if (options.Resolution != "800x600") return;
  const bool twelve = options.TwelveCardDeal == 1;

  layout.HandBaseX = {5, 625, 610, 5};
  layout.HandBaseY = {420, 420, 5, 5};
  layout.HandStepX = {47, 6, 6, 6};
  layout.DeckBaseX = twelve ? 5 : 510;
  layout.DeckY = twelve ? 240 : 420;
  layout.DeckRightOffset = 8;
  layout.DeckStep = 1;

  layout.ShortMoveSteps = options.SlowAnimation ? 20 : 10;
  layout.LongMoveSteps = options.SlowAnimation ? 40 : 20;
  layout.ArriveToleranceX = 8;
  layout.ArriveToleranceY = 8;

  layout.WePileX = 45;
  layout.WePileY = 240;
  layout.TheyPileX = 635;
  layout.TheyPileY = 240;
  layout.WeFanBaseX = 45;
  layout.FanBaseY = 240;
  layout.TheyFanBaseX = 635;

  layout.PlayScatterX = 22;
  layout.PlayScatterY = 18;
  layout.DealScatterX = 12;
  layout.DealScatterY = 8;
  layout.GatherScatterX = 8;
  layout.GatherScatterY = 8;

  layout.CardWidth = options.DeckName == "Trevigiano" ? 77 : 81;
}

void SetCardHeightForDeck(const Options& options, Layout& layout) {
  if (options.DeckName == "Royal" || options.DeckName == "Trevigiano") layout.CardHeight = 153;
}

}  // namespace vantel
