// A page and the desktop game at one table: the page hosts, `vantel
// --connect --join` sits opposite under a virtual X server and plays by its
// keys (xdotool), and the hand is played out to the page's score page. The
// table waits for a person who is there, so the hand ends only if the
// desktop game plays its own twelve cards.
import { test, after, before } from "node:test";
import assert from "node:assert/strict";
import { spawn, execFileSync } from "node:child_process";
import { mkdirSync, existsSync } from "node:fs";
import path from "node:path";
import {
  Rig,
  EndProcess,
  Host,
  HandDealt,
  PlayHand,
  PlayByMouse,
  ScorePageShown,
  ShotPath,
  kShots,
} from "./harness.mjs";

const kGame = process.env.VANTEL_GAME;

function Have(tool) {
  try {
    execFileSync("sh", ["-c", `command -v ${tool}`], { stdio: "ignore" });
    return true;
  } catch {
    return false;
  }
}

const missing = !kGame
  ? "the game is not built"
  : !existsSync(path.join(path.dirname(kGame), "res065.pak"))
    ? "the game's res065.pak is not built"
    : ["Xvfb", "xdotool"].find((tool) => !Have(tool));

// A virtual X server on a free display, named through -displayfd.
function StartX() {
  return new Promise((resolve, reject) => {
    const x = spawn("Xvfb", ["-displayfd", "3", "-screen", "0", "800x600x24", "-nolisten", "tcp"], {
      stdio: ["ignore", "ignore", "ignore", "pipe"],
    });
    const timer = setTimeout(() => reject(new Error("Xvfb did not start")), 15_000);
    let out = "";
    x.stdio[3].on("data", (chunk) => {
      out += chunk;
      if (out.includes("\n")) {
        clearTimeout(timer);
        resolve({ x, display: `:${out.trim()}` });
      }
    });
    x.on("exit", () => reject(new Error("Xvfb ended")));
  });
}

let rig;
let screen;
let game;
before(async () => {
  if (missing) return;
  rig = await Rig.Start();
  screen = await StartX();
});
after(async () => {
  await EndProcess(game);
  await EndProcess(screen?.x);
  await rig?.Stop();
});

test("a page and the desktop game play a hand together", { skip: missing || false }, async () => {
  const page = await rig.NewPage();
  const link = await Host(page, rig.origin, {
    name: "Ada",
    seats: { right: "classic", partner: "person", left: "classic" },
  });
  const code = link.split("/").pop();
  const home = path.join(kShots, "desktop-home");
  mkdirSync(home, { recursive: true });
  let gameLog = "";
  game = spawn(
    kGame,
    ["--connect", rig.origin.replace("http:", "ws:"), "--join", code, "--name", "Bea", "--window"],
    {
      env: {
        ...process.env,
        DISPLAY: screen.display,
        XDG_CONFIG_HOME: path.join(home, "config"),
        XDG_DATA_HOME: path.join(home, "data"),
        SDL_AUDIODRIVER: "dummy",
      },
      stdio: ["ignore", "pipe", "pipe"],
    },
  );
  game.stdout.on("data", (c) => (gameLog += c));
  game.stderr.on("data", (c) => (gameLog += c));
  let gameEnded = null;
  game.on("exit", (status) => (gameEnded = status));

  await HandDealt(page);
  await page.waitForFunction(() =>
    /Partner · Bea/.test(document.querySelector("#seat-partner-area h3").textContent),
  );

  // The desktop game's keys, pressed blind round and round: Right chooses a
  // card, Return plays it (and takes when there is one set to take),
  // Backspace lays it down when there is more than one.
  let pressing = true;
  const presser = (async () => {
    while (pressing && gameEnded === null) {
      for (const key of ["Right", "Return", "Return", "BackSpace"]) {
        try {
          execFileSync("xdotool", ["key", key], {
            env: { ...process.env, DISPLAY: screen.display },
            timeout: 5_000,
          });
        } catch {
          // A key lost while the window is busy is pressed again next round.
        }
        await new Promise((r) => setTimeout(r, 120));
      }
    }
  })();
  try {
    await PlayHand(page, PlayByMouse);
    await ScorePageShown(page);
  } finally {
    pressing = false;
    await presser;
  }
  assert.equal(gameEnded, null, `the desktop game ended by itself:\n${gameLog}`);
  const partner = await page.$eval("#seat-partner-area", (e) => e.textContent);
  assert.match(partner, /Bea/);
  assert.doesNotMatch(partner, /away/);
  await page.screenshot({ path: ShotPath("wide-with-desktop-score.png") });
  execFileSync("sh", ["-c", `import -display ${screen.display} -window root ${ShotPath("desktop-score.png")} || true`]);
});
