// The page's words. English is written in the code; another language's
// words come from /texts/<language>.json, made at build time from the
// game's own catalogue, so the page says what the game says.

type Catalogue = Record<string, string>;

let catalogue: Catalogue = {};
let language = "en";

// Languages with a catalogue of the page's texts.
const kTranslated = ["it"];

export function ChosenLanguage(preferred: readonly string[]): string {
  for (const tag of preferred) {
    const base = tag.toLowerCase().split("-")[0];
    if (base === "en") return "en";
    if (kTranslated.includes(base)) return base;
  }
  return "en";
}

export async function LoadTexts(wanted: string): Promise<void> {
  if (wanted === "en") return;
  try {
    const answer = await fetch(`/texts/${wanted}.json`);
    if (!answer.ok) return;
    catalogue = (await answer.json()) as Catalogue;
    language = wanted;
  } catch {
    // The English words stand when the catalogue cannot be had.
  }
}

export function Language(): string {
  return language;
}

// The text in the page's language: the catalogue's, or the English itself.
export function t(english: string): string {
  return catalogue[english] ?? english;
}

// Fills %s and %d in order, as the catalogue's printf patterns are written.
export function Format(pattern: string, ...values: (string | number)[]): string {
  let next = 0;
  return pattern.replace(/%[sd]/g, () => String(values[next++] ?? ""));
}

// t() of the pattern, then filled.
export function tf(english: string, ...values: (string | number)[]): string {
  return Format(t(english), ...values);
}
