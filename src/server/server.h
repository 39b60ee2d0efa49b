#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "server/server_config.h"

namespace vantel {

// The table server: WebSocket clients on /, health, metrics and the web
// client's files over plain HTTP, every table of a Lobby. One thread carries the network and the
// tables; the computers think on a small pool of workers, each with its own
// copy of a seat's view, and hand their answers back to that thread.
class Server {
 public:
  explicit Server(const ServerConfig& config);
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // Reads the TLS files and the web client's, and binds; false with the
  // reason when it cannot.
  bool Listen(std::string& error);
  uint16_t Port() const;
  // Serves until SIGTERM or SIGINT has drained every table; the exit status.
  int Run();

  // Defined in server.cc, where the connections reach it.
  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace vantel
