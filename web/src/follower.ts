// What the page knows of its table: its seat's view kept up to date play by
// play from the table's events, as the server writes them for this seat.
import type {
  EventsMessage,
  HandScore,
  Outcome,
  SideKey,
  Specials,
  TableEvent,
  ViewMessage,
} from "./protocol.js";
import { kSeats } from "./seats.js";

export interface PlayRecord {
  seat: number;
  card: number;
  taken: number[]; // empty: laid down
  specials: Specials | null;
}

export interface HandResult {
  we: HandScore;
  they: HandScore;
  we_total: number;
  they_total: number;
  outcome: Outcome;
  // The totals before this hand, protocol sides.
  we_before: number;
  they_before: number;
}

export interface Side {
  score: HandScore | null;
  match_points: number;
  taken: number;
}

const kSideIndex: Record<SideKey, number> = { we: 0, they: 1 };
const kSecondDealSize = 6;

export class Follower {
  seat = 0;
  hand: number[] = [];
  handSizes: number[] = [0, 0, 0, 0];
  table: number[] = [];
  sides: [Side, Side] = [
    { score: null, match_points: 0, taken: 0 },
    { score: null, match_points: 0, taken: 0 },
  ];
  turn = 0;
  phase: ViewMessage["phase"] = "not-dealt";
  matchTarget = 50;
  handSize = 12;
  cardsPlayed = 0;
  firstSeat = 0;
  // This hand's plays, oldest first.
  plays: PlayRecord[] = [];
  // The last hand scored, until the next view says otherwise.
  result: HandResult | null = null;
  private dealt = false;

  HasView(): boolean {
    return this.dealt;
  }

  ApplyView(view: ViewMessage): void {
    this.dealt = true;
    this.seat = view.seat;
    this.hand = [...view.hand];
    this.handSizes = [...view.hand_sizes];
    this.table = [...view.table];
    for (const key of ["we", "they"] as SideKey[]) {
      const from = view.sides[kSideIndex[key]];
      this.sides[kSideIndex[key]] = {
        score: from.hand,
        match_points: from.match_points,
        taken: from.taken.length,
      };
    }
    this.turn = view.turn;
    this.phase = view.phase;
    this.matchTarget = view.match_target;
    this.handSize = view.hand_size;
    this.cardsPlayed = view.cards_played;
    this.firstSeat = view.first_seat;
    this.plays = [];
    // A view between hands still names the hand just scored; a new deal
    // forgets it.
    this.result = null;
    if (view.phase === "over" && view.history.length === 2) {
      const [before, hand] = view.history;
      const [we, they] = view.sides;
      this.result = {
        we: we.hand,
        they: they.hand,
        we_total: before[0] + hand[0],
        they_total: before[1] + hand[1],
        outcome: view.outcome,
        we_before: before[0],
        they_before: before[1],
      };
    }
  }

  // Applies one play's events; returns the play they made.
  ApplyEvents(message: EventsMessage): PlayRecord | null {
    let play: PlayRecord | null = null;
    for (const event of message.events) {
      play = this.ApplyEvent(event, play);
    }
    return play;
  }

  private ApplyEvent(event: TableEvent, play: PlayRecord | null): PlayRecord | null {
    switch (event.kind) {
      case "laid": {
        if (event.seat === this.seat) this.hand = this.hand.filter((c) => c !== event.card);
        this.handSizes[event.seat] = Math.max(0, this.handSizes[event.seat] - 1);
        this.table.push(event.card);
        this.cardsPlayed += 1;
        this.turn = (event.seat + 1) % kSeats;
        const laid: PlayRecord = { seat: event.seat, card: event.card, taken: [], specials: null };
        this.plays.push(laid);
        return laid;
      }
      case "taken": {
        const gone = new Set([event.card, ...event.taken]);
        this.table = this.table.filter((c) => !gone.has(c));
        const side = this.sides[kSideIndex[event.side]];
        side.taken += event.taken.length + 1;
        this.sides[0].score = event.we_score;
        this.sides[1].score = event.they_score;
        if (play) {
          play.taken = [...event.taken];
          play.specials = event.specials;
        }
        return play;
      }
      case "second-deal":
        this.hand = [...event.hand];
        this.handSizes = new Array<number>(kSeats).fill(kSecondDealSize);
        return play;
      case "remainders":
        this.table = this.table.filter((c) => !event.cards.includes(c));
        this.sides[kSideIndex[event.side]].taken += event.cards.length;
        return play;
      case "hand-scored":
        this.phase = "over";
        this.result = {
          we: event.we,
          they: event.they,
          we_total: event.we_total,
          they_total: event.they_total,
          outcome: event.outcome,
          we_before: this.sides[0].match_points,
          they_before: this.sides[1].match_points,
        };
        this.sides[0].match_points = event.we_total;
        this.sides[1].match_points = event.they_total;
        this.sides[0].score = event.we;
        this.sides[1].score = event.they;
        return play;
    }
  }

  // The plays of the round in progress, or of the round just finished when
  // a new one has not started.
  Round(): PlayRecord[] {
    const inRound = this.plays.length % kSeats;
    const count = inRound === 0 ? Math.min(kSeats, this.plays.length) : inRound;
    return this.plays.slice(this.plays.length - count);
  }

  // The last play of a seat this hand.
  LastPlayOf(seat: number): PlayRecord | null {
    for (let i = this.plays.length - 1; i >= 0; --i) {
      if (this.plays[i].seat === seat) return this.plays[i];
    }
    return null;
  }

  IsMyTurn(): boolean {
    return this.phase === "playing" && this.turn === this.seat;
  }
}
