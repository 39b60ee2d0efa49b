#pragma once

#include <memory>
#include <string>
#include <vector>

#include "codec/table_address.h"

namespace vantel {

struct ConnectionSettings {
  TableAddress address;
  // "/" to host a table, "/table/CODE" to join or rejoin one, so that a proxy
  // in front of several servers finds the one that holds it.
  std::string target = "/";
  // wss:// only: a PEM file whose certificate alone is trusted, for a private
  // server with a certificate of its own; empty: the system's authorities.
  std::string trusted_certificate;
};

// One connection to a table server, on a thread of its own so that the frame
// loop never waits for the network: texts to send are queued, texts received
// are kept until taken. A wss:// server's certificate is verified, and so is
// its name. The connection never retries; a lost one says why.
class TableConnection {
 public:
  enum class Status { kConnecting, kOpen, kClosed };

  // Starts connecting at once.
  explicit TableConnection(const ConnectionSettings& settings);
  // Closes the connection if open and waits for its thread.
  ~TableConnection();
  TableConnection(const TableConnection&) = delete;
  TableConnection& operator=(const TableConnection&) = delete;

  // Sent in order once the connection is open; dropped once it is closed.
  void Send(std::string text);
  // Everything received since the last call, oldest first.
  std::vector<std::string> TakeReceived();
  Status CurrentStatus() const;
  // Why the connection closed or never opened, in English for a log or a
  // box; empty while it is fine or when this side closed it.
  std::string Problem() const;
  // Closes the connection (politely when open); nothing more is sent.
  void Close();

 private:
  class Link;
  std::shared_ptr<Link> link_;
};

}  // namespace vantel
