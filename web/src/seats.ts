// Seats as the person sees them: the others by where they sit. Play goes
// to the right, so the seat after one's own is Right, then Partner, then
// Left. Seats 0 and 2 are We in the protocol wherever one sits.
import { t } from "./texts.js";

export const kSeats = 4;

export type Place = "you" | "right" | "partner" | "left";
const kPlaces: readonly Place[] = ["you", "right", "partner", "left"];

export function PlaceOf(seat: number, viewer: number): Place {
  return kPlaces[(seat - viewer + kSeats) % kSeats];
}

export function SeatAt(place: Place, viewer: number): number {
  return (viewer + kPlaces.indexOf(place)) % kSeats;
}

const kPlaceNames: Record<Place, string> = {
  you: "You",
  right: "Right",
  partner: "Partner",
  left: "Left",
};

export function PlaceName(place: Place): string {
  return t(kPlaceNames[place]);
}

export function SeatName(seat: number, viewer: number): string {
  return PlaceName(PlaceOf(seat, viewer));
}

export type SideName = "we" | "they";

// The protocol's sides, "we" being seats 0 and 2.
export function SideOfSeat(seat: number): SideName {
  return seat % 2 === 0 ? "we" : "they";
}

// Whether the protocol's side is the viewer's own.
export function IsOwnSide(side: SideName, viewer: number): boolean {
  return side === SideOfSeat(viewer);
}
