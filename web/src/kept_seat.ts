// The seat this tab holds, kept in sessionStorage: a reload or a lost
// connection takes it back with the token, and another tab holds its own.
import { IsJoinCode, IsSeatToken, NameProblem } from "./protocol.js";

export interface KeptSeat {
  code: string;
  token: string;
  name: string;
}

const kKey = "vantel.seat";

export function ReadKeptSeat(): KeptSeat | null {
  try {
    const text = sessionStorage.getItem(kKey);
    if (!text) return null;
    const seat = JSON.parse(text) as Partial<KeptSeat>;
    if (IsJoinCode(seat.code) && IsSeatToken(seat.token) && typeof seat.name === "string" &&
        NameProblem(seat.name) === "") {
      return { code: seat.code, token: seat.token, name: seat.name };
    }
  } catch {
    // Storage refused or unreadable: there is no seat to take back.
  }
  return null;
}

export function KeepSeat(seat: KeptSeat): void {
  try {
    sessionStorage.setItem(kKey, JSON.stringify(seat));
  } catch {
    // Without storage a reload cannot rejoin; the connection still can.
  }
}

export function ForgetSeat(): void {
  try {
    sessionStorage.removeItem(kKey);
  } catch {
    // Nothing kept, nothing to forget.
  }
}

const kNameKey = "vantel.name";

export function ReadLastName(): string {
  try {
    return localStorage.getItem(kNameKey) ?? "";
  } catch {
    return "";
  }
}

export function KeepLastName(name: string): void {
  try {
    localStorage.setItem(kNameKey, name);
  } catch {
    // The name is typed again next time.
  }
}
