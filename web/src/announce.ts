// A play in words, for the live region: "Right lays the 7 of cups",
// "Partner takes the 3 of cups and the 4 of coins with the 7 of cups — Scua".
import { CardName, JoinedList } from "./cards.js";
import type { PlayRecord } from "./follower.js";
import type { Specials } from "./protocol.js";
import { PlaceOf, PlaceName } from "./seats.js";
import { t, tf } from "./texts.js";

const kSpecialNames: [keyof Specials, string][] = [
  ["scua", "Scua"],
  ["picada", "Picada"],
  ["simili", "Simili"],
  ["quadriglia", "Quadriglia"],
];

export function SpecialsNamed(specials: Specials | null): string[] {
  if (!specials) return [];
  return kSpecialNames.filter(([key]) => specials[key]).map(([, name]) => t(name));
}

export function PlayInWords(play: PlayRecord, viewer: number): string {
  const place = PlaceOf(play.seat, viewer);
  const card = CardName(play.card);
  if (play.taken.length === 0) {
    return place === "you" ? tf("You lay %s", card) : tf("%s lays %s", PlaceName(place), card);
  }
  const taken = JoinedList(play.taken.map(CardName));
  const sentence =
    place === "you"
      ? tf("You take %s with %s", taken, card)
      : tf("%s takes %s with %s", PlaceName(place), taken, card);
  const specials = SpecialsNamed(play.specials);
  return specials.length === 0 ? sentence : `${sentence} — ${specials.join(", ")}`;
}
