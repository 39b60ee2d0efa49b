// Small helpers for building the page from code: text is always set as
// text, never parsed, since names come from other people.

export function El<K extends keyof HTMLElementTagNameMap>(
  tag: K,
  attributes: Record<string, string> = {},
  ...children: (Node | string)[]
): HTMLElementTagNameMap[K] {
  const element = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) {
    if (name === "class") element.className = value;
    else element.setAttribute(name, value);
  }
  for (const child of children) element.append(child);
  return element;
}

export function ById<T extends HTMLElement>(id: string): T {
  const element = document.getElementById(id);
  if (!element) throw new Error(`the page has no #${id}`);
  return element as T;
}

export function Show(element: HTMLElement, shown: boolean): void {
  element.hidden = !shown;
}
