#include "gfx/table_drawing.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "flow/capture_help.h"
#include "flow/game.h"
#include "flow/human_turn.h"
#include "flow/keyboard_play.h"
#include "flow/status_text.h"
#include "flow/table_notes.h"
#include "gfx/aid_pictures.h"
#include "gfx/assets.h"
#include "gfx/display.h"
#include "gfx/picture_fit.h"
#include "gfx/play_plates.h"
#include "gfx/score_page.h"
#include "gfx/screen_text.h"
#include "gfx/seat_labels.h"
#include "i18n/gettext.h"

namespace vantel {

namespace {

// Words on a plate keep this much room around them.
constexpr int32_t kPlatePadding = 6;
constexpr int32_t kPlateTextDrop = 2;
constexpr int32_t kAnnouncementRise = 40;  // above the pile
constexpr int32_t kPlayedBarGap = 2;       // below the card
// The side's name on a tag at the foot of its pile, below where the
// special-capture markers lie.
constexpr int32_t kPileTagLift = 6;
constexpr int32_t kTabTextGap = 4;  // between the score tab and its text

int32_t Pixel(float v) {
  return static_cast<int32_t>(std::nearbyint(v));
}

class TablePainter {
 public:
  TablePainter(const Game& g, const Assets& a, Display& d) : g_(g), a_(a), d_(d) {}

  void Face(int16_t card, float x, float y) {
    if (card < 0 || card >= kCardCount) return;
    Draw(a_.card_surfaces[static_cast<std::size_t>(card)].get(), x, y);
  }
  void Back(float x, float y) { Draw(a_.card_back_surface.get(), x, y); }
  void Frame(float x, float y) { Draw(a_.frame_surface.get(), x, y); }

  void Fan(const std::array<FanEntry, kFanRecords>& fan) {
    for (int i = 0; i < kFanPlaces; ++i) {
      const int order = fan[static_cast<std::size_t>(i)].order;
      if (order < 0 || order >= static_cast<int>(fan.size())) continue;
      const FanEntry& e = fan[static_cast<std::size_t>(order)];
      if (e.shown) Face(e.card, e.rest_x, e.rest_y);
    }
  }

  void Pile(const std::array<CardSprite, kStockRecords>& pile, int16_t count) {
    const int32_t last = std::min<int32_t>(count, static_cast<int32_t>(pile.size()));
    for (int32_t i = PileFirstEntry(count); i < last; ++i) {
      const CardSprite& c = pile[static_cast<std::size_t>(i)];
      if (c.shown) Back(c.x, c.y);
    }
  }

  void LastStockCard() {
    const CardSprite& c = g_.model.deck[kCardCount - 1];
    if (c.moving) {
      if (g_.flow.turn == PersonSeat(g_)) {
        Face(c.card, c.x, c.y);
      } else {
        Back(c.x, c.y);
      }
    } else if (c.shown) {
      Face(c.card, c.x, c.y);
    }
  }

  void TableCards() {
    const int32_t count = std::min<int32_t>(g_.model.table_count, g_.model.table.size());
    for (int32_t j = 0; j < count; ++j) {
      const CardSprite& c = g_.model.table[static_cast<std::size_t>(j)];
      if (!c.shown) continue;
      if (c.face_up) {
        Face(c.card, c.x, c.y);
        if (c.picked) Frame(c.x, c.y);
      } else {
        Back(c.x, c.y);
      }
    }
  }

  void Hand(int seat, bool always_face_up) {
    const auto& hand = g_.model.hand[static_cast<std::size_t>(seat)];
    for (int slot = 0; slot < kHandSlots; ++slot) {
      const CardSprite& c = hand[static_cast<std::size_t>(slot)];
      if (!c.shown) continue;
      if (c.face_up || always_face_up) {
        Face(c.card, c.x, c.y);
      } else {
        Back(c.x, c.y);
      }
    }
  }

  // The human's hand. On the human's turn the card under the pointer and the
  // one the keys chose stand a little out of the row; the Expert's suggestion
  // (H) is framed where its card stands, after the row so no neighbour covers it.
  void OurHand(PointerPosition pointer) {
    const bool open = HumanMayPickHandCard(g_);
    const int16_t hovered = open ? PickHandCard(g_, pointer.x, pointer.y) : -1;
    const int16_t keyed = open && KeysChoiceShown(g_) ? g_.aids.hand_cursor : int16_t{-1};
    const auto& hand = g_.model.hand[PersonSeat(g_)];
    const CardSprite* hinted = nullptr;
    for (int slot = 0; slot < kHandSlots; ++slot) {
      const CardSprite& c = hand[static_cast<std::size_t>(slot)];
      if (!c.shown) continue;
      const bool raised = slot == hovered || slot == keyed;
      const float y = raised ? c.y - static_cast<float>(kHandCardRise) : c.y;
      Face(c.card, c.x, y);
      if (slot == keyed) Outline(a_.cursor_outline_surface.get(), c.x, y);
      if (g_.flow.hint_card >= 0 && c.card == g_.flow.hint_card) hinted = &c;
    }
    // In the fanned row the next card covers most of this one, and a frame
    // around it would cover the next: the suggestion is lifted out of the row
    // whole, above its neighbours, and framed there.
    if (hinted != nullptr) {
      const float y = hinted->y - static_cast<float>(kHandCardRise);
      Face(hinted->card, hinted->x, y);
      Frame(hinted->x, y);
    }
  }

  // Over the table cards: the cards the played card can take while the human
  // chooses, the keys' choice among them, and each seat's last card.
  void MarkTableCards() {
    const bool choosing = SelectionOpen(g_);
    const vantel::TableMarks takeable = choosing ? TakeableTableCards(g_) : vantel::TableMarks{};
    const int32_t count = std::min<int32_t>(g_.model.table_count, g_.model.table.size());
    for (int32_t j = 0; j < count; ++j) {
      const auto i = static_cast<std::size_t>(j);
      const CardSprite& c = g_.model.table[i];
      if (!c.shown || !c.face_up || c.moving) continue;
      if (takeable[i] && !c.picked) Outline(a_.hint_outline_surface.get(), c.x, c.y);
      if (choosing && KeysChoiceShown(g_) && j == g_.aids.table_cursor)
        Outline(a_.cursor_outline_surface.get(), c.x, c.y);
      if (IsPreviousCard(c.card)) {
        PreviousBar(c);
      } else if (LastPlayed(c.card)) {
        PlayedBar(c);
      }
    }
  }

  // A short bar centred under the card.
  void PlayedBar(const CardSprite& c) {
    const SDL_Surface* bar = a_.played_bar_surface.get();
    const SDL_Surface* back = a_.card_back_surface.get();
    if (!bar || !back) return;
    const int32_t inset = (back->w - bar->w) / 2;
    Blend(a_.played_bar_surface.get(), c.x + static_cast<float>(inset),
          c.y + static_cast<float>(back->h + kPlayedBarGap));
  }

  // The previous player's card lies where a Picada could take it: its bar is
  // the amber of its seat's framed plate, and thicker.
  void PreviousBar(const CardSprite& c) {
    const SDL_Surface* bar = a_.played_bar_surface.get();
    const SDL_Surface* back = a_.card_back_surface.get();
    if (!bar || !back) return;
    const int32_t inset = (back->w - bar->w) / 2;
    d_.DrawSurface(a_.previous_mark_surface.get(), {0, 0, bar->w, kPreviousBarHeight},
                   Pixel(c.x) + inset, Pixel(c.y) + back->h + kPlayedBarGap, false);
  }

  void Plate(int32_t x, int32_t y, int32_t width) {
    const Rect part{0, 0, std::min(width, kPlateWidth), kPlateHeight};
    d_.DrawSurface(a_.plate_surface.get(), part, x, y, false);
  }

  void Stock() {
    for (int32_t i : StockVisitOrder(g_.deal.deck_position)) {
      const CardSprite& c = g_.model.deck[static_cast<std::size_t>(i)];
      if (!c.shown) continue;
      if (c.face_up) {
        Face(c.card, c.x, c.y);
      } else {
        Back(c.x, c.y);
      }
    }
  }

 private:
  bool IsPreviousCard(int16_t card) const {
    const NotedPlay* previous = PreviousPlay(g_.aids);
    return previous != nullptr && previous->card == card && previous->taken.Empty();
  }
  bool LastPlayed(int16_t card) const {
    for (int16_t id : g_.aids.last_played) {
      if (id == card) return true;
    }
    return false;
  }
  void Outline(SDL_Surface* s, float x, float y) {
    const auto m = static_cast<float>(kOutlineMargin);
    Blend(s, x - m, y - m);
  }
  void Blend(SDL_Surface* s, float x, float y) {
    d_.DrawSurface(s, kWholeSurface, Pixel(x), Pixel(y), false);
  }
  void Draw(SDL_Surface* s, float x, float y) {
    d_.DrawSurface(s, kWholeSurface, Pixel(x), Pixel(y), true);
  }

  const Game& g_;
  const Assets& a_;
  Display& d_;
};

// Newer words on the felt are set tight, unlike the clock and the score page.
void SpacedText(const BitmapFont& font, Display& d, int32_t x, int32_t y, std::string_view text) {
  font.DrawSpaced(d, static_cast<float>(x), static_cast<float>(y), text);
}

// Words on a dark plate, so they read on any part of the felt.
void PlatedText(TablePainter& paint, const BitmapFont& font, Display& d, int32_t x, int32_t y,
                const std::string& text) {
  if (!font.Loaded() || text.empty()) return;
  paint.Plate(x, y, font.SpacedWidth(text) + 2 * kPlatePadding);
  SpacedText(font, d, x + kPlatePadding, y + kPlateTextDrop, text);
}

// The status line, cut short rather than run into the clock.
void DrawStatusLine(const BitmapFont& font, Display& d, std::string text) {
  if (!font.Loaded()) return;
  while (!text.empty() && font.SpacedWidth(text) > kStatusRoom) text.pop_back();
  SpacedText(font, d, kStatusX, kStatusY, text);
}

// Which pile is whose: a tag on the pile's foot, over its cards and markers
// and under the cards that pass.
void PileTags(const Game& g, TablePainter& paint, const Assets& a, Display& d) {
  const BitmapFont& font = a.deluxe_font;
  if (!font.Loaded()) return;
  for (const Side side : {Side::kWe, Side::kThey}) {
    const std::string name = PileTagText(side, SpecialPointsOf(g.score.Of(side)));
    const int32_t pile_x = side == Side::kWe ? g.layout.we_pile_x : g.layout.they_pile_x;
    const int32_t pile_y = side == Side::kWe ? g.layout.we_pile_y : g.layout.they_pile_y;
    const int32_t width = font.SpacedWidth(name) + 2 * kPlatePadding;
    PlatedText(paint, font, d, pile_x + (g.layout.card_width - width) / 2,
               pile_y + g.layout.card_height - kPlateHeight - kPileTagLift, name);
  }
}

// The tab itself carries no words: with the pointer on it, the match score
// stands beside it on a plate.
void ScoreTabNote(const Game& g, TablePainter& paint, const Assets& a, Display& d,
                  PointerPosition pointer) {
  const SDL_Surface* page = a.score_page_surface.get();
  if (!page || g.flow.state == FlowState::kEndOfMatch) return;
  if (pointer.x < kScorePageTabX || pointer.y < kScorePageTabY ||
      pointer.y >= kScorePageTabY + page->h) {
    return;
  }
  const std::string text = ScoreTabText(g.score.we_total, g.score.they_total);
  const int32_t width = a.deluxe_font.SpacedWidth(text) + 2 * kPlatePadding;
  const int32_t y = std::clamp(pointer.y - kPlateHeight / 2, 0, kStatusY - kPlateHeight);
  PlatedText(paint, a.deluxe_font, d, kScorePageTabX - kTabTextGap - width, y, text);
}

void Announcement(const Game& g, TablePainter& paint, const Assets& a, Display& d) {
  const std::string text = AnnouncementText(g.aids.announced);
  if (text.empty() || !a.deluxe_font.Loaded()) return;
  const int32_t width = a.deluxe_font.SpacedWidth(text) + 2 * kPlatePadding;
  // Over the capturing side's pile: ours on the left, theirs on the right.
  const int32_t x = g.aids.announced_side == Side::kWe
                        ? g.layout.we_pile_x
                        : g.layout.they_pile_x + g.layout.card_width - width;
  PlatedText(paint, a.deluxe_font, d, x, g.layout.we_pile_y - kAnnouncementRise, text);
}

// While a network table waits for its people, the link that brings a friend
// to it in a browser, on the empty felt, and the key that copies it.
void JoinLinkNote(const Game& g, TablePainter& paint, const Assets& a, Display& d) {
  const TablePeople& people = g.aids.people;
  std::string link;
  if (!people.waiting || !a.deluxe_font.Loaded() || !ToGlyphCodes(people.join_link, &link) ||
      link.empty()) {
    return;
  }
  using LinkCopy = TablePeople::LinkCopy;
  const char* english = people.link_copy == LinkCopy::kCopied   ? N_("Link copied")
                        : people.link_copy == LinkCopy::kFailed ? N_("The link could not be copied")
                                                                : N_("Ctrl+C: copy the link");
  const std::string hint = ScreenText(english);
  for (auto [text, y] : {std::pair{link, kJoinLinkY}, std::pair{hint, kJoinHintY}}) {
    // A host name can be longer than the table is wide; Ctrl+C still copies it whole.
    while (a.deluxe_font.SpacedWidth(text) + 2 * kPlatePadding > kPictureWidth) text.pop_back();
    const int32_t width = a.deluxe_font.SpacedWidth(text) + 2 * kPlatePadding;
    PlatedText(paint, a.deluxe_font, d, (kPictureWidth - width) / 2, y, text);
  }
}

// The match score against its target, on the felt above our hand, where no
// table card lies: on the person's turn the status line speaks of the turn.
void ScoreStrip(const Game& g, TablePainter& paint, const Assets& a, Display& d) {
  if (!a.deluxe_font.Loaded() || g.match.phase == HandPhase::kNotDealt) return;
  const ShownScore& s = g.score;
  const std::string text =
      ScreenStatus({StatusKind::kMatchScore, {s.we_total, s.they_total, s.match_target + 1}});
  const int32_t width = a.deluxe_font.SpacedWidth(text) + 2 * kPlatePadding;
  PlatedText(paint, a.deluxe_font, d, (kPictureWidth - width) / 2, kScoreStripY, text);
}

}  // namespace

int SpecialPointsOf(const HandScore& score) {
  return score.scua + score.picada + score.simili + score.quadriglia;
}

std::string PileTagText(Side side, int special_points) {
  std::string name = ScreenText(side == Side::kWe ? N_("We") : N_("They"));
  if (special_points > 0) name += " +" + std::to_string(special_points);
  return name;
}

std::string ScoreTabText(int we, int they) {
  // TRANSLATORS: beside the score page's tab on the table; "We" and "They"
  // are the score page's own.
  return ScreenText(N_("Score:")) + " " + ScreenText("We") + " " + std::to_string(we) + " \xB7 " +
         ScreenText("They") + " " + std::to_string(they);
}

int32_t PileFirstEntry(int32_t count) {
  constexpr int32_t kHiddenUnderPile = 11;
  return count <= kHiddenUnderPile ? 0 : kHiddenUnderPile;
}

std::vector<int32_t> StockVisitOrder(int32_t p) {
  const int32_t s = p != 0 ? 1 : 0;
  const int32_t m = p <= 45 ? 6 : 51 - p;
  std::vector<int32_t> order;
  for (int32_t i = p + m - s + 1; i >= p - s; --i) {
    // Past the end of the stock there is nothing left to show.
    if (i >= 0 && i < kStockRecords) order.push_back(i);
  }
  return order;
}

void DrawTable(const Game& g, const Assets& a, Display& d, const LocalTimeSource& now,
               PointerPosition pointer) {
  TablePainter paint(g, a, d);
  DrawSeatLabels(g, a, d);
  paint.Pile(g.model.we_pile, g.model.we_pile_count);
  paint.Pile(g.model.they_pile, g.model.they_pile_count);
  // The marker cards lie over the piles, where they can be read.
  paint.Fan(g.model.we_fan);
  paint.Fan(g.model.they_fan);
  PileTags(g, paint, a, d);
  if (g.flow.state != FlowState::kEndOfMatch || g.aids.people.waiting) ScoreStrip(g, paint, a, d);
  paint.LastStockCard();
  paint.TableCards();
  paint.MarkTableCards();
  // The other hands by their place at the table, in the order they have always
  // been drawn.
  for (int place : {2, 1, 3}) paint.Hand(SeatAtPlace(g.options, place), false);
  paint.OurHand(pointer);
  paint.Stock();
  // Beside the other hands, over their backs and the stock's edge where room
  // is short, never over a table card.
  DrawSeatPlates(g, a, d);
  Announcement(g, paint, a, d);
  JoinLinkNote(g, paint, a, d);
  if (RoundViewShown(g, a, pointer)) DrawRoundView(g, a, d);
  // Before a network table's first deal there is no score to show yet.
  if (g.flow.state == FlowState::kEndOfMatch && !g.aids.people.waiting) DrawScorePage(g, a, d);
  a.digit_font.Draw(d, static_cast<float>(kClockX), static_cast<float>(kStatusY), ClockText(now()));
  DrawStatusLine(a.deluxe_font, d, ScreenStatus(StatusOf(g)));
  ScoreTabNote(g, paint, a, d, pointer);
}

}  // namespace vantel
