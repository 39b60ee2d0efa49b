// Cards as the protocol names them: ids 0 to 51, id = 4 * (value - 1) +
// suit, the suits in picture order (cups, coins, swords, clubs).
import { t, tf } from "./texts.js";

export const kCardCount = 52;
export const kMaxTaken = 6;
const kSuitCount = 4;

export function ValueOf(card: number): number {
  return Math.floor(card / kSuitCount) + 1;
}

export function SuitOf(card: number): number {
  return card % kSuitCount;
}

export function IsCard(card: unknown): card is number {
  return Number.isInteger(card) && (card as number) >= 0 && (card as number) < kCardCount;
}

const kSuitNames = ["cups", "coins", "swords", "clubs"];

// One phrase per value, so that a language puts its article where it goes.
const kCardNames = [
  "the ace of %s",
  "the 2 of %s",
  "the 3 of %s",
  "the 4 of %s",
  "the 5 of %s",
  "the 6 of %s",
  "the 7 of %s",
  "the 8 of %s",
  "the 9 of %s",
  "the 10 of %s",
  "the jack of %s",
  "the queen of %s",
  "the king of %s",
];

export function CardName(card: number): string {
  return tf(kCardNames[ValueOf(card) - 1], t(kSuitNames[SuitOf(card)]));
}

export function CardPicture(card: number): string {
  return `/cards/${card}.png`;
}

export const kBackPicture = "/cards/back.png";

// Fetches every card picture ahead of the deal, so that a hand shows whole
// at once instead of card by card as each arrives.
export function PreloadCardPictures(): void {
  for (let card = 0; card < kCardCount; ++card) new Image().src = CardPicture(card);
  new Image().src = kBackPicture;
}

// Whether taking `take` with `card` adds up: the table decides the rest
// (a set too large for a sum, a card that could not capture at all).
export function AddsUp(card: number, take: readonly number[]): boolean {
  if (take.length === 0) return true;
  if (take.length > kMaxTaken) return false;
  return take.reduce((sum, c) => sum + ValueOf(c), 0) === ValueOf(card);
}

// "a, b and c" in the page's language.
export function JoinedList(items: readonly string[]): string {
  if (items.length <= 1) return items.join("");
  return tf("%s and %s", items.slice(0, -1).join(", "), items[items.length - 1]);
}
