#pragma once

#include <cstdint>

namespace vantel {

// One drawable, movable card position: the stock, the hands, the table and the
// piles all hold these, so a flight is nothing but X/Y changing between frames.
struct CardSprite {
  float x = 0;
  float y = 0;
  int16_t card = 0;
  bool shown = false;
  bool face_up = false;
  bool moving = false;
  float target_x = 0;
  float target_y = 0;
  float step_x = 0;
  float step_y = 0;
  int16_t dir_x = 0;
  int16_t dir_y = 0;
  int16_t home_x = 0;
  int16_t home_y = 0;
  int16_t width = 0;
  int16_t height = 0;
  bool captured = false;
  int16_t slot = 0;
  bool picked = false;
};

// A fixed place on the felt where a table card lies.
struct TableSlotEntry {
  int16_t x = 0;
  int16_t y = 0;
  bool used = false;
};

// One place of a side's marker fan; a special capture leaves its capturing
// card face up here.
struct FanEntry {
  int16_t x = 0;
  int16_t y = 0;
  int16_t order = 0;
  bool shown = false;  // a marker card lies here
  int16_t card = 0;
  float rest_x = 0;  // where the marker came to rest
  float rest_y = 0;
};

}  // namespace vantel
