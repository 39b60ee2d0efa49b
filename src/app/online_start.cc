#include "app/online_start.h"

#include <chrono>
#include <thread>

#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(10);

std::string TargetOf(const OnlineRequest& request) {
  if (request.host) return "/";
  std::string target = "/table/";
  target += request.code;
  return target;
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
  while (!table->Seated()) {
    for (const std::string& text : connection->TakeReceived()) table->Receive(text);
    if (table->Seated()) break;
    if (const std::optional<ProtocolError> error = table->LastError()) {
      start.problem = RefusalText(*error, request.code);
      return start;
    }
    if (connection->CurrentStatus() == TableConnection::Status::kClosed) {
      start.problem =
          Format(_("Cannot reach the table at %s: %s"), TableAddressText(request.address).c_str(),
                 connection->Problem().c_str());
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
  start.seat->seat = table->Seated()->seat;
  start.seat->code = table->Seated()->code;
  start.seat->connection = std::move(connection);
  start.seat->table = std::move(table);
  return start;
}

}  // namespace vantel
