#include "flow/table_notes.h"

#include <array>
#include <string_view>
#include <utility>
#include <variant>

namespace vantel {

namespace {

// In the order they are told when one play makes several.
constexpr std::array<std::pair<uint8_t, std::string_view>, 4> kAnnouncementWords = {{
    {kAnnounceScua, "Scua!"},
    {kAnnouncePicada, "Picada!"},
    {kAnnounceQuadriglia, "Quadriglia!"},
    {kAnnounceSimili, "Simili!"},
}};

uint8_t AnnouncedBits(const SideFlags& flags) {
  uint8_t bits = 0;
  if (flags.scua) bits |= kAnnounceScua;
  if (flags.picada) bits |= kAnnouncePicada;
  if (flags.quadriglia) bits |= kAnnounceQuadriglia;
  if (flags.simili) bits |= kAnnounceSimili;
  return bits;
}

}  // namespace

void NotePlayedCard(Game& g, int seat, int16_t card) {
  if (seat >= 0 && seat < kSeats) g.aids.last_played[static_cast<std::size_t>(seat)] = card;
}

void NotePlayEvents(Game& g, const MatchEvents& events) {
  TableAids& a = g.aids;
  for (const MatchEvent& event : events) {
    if (const auto* laid = std::get_if<CardLaid>(&event)) {
      // The oldest play gives way once a round is full.
      if (a.round_count == kRoundPlays) {
        std::move(a.round.begin() + 1, a.round.end(), a.round.begin());
        a.round_count -= 1;
      }
      a.round[static_cast<std::size_t>(a.round_count)] = NotedPlay{laid->seat, laid->card, {}};
      a.round_count += 1;
    } else if (const auto* taken = std::get_if<CardsTaken>(&event)) {
      if (a.round_count > 0)
        a.round[static_cast<std::size_t>(a.round_count - 1)].taken = taken->taken;
    }
  }
}

const NotedPlay* LastPlayOf(const TableAids& aids, int seat) {
  for (int i = aids.round_count - 1; i >= 0; --i) {
    const NotedPlay& play = aids.round[static_cast<std::size_t>(i)];
    if (play.seat == seat) return &play;
  }
  return nullptr;
}

const NotedPlay* PreviousPlay(const TableAids& aids) {
  if (aids.round_count <= 0) return nullptr;
  return &aids.round[static_cast<std::size_t>(aids.round_count - 1)];
}

bool RoundViewKeyed(const TableAids& aids) {
  return aids.round_view_allowed && aids.round_view_key_held;
}

void AnnounceSpecialCapture(Game& g, Side side) {
  const uint8_t bits = AnnouncedBits(g.capture.Of(side));
  if (bits == 0) return;
  g.aids.announced = bits;
  g.aids.announced_side = side;
  g.aids.announcement_frames_left = kAnnouncementFrames;
}

void TickTableNotes(Game& g) {
  TableAids& a = g.aids;
  if (a.announcement_frames_left <= 0) return;
  a.announcement_frames_left -= 1;
  if (a.announcement_frames_left == 0) a.announced = 0;
}

void ClearPlayedCards(Game& g) {
  g.aids.last_played.fill(-1);
  g.aids.round = {};
  g.aids.round_count = 0;
}

std::string AnnouncementText(uint8_t announced) {
  std::string text;
  for (const auto& [bit, word] : kAnnouncementWords) {
    if ((announced & bit) == 0) continue;
    if (!text.empty()) text += "  ";
    text += word;
  }
  return text;
}

}  // namespace vantel
