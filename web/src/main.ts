// The page: the lobby until a seat is had, then the table, its keys and
// the score page after each hand.
import { AddsUp, PreloadCardPictures } from "./cards.js";
import { ById, Show } from "./dom.js";
import { ForgetSeat, KeepLastName, ReadKeptSeat, ReadLastName } from "./kept_seat.js";
import { CodeFromPath, SetUpLobby } from "./lobby.js";
import { ScoreTable, SidesOf } from "./score_page.js";
import { SideOfSeat } from "./seats.js";
import { Session } from "./session.js";
import { DrawTable, kPlaceKeys, type Choice } from "./table_view.js";
import { ChosenLanguage, Language, LoadTexts, t, tf } from "./texts.js";
import { ConnectKeys } from "./keys.js";

const choice: Choice = { card: null, take: new Set() };
let wasMyTurn = false;
let notice = "";
let scoreShown = false;
let matchOver = false;

const session = new Session({
  changed: Redraw,
  announce: (words) => {
    notice = "";
    Announce(words);
  },
  scored: ShowScorePage,
  ended: Ended,
  notice: (why) => {
    notice = why;
    Announce(why);
  },
});

function Announce(words: string): void {
  if (!words) return;
  // A new text node each time, so that a play said twice is said again.
  ById("announce").replaceChildren(document.createTextNode(words));
}

function ShowTable(shown: boolean): void {
  Show(ById("lobby"), !shown);
  Show(ById("table"), shown);
}

function Redraw(): void {
  const f = session.follower;
  if (session.connection !== "none") ShowTable(true);
  // A choice that no longer stands (the card played, a card taken by
  // someone else) is dropped.
  if (choice.card !== null && !f.hand.includes(choice.card)) choice.card = null;
  for (const card of choice.take) if (!f.table.includes(card)) choice.take.delete(card);
  if (!f.IsMyTurn()) {
    choice.card = null;
    choice.take.clear();
  }
  DrawTable(session, choice, notice);
  // A played card's button goes, and the focus with it; when the turn comes
  // back, the focus goes back to the hand so that keys and readers find it.
  const myTurn = f.IsMyTurn();
  if (myTurn && !wasMyTurn && !scoreShown && document.activeElement === document.body) {
    ById("hand").querySelector<HTMLElement>('button[tabindex="0"]')?.focus();
  }
  wasMyTurn = myTurn;
  Show(ById("score-page"), scoreShown);
  // The table behind the score page can be neither reached nor pressed.
  for (const part of document.querySelectorAll<HTMLElement>("#table > :not(#score-page)")) {
    part.inert = scoreShown;
  }
  if (scoreShown) {
    const next = ById<HTMLButtonElement>("next");
    next.textContent = matchOver ? t("New match") : t("Next hand");
  }
}

function ShowScorePage(lastPlay: string): void {
  const f = session.follower;
  const result = f.result;
  if (!result) return;
  const ownIsWe = SideOfSeat(f.seat) === "we";
  const sides = SidesOf(result, ownIsWe, [f.sides[0].taken, f.sides[1].taken]);
  ById("score-table").replaceChildren(ScoreTable(sides));
  const ownWon = (result.outcome === "we-won") === ownIsWe;
  const decided = result.outcome === "we-won" || result.outcome === "we-lost";
  ById("score-title").textContent = decided
    ? ownWon
      ? t("We Won!")
      : t("We lost!")
    : tf("We %d · They %d · to %d", sides.ownTotal, sides.otherTotal, f.matchTarget);
  matchOver = decided;
  scoreShown = true;
  Redraw();
  ById("score-page").focus();
  const title = ById("score-title").textContent ?? "";
  Announce(lastPlay ? `${lastPlay}. ${title}` : title);
}

function NextHand(): void {
  if (!scoreShown) return;
  scoreShown = false;
  if (matchOver) {
    matchOver = false;
    ShowTable(false);
    location.assign("/");
    return;
  }
  Redraw();
  ById("hand").querySelector<HTMLElement>("button:not([disabled])")?.focus();
}

function Ended(why: string): void {
  if (why) {
    ShowTable(false);
    scoreShown = false;
    ById("lobby-problem").textContent = why;
    ById<HTMLInputElement>("name").focus();
  }
  // After a match played out the score page stays up, its button leading
  // back to the lobby.
  Redraw();
}

function ChooseCard(card: number): void {
  if (!session.follower.IsMyTurn()) return;
  if (choice.card === card) {
    PlayChoice();
    return;
  }
  choice.card = card;
  choice.take.clear();
  Redraw();
}

function ToggleTake(card: number): void {
  if (choice.card === null) return;
  if (choice.take.has(card)) choice.take.delete(card);
  else choice.take.add(card);
  Redraw();
}

function PlayChoice(takeNothing = false): void {
  if (choice.card === null || !session.follower.IsMyTurn()) return;
  const take = takeNothing ? [] : [...choice.take];
  if (!AddsUp(choice.card, take)) return;
  if (session.Play(choice.card, take)) {
    choice.card = null;
    choice.take.clear();
    Redraw();
  }
}

async function CopyLink(): Promise<void> {
  const link = ById<HTMLInputElement>("link").value;
  if (!link) return;
  try {
    await navigator.clipboard.writeText(link);
    Announce(t("Link copied"));
  } catch {
    // Without the clipboard the link is selected for the person to copy.
    ById<HTMLInputElement>("link").select();
    Announce(t("Link selected: copy it with Ctrl+C"));
  }
}

function ApplyTexts(): void {
  document.documentElement.lang = Language();
  for (const element of document.querySelectorAll<HTMLElement>("[data-text]")) {
    element.textContent = t(element.dataset.text ?? "").replace("_", "");
  }
}

async function Start(): Promise<void> {
  PreloadCardPictures();
  await LoadTexts(ChosenLanguage(navigator.languages ?? [navigator.language]));
  ApplyTexts();
  const code = CodeFromPath(location.pathname);
  SetUpLobby(
    {
      host: (name, seats, handSize) => {
        KeepLastName(name);
        ById("lobby-problem").textContent = "";
        session.Host(name, seats, handSize);
      },
      join: (name, joinCode) => {
        KeepLastName(name);
        ById("lobby-problem").textContent = "";
        session.Join(name, joinCode);
      },
    },
    ReadLastName(),
    code,
  );
  ById("hand").addEventListener("click", (event) => {
    const button = (event.target as HTMLElement).closest<HTMLButtonElement>("button[data-card]");
    if (button && !button.disabled) ChooseCard(Number(button.dataset.card));
  });
  ById("table-cards").addEventListener("click", (event) => {
    const button = (event.target as HTMLElement).closest<HTMLButtonElement>("button[data-card]");
    if (button && !button.disabled) ToggleTake(Number(button.dataset.card));
  });
  ById("table").addEventListener("click", (event) => {
    const button = (event.target as HTMLElement).closest<HTMLButtonElement>("button[data-seat]");
    if (button) session.GiveToComputer(Number(button.dataset.seat));
  });
  ById("play").addEventListener("click", () => PlayChoice());
  ById("take-nothing").addEventListener("click", () => PlayChoice(true));
  ById("copy").addEventListener("click", () => void CopyLink());
  ById("next").addEventListener("click", NextHand);
  ConnectKeys({
    chooseAt: (place) => {
      const card = session.follower.hand[place];
      if (card === undefined || !session.follower.IsMyTurn()) return;
      choice.card = null;
      ChooseCard(card);
      ById("hand").querySelector<HTMLElement>(`[data-card="${card}"]`)?.focus();
    },
    play: () => PlayChoice(),
    takeNothing: () => PlayChoice(true),
    copy: () => void CopyLink(),
    next: NextHand,
    placeKeys: kPlaceKeys,
  });

  // A link to another table than the one this tab sat at is the person's
  // newer wish: the old seat is let go (its table gives it to the computer
  // after its grace).
  const kept = ReadKeptSeat();
  if (kept && (code === "" || code === kept.code)) {
    session.Rejoin(kept);
  } else {
    if (kept) ForgetSeat();
    if (code) ById<HTMLInputElement>("name").focus();
  }
}

void Start();
