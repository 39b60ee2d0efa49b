#include "gfx/seat_labels.h"

#include "flow/game.h"
#include "flow/status_text.h"
#include "gfx/assets.h"
#include "gfx/display.h"
#include "gfx/screen_text.h"

namespace vantel {

namespace {

// The first `count` characters of UTF-8 `text`.
std::string FirstCharacters(const std::string& text, int count) {
  std::size_t end = 0;
  for (int seen = 0; end < text.size(); ++end) {
    const bool starts_character = (static_cast<unsigned char>(text[end]) & 0xC0U) != 0x80U;
    if (starts_character && seen++ == count) break;
  }
  return text.substr(0, end);
}

}  // namespace

PointerPosition SeatLabelPlace(int place) {
  // Beside each hand, on felt no card lies on: ours and Right's above the
  // hand, Partner's left of it, Left's right of it.
  switch (place) {
    case 0: return {8, 392};
    case 1: return {-770, 392};
    case 2: return {-600, 8};
    default: return {160, 8};
  }
}

int32_t SeatLabelRoom(int place) {
  switch (place) {
    case 0: return 200;   // from the left edge, over our hand's left cards
    case 1: return 140;   // over Right's hand, from its right end
    default: return 210;  // half of the felt between the two top hands
  }
}

std::string PlaceLabelText(int place) {
  return ScreenText(std::string(SeatName(place)).c_str());
}

std::string SeatLabelText(const Game& g, int place) {
  const std::string& name =
      g.aids.people.names[static_cast<std::size_t>(SeatAtPlace(g.options, place))];
  return name.empty() ? PlaceLabelText(place) : FirstCharacters(name, kLabelNameChars);
}

Rect SeatLabelRect(const Game& g, const Assets& a, int place) {
  const std::string name = SeatLabelText(g, place);
  const int32_t width = a.deluxe_font.SpacedWidth(name);
  PointerPosition at = SeatLabelPlace(place);
  // A negative x is the right end of the label, for the seats on the right.
  if (at.x < 0) at.x = -at.x - width;
  return {at.x, at.y, at.x + width, at.y + a.deluxe_font.CellHeight()};
}

void DrawSeatLabels(const Game& g, const Assets& a, Display& d) {
  const BitmapFont& font = a.deluxe_font;
  if (!font.Loaded()) return;
  for (int place = 0; place < kSeats; ++place) {
    const Rect at = SeatLabelRect(g, a, place);
    font.DrawSpaced(d, static_cast<float>(at.left), static_cast<float>(at.top),
                    SeatLabelText(g, place));
  }
}

}  // namespace vantel
