// One WebSocket to the table server, on the page's own origin: hello first,
// then the messages the caller queued once the server has said welcome.
import { kProtocolVersion, type ServerMessage } from "./protocol.js";

export interface LinkEvents {
  message(message: ServerMessage): void;
  // The connection is gone, whichever side closed it.
  closed(): void;
}

export class TableLink {
  private socket: WebSocket | null = null;
  private welcomed = false;

  constructor(private readonly events: LinkEvents) {}

  // Connects to `path` ("/" or "/table/CODE"), says hello as `name`, then
  // sends `then`.
  Open(path: string, name: string, then: object[]): void {
    this.Close();
    const scheme = location.protocol === "https:" ? "wss:" : "ws:";
    const socket = new WebSocket(`${scheme}//${location.host}${path}`);
    this.socket = socket;
    this.welcomed = false;
    socket.addEventListener("open", () => {
      socket.send(JSON.stringify({ type: "hello", protocol: kProtocolVersion, name }));
    });
    socket.addEventListener("message", (event) => {
      if (socket !== this.socket) return;
      let message: ServerMessage;
      try {
        message = JSON.parse(String(event.data)) as ServerMessage;
      } catch {
        return;
      }
      if (typeof message !== "object" || message === null) return;
      if (message.type === "welcome" && !this.welcomed) {
        this.welcomed = true;
        for (const m of then) socket.send(JSON.stringify(m));
      }
      this.events.message(message);
    });
    socket.addEventListener("close", () => {
      if (socket !== this.socket) return;
      this.socket = null;
      this.events.closed();
    });
  }

  Send(message: object): boolean {
    if (!this.socket || this.socket.readyState !== WebSocket.OPEN || !this.welcomed) return false;
    this.socket.send(JSON.stringify(message));
    return true;
  }

  // Ends the connection without telling the caller.
  Close(): void {
    const socket = this.socket;
    this.socket = null;
    if (socket) socket.close();
  }
}
