// The forms before a table: the name, a table to host, a code to join.
// Each field says what is wrong with it, in the game's own words, before
// anything is sent.
import { ById } from "./dom.js";
import { CodeProblem, FoldCode, NameProblem, type SeatChoice } from "./protocol.js";
import { t } from "./texts.js";

export interface LobbyActions {
  host(name: string, seats: SeatChoice[], handSize: number): void;
  join(name: string, code: string): void;
}

const kSeatChoices: [SeatChoice, string][] = [
  ["person", "Person"],
  ["classic", "Classic"],
  ["expert", "Expert"],
];

const kNameWords: Record<string, string> = {
  empty: "Write your name first.",
  long: "A name has at most 24 characters.",
  control: "A name cannot hold control characters.",
};

const kCodeWords: Record<string, string> = {
  length: "A code has six symbols.",
  symbols: "A code holds only the digits 2 to 9 and the letters but I, L and O.",
};

function FillSeatChoices(id: string, chosen: SeatChoice): void {
  const select = ById<HTMLSelectElement>(id);
  for (const [value, label] of kSeatChoices) {
    const option = document.createElement("option");
    option.value = value;
    option.textContent = t(label);
    option.selected = value === chosen;
    select.append(option);
  }
}

function CheckedName(): string | null {
  const input = ById<HTMLInputElement>("name");
  const problem = NameProblem(input.value);
  const shown = ById("name-problem");
  shown.textContent = problem ? t(kNameWords[problem]) : "";
  input.setAttribute("aria-invalid", String(problem !== ""));
  if (problem) {
    input.focus();
    return null;
  }
  return input.value;
}

export function SetUpLobby(actions: LobbyActions, lastName: string, code: string): void {
  FillSeatChoices("seat-right", "classic");
  FillSeatChoices("seat-partner", "person");
  FillSeatChoices("seat-left", "classic");
  ById<HTMLInputElement>("name").value = lastName;
  ById<HTMLInputElement>("code").value = code;

  // Enter in the name joins when a join link filled the code in.
  ById<HTMLFormElement>("name-form").addEventListener("submit", (event) => {
    event.preventDefault();
    if (ById<HTMLInputElement>("code").value.trim() !== "") {
      ById<HTMLFormElement>("join-form").requestSubmit();
    }
  });
  ById<HTMLFormElement>("host-form").addEventListener("submit", (event) => {
    event.preventDefault();
    const name = CheckedName();
    if (name === null) return;
    const seat = (id: string) => ById<HTMLSelectElement>(id).value as SeatChoice;
    const size = document.querySelector<HTMLInputElement>('input[name="hand-size"]:checked');
    // The table's seats from the host's round: the host, Right, Partner, Left.
    actions.host(
      name,
      ["person", seat("seat-right"), seat("seat-partner"), seat("seat-left")],
      Number(size?.value ?? "12"),
    );
  });
  ById<HTMLFormElement>("join-form").addEventListener("submit", (event) => {
    event.preventDefault();
    const input = ById<HTMLInputElement>("code");
    const code = FoldCode(input.value);
    const problem = CodeProblem(code);
    ById("code-problem").textContent = problem ? t(kCodeWords[problem]) : "";
    input.setAttribute("aria-invalid", String(problem !== ""));
    if (problem) {
      input.focus();
      return;
    }
    const name = CheckedName();
    if (name === null) return;
    actions.join(name, code);
  });
}

// A page opened from a join link: /join/CODE.
export function CodeFromPath(path: string): string {
  const match = /^\/join\/([^/]+)\/?$/.exec(path);
  return match ? FoldCode(decodeURIComponent(match[1])) : "";
}
