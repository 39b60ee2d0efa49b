// A page whose connection is lost takes its seat back with its token, and
// shows the same hand; so does a page reloaded in the same tab, which has
// only its session storage to go on and the table's hand so far.
import { test, after, before } from "node:test";
import assert from "node:assert/strict";
import {
  Rig,
  Host,
  HandDealt,
  PlayByMouse,
  TurnOrScore,
  Situation,
  LiveRegionInTree,
} from "./harness.mjs";

let rig;
before(async () => {
  rig = await Rig.Start({ breakable: true });
});
after(async () => {
  await rig?.Stop();
});

const Round = (page) => page.$$eval("#round li", (items) => items.map((i) => i.textContent));

test("a lost connection and a reload both take the seat back with the same hand", async () => {
  const page = await rig.NewPage();
  await Host(page, rig.origin, {
    name: "Ada",
    seats: { right: "classic", partner: "classic", left: "classic" },
  });
  await HandDealt(page);
  for (let plays = 0; plays < 2; ++plays) {
    await TurnOrScore(page);
    await PlayByMouse(page);
  }
  await TurnOrScore(page);
  // The turn come back, the focus is on the hand again.
  await page.waitForFunction(() => document.activeElement?.closest("#hand") !== null);
  const before = await Situation(page);
  const roundBefore = await Round(page);
  assert.ok(before.myTurn);
  assert.equal(before.hand.length, 10);

  // While the table waits for this seat, the live region holds the play
  // just before it, Left's, in words, and the accessibility tree has it.
  const said = await LiveRegionInTree(page);
  assert.match(said ?? "", /^Left (lays|takes) the (ace|[2-9]|10|jack|queen|king) of (cups|coins|swords|clubs)/);

  // The network fails: the page says so and tries again until it is back.
  rig.Sever();
  await page.waitForSelector("#connection:not([hidden])");
  assert.match(await page.$eval("#connection", (e) => e.textContent), /Connection lost/);
  await page.waitForSelector("#connection", { hidden: true });
  await page.waitForFunction(() => document.querySelectorAll("#hand button:not([disabled])").length > 0);
  assert.deepEqual(await Situation(page), before);
  assert.deepEqual(await Round(page), roundBefore);
  assert.ok(/rejoin|back/i.test(rig.ServerLog()), "the server saw no seat taken back");

  // A reload knows only what the tab kept: the seat comes back from the
  // table's messages, the round so far with it.
  await page.reload();
  await page.waitForFunction(() => document.querySelectorAll("#hand button:not([disabled])").length > 0);
  assert.deepEqual(await Situation(page), before);
  assert.deepEqual(await Round(page), roundBefore);

  // And the hand plays on from there.
  await PlayByMouse(page);
  assert.equal((await Situation(page)).hand.length, 9);

  // A chosen card rises, unless the reader asks for less motion: then it
  // is only framed, at once.
  await TurnOrScore(page);
  const Chosen = () =>
    page.$eval('#hand button[aria-pressed="true"]', (b) => {
      const style = getComputedStyle(b);
      return { transform: style.transform, transition: style.transitionDuration };
    });
  await page.keyboard.press("1");
  assert.notEqual((await Chosen()).transform, "none");
  await page.emulateMediaFeatures([{ name: "prefers-reduced-motion", value: "reduce" }]);
  assert.deepEqual(await Chosen(), { transform: "none", transition: "0s" });
  assert.deepEqual(page.problems, []);
});

test("a server that shuts down says so, and the page goes back to the lobby saying why", async () => {
  const closing = await Rig.Start({ serverArgs: ["--drain-seconds", "1"] });
  try {
    const page = await closing.NewPage();
    await Host(page, closing.origin, {
      name: "Ada",
      seats: { right: "classic", partner: "classic", left: "classic" },
    });
    await HandDealt(page);
    closing.server.child.kill("SIGTERM");
    await page.waitForFunction(() =>
      /server is closing/.test(document.querySelector("#connection").textContent),
    );
    // The hand cannot end within the drain's second, so the table ends, and
    // the page does not try to take back a seat of a table that is gone.
    await page.waitForSelector("#lobby:not([hidden])");
    assert.equal(
      await page.$eval("#lobby-problem", (e) => e.textContent),
      "The server closed the table.",
    );
    assert.equal(await page.evaluate(() => sessionStorage.length), 0);
  } finally {
    await closing.Stop();
  }
});
