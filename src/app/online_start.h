#pragma once

#include <functional>
#include <memory>
#include <string>

#include "codec/client_messages.h"
#include "codec/table_address.h"
#include "netclient/table_connection.h"
#include "online/online_table.h"

namespace vantel {

// A table to sit at over the network: one to host, or one to join by code.
struct OnlineRequest {
  TableAddress address;
  std::string name;
  bool host = true;
  HostMessage table;  // the hosted table's seats (the host at seat 0), hand size, turn limit
  std::string code;   // the table to join
  std::string trusted_certificate;  // wss://: a private server's certificate to trust
};

// A seat taken at a table: the open connection and the table's messages so
// far, ready for a game made for `seat`; and what taking it back needs.
struct OnlineSeat {
  std::unique_ptr<TableConnection> connection;
  std::unique_ptr<OnlineTable> table;
  int seat = 0;
  std::string code;
  std::string token;  // never shown or logged
  std::string name;
  ConnectionSettings settings;  // to the table itself, by its code
};

struct OnlineStart {
  std::unique_ptr<OnlineSeat> seat;  // none when the table could not be reached
  std::string problem;               // why, in the reader's language; empty when asked to stop
};

// Connects, introduces the person, hosts or joins, and waits for the seat:
// at most kSeatWaitSeconds, and only while `keep_waiting` says so.
inline constexpr int kSeatWaitSeconds = 15;
OnlineStart TakeSeat(const OnlineRequest& request, const std::function<bool()>& keep_waiting);

// The words for a refusal from the table, in the reader's language.
std::string RefusalText(ProtocolError error, const std::string& code);

// The words for a game that no longer follows its table, and why.
std::string OutOfStepText(const std::string& reason);

// How far a table has answered a connection that asks it for a seat.
enum class SeatAnswer { kWaiting, kSeated, kRefused, kClosed };
// Hands `table` what `connection` received, and says where the asking stands.
// Seated only once a hand in play can be followed (its messages so far came).
SeatAnswer ReadSeatAnswer(TableConnection& connection, OnlineTable& table);
// Why a seat was not had, in the reader's language, for an answer that says so.
std::string SeatProblem(SeatAnswer answer, const OnlineTable& table,
                        const TableConnection& connection, const TableAddress& address,
                        const std::string& code);

}  // namespace vantel
