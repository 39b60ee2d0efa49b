// The table's messages (docs/protocol.md, version 1), as the page reads and
// writes them.

export const kProtocolVersion = 1;
export const kMaxNameLength = 24;
export const kJoinCodeLength = 6;
export const kJoinCodeAlphabet = "23456789ABCDEFGHJKMNPQRSTUVWXYZ";
const kSeatTokenPattern = /^[A-Za-z0-9_-]{16,64}$/;

export type SideKey = "we" | "they";

export interface HandScore {
  scua: number;
  simili: number;
  picada: number;
  quadriglia: number;
  napula: number;
  batons: number;
  batons_point: number;
  cards_point: number;
  two_of_batons: number;
  ten_of_coins: number;
  jack_of_swords: number;
  points: number;
}

export interface SideView {
  taken: number[];
  markers: number[];
  hand: HandScore;
  match_points: number;
}

export type Outcome = "goes-on" | "we-won" | "we-lost" | "tied";

export interface ViewMessage {
  type: "view";
  seat: number;
  hand: number[];
  hand_sizes: number[];
  table: number[];
  sides: [SideView, SideView];
  history: [number, number][];
  outcome: Outcome;
  phase: "not-dealt" | "playing" | "over";
  first_seat: number;
  turn: number;
  cards_played: number;
  stock: number;
  hand_size: number;
  match_target: number;
}

export interface Specials {
  scua: boolean;
  simili: boolean;
  picada: boolean;
  quadriglia: boolean;
}

export type TableEvent =
  | { kind: "laid"; seat: number; card: number }
  | {
      kind: "taken";
      seat: number;
      side: SideKey;
      card: number;
      taken: number[];
      specials: Specials;
      we_score: HandScore;
      they_score: HandScore;
    }
  | { kind: "second-deal"; hand: number[] }
  | { kind: "remainders"; side: SideKey; cards: number[] }
  | {
      kind: "hand-scored";
      we: HandScore;
      they: HandScore;
      we_total: number;
      they_total: number;
      outcome: Outcome;
    };

export interface EventsMessage {
  type: "events";
  seat: number;
  events: TableEvent[];
}

export type Presence = "open" | "here" | "away" | "stand-in" | "computer";

export interface SeatsMessage {
  type: "seats";
  seats: { name: string; presence: Presence; level: string | null }[];
  host: number;
  turn_seconds: number;
}

export type ServerMessage =
  | { type: "welcome"; protocol: number }
  | { type: "seated"; code: string; seat: number; token: string }
  | SeatsMessage
  | ViewMessage
  | EventsMessage
  | { type: "hand-so-far"; messages: (ViewMessage | EventsMessage)[] }
  | { type: "table-ended"; reason: string }
  | { type: "draining"; seconds: number }
  | { type: "error"; code: string; message: string }
  | { type: "pong" };

export type SeatChoice = "person" | "classic" | "expert";

// Why a name is not one the table takes, or "" when it is: 1 to 24 code
// points, no control characters, not only spaces.
export function NameProblem(name: string): string {
  const points = [...name];
  if (points.length === 0 || name.trim() === "") return "empty";
  if (points.length > kMaxNameLength) return "long";
  for (const point of points) {
    const c = point.codePointAt(0) ?? 0;
    if (c < 0x20 || (c >= 0x7f && c <= 0x9f) || c === 0x2028 || c === 0x2029) return "control";
  }
  return "";
}

// A code as typed, folded to the protocol's form.
export function FoldCode(typed: string): string {
  return typed.trim().toUpperCase();
}

export function CodeProblem(code: string): string {
  if (code.length !== kJoinCodeLength) return "length";
  for (const symbol of code) {
    if (!kJoinCodeAlphabet.includes(symbol)) return "symbols";
  }
  return "";
}

export function IsSeatToken(token: unknown): token is string {
  return typeof token === "string" && kSeatTokenPattern.test(token);
}

export function IsJoinCode(code: unknown): code is string {
  return typeof code === "string" && CodeProblem(code) === "";
}
