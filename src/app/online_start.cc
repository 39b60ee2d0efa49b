#include "app/online_start.h"

#include <chrono>
#include <thread>

#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(10);

// The path that finds a table by its code, through a proxy too.
std::string TableTarget(const std::string& code) {
  std::string target = "/table/";
  target += code;
  return target;
}

std::string TargetOf(const OnlineRequest& request) {
  return request.host ? "/" : TableTarget(request.code);
}

}  // namespace

std::string RefusalText(ProtocolError error, const std::string& code) {
  switch (error) {
    case ProtocolError::kNoSuchTable: return Format(_("No table has the code %s."), code.c_str());
    case ProtocolError::kTableFull: return _("That table has no free seat.");
    case ProtocolError::kServerBusy: return _("The server takes no new tables now; try later.");
    case ProtocolError::kBadName: return _("The server does not take that name.");
    case ProtocolError::kBadVersion:
      return _("The server speaks another version of the game's protocol.");
    default:
      return Format(_("The server refused (%s)."), std::string(ProtocolErrorName(error)).c_str());
  }
}

std::string OutOfStepText(const std::string& reason) {
  return Format(_("This game and the table no longer agree (%s)."), reason.c_str());
}

SeatAnswer ReadSeatAnswer(TableConnection& connection, OnlineTable& table) {
  for (const std::string& text : connection.TakeReceived()) table.Receive(text);
  if (table.SeatShown() && !table.TakingUpHand()) return SeatAnswer::kSeated;
  if (table.LastError() || table.Ended() || table.OutOfStep()) return SeatAnswer::kRefused;
  if (connection.CurrentStatus() == TableConnection::Status::kClosed) return SeatAnswer::kClosed;
  return SeatAnswer::kWaiting;
}

std::string SeatProblem(SeatAnswer answer, const OnlineTable& table,
                        const TableConnection& connection, const TableAddress& address,
                        const std::string& code) {
  if (answer == SeatAnswer::kClosed) {
    return Format(_("Cannot reach the table at %s: %s"), TableAddressText(address).c_str(),
                  connection.Problem().c_str());
  }
  if (const std::optional<ProtocolError> error = table.LastError()) {
    return RefusalText(*error, code);
  }
  if (table.OutOfStep()) return OutOfStepText(table.OutOfStepReason());
  if (table.Ended()) return _("The server closed the table.");
  return {};
}

OnlineStart TakeSeat(const OnlineRequest& request, const std::function<bool()>& keep_waiting) {
  OnlineStart start;
  ConnectionSettings settings;
  settings.address = request.address;
  settings.target = TargetOf(request);
  settings.trusted_certificate = request.trusted_certificate;
  auto connection = std::make_unique<TableConnection>(settings);
  auto table = std::make_unique<OnlineTable>();
  connection->Send(ClientMessageToText(HelloMessage{kProtocolVersion, request.name}));
  if (request.host) {
    connection->Send(ClientMessageToText(request.table));
  } else {
    connection->Send(ClientMessageToText(JoinMessage{request.code, request.name}));
  }
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(kSeatWaitSeconds);
  for (;;) {
    const SeatAnswer answer = ReadSeatAnswer(*connection, *table);
    if (answer == SeatAnswer::kSeated) break;
    if (answer != SeatAnswer::kWaiting) {
      start.problem = SeatProblem(answer, *table, *connection, request.address, request.code);
      return start;
    }
    if (!keep_waiting()) return start;  // asked to stop: nothing to tell
    if (std::chrono::steady_clock::now() > give_up) {
      start.problem = Format(_("The server at %s did not answer in time."),
                             TableAddressText(request.address).c_str());
      return start;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  start.seat = std::make_unique<OnlineSeat>();
  const SeatedReport& seated = *table->Seated();
  start.seat->seat = seated.seat;
  start.seat->code = seated.code;
  start.seat->token = seated.token;
  start.seat->name = request.name;
  start.seat->settings = settings;
  // A hosted table is found again by its code, like a joined one.
  start.seat->settings.target = TableTarget(seated.code);
  start.seat->connection = std::move(connection);
  start.seat->table = std::move(table);
  return start;
}

}  // namespace vantel
