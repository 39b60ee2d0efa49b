#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantel {

// The most a run may ask for: it stays a bounded load on one machine.
inline constexpr int kMostLoadTables = 10'000;
inline constexpr int kMostLoadSeconds = 3'600;
inline constexpr int kMostSourceAddresses = 250;

struct LoadOptions {
  std::string host;  // without brackets for IPv6
  std::string port;
  std::string target = "/";
  int tables = 1;
  int seconds = 10;
  // A simulated person thinks this long before a play, at random between the two.
  int think_min_ms = 500;
  int think_max_ms = 1500;
  uint64_t seed = 1;
  int threads = 1;
  // Connections to an IPv4 loopback server come from this many source
  // addresses, 127.0.0.1 upwards, so a server's limit of connections from
  // one address holds for a load of thousands.
  int source_addresses = 1;
  bool help = false;
};

inline constexpr const char* kLoadUsage =
    "usage: vantel-load --server ws://HOST:PORT[/PATH] [--tables N] [--seconds S]\n"
    "                   [--think-ms MIN-MAX] [--seed N] [--threads N]\n"
    "                   [--source-addresses N] [--help]\n"
    "\n"
    "Opens N tables of four simulated people on a vantel-server (legal plays after a\n"
    "short think, 500 to 1500 ms unless told), plays for S seconds, and prints one line:\n"
    "tables= connections= hands= moves= p50_ms= p99_ms= errors= leaks= server_rss_mb=\n"
    "p50/p99: from a play sent to its events reaching each of the table's four people.\n"
    "leaks: messages holding a card another seat of the table still held.\n"
    "--source-addresses N: connect from 127.0.0.1 to 127.0.0.N in turn (IPv4 loopback).\n"
    "Exits 1 when any error or leak was seen, 2 on bad options.\n";

// ws://HOST:PORT[/PATH] split into its parts; IPv6 hosts in brackets.
bool ParseServerUrl(std::string_view url, LoadOptions& options);

// The options of `args` (without the program's name), or nothing with the
// reason in `error`.
std::optional<LoadOptions> ParseLoadArgs(const std::vector<std::string_view>& args,
                                         std::string& error);

}  // namespace vantel
