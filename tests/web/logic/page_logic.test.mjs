// The page's rules-free logic, straight from the compiled scripts in
// build/web/js: the checks of names and codes, the card names, a hand
// followed from its events, and plays said in words.
import { test } from "node:test";
import assert from "node:assert/strict";
import path from "node:path";
import { pathToFileURL } from "node:url";

const js = (name) => pathToFileURL(path.join(process.env.VANTEL_WEB_ROOT, "js", name)).href;
const { NameProblem, CodeProblem, FoldCode, IsSeatToken } = await import(js("protocol.js"));
const { CardName, AddsUp, JoinedList, ValueOf } = await import(js("cards.js"));
const { Follower } = await import(js("follower.js"));
const { PlayInWords } = await import(js("announce.js"));
const { PlaceOf, SeatAt } = await import(js("seats.js"));
const { CodeFromPath } = await import(js("lobby.js"));
const { ChosenLanguage, Format } = await import(js("texts.js"));

test("names are counted in code points and held to the table's rules", () => {
  assert.equal(NameProblem("Ada"), "");
  assert.equal(NameProblem("Niccolò"), "");
  assert.equal(NameProblem("🂡".repeat(24)), "", "24 astral code points are 48 UTF-16 units");
  assert.equal(NameProblem("🂡".repeat(25)), "long");
  assert.equal(NameProblem(""), "empty");
  assert.equal(NameProblem("   "), "empty");
  for (const bad of ["a\u0007", "a\u007f", "a\u0085", "a\u2028", "a\nb"]) {
    assert.equal(NameProblem(bad), "control", JSON.stringify(bad));
  }
});

test("join codes are six symbols of the alphabet, folded to upper case", () => {
  assert.equal(CodeProblem(FoldCode(" k7qh2m ")), "");
  assert.equal(CodeProblem("K7QH2"), "length");
  for (const bad of ["K7QH0M", "K7QHOM", "K7QH1M", "K7QHIM", "K7QHLM"]) {
    assert.equal(CodeProblem(bad), "symbols", bad);
  }
  assert.ok(IsSeatToken("abcdefghijklmnop"));
  assert.ok(!IsSeatToken("short"));
  assert.ok(!IsSeatToken("abcdefghijklmno/"));
});

test("cards by id: value, suit and the game's names", () => {
  assert.equal(CardName(0), "the ace of cups");
  assert.equal(CardName(37), "the 10 of coins");
  assert.equal(CardName(42), "the jack of swords");
  assert.equal(CardName(51), "the king of clubs");
  assert.equal(ValueOf(51), 13);
  assert.ok(AddsUp(24, []), "laying down always adds up");
  assert.ok(AddsUp(24, [8, 12]), "a 7 takes a 3 and a 4");
  assert.ok(!AddsUp(24, [8]));
  assert.equal(JoinedList(["a", "b", "c"]), "a, b and c");
  assert.equal(Format("We %d · They %d · to %d", 3, 4, 50), "We 3 · They 4 · to 50");
});

test("seats are named from where the viewer sits", () => {
  assert.equal(PlaceOf(2, 1), "right");
  assert.equal(PlaceOf(3, 1), "partner");
  assert.equal(PlaceOf(0, 1), "left");
  assert.equal(SeatAt("partner", 3), 1);
  assert.equal(ChosenLanguage(["it-IT", "en"]), "it");
  assert.equal(ChosenLanguage(["fr-FR", "en-GB"]), "en");
  assert.equal(ChosenLanguage(["de"]), "en");
});

const kScore = {
  scua: 0, simili: 0, picada: 0, quadriglia: 0, napula: 0, batons: 0, batons_point: 0,
  cards_point: 0, two_of_batons: 0, ten_of_coins: 0, jack_of_swords: 0, points: 0,
};
const Side = (match_points) => ({ taken: [], markers: [], hand: kScore, match_points });

function Dealt(seat) {
  const f = new Follower();
  f.ApplyView({
    type: "view", protocol: 1, seat, hand: [24, 1, 2], hand_sizes: [3, 3, 3, 3],
    table: [8, 12], sides: [Side(10), Side(20)], history: [], outcome: "goes-on",
    phase: "playing", first_seat: 0, turn: 0, cards_played: 0,
    last_plays: { last_size: -1, previous_size: -1, last_capturer: 0 },
    stock: 0, hand_size: 6, match_target: 50,
  });
  return f;
}

test("a hand followed from its events: capture, lay-down, second deal, the end", () => {
  const f = Dealt(0);
  assert.ok(f.IsMyTurn());
  const scua = { ...kScore, scua: 1, points: 1 };
  const play = f.ApplyEvents({
    type: "events", seat: 0,
    events: [
      { kind: "laid", seat: 0, card: 24 },
      { kind: "taken", seat: 0, side: "we", card: 24, taken: [8, 12],
        specials: { scua: true, simili: false, picada: false, quadriglia: false },
        we_score: scua, they_score: kScore },
    ],
  });
  assert.deepEqual(f.hand, [1, 2]);
  assert.deepEqual(f.table, []);
  assert.equal(f.sides[0].taken, 3);
  assert.equal(f.sides[0].score.scua, 1);
  assert.equal(f.turn, 1);
  assert.ok(!f.IsMyTurn());
  assert.equal(PlayInWords(play, 0), "You take the 3 of cups and the 4 of cups with the 7 of cups — Scua");
  assert.equal(PlayInWords(play, 2), "Partner takes the 3 of cups and the 4 of cups with the 7 of cups — Scua");

  const laid = f.ApplyEvents({ type: "events", seat: 0, events: [{ kind: "laid", seat: 1, card: 5 }] });
  assert.equal(PlayInWords(laid, 0), "Right lays the 2 of coins");
  assert.equal(PlayInWords(laid, 2), "Left lays the 2 of coins");
  assert.deepEqual(f.table, [5]);
  assert.equal(f.handSizes[1], 2);
  assert.deepEqual(f.Round().map((p) => p.seat), [0, 1]);
  assert.equal(f.LastPlayOf(1).card, 5);

  f.ApplyEvents({
    type: "events", seat: 0,
    events: [{ kind: "laid", seat: 2, card: 9 }, { kind: "second-deal", hand: [40, 41, 42, 43, 44, 45] }],
  });
  assert.deepEqual(f.hand, [40, 41, 42, 43, 44, 45]);
  assert.deepEqual(f.handSizes, [6, 6, 6, 6]);

  const won = { ...kScore, points: 45 };
  f.ApplyEvents({
    type: "events", seat: 0,
    events: [
      { kind: "laid", seat: 3, card: 13 },
      { kind: "remainders", side: "they", cards: [5, 9, 13] },
      { kind: "hand-scored", we: won, they: kScore, we_total: 55, they_total: 20, outcome: "we-won" },
    ],
  });
  assert.equal(f.phase, "over");
  assert.deepEqual(f.table, []);
  assert.equal(f.sides[1].taken, 3);
  assert.equal(f.result.we_before, 10);
  assert.equal(f.result.we_total, 55);
  assert.equal(f.sides[0].match_points, 55);
  // A fifth play would start a new round; four make a whole one.
  assert.equal(f.Round().length, 4);
});

test("a view between hands brings back the hand just scored", () => {
  const f = new Follower();
  f.ApplyView({
    type: "view", protocol: 1, seat: 1, hand: [], hand_sizes: [0, 0, 0, 0], table: [],
    sides: [Side(12), Side(30)], history: [[10, 20], [2, 10]], outcome: "goes-on",
    phase: "over", first_seat: 0, turn: 1, cards_played: 48,
    last_plays: { last_size: 1, previous_size: 0, last_capturer: 3 },
    stock: 0, hand_size: 12, match_target: 50,
  });
  assert.equal(f.result.we_before, 10);
  assert.equal(f.result.they_total, 30);
  assert.ok(!f.IsMyTurn());
});

test("a join link's path gives its code", () => {
  assert.equal(CodeFromPath("/join/k7qh2m"), "K7QH2M");
  assert.equal(CodeFromPath("/join/K7QH2M/"), "K7QH2M");
  assert.equal(CodeFromPath("/"), "");
  assert.equal(CodeFromPath("/table/K7QH2M"), "");
});

test("the score page puts the viewer's side first, whichever the protocol calls it", async () => {
  const { SidesOf } = await import(js("score_page.js"));
  const result = {
    we: { ...kScore, points: 3 }, they: { ...kScore, points: 7 },
    we_total: 13, they_total: 27, outcome: "goes-on", we_before: 10, they_before: 20,
  };
  const asWe = SidesOf(result, true, [20, 32]);
  assert.deepEqual([asWe.own.points, asWe.ownTaken, asWe.ownBefore, asWe.ownTotal], [3, 20, 10, 13]);
  const asThey = SidesOf(result, false, [20, 32]);
  assert.deepEqual([asThey.own.points, asThey.ownTaken, asThey.ownBefore, asThey.ownTotal], [7, 32, 20, 27]);
  assert.deepEqual([asThey.other.points, asThey.otherTaken, asThey.otherTotal], [3, 20, 13]);
});
