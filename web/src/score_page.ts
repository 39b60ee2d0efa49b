// The score page after a hand, as a table: the rows of the game's own page,
// the viewer's side first.
import { El } from "./dom.js";
import type { HandResult } from "./follower.js";
import type { HandScore } from "./protocol.js";
import { t } from "./texts.js";

interface Row {
  label: string;
  figure: (s: HandScore, taken: number) => number;
  note: "count" | "points";
  point?: (s: HandScore) => number;
}

const kRows: Row[] = [
  { label: "Cards", figure: (_s, taken) => taken, note: "count", point: (s) => s.cards_point },
  { label: "Clubs", figure: (s) => s.batons, note: "count", point: (s) => s.batons_point },
  { label: "Napula", figure: (s) => s.napula, note: "points" },
  { label: "Scua", figure: (s) => s.scua, note: "points" },
  { label: "Picada", figure: (s) => s.picada, note: "points" },
  { label: "Simili", figure: (s) => s.simili, note: "points" },
  { label: "Quadri", figure: (s) => s.quadriglia, note: "points" },
  {
    label: "2-10-J",
    figure: (s) => s.two_of_batons + s.ten_of_coins + s.jack_of_swords,
    note: "points",
  },
];

export interface ScoreSides {
  own: HandScore;
  other: HandScore;
  ownTaken: number;
  otherTaken: number;
  ownBefore: number;
  otherBefore: number;
  ownTotal: number;
  otherTotal: number;
}

// The viewer's side and the other from a result written with the
// protocol's sides.
export function SidesOf(result: HandResult, ownIsWe: boolean, taken: [number, number]): ScoreSides {
  const [weTaken, theyTaken] = taken;
  return ownIsWe
    ? {
        own: result.we,
        other: result.they,
        ownTaken: weTaken,
        otherTaken: theyTaken,
        ownBefore: result.we_before,
        otherBefore: result.they_before,
        ownTotal: result.we_total,
        otherTotal: result.they_total,
      }
    : {
        own: result.they,
        other: result.we,
        ownTaken: theyTaken,
        otherTaken: weTaken,
        ownBefore: result.they_before,
        otherBefore: result.we_before,
        ownTotal: result.they_total,
        otherTotal: result.we_total,
      };
}

function NoteOf(row: Row, sides: ScoreSides): string {
  if (row.note === "points") return t("points");
  if (row.point && row.point(sides.own) > 0) return t("count, +1 We");
  if (row.point && row.point(sides.other) > 0) return t("count, +1 They");
  return t("count, no point");
}

function Line(label: string, own: number, other: number, note: string, total = false): HTMLElement {
  return El(
    "tr",
    total ? { class: "total" } : {},
    El("th", { scope: "row" }, label),
    El("td", {}, String(own)),
    El("td", {}, String(other)),
    El("td", { class: "note" }, note),
  );
}

export function ScoreTable(sides: ScoreSides): HTMLTableElement {
  const body = El("tbody");
  for (const row of kRows) {
    body.append(
      Line(
        t(row.label),
        row.figure(sides.own, sides.ownTaken),
        row.figure(sides.other, sides.otherTaken),
        NoteOf(row, sides),
      ),
    );
  }
  const foot = El(
    "tbody",
    { class: "history" },
    Line(t("Prior"), sides.ownBefore, sides.otherBefore, ""),
    Line(t("Hand"), sides.own.points, sides.other.points, ""),
    Line(t("Total"), sides.ownTotal, sides.otherTotal, "", true),
  );
  return El(
    "table",
    { class: "score-table" },
    El("caption", {}, t("Score")),
    El(
      "thead",
      {},
      El(
        "tr",
        {},
        El("td", {}),
        El("th", { scope: "col" }, t("We")),
        El("th", { scope: "col" }, t("They")),
        El("td", {}),
      ),
    ),
    body,
    foot,
  );
}
