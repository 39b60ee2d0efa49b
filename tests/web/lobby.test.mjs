// The lobby checks what is typed as the table would, says what is wrong in
// the game's words, and speaks Italian to an Italian browser, down to the
// plays in the live region.
import { test, after, before } from "node:test";
import assert from "node:assert/strict";
import { Rig, HandDealt, ShotPath } from "./harness.mjs";

let rig;
before(async () => {
  rig = await Rig.Start();
});
after(async () => {
  await rig?.Stop();
});

const Text = (page, selector) => page.$eval(selector, (e) => e.textContent);
const Shown = (page, selector) => page.$eval(selector, (e) => !e.closest("[hidden]"));

test("names and codes the table would refuse are refused before anything is sent", async () => {
  const page = await rig.NewPage();
  await page.goto(`${rig.origin}/`);
  await page.screenshot({ path: ShotPath("wide-lobby.png") });
  await page.click("#host");
  assert.equal(await Text(page, "#name-problem"), "Write your name first.");
  await page.type("#name", "   ");
  await page.click("#host");
  assert.equal(await Text(page, "#name-problem"), "Write your name first.");

  // 24 code points is the most, whatever their bytes: 24 accented letters
  // pass, 25 do not.
  await page.$eval("#name", (e) => (e.value = "é".repeat(25)));
  await page.click("#host");
  assert.equal(await Text(page, "#name-problem"), "A name has at most 24 characters.");

  await page.$eval("#name", (e) => (e.value = "Ada"));
  await page.type("#code", "K7Q");
  await page.click("#join");
  assert.equal(await Text(page, "#code-problem"), "A code has six symbols.");
  await page.$eval("#code", (e) => (e.value = "k7qh0m"));
  await page.click("#join");
  assert.match(await Text(page, "#code-problem"), /only the digits 2 to 9/);
  assert.ok(await Shown(page, "#lobby"));

  // A well-formed code of no table: the server's word, in the page's.
  await page.$eval("#code", (e) => (e.value = "k7qh2m"));
  await page.click("#join");
  await page.waitForFunction(() => document.querySelector("#lobby-problem").textContent !== "");
  assert.equal(await Text(page, "#lobby-problem"), "No table has the code K7QH2M.");
  assert.ok(await Shown(page, "#lobby"));
  assert.deepEqual(page.problems.filter((p) => !p.includes("WebSocket")), []);
});

test("an Italian browser gets the game's Italian words, plays said in Italian", async () => {
  const page = await rig.NewPage({ language: "it-IT", width: 360, height: 740 });
  await page.goto(`${rig.origin}/`);
  await page.waitForFunction(() => document.documentElement.lang === "it");
  await page.screenshot({ path: ShotPath("phone-lobby-it.png"), fullPage: true });
  assert.equal(await Text(page, "#host"), "Apri");
  assert.equal(await Text(page, "#join"), "Entra");
  assert.deepEqual(
    await page.$$eval("#seat-partner option", (o) => o.map((e) => e.textContent)),
    ["Persona", "Classico", "Esperto"],
  );
  await page.type("#name", "Niccolò");
  await page.select("#seat-partner", "classic");
  await page.click("#host");
  await HandDealt(page);
  assert.match(await Text(page, "#score"), /^Noi 0 · Loro 0 · a 50$/);
  assert.match(await Text(page, "#seat-partner-area h3"), /^Compagno/);

  // The seat after the host's plays first only some hands; laying a card
  // down is always allowed, so the page makes the first play if need be.
  await page.waitForFunction(
    () =>
      document.querySelector("#announce").textContent !== "" ||
      !document.querySelector("#hand button").disabled,
  );
  if ((await Text(page, "#announce")) === "") {
    await page.keyboard.press("1");
    await page.keyboard.press("Backspace");
  }
  await page.waitForFunction(() =>
    /^(Posi|Destra posa|Sinistra posa|Compagno posa|Prendi|Destra prende|Sinistra prende|Compagno prende) .* di (coppe|denari|spade|bastoni)/.test(
      document.querySelector("#announce").textContent,
    ),
  );
  await page.screenshot({ path: ShotPath("phone-table-it.png"), fullPage: true });
  assert.deepEqual(page.problems, []);
});

test("the host gives a seat nobody has joined to the computer, and the match starts", async () => {
  const page = await rig.NewPage();
  await page.goto(`${rig.origin}/`);
  await page.type("#name", "Ada");
  await page.click("#host");
  await page.waitForSelector("#seat-partner-area button[data-seat]").catch(async (e) => {
    throw new Error(`${e.message}: ${await page.$eval("#page", (p) => p.textContent.replace(/\s+/g, " "))}`);
  });
  // The computers' seats cannot be given; the open Partner seat can.
  assert.equal(await page.$$eval("button[data-seat]", (b) => b.length), 1);
  await page.click("#seat-partner-area button[data-seat]");
  await HandDealt(page);
  assert.equal(await page.$$eval("#hand button", (b) => b.length), 12);
  assert.equal(await page.$$eval("button[data-seat]", (b) => b.length), 0);
  assert.deepEqual(page.problems, []);
});
