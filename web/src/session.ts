// The page's seat at a table: hosting, joining, following the hand, and
// taking the seat back after a lost connection, trying again with a growing
// wait for as long as the table keeps the seat.
import { PlayInWords } from "./announce.js";
import { Follower } from "./follower.js";
import { KeepSeat, ForgetSeat, type KeptSeat } from "./kept_seat.js";
import { TableLink } from "./link.js";
import type { SeatChoice, SeatsMessage, ServerMessage, ViewMessage, EventsMessage } from "./protocol.js";
import { IsOwnSide } from "./seats.js";
import { t, tf } from "./texts.js";

// The table keeps a lost seat for its grace period (60 s by default).
const kRejoinForMs = 60_000;
const kFirstRetryMs = 500;
const kLongestRetryMs = 8_000;

export type Connection = "none" | "connecting" | "open" | "lost";

export interface SessionEvents {
  changed(): void;
  announce(words: string): void;
  // A hand was scored: the score page should show, said after `words` (the
  // last play), so that neither hides the other.
  scored(words: string): void;
  // The table is gone for this page; `why` is empty after a match played out.
  ended(why: string): void;
  // A refusal the person should read; the session goes on.
  notice(why: string): void;
}

export class Session {
  readonly follower = new Follower();
  seats: SeatsMessage | null = null;
  kept: KeptSeat | null = null;
  connection: Connection = "none";
  // The server said it is shutting down: this hand is the table's last.
  draining = false;
  private link: TableLink;
  private retryTimer = 0;
  private retryWaitMs = kFirstRetryMs;
  private lostAt = 0;
  private over = false;
  // The name said in hello, kept with the seat once the table gives one.
  private pendingName = "";
  // The code being joined, for the words of a refusal.
  private joiningCode = "";

  constructor(private readonly events: SessionEvents) {
    this.link = new TableLink({
      message: (m) => this.OnMessage(m),
      closed: () => this.OnClosed(),
    });
  }

  Host(name: string, seats: SeatChoice[], handSize: number): void {
    this.Start("/", name, [{ type: "host", seats, hand_size: handSize }]);
  }

  Join(name: string, code: string): void {
    this.joiningCode = code;
    this.Start(`/table/${code}`, name, [{ type: "join", code, name }]);
  }

  Rejoin(kept: KeptSeat): void {
    this.kept = kept;
    this.Start(`/table/${kept.code}`, kept.name, [
      { type: "rejoin", code: kept.code, token: kept.token },
    ]);
  }

  Play(card: number, take: number[]): boolean {
    return this.link.Send({ type: "play", card, take });
  }

  // The host gives a person's seat nobody holds now to a computer player.
  GiveToComputer(seat: number): boolean {
    return this.link.Send({ type: "computer-seat", seat, level: "classic" });
  }

  IsHost(): boolean {
    return this.seats !== null && this.seats.host === this.follower.seat;
  }

  private Start(path: string, name: string, then: object[]): void {
    this.over = false;
    this.pendingName = name;
    this.connection = "connecting";
    this.link.Open(path, name, then);
    this.events.changed();
  }

  private OnMessage(message: ServerMessage): void {
    switch (message.type) {
      case "seated":
        this.kept = { code: message.code, token: message.token, name: this.pendingName };
        KeepSeat(this.kept);
        this.connection = "open";
        this.retryWaitMs = kFirstRetryMs;
        this.lostAt = 0;
        break;
      case "seats":
        this.seats = message;
        break;
      case "view":
        this.follower.ApplyView(message);
        if (message.phase === "over" && this.follower.result) this.events.scored("");
        break;
      case "events":
        this.OnEvents(message, true);
        break;
      case "hand-so-far":
        this.OnHandSoFar(message.messages);
        break;
      case "table-ended":
        this.OnTableEnded(message.reason);
        return;
      case "error":
        this.OnError(message.code);
        break;
      case "draining":
        this.draining = true;
        break;
      default:
        return;
    }
    this.events.changed();
  }

  private OnEvents(message: EventsMessage, aloud: boolean): void {
    const hadResult = this.follower.phase === "over";
    const play = this.follower.ApplyEvents(message);
    if (!aloud) return;
    const viewer = this.follower.seat;
    const words: string[] = [];
    if (play) words.push(PlayInWords(play, viewer));
    for (const event of message.events) {
      if (event.kind === "remainders") {
        const side = IsOwnSide(event.side, viewer) ? t("We") : t("They");
        words.push(tf("The cards left on the table go to %s", side));
      }
    }
    if (!hadResult && this.follower.phase === "over") this.events.scored(words.join(". "));
    else this.events.announce(words.join(". "));
  }

  // The hand from its deal, as a connection that never dropped saw it; only
  // the last play is said again.
  private OnHandSoFar(messages: (ViewMessage | EventsMessage)[]): void {
    for (const m of messages) {
      if (m.type === "view") this.follower.ApplyView(m);
      else if (m.type === "events") this.OnEvents(m, false);
    }
    const last = this.follower.plays[this.follower.plays.length - 1];
    const words = last ? PlayInWords(last, this.follower.seat) : "";
    if (this.follower.phase === "over" && this.follower.result) this.events.scored(words);
    else this.events.announce(words);
  }

  private OnTableEnded(reason: string): void {
    const why: Record<string, string> = {
      replaced: t("This seat was taken up on another connection."),
      "server-closing": t("The server closed the table."),
    };
    const played = reason === "match-over" || reason === "left";
    this.Finish(played ? "" : (why[reason] ?? t("The server closed the table.")));
  }

  private OnError(refusal: string): void {
    const code = this.kept?.code ?? this.joiningCode;
    const words: Record<string, string> = {
      "no-such-table": tf("No table has the code %s.", code),
      "table-full": t("That table has no free seat."),
      "server-busy": t("The server takes no new tables now; try later."),
      "bad-name": t("The server does not take that name."),
      "bad-version": t("The server speaks another version of the game's protocol."),
    };
    const text = words[refusal] ?? tf("The server refused (%s).", refusal);
    if (this.connection === "open") {
      // Seated: a refused play or the like; the table goes on.
      this.events.notice(text);
      return;
    }
    // Not seated: the table cannot be had this way.
    this.Finish(text);
  }

  private OnClosed(): void {
    if (this.over) return;
    const kept = this.kept;
    if (!kept) {
      // Never seated: there is no seat to take back.
      this.Finish(tf("Cannot reach the table at %s: %s", location.host, t("the connection closed")));
      return;
    }
    if (this.lostAt === 0) this.lostAt = Date.now();
    if (Date.now() - this.lostAt > kRejoinForMs) {
      this.Finish(tf("The connection to the table was lost: %s", t("the connection closed")));
      return;
    }
    this.connection = "lost";
    this.events.changed();
    window.clearTimeout(this.retryTimer);
    this.retryTimer = window.setTimeout(() => {
      if (this.over) return;
      this.link.Open(`/table/${kept.code}`, kept.name, [
        { type: "rejoin", code: kept.code, token: kept.token },
      ]);
    }, this.retryWaitMs);
    this.retryWaitMs = Math.min(kLongestRetryMs, this.retryWaitMs * 2);
  }

  private Finish(why: string): void {
    this.over = true;
    window.clearTimeout(this.retryTimer);
    this.link.Close();
    this.connection = "none";
    ForgetSeat();
    this.kept = null;
    this.events.ended(why);
  }
}
