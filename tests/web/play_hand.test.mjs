// Two people at one table in two browsers, two computers in the other
// seats: the host plays by the mouse on a wide screen, the guest by the
// keys alone on a phone, and both play a whole hand to its score page. On
// the way the live region must say the plays in words, and the screenshots
// are kept in the build tree to be looked at.
import { test, after, before } from "node:test";
import assert from "node:assert/strict";
import {
  Rig,
  Host,
  JoinByLink,
  HandDealt,
  ScorePageShown,
  PlayHand,
  PlayByMouse,
  PlayByKeys,
  ShotPath,
  Situation,
  LiveRegionInTree,
  RecordAnnouncements,
} from "./harness.mjs";

let rig;
before(async () => {
  rig = await Rig.Start();
});
after(async () => {
  await rig?.Stop();
});

test("a hosted table joined by its link plays a whole hand, one page by keys alone", async () => {
  const host = await rig.NewPage({ width: 1280, height: 800 });
  const guest = await rig.NewPage({ width: 360, height: 740 });
  await RecordAnnouncements(guest);

  const link = await Host(host, rig.origin, {
    name: "Ada",
    seats: { right: "classic", partner: "person", left: "classic" },
  });
  assert.match(link, new RegExp(`^${rig.origin}/join/[2-9A-HJKMNP-Z]{6}$`));
  await host.screenshot({ path: ShotPath("wide-waiting.png") });

  // The Copy button puts the link on the clipboard.
  await host.bringToFront();
  await host.click("#copy");
  await host.waitForFunction(() => document.querySelector("#announce").textContent === "Link copied");
  assert.equal(await host.evaluate(() => navigator.clipboard.readText()), link);

  await JoinByLink(guest, link, "Bea");
  await Promise.all([HandDealt(host), HandDealt(guest)]);

  // The guest sits opposite the host: each sees the other as Partner,
  // named, and a full hand of its own.
  const partnerName = (page) => page.$eval("#seat-partner-area h3", (e) => e.textContent);
  assert.match(await partnerName(host), /Partner · Bea/);
  assert.match(await partnerName(guest), /Partner · Ada/);
  assert.equal((await Situation(host)).hand.length, 12);
  assert.equal((await Situation(guest)).hand.length, 12);
  await host.screenshot({ path: ShotPath("wide-dealt.png") });
  await guest.screenshot({ path: ShotPath("phone-dealt.png"), fullPage: true });

  // The guest joined and now plays with the keyboard only: no click on it.
  await Promise.all([PlayHand(host, PlayByMouse), PlayHand(guest, PlayByKeys)]);
  await Promise.all([ScorePageShown(host), ScorePageShown(guest)]);

  // Both score pages agree, each from its own side: the host's We is the
  // guest's We too, since they are partners.
  const totals = (page) =>
    page.$$eval("#score-table tr.total td", (cells) => cells.slice(0, 2).map((c) => c.textContent));
  assert.deepEqual(await totals(host), await totals(guest));
  const rows = await host.$$eval("#score-table tbody th[scope=row]", (r) => r.map((e) => e.textContent));
  assert.deepEqual(rows, [
    "Cards", "Clubs", "Napula", "Scua", "Picada", "Simili", "Quadri", "2-10-J",
    "Prior", "Hand", "Total",
  ]);
  await host.screenshot({ path: ShotPath("wide-score.png") });
  await guest.screenshot({ path: ShotPath("phone-score.png") });

  // The live region said every play of the hand in words, each seat as
  // this page sees it, its own plays among them; and the accessibility
  // tree has the region with the last play and the score, said together.
  const said = await guest.evaluate(() => window.saidAloud);
  const plays = said.filter((s) => /^(You lay|You take|(Left|Right|Partner) (lays|takes)) /.test(s));
  assert.ok(plays.length >= 48, `only ${plays.length} plays said: ${said.slice(0, 5).join(" | ")}`);
  assert.ok(plays.some((s) => s.startsWith("You ")));
  assert.ok(plays.some((s) => s.startsWith("Partner ")));
  const title = await guest.$eval("#score-title", (e) => e.textContent);
  const last = await LiveRegionInTree(guest);
  assert.ok(last.endsWith(`. ${title}`), last);
  assert.equal(last, said[said.length - 1]);

  // The score page's Next goes on to the next hand, which the table deals.
  await guest.keyboard.press("n");
  await guest.waitForSelector("#score-page", { hidden: true });
  await HandDealt(guest);
  await guest.screenshot({ path: ShotPath("phone-next-hand.png"), fullPage: true });

  assert.deepEqual(host.problems, []);
  assert.deepEqual(guest.problems, []);
});
