#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantel {

// Where a table server listens, as a person types it: ws://HOST:PORT or
// wss://HOST:PORT (TLS). HOST is a name, an IPv4 address or an IPv6 address
// in brackets; without a port, 80 for ws and 443 for wss. A path, a query or
// anything after the port is not taken.
struct TableAddress {
  bool tls = false;
  std::string host;  // without the brackets of an IPv6 address
  uint16_t port = 0;
  bool operator==(const TableAddress&) const = default;
};

std::optional<TableAddress> ParseTableAddress(std::string_view text);

// The address written back as ParseTableAddress reads it.
std::string TableAddressText(const TableAddress& address);

// The link that opens the table with join code `code` in a browser: the
// server serves its web page on the same port, over https when the table is
// wss://. A default port (80, 443) is left out, as browsers show it.
std::string JoinLinkText(const TableAddress& address, std::string_view code);

}  // namespace vantel
