#pragma once

#include <cstdint>

namespace vantel {

// One drawable, movable card position: the stock, the hands, the table and the
// piles all hold these, so a flight is nothing but X/Y changing between frames.
struct CardSprite {
  float X = 0;
  float Y = 0;
  int16_t Card = 0;
  bool Shown = false;
  bool FaceUp = false;
  bool Moving = false;
  float TargetX = 0;
  float TargetY = 0;
  float StepX = 0;
  float StepY = 0;
  int16_t DirX = 0;
  int16_t DirY = 0;
  int16_t HomeX = 0;
  int16_t HomeY = 0;
  int16_t Width = 0;
  int16_t Height = 0;
  bool Captured = false;
  int16_t Slot = 0;
  bool Picked = false;
};

// A fixed place on the felt where a table card lies.
struct TableSlotEntry {
  int16_t X = 0;
  int16_t Y = 0;
  bool Used = false;
};

// One place of a side's marker fan; a special capture leaves its capturing
// card face up here.
struct FanEntry {
  int16_t X = 0;
  int16_t Y = 0;
  int16_t Order = 0;
  bool Shown = false;  // a marker card lies here
  int16_t Card = 0;
  float RestX = 0;  // where the marker came to rest
  float RestY = 0;
};

}  // namespace vantel
