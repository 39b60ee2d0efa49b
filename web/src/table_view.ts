// Draws the table from what the session knows: the others' seats with
// their last plays, the table cards to take, the person's hand, the score,
// the round so far. Lists are rebuilt whole; the focus is put back on the
// card that had it.
import { PlayInWords, SpecialsNamed } from "./announce.js";
import { AddsUp, CardName, CardPicture, kBackPicture } from "./cards.js";
import { ById, El, Show } from "./dom.js";
import type { Session } from "./session.js";
import { IsOwnSide, PlaceName, SeatAt, SeatName, SideOfSeat, type Place } from "./seats.js";
import { t, tf } from "./texts.js";

export interface Choice {
  card: number | null;
  take: Set<number>;
}

// Sized to the widest hand: twelve cards.
const kMaxBacksShown = 12;

function CardImage(card: number | null): HTMLImageElement {
  return El("img", {
    src: card === null ? kBackPicture : CardPicture(card),
    alt: "",
    draggable: "false",
  });
}

function FocusedCard(list: HTMLElement): string | null {
  const active = document.activeElement;
  if (active instanceof HTMLElement && list.contains(active)) return active.dataset.card ?? null;
  return null;
}

function Refocus(list: HTMLElement, card: string | null): void {
  if (card === null) return;
  const again = list.querySelector<HTMLElement>(`[data-card="${card}"]`);
  (again ?? list.querySelector<HTMLElement>("button"))?.focus();
}

// One roving tab stop per list: the chosen or focused card, else the first.
function SetTabStop(list: HTMLElement, preferred: string | null): void {
  const buttons = [...list.querySelectorAll<HTMLButtonElement>("button")];
  const stop = buttons.find((b) => b.dataset.card === preferred) ?? buttons[0];
  for (const b of buttons) b.tabIndex = b === stop ? 0 : -1;
}

function SeatArea(session: Session, place: Place): HTMLElement {
  const f = session.follower;
  const seat = SeatAt(place, f.seat);
  const info = session.seats?.seats[seat];
  const who = PlaceName(place);
  const presence = info?.presence ?? "open";
  // Who plays it: the person's name, the computer's level, or a person to come.
  const levels: Record<string, string> = { classic: "Classic", expert: "Expert" };
  const player =
    info && info.name !== ""
      ? info.name
      : info?.level
        ? t(levels[info.level] ?? "Classic")
        : presence === "open"
          ? t("Person")
          : "";
  const label = player ? `${who} · ${player}` : who;
  const count = f.handSizes[seat] ?? 0;
  const backs = El("div", { class: "backs", "aria-hidden": "true" });
  for (let i = 0; i < Math.min(count, kMaxBacksShown); ++i) backs.append(CardImage(null));
  const last = f.LastPlayOf(seat);
  // The plate says it as the game's does; the words are for screen readers.
  const lastText = last
    ? last.taken.length === 0
      ? t("laid")
      : `${t("took")} ${last.taken.length}`
    : "";
  const area = El(
    "div",
    { class: `seat-inner${f.turn === seat && f.phase === "playing" ? " on-turn" : ""}` },
    El("h3", {}, label),
    f.phase === "not-dealt" || !f.HasView() ? "" : El("p", { class: "count" }, tf("%d cards", count)),
    backs,
  );
  if (presence === "away") {
    area.append(El("p", { class: "away" }, tf("%s is away · the table waits", who)));
  }
  // Only the host may, and only for a seat no person holds now.
  if (session.IsHost() && (presence === "open" || presence === "away")) {
    area.append(
      El(
        "button",
        { type: "button", class: "give-seat", "data-seat": String(seat) },
        t("Let the computer play this seat"),
      ),
    );
  }
  if (last) {
    const words = PlayInWords(last, f.seat);
    const plate = El(
      "p",
      { class: "last-play", title: words },
      CardImage(last.card),
      El("span", { "aria-hidden": "true" }, lastText),
      El("span", { class: "visually-hidden" }, words),
    );
    area.append(plate);
  }
  return area;
}

function ScoreLine(session: Session): string {
  const f = session.follower;
  const ownIsWe = SideOfSeat(f.seat) === "we";
  const own = f.sides[ownIsWe ? 0 : 1];
  const other = f.sides[ownIsWe ? 1 : 0];
  return tf("We %d · They %d · to %d", own.match_points, other.match_points, f.matchTarget);
}

// Each side's points from special captures this hand: "We +2".
function SpecialsLine(session: Session): string {
  const f = session.follower;
  const parts: string[] = [];
  for (const [index, key] of [[0, "we"], [1, "they"]] as const) {
    const s = f.sides[index].score;
    if (!s) continue;
    const points = s.scua + s.picada + s.simili + s.quadriglia;
    if (points === 0) continue;
    const name = IsOwnSide(key, f.seat) ? t("We") : t("They");
    parts.push(`${name} +${points}`);
  }
  return parts.join(" · ");
}

export function StatusLine(session: Session, choice: Choice): string {
  const f = session.follower;
  if (!f.HasView() || f.phase === "not-dealt") {
    return tf("Waiting for players · table code %s", session.kept?.code ?? "");
  }
  // The score page and its button say what comes next.
  if (f.phase === "over") return "";
  if (f.IsMyTurn()) {
    if (choice.card === null) return t("Your turn: play a card");
    const take = [...choice.take];
    if (!AddsUp(choice.card, take)) return t("These cards do not add up to your card");
    return "";
  }
  const name = SeatName(f.turn, f.seat);
  if (session.seats?.seats[f.turn]?.presence === "away") {
    return tf("%s is away · the table waits", name);
  }
  return tf("%s is playing", name);
}

// `notice`: a refusal to show instead of the usual status until the next play.
export function DrawTable(session: Session, choice: Choice, notice: string): void {
  const f = session.follower;
  ById("score").textContent = ScoreLine(session);
  ById("specials").textContent = SpecialsLine(session);

  for (const place of ["partner", "left", "right"] as Place[]) {
    const area = ById(`seat-${place}-area`);
    area.replaceChildren(SeatArea(session, place));
  }

  const myTurn = f.IsMyTurn();
  const tableList = ById("table-cards");
  const tableFocus = FocusedCard(tableList);
  tableList.replaceChildren(
    ...f.table.map((card) => {
      const pressed = choice.take.has(card);
      const button = El(
        "button",
        {
          type: "button",
          class: "card",
          "data-card": String(card),
          "aria-pressed": String(pressed),
          "aria-label": CardName(card),
        },
        CardImage(card),
      );
      button.disabled = !myTurn || choice.card === null;
      return El("li", {}, button);
    }),
  );
  SetTabStop(tableList, tableFocus);
  Refocus(tableList, tableFocus);

  const handList = ById("hand");
  const handFocus = FocusedCard(handList);
  handList.replaceChildren(
    ...f.hand.map((card, place) => {
      const chosen = choice.card === card;
      const button = El(
        "button",
        {
          type: "button",
          class: "card",
          "data-card": String(card),
          "aria-pressed": String(chosen),
          "aria-label": CardName(card),
          "aria-keyshortcuts": place < kPlaceKeys.length ? kPlaceKeys[place] : "",
        },
        CardImage(card),
      );
      button.disabled = !myTurn;
      return El("li", {}, button);
    }),
  );
  SetTabStop(handList, handFocus ?? (choice.card === null ? null : String(choice.card)));
  Refocus(handList, handFocus);

  const play = ById<HTMLButtonElement>("play");
  play.disabled = !myTurn || choice.card === null || !AddsUp(choice.card, [...choice.take]);
  const nothing = ById<HTMLButtonElement>("take-nothing");
  nothing.disabled = !myTurn || choice.card === null;
  ById("status").textContent = notice || StatusLine(session, choice);

  const round = ById("round");
  round.replaceChildren(
    ...f.Round().map((p) => {
      const specials = SpecialsNamed(p.specials);
      const item = El("li", {}, CardImage(p.card), El("span", {}, PlayInWords(p, f.seat)));
      if (specials.length > 0) item.classList.add("special");
      return item;
    }),
  );

  const connection = ById("connection");
  const lost = session.connection === "lost";
  connection.textContent = lost
    ? t("Connection lost · rejoining the table")
    : session.draining
      ? t("The server is closing: the table ends with this hand.")
      : "";
  Show(connection, lost || session.draining);

  const code = session.kept?.code ?? "";
  const waiting = !f.HasView() || f.phase === "not-dealt";
  ById("code-shown").textContent = tf("Table code: %s", code);
  ById<HTMLInputElement>("link").value = code ? `${location.origin}/join/${code}` : "";
  ById("join-link").classList.toggle("waiting", waiting);
}

// The keys that choose a hand card by its place, as the game's own.
export const kPlaceKeys = ["1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "-", "="];
