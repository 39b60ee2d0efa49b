// The page's keys, alike on every layout: a digit (1-9, 0, -, =) chooses a
// hand card by its place, the arrows move along a row of cards, T goes to
// the table cards, H back to the hand, P plays, Backspace lays the card
// down taking nothing, C copies the join link, N goes on after a hand.
// Enter and Space work each focused button as usual.

export interface KeyActions {
  chooseAt(place: number): void;
  play(): void;
  takeNothing(): void;
  copy(): void;
  next(): void;
  placeKeys: readonly string[];
}

function IsTyping(target: EventTarget | null): boolean {
  return (
    target instanceof HTMLInputElement ||
    target instanceof HTMLSelectElement ||
    target instanceof HTMLTextAreaElement
  );
}

// Moves the focus along the buttons of the focused row.
function MoveAlong(step: number): boolean {
  const active = document.activeElement;
  if (!(active instanceof HTMLButtonElement)) return false;
  const row = active.closest("ul");
  if (!row) return false;
  const buttons = [...row.querySelectorAll<HTMLButtonElement>("button")];
  const at = buttons.indexOf(active);
  if (at < 0 || buttons.length === 0) return false;
  const next = buttons[(at + step + buttons.length) % buttons.length];
  for (const b of buttons) b.tabIndex = b === next ? 0 : -1;
  next.focus();
  return true;
}

function FocusRow(id: string): void {
  const row = document.getElementById(id);
  const target =
    row?.querySelector<HTMLButtonElement>('button[aria-pressed="true"]') ??
    row?.querySelector<HTMLButtonElement>("button");
  target?.focus();
}

export function ConnectKeys(actions: KeyActions): void {
  document.addEventListener("keydown", (event) => {
    if (event.ctrlKey || event.altKey || event.metaKey || IsTyping(event.target)) return;
    const key = event.key;
    const place = actions.placeKeys.indexOf(key);
    let handled = true;
    if (place >= 0) actions.chooseAt(place);
    else if (key === "ArrowLeft" || key === "ArrowUp") handled = MoveAlong(-1);
    else if (key === "ArrowRight" || key === "ArrowDown") handled = MoveAlong(1);
    else if (key === "t" || key === "T") FocusRow("table-cards");
    else if (key === "h" || key === "H") FocusRow("hand");
    else if (key === "p" || key === "P") actions.play();
    else if (key === "Backspace") actions.takeNothing();
    else if (key === "c" || key === "C") actions.copy();
    else if (key === "n" || key === "N") actions.next();
    else handled = false;
    if (handled) event.preventDefault();
  });
}
