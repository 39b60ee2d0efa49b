#include "gfx/play_plates.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "flow/game.h"
#include "flow/status_text.h"
#include "flow/table_notes.h"
#include "gfx/aid_pictures.h"
#include "gfx/assets.h"
#include "gfx/display.h"
#include "gfx/picture_fit.h"
#include "gfx/screen_text.h"
#include "gfx/seat_labels.h"
#include "i18n/gettext.h"

namespace vantel {

namespace {

constexpr int32_t kPreviousFrameLine = 2;
constexpr int32_t kRightPlateGap = 8;  // between Right's plate and its label
constexpr int32_t kTopPlateY = 158;    // under the top hands, above the marker fans
constexpr int32_t kTopLeftPlateX = 18;
constexpr int32_t kTopRightPlateEnd = 772;
constexpr int32_t kRightPlateY = 388;  // below the pile's tag, on Right's card backs
constexpr int32_t kRoundPanelLayers = 3;

struct Corner {
  int32_t width = 0;
  int32_t height = 0;
};

Corner CornerSize(const Assets& a) {
  const SDL_Surface* back = a.card_back_surface.get();
  if (!back) return {};
  return {back->w * kCornerWidthTenths / 10, back->h * kCornerHeightQuarters / 4};
}

}  // namespace

int32_t PlateHeight(const Assets& a) {
  return std::max(CornerSize(a).height, a.deluxe_font.CellHeight()) + 2 * kCornerPlatePadding;
}

namespace {

// The plate picture is one row high: a taller plate is laid in strips that
// do not overlap, so its shade stays even.
void Backing(const Assets& a, Display& d, int32_t x, int32_t y, int32_t width, int32_t height) {
  for (int32_t top = 0; top < height; top += kPlateHeight) {
    const Rect part{0, 0, std::min(width, kPlateWidth), std::min(kPlateHeight, height - top)};
    d.DrawSurface(a.plate_surface.get(), part, x, y + top, false);
  }
}

// One play on a plate: optionally the seat's name, the card's corner, the
// word, and the corners of what it took.
class PlayPlate {
 public:
  PlayPlate(const Assets& a, const NotedPlay& play, std::string name, bool round_row)
      : a_(a),
        play_(play),
        name_(std::move(name)),
        word_(PlayWord(play, !round_row)),
        show_taken_(round_row),
        corner_(CornerSize(a)) {}

  const NotedPlay& Play() const { return play_; }
  // The rows of the round view line their cards up under each other.
  void SetNameColumn(int32_t width) { name_column_ = width; }

  int32_t Width() const {
    const BitmapFont& font = a_.deluxe_font;
    int32_t w = 2 * kCornerGap + corner_.width + kCornerGap + font.SpacedWidth(word_);
    if (!name_.empty()) w += NameColumn() + kCornerGap;
    if (show_taken_) w += play_.taken.Size() * (corner_.width + kCornerPlatePadding);
    return w;
  }

  void Draw(Display& d, int32_t x, int32_t y, bool previous) const {
    const BitmapFont& font = a_.deluxe_font;
    const int32_t height = PlateHeight(a_);
    const int32_t width = Width();
    Backing(a_, d, x, y, width, height);
    if (previous) Framed(d, x, y, width, height);
    const int32_t text_y = y + (height - font.CellHeight()) / 2;
    int32_t at = x + kCornerGap;
    if (!name_.empty()) {
      font.DrawSpaced(d, static_cast<float>(at), static_cast<float>(text_y), name_);
      at += NameColumn() + kCornerGap;
    }
    CardCorner(d, play_.card, at, y + kCornerPlatePadding);
    at += corner_.width + kCornerGap;
    font.DrawSpaced(d, static_cast<float>(at), static_cast<float>(text_y), word_);
    at += font.SpacedWidth(word_) + kCornerGap;
    if (!show_taken_) return;
    for (int16_t card : play_.taken) {
      CardCorner(d, card, at, y + kCornerPlatePadding);
      at += corner_.width + kCornerPlatePadding;
    }
  }

 private:
  void Framed(Display& d, int32_t x, int32_t y, int32_t width, int32_t height) const {
    SDL_Surface* mark = a_.previous_mark_surface.get();
    const int32_t line = kPreviousFrameLine;
    const int32_t w = std::min(width, kPlateWidth);
    const int32_t h = std::min(height, kPreviousMarkHeight);
    d.DrawSurface(mark, {0, 0, w, line}, x, y, false);
    d.DrawSurface(mark, {0, 0, w, line}, x, y + h - line, false);
    d.DrawSurface(mark, {0, 0, line, h - 2 * line}, x, y + line, false);
    d.DrawSurface(mark, {0, 0, line, h - 2 * line}, x + w - line, y + line, false);
  }

  void CardCorner(Display& d, int16_t card, int32_t x, int32_t y) const {
    if (card < 0 || card >= kCardCount) return;
    d.DrawSurface(a_.card_surfaces[static_cast<std::size_t>(card)].get(),
                  {0, 0, corner_.width, corner_.height}, x, y, true);
  }

  const Assets& a_;
  const NotedPlay& play_;
  std::string name_;
  std::string word_;
  bool show_taken_;
  Corner corner_;
  int32_t name_column_ = 0;

  int32_t NameColumn() const { return std::max(name_column_, a_.deluxe_font.SpacedWidth(name_)); }
};

bool Inside(const Rect& r, PointerPosition p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace

Rect SeatPlateNow(const Game& g, const Assets& a, int place) {
  const NotedPlay* play = LastPlayOf(g.aids, SeatAtPlace(g.options, place));
  if (play == nullptr) return {};
  const PlayPlate plate(a, *play, {}, false);
  return SeatPlateRect(place, plate.Width(), PlateHeight(a), SeatLabelRect(g, a, 1).Width());
}

int32_t RoundRowWidth(const Assets& a, const NotedPlay& play, int place) {
  return PlayPlate(a, play, PlaceLabelText(place), true).Width();
}

std::string PlayWord(const NotedPlay& play, bool with_count) {
  // TRANSLATORS: on the table beside the corner of a card a seat laid down
  // without taking anything.
  if (play.taken.Empty()) return ScreenText(N_("laid"));
  // TRANSLATORS: on the table beside the corner of the card a seat took
  // with; a number of cards may follow ("took 2").
  std::string word = ScreenText(N_("took"));
  if (with_count) {
    // Appended piece by piece: GCC 12 at -O3 misreads a literal added to a
    // number's text as an overlapping copy.
    word += ' ';
    word += std::to_string(play.taken.Size());
  }
  return word;
}

Rect SeatPlateRect(int place, int32_t width, int32_t height, int32_t right_label_width) {
  int32_t x = 0;
  int32_t y = kTopPlateY;
  switch (place) {
    case 1:
      x = -SeatLabelPlace(1).x - right_label_width - kRightPlateGap - width;
      y = kRightPlateY;
      break;
    case 2: x = kTopRightPlateEnd - width; break;
    case 3: x = kTopLeftPlateX; break;
    default: return {};
  }
  return {x, y, x + width, y + height};
}

void DrawSeatPlates(const Game& g, const Assets& a, Display& d) {
  if (!a.deluxe_font.Loaded() || !a.plate_surface) return;
  const NotedPlay* previous = PreviousPlay(g.aids);
  for (int place = 1; place < kSeats; ++place) {
    const NotedPlay* play = LastPlayOf(g.aids, SeatAtPlace(g.options, place));
    if (play == nullptr) continue;
    const Rect at = SeatPlateNow(g, a, place);
    PlayPlate(a, *play, {}, false).Draw(d, at.left, at.top, play == previous);
  }
}

bool RoundViewShown(const Game& g, const Assets& a, PointerPosition pointer) {
  if (!g.aids.round_view_allowed || g.aids.round_count == 0) return false;
  if (g.flow.state == FlowState::kEndOfMatch) return false;
  if (RoundViewKeyed(g.aids)) return true;
  for (int place = 1; place < kSeats; ++place) {
    if (Inside(SeatLabelRect(g, a, place), pointer) || Inside(SeatPlateNow(g, a, place), pointer)) {
      return true;
    }
  }
  return false;
}

void DrawRoundView(const Game& g, const Assets& a, Display& d) {
  if (!a.deluxe_font.Loaded() || !a.plate_surface) return;
  const int32_t height = PlateHeight(a);
  const NotedPlay* previous = PreviousPlay(g.aids);
  std::vector<PlayPlate> rows;
  int32_t name_column = 0;
  for (int i = 0; i < g.aids.round_count; ++i) {
    const NotedPlay& play = g.aids.round[static_cast<std::size_t>(i)];
    const std::string name = SeatLabelText(g, PlaceOfSeat(g.options, play.seat));
    rows.emplace_back(a, play, name, true);
    name_column = std::max(name_column, a.deluxe_font.SpacedWidth(name));
  }
  int32_t widest = 0;
  for (PlayPlate& row : rows) {
    row.SetNameColumn(name_column);
    widest = std::max(widest, row.Width());
  }
  // The rows lie over the table cards: a darker panel behind them keeps the
  // cards below from showing through and muddling the rows.
  const auto count = static_cast<int32_t>(rows.size());
  const int32_t panel_width = widest + 2 * kRoundPanelMargin;
  const int32_t panel_height =
      count * (height + kRoundRowGap) - kRoundRowGap + 2 * kRoundPanelMargin;
  const int32_t panel_x = (kPictureWidth - panel_width) / 2;
  for (int layer = 0; layer < kRoundPanelLayers; ++layer) {
    Backing(a, d, panel_x, kRoundViewTop, panel_width, panel_height);
  }
  int32_t y = kRoundViewTop + kRoundPanelMargin;
  for (const PlayPlate& row : rows) {
    row.Draw(d, panel_x + kRoundPanelMargin, y, &row.Play() == previous);
    y += height + kRoundRowGap;
  }
}

}  // namespace vantel
