// What the browser tests share: the built vantel-server on a loopback port
// of its own, a headless Chromium through puppeteer-core, and waits on the
// page's own state. Everything started here is stopped by Stop(), and a
// deadline stops a test that would hang.
import { spawn } from "node:child_process";
import { createRequire } from "node:module";
import { mkdirSync, existsSync } from "node:fs";
import net from "node:net";
import path from "node:path";

for (const name of ["VANTEL_WEB_TOOLS", "VANTEL_SERVER", "VANTEL_WEB_ROOT", "VANTEL_SHOTS"]) {
  if (!process.env[name]) throw new Error(`${name} is not set: run the browser tests through ctest`);
}
const tools = process.env.VANTEL_WEB_TOOLS;
const require = createRequire(path.join(tools, "package.json"));
const puppeteer = require("puppeteer-core");

export const kServer = process.env.VANTEL_SERVER;
export const kWebRoot = process.env.VANTEL_WEB_ROOT;
export const kShots = process.env.VANTEL_SHOTS;
export const kBrowser = process.env.VANTEL_BROWSER || "/usr/bin/chromium";
if (!existsSync(kBrowser)) {
  throw new Error(`no browser at ${kBrowser}: scripts/install-deps installs Debian's chromium`);
}
// Long enough for a whole hand on a loaded machine, short enough that a
// stuck test ends by itself well inside CTest's limit.
export const kStepMs = 20_000;
const kConnectionsPerAddress = 64;

// The server names its port on stderr: "listening on 127.0.0.1 port N".
function StartServer(args) {
  return new Promise((resolve, reject) => {
    const child = spawn(kServer, ["--bind", "127.0.0.1", "--port", "0", ...args], {
      stdio: ["ignore", "ignore", "pipe"],
    });
    let log = "";
    const timer = setTimeout(() => reject(new Error(`the server did not start:\n${log}`)), 10_000);
    child.stderr.on("data", (chunk) => {
      log += chunk;
      const found = /listening on \S+ port (\d+)/.exec(log);
      if (found) {
        clearTimeout(timer);
        resolve({ child, port: Number(found[1]), Log: () => log });
      }
    });
    child.on("exit", (code) => reject(new Error(`the server ended (${code}):\n${log}`)));
  });
}

// A loopback relay in front of the server: every connection through it is
// passed on byte for byte, and Sever() can cut them all as a failing
// network would.
function StartRelay(serverPort, links) {
  const relay = net.createServer((socket) => {
    links.add(socket);
    const upstream = net.connect(serverPort, "127.0.0.1");
    const end = () => {
      links.delete(socket);
      upstream.destroy();
      socket.destroy();
    };
    socket.pipe(upstream);
    upstream.pipe(socket);
    for (const s of [socket, upstream]) {
      s.on("error", end);
      s.on("close", end);
    }
  });
  return new Promise((resolve) => relay.listen(0, "127.0.0.1", () => resolve(relay)));
}

export class Rig {
  // The server serves the built page itself. `breakable`: the browser
  // reaches it through a relay whose connections Sever() cuts.
  static async Start({ serverArgs = [], breakable = false } = {}) {
    const rig = new Rig();
    rig.links = new Set();
    // Every page here comes from 127.0.0.1, where people would come from
    // addresses of their own: each browser context keeps its own few
    // connections for the page's files, more than one person's share.
    rig.server = await StartServer([
      "--web-root",
      kWebRoot,
      "--max-connections-per-address",
      String(kConnectionsPerAddress),
      ...serverArgs,
    ]);
    rig.origin = `http://127.0.0.1:${rig.server.port}`;
    if (breakable) {
      rig.relay = await StartRelay(rig.server.port, rig.links);
      rig.origin = `http://127.0.0.1:${rig.relay.address().port}`;
    }
    rig.browser = await puppeteer.launch({
      executablePath: kBrowser,
      headless: true,
      args: ["--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage", "--no-first-run"],
    });
    return rig;
  }

  // A page of its own browser context, so that each has its own session
  // storage, as two people's browsers do.
  async NewPage({ language = "en-GB", width = 1280, height = 800 } = {}) {
    const context = await this.browser.createBrowserContext();
    await context.overridePermissions(this.origin, ["clipboard-read", "clipboard-write", "clipboard-sanitized-write"]);
    const page = await context.newPage();
    page.setDefaultTimeout(kStepMs);
    await page.setViewport({ width, height });
    await page.setExtraHTTPHeaders({ "Accept-Language": language });
    await page.evaluateOnNewDocument((lang) => {
      Object.defineProperty(navigator, "languages", { get: () => [lang] });
      Object.defineProperty(navigator, "language", { get: () => lang });
    }, language);
    page.problems = [];
    page.on("pageerror", (e) => page.problems.push(String(e)));
    page.on("console", (m) => {
      if (m.type() === "error") page.problems.push(m.text());
    });
    return page;
  }

  // Cuts every connection through the relay at once, without a closing
  // handshake.
  Sever() {
    for (const socket of [...this.links]) socket.resetAndDestroy();
  }

  ServerLog() {
    return this.server.Log();
  }

  async Stop() {
    // Chromium now and then never answers a close under load; the test's
    // work is done by then, so it is given a while and then ended.
    const chromium = this.browser?.process();
    await Promise.race([this.browser?.close().catch(() => {}), Sleep(kClosingMs)]);
    chromium?.kill("SIGKILL");
    this.Sever();
    this.relay?.close();
    this.server?.child.kill("SIGKILL");
  }
}

// How long a closing program is waited for before it is killed.
const kClosingMs = 10_000;

function Sleep(ms) {
  return new Promise((resolve) => setTimeout(resolve, ms).unref());
}

// Asks `child` to end with SIGTERM and waits for it; one that has not ended
// after a while is killed, so that a test never waits on its last process.
export async function EndProcess(child) {
  if (!child || child.exitCode !== null || child.signalCode !== null) return;
  const ended = new Promise((resolve) => child.once("exit", resolve));
  child.kill("SIGTERM");
  await Promise.race([ended, Sleep(kClosingMs)]);
  if (child.exitCode === null && child.signalCode === null) child.kill("SIGKILL");
}

export function ShotPath(name) {
  mkdirSync(kShots, { recursive: true });
  return path.join(kShots, name);
}

// --- Driving the page as a person would -----------------------------------

export async function Host(page, origin, { name, seats, handSize = 12 }) {
  await page.goto(`${origin}/`);
  await page.type("#name", name);
  await page.select("#seat-right", seats.right);
  await page.select("#seat-partner", seats.partner);
  await page.select("#seat-left", seats.left);
  await page.click(`input[name="hand-size"][value="${handSize}"]`);
  await page.click("#host");
  await page.waitForFunction(() => document.querySelector("#link")?.value.includes("/join/"));
  return page.$eval("#link", (e) => e.value);
}

// Opens the join link and joins by the keys alone: the page puts the focus
// in the name, and Enter there joins the table the link names.
export async function JoinByLink(page, link, name) {
  await page.goto(link);
  await page.waitForFunction(() => document.activeElement?.id === "name");
  await page.keyboard.type(name);
  await page.keyboard.press("Enter");
}

export function HandDealt(page) {
  return page.waitForFunction(() => document.querySelectorAll("#hand button").length > 0);
}

export function ScorePageShown(page) {
  return page.waitForSelector("#score-page:not([hidden]) table");
}

// The page's hand, the table and whether it is its turn.
export function Situation(page) {
  return page.evaluate(() => ({
    hand: [...document.querySelectorAll("#hand button")].map((b) => Number(b.dataset.card)),
    table: [...document.querySelectorAll("#table-cards button")].map((b) => Number(b.dataset.card)),
    myTurn: !document.querySelector("#hand button")?.disabled,
    scored: !document.querySelector("#score-page").hidden,
  }));
}

// A capture the table takes with `card`, if any: a table card of its value,
// else a pair adding up to it (a numeral's sum).
export function CaptureFor(card, table) {
  const value = (c) => Math.floor(c / 4) + 1;
  const same = table.find((c) => value(c) === value(card));
  if (same !== undefined) return [same];
  if (value(card) <= 10) {
    for (let i = 0; i < table.length; ++i) {
      for (let j = i + 1; j < table.length; ++j) {
        if (value(table[i]) + value(table[j]) === value(card)) return [table[i], table[j]];
      }
    }
  }
  return [];
}

// Waits until the page's turn comes or its hand is scored.
export async function TurnOrScore(page) {
  await page.waitForFunction(
    () =>
      !document.querySelector("#score-page").hidden ||
      (document.querySelector("#hand button") && !document.querySelector("#hand button").disabled),
  );
}

// One play by the mouse: the first card, taking what it can.
export async function PlayByMouse(page) {
  const s = await Situation(page);
  const card = s.hand[0];
  await page.click(`#hand button[data-card="${card}"]`);
  for (const c of CaptureFor(card, s.table)) await page.click(`#table-cards button[data-card="${c}"]`);
  await page.click("#play");
  await page.waitForFunction(
    (c) => !document.querySelector(`#hand button[data-card="${c}"]`),
    {},
    card,
  );
}

// One play by the keys alone: a digit chooses the last card, T goes to the
// table cards, arrows and Space pick what it takes, P plays.
export async function PlayByKeys(page) {
  const s = await Situation(page);
  const place = s.hand.length - 1;
  const card = s.hand[place];
  const keys = ["1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "-", "="];
  await page.keyboard.press(keys[place]);
  await page.waitForFunction(
    (c) => document.activeElement?.dataset.card === String(c),
    {},
    card,
  );
  const take = CaptureFor(card, s.table);
  if (take.length > 0) {
    await page.keyboard.press("t");
    for (const target of take) {
      // Along the row to the card, then Space toggles it.
      for (let step = 0; step < s.table.length; ++step) {
        const at = await page.evaluate(() => document.activeElement?.dataset.card);
        if (at === String(target)) break;
        await page.keyboard.press("ArrowRight");
      }
      await page.keyboard.press("Space");
      await page.waitForFunction(
        (c) =>
          document
            .querySelector(`#table-cards button[data-card="${c}"]`)
            ?.getAttribute("aria-pressed") === "true",
        {},
        target,
      );
    }
  }
  await page.keyboard.press("p");
  await page.waitForFunction(
    (c) => !document.querySelector(`#hand button[data-card="${c}"]`),
    {},
    card,
  );
}

export async function PlayHand(page, play) {
  for (;;) {
    await TurnOrScore(page);
    const s = await Situation(page);
    if (s.scored) return;
    await play(page);
  }
}

// The polite status region as the accessibility tree has it, with the text
// a screen reader would read from it.
export async function LiveRegionInTree(page) {
  const cdp = await page.createCDPSession();
  try {
    const { nodes } = await cdp.send("Accessibility.getFullAXTree");
    const byId = new Map(nodes.map((n) => [n.nodeId, n]));
    const live = nodes.find(
      (n) =>
        n.role?.value === "status" &&
        n.properties?.some((p) => p.name === "live" && p.value.value === "polite"),
    );
    if (!live) return null;
    const words = [];
    const walk = (node) => {
      if (node.role?.value === "StaticText" && node.name?.value) words.push(node.name.value);
      for (const id of node.childIds ?? []) if (byId.has(id)) walk(byId.get(id));
    };
    walk(live);
    return words.join("");
  } finally {
    await cdp.detach();
  }
}

// Keeps every text the live region says, from the page's next load on.
export async function RecordAnnouncements(page) {
  await page.evaluateOnNewDocument(() => {
    window.saidAloud = [];
    document.addEventListener("DOMContentLoaded", () => {
      const region = document.getElementById("announce");
      new MutationObserver(() => window.saidAloud.push(region.textContent)).observe(region, {
        childList: true,
        characterData: true,
        subtree: true,
      });
    });
  });
}
