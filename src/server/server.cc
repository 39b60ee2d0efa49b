#include "server/server.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>

#include <boost/asio.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/ssl.hpp>
#include <boost/beast/websocket.hpp>
#include <boost/beast/websocket/ssl.hpp>

#include "codec/client_messages.h"
#include "codec/table_codes.h"
#include "i18n/format.h"
#include "i18n/gettext.h"
#include "server/metrics.h"
#include "server/token_bucket.h"
#include "server/web_files.h"
#include "server/web_response.h"
#include "table/lobby.h"

namespace vantel {

namespace {

namespace net = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
namespace ssl = net::ssl;
using Tcp = net::ip::tcp;
using namespace std::chrono_literals;

// An HTTP request (or a TLS handshake) has this long to arrive whole.
constexpr auto kHttpTimeout = 15s;
constexpr auto kHandshakeTimeout = 10s;
// A connection that sends nothing is pinged at half this and dropped at it.
constexpr auto kIdleTimeout = 15s;
// A person sends a message every few seconds: a burst of a few seconds'
// allowance is a client catching up, a steady stream past it is not a person.
constexpr double kBurstSeconds = 4;
// Refused messages in a row before the connection is closed.
constexpr int kStrikesToClose = 10;
// Messages waiting for a client that does not read: past this it is dropped
// rather than held in memory.
constexpr std::size_t kMaxQueued = 512;
constexpr std::size_t kMaxHttpHeader = 8192;
constexpr std::size_t kMaxHttpBody = 4096;
constexpr int kThinkers = 2;
// How long a drained server waits for its clients to answer the close.
constexpr auto kCloseWait = 2s;

// The connections of each remote address. Shared with every connection, so
// the last one to go can give its place back even after the server is gone.
struct AddressCounts {
  std::map<std::string, int> open;
};

class AddressSlot {
 public:
  AddressSlot(std::shared_ptr<AddressCounts> counts, std::string address)
      : counts_(std::move(counts)), address_(std::move(address)) {
    ++counts_->open[address_];
  }
  ~AddressSlot() {
    if (--counts_->open[address_] <= 0) counts_->open.erase(address_);
  }
  AddressSlot(const AddressSlot&) = delete;
  AddressSlot& operator=(const AddressSlot&) = delete;
  const std::string& Address() const { return address_; }

 private:
  std::shared_ptr<AddressCounts> counts_;
  std::string address_;
};

class Connection {
 public:
  virtual ~Connection() = default;
  virtual void Send(std::shared_ptr<const std::string> text) = 0;
  virtual void Close(websocket::close_code code) = 0;
};

template <class Stream>
inline constexpr bool kIsTls = !std::is_same_v<Stream, beast::tcp_stream>;

// The people of a table connect to / or to /table/CODE: the server takes
// both alike, the code in the path is for a proxy that routes by it.
bool IsTablePath(std::string_view target) {
  constexpr std::string_view kTablePrefix = "/table/";
  if (target == "/") return true;
  return target.substr(0, kTablePrefix.size()) == kTablePrefix &&
         IsJoinCode(target.substr(kTablePrefix.size()));
}

}  // namespace

struct Server::Impl {
  explicit Impl(const ServerConfig& c)
      : config(c), lobby(LobbyFor(c), [this] { return RandomBits(); }) {}

  static LobbySettings LobbyFor(const ServerConfig& c) {
    LobbySettings settings;
    settings.max_tables = c.max_tables;
    settings.grace = std::chrono::seconds(c.grace_seconds);
    settings.hand_pause = std::chrono::seconds(c.hand_pause_seconds);
    settings.code_symbols = c.code_symbols;
    return settings;
  }

  // Join codes, seat tokens and shuffles come from the system's randomness:
  // a token that could be guessed would hand a seat to a stranger.
  uint64_t RandomBits() {
    const uint64_t high = device();
    return (high << 32) | device();
  }

  TableTime Now() const {
    return std::chrono::duration_cast<TableTime>(std::chrono::steady_clock::now() - start);
  }
  double Seconds() const { return std::chrono::duration<double>(Now()).count(); }

  void Log(LogLevel level, const std::string& text) const {
    if (level > config.log_level) return;
    std::fprintf(stderr, "vantel-server: %s: %s\n", LogLevelName(level), text.c_str());
  }

  bool Listen(std::string& error);
  void Accept();
  void OnAccept(beast::error_code ec, Tcp::socket socket);
  ConnectionId Register(const std::shared_ptr<Connection>& connection, const std::string& address);
  void Received(ConnectionId id, std::string_view text);
  void RateLimited(ConnectionId id);
  void Closed(ConnectionId id, beast::error_code ec);
  void Pump();
  void Think(TableDecision decision);
  void Arm();
  void WaitForSignal();
  void Drain();
  void Finish();
  ServerCounts Counts() const;

  ServerConfig config;
  // Before `ioc`, so that it outlives the answers its handlers still hold:
  // they point into these files.
  WebFiles web;
  std::random_device device;
  net::io_context ioc{1};
  std::optional<ssl::context> tls;
  Tcp::acceptor acceptor{ioc};
  net::signal_set signals{ioc, SIGTERM, SIGINT};
  net::steady_timer tick{ioc};
  net::steady_timer drain_limit{ioc};
  net::steady_timer accept_retry{ioc};
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
  Lobby lobby;
  std::map<ConnectionId, std::weak_ptr<Connection>> connections;
  ConnectionId next_id = 1;
  std::shared_ptr<AddressCounts> addresses = std::make_shared<AddressCounts>();
  ServerCounts counts;
  bool draining = false;
  bool stopping = false;
  // Last, so it is joined first: its workers post back to `ioc`.
  net::thread_pool thinkers{kThinkers};
};

namespace {

template <class Stream>
class WsSession final : public Connection, public std::enable_shared_from_this<WsSession<Stream>> {
 public:
  WsSession(Stream&& stream, Server::Impl& server, std::shared_ptr<AddressSlot> slot)
      : ws_(std::move(stream)),
        server_(server),
        slot_(std::move(slot)),
        bucket_(kBurstSeconds * server.config.messages_per_second,
                server.config.messages_per_second) {}

  void Start(http::request<http::string_body> upgrade) {
    upgrade_ = std::move(upgrade);
    beast::get_lowest_layer(ws_).expires_never();
    websocket::stream_base::timeout timeout{};
    timeout.handshake_timeout = kHandshakeTimeout;
    timeout.idle_timeout = kIdleTimeout;
    timeout.keep_alive_pings = true;
    ws_.set_option(timeout);
    ws_.read_message_max(kMaxClientMessage);
    ws_.set_option(websocket::stream_base::decorator(
        [](websocket::response_type& res) { res.set(http::field::server, "vantel-server"); }));
    ws_.async_accept(
        upgrade_, [self = this->shared_from_this()](beast::error_code ec) { self->OnAccept(ec); });
  }

  void Send(std::shared_ptr<const std::string> text) override {
    if (closing_ || failed_) return;
    if (queue_.size() >= kMaxQueued) {
      Close(websocket::close_code::policy_error);
      return;
    }
    queue_.push_back(std::move(text));
    if (queue_.size() == 1) Write();
  }

  // Whatever is queued goes first, then the close.
  void Close(websocket::close_code code) override {
    if (closing_ || failed_) return;
    closing_ = true;
    close_code_ = code;
    if (queue_.empty()) SendClose();
  }

 private:
  void OnAccept(beast::error_code ec) {
    if (ec) return;
    id_ = server_.Register(this->shared_from_this(), slot_->Address());
    Read();
  }

  void Read() {
    ws_.async_read(buffer_, [self = this->shared_from_this()](beast::error_code ec, std::size_t) {
      self->OnRead(ec);
    });
  }

  void OnRead(beast::error_code ec) {
    if (ec) {
      failed_ = true;
      queue_.clear();
      server_.Closed(id_, ec);
      return;
    }
    const std::string text = beast::buffers_to_string(buffer_.data());
    buffer_.consume(buffer_.size());
    if (!bucket_.Take(server_.Seconds())) {
      server_.RateLimited(id_);
      if (++strikes_ >= kStrikesToClose) Close(websocket::close_code::policy_error);
    } else {
      strikes_ = 0;
      server_.Received(id_, text);
    }
    // Reading goes on while closing: the peer's close frame ends it.
    Read();
  }

  void Write() {
    ws_.text(true);
    ws_.async_write(net::buffer(*queue_.front()),
                    [self = this->shared_from_this()](beast::error_code ec, std::size_t) {
                      self->OnWrite(ec);
                    });
  }

  void OnWrite(beast::error_code ec) {
    if (ec) {
      // The read fails as well and reports the connection gone.
      failed_ = true;
      queue_.clear();
      return;
    }
    queue_.pop_front();
    if (!queue_.empty()) {
      Write();
    } else if (closing_) {
      SendClose();
    }
  }

  void SendClose() {
    ws_.async_close(close_code_, [self = this->shared_from_this()](beast::error_code) {});
  }

  websocket::stream<Stream> ws_;
  Server::Impl& server_;
  std::shared_ptr<AddressSlot> slot_;
  http::request<http::string_body> upgrade_;
  beast::flat_buffer buffer_;
  std::deque<std::shared_ptr<const std::string>> queue_;
  TokenBucket bucket_;
  ConnectionId id_ = 0;
  int strikes_ = 0;
  bool closing_ = false;
  bool failed_ = false;
  websocket::close_code close_code_ = websocket::close_code::normal;
};

template <class Stream>
class HttpSession final : public std::enable_shared_from_this<HttpSession<Stream>> {
 public:
  HttpSession(Stream&& stream, Server::Impl& server, std::shared_ptr<AddressSlot> slot)
      : stream_(std::move(stream)), server_(server), slot_(std::move(slot)) {}

  void Start() {
    if constexpr (kIsTls<Stream>) {
      beast::get_lowest_layer(stream_).expires_after(kHttpTimeout);
      stream_.async_handshake(ssl::stream_base::server,
                              [self = this->shared_from_this()](beast::error_code ec) {
                                if (!ec) self->Read();
                              });
    } else {
      Read();
    }
  }

 private:
  void Read() {
    parser_.emplace();
    parser_->header_limit(kMaxHttpHeader);
    parser_->body_limit(kMaxHttpBody);
    beast::get_lowest_layer(stream_).expires_after(kHttpTimeout);
    http::async_read(
        stream_, buffer_, *parser_,
        [self = this->shared_from_this()](beast::error_code ec, std::size_t) { self->OnRead(ec); });
  }

  void OnRead(beast::error_code ec) {
    // Closed, timed out or not HTTP: there is nobody to answer.
    if (ec) return;
    WebRequest request = parser_->release();
    if (websocket::is_upgrade(request) && IsTablePath(request.target())) {
      std::make_shared<WsSession<Stream>>(std::move(stream_), server_, std::move(slot_))
          ->Start(std::move(request));
      return;
    }
    Respond(request);
  }

  void Respond(const WebRequest& request) {
    const bool get = request.method() == http::verb::get;
    if (!get && request.method() != http::verb::head) {
      auto response = PlainAnswer(request, http::status::method_not_allowed, "not allowed\n");
      response->set(http::field::allow, "GET, HEAD");
      Write(std::move(response));
    } else if (get && request.target() == "/healthz") {
      Write(PlainAnswer(request,
                        server_.draining ? http::status::service_unavailable : http::status::ok,
                        server_.draining ? "draining\n" : "ok\n"));
    } else if (get && request.target() == "/metrics") {
      auto response = PlainAnswer(request, http::status::ok, MetricsText(server_.Counts()));
      response->set(http::field::content_type, "text/plain; version=0.0.4; charset=utf-8");
      Write(std::move(response));
    } else if (const WebFile* file = server_.web.Find(request.target())) {
      Write(std::make_shared<PageResponse>(PageAnswer(request, *file)));
    } else {
      Write(PlainAnswer(request, http::status::not_found, "not found\n"));
    }
  }

  static std::shared_ptr<http::response<http::string_body>> PlainAnswer(const WebRequest& request,
                                                                        http::status status,
                                                                        std::string body) {
    auto response = std::make_shared<http::response<http::string_body>>(status, request.version());
    response->keep_alive(request.keep_alive());
    response->set(http::field::server, "vantel-server");
    response->set(http::field::content_type, "text/plain; charset=utf-8");
    SetSafetyHeaders(*response);
    response->body() = std::move(body);
    response->prepare_payload();
    return response;
  }

  // The answer is held by the handler until it is written.
  template <class Response>
  void Write(std::shared_ptr<Response> response) {
    http::async_write(
        stream_, *response,
        [self = this->shared_from_this(), response](beast::error_code ec, std::size_t) {
          if (ec) return;
          if (response->keep_alive()) {
            self->Read();
          } else {
            self->Shutdown();
          }
        });
  }

  void Shutdown() {
    if constexpr (kIsTls<Stream>) {
      beast::get_lowest_layer(stream_).expires_after(kHttpTimeout);
      stream_.async_shutdown([self = this->shared_from_this()](beast::error_code) {});
    } else {
      beast::error_code ignored;
      stream_.socket().shutdown(Tcp::socket::shutdown_send, ignored);
    }
  }

  Stream stream_;
  Server::Impl& server_;
  std::shared_ptr<AddressSlot> slot_;
  beast::flat_buffer buffer_;
  std::optional<http::request_parser<http::string_body>> parser_;
};

}  // namespace

bool Server::Impl::Listen(std::string& error) {
  beast::error_code ec;
  if (config.Tls()) {
    tls.emplace(ssl::context::tls_server);
    tls->set_options(ssl::context::default_workarounds | ssl::context::no_sslv2 |
                     ssl::context::no_sslv3 | ssl::context::no_tlsv1 | ssl::context::no_tlsv1_1 |
                     ssl::context::single_dh_use);
    tls->use_certificate_chain_file(config.tls_cert, ec);
    if (!ec) tls->use_private_key_file(config.tls_key, ssl::context::pem, ec);
    if (ec) {
      error = Format(_("cannot read the TLS certificate or key: %s"), ec.message().c_str());
      return false;
    }
  }
  if (!config.no_web && !config.web_root.empty()) {
    std::optional<WebFiles> files = WebFiles::Load(config.web_root, error);
    if (!files) return false;
    web = std::move(*files);
    Log(LogLevel::kInfo, "serving the web client from " + config.web_root + ": " +
                             std::to_string(web.Count()) + " files, " +
                             std::to_string(web.Bytes() / 1024) + " KiB");
  }
  const net::ip::address address = net::ip::make_address(config.bind, ec);
  if (ec) {
    error = Format(_("%s is not an address to listen on"), config.bind.c_str());
    return false;
  }
  const Tcp::endpoint endpoint(address, config.port);
  acceptor.open(endpoint.protocol(), ec);
  if (!ec) acceptor.set_option(net::socket_base::reuse_address(true), ec);
  if (!ec) acceptor.bind(endpoint, ec);
  if (!ec) acceptor.listen(net::socket_base::max_listen_connections, ec);
  if (ec) {
    error = Format(_("cannot listen on %s port %d: %s"), config.bind.c_str(),
                   static_cast<int>(config.port), ec.message().c_str());
    return false;
  }
  return true;
}

void Server::Impl::Accept() {
  acceptor.async_accept(
      ioc, [this](beast::error_code ec, Tcp::socket socket) { OnAccept(ec, std::move(socket)); });
}

void Server::Impl::OnAccept(beast::error_code ec, Tcp::socket socket) {
  if (ec == net::error::operation_aborted || stopping) return;
  if (ec) {
    // Out of descriptors, most likely: wait a moment rather than spin.
    Log(LogLevel::kWarn, "accept: " + ec.message());
    accept_retry.expires_after(100ms);
    accept_retry.async_wait([this](beast::error_code wait) {
      if (!wait) Accept();
    });
    return;
  }
  beast::error_code peer_error;
  const std::string address = socket.remote_endpoint(peer_error).address().to_string();
  if (peer_error) {
    Accept();
    return;
  }
  const auto open = addresses->open.find(address);
  if (open != addresses->open.end() && open->second >= config.max_connections_per_address) {
    ++counts.connections_refused;
    Log(LogLevel::kDebug, "refused a connection from " + address + ": too many from there");
    socket.close(peer_error);
    Accept();
    return;
  }
  // A play's events are a few hundred bytes, sent to four people at once:
  // out at once, not held back waiting for an acknowledgement.
  socket.set_option(Tcp::no_delay(true), peer_error);
  auto slot = std::make_shared<AddressSlot>(addresses, address);
  if (tls) {
    using Stream = beast::ssl_stream<beast::tcp_stream>;
    std::make_shared<HttpSession<Stream>>(Stream(beast::tcp_stream(std::move(socket)), *tls), *this,
                                          std::move(slot))
        ->Start();
  } else {
    std::make_shared<HttpSession<beast::tcp_stream>>(beast::tcp_stream(std::move(socket)), *this,
                                                     std::move(slot))
        ->Start();
  }
  Accept();
}

ConnectionId Server::Impl::Register(const std::shared_ptr<Connection>& connection,
                                    const std::string& address) {
  const ConnectionId id = next_id++;
  connections[id] = connection;
  ++counts.connections_total;
  Log(LogLevel::kDebug, "connection " + std::to_string(id) + " from " + address);
  return id;
}

void Server::Impl::Received(ConnectionId id, std::string_view text) {
  lobby.Received(id, text, Now());
  Pump();
}

void Server::Impl::RateLimited(ConnectionId id) {
  ++counts.rate_limited;
  lobby.Refuse(id, ProtocolError::kRateLimited, "too many messages");
  Pump();
}

void Server::Impl::Closed(ConnectionId id, beast::error_code ec) {
  if (ec == websocket::error::message_too_big) {
    ++counts.too_long;
  } else if (ec != websocket::error::closed && ec != net::error::eof &&
             ec != net::error::operation_aborted && ec != beast::error::timeout) {
    ++counts.errors;
  }
  Log(LogLevel::kDebug, "connection " + std::to_string(id) + " closed: " + ec.message());
  connections.erase(id);
  lobby.Disconnected(id, Now());
  if (stopping && connections.empty()) {
    ioc.stop();
    return;
  }
  Pump();
}

void Server::Impl::Pump() {
  for (Delivery& delivery : lobby.TakeDeliveries()) {
    const auto found = connections.find(delivery.to);
    if (found == connections.end()) continue;
    if (const std::shared_ptr<Connection> connection = found->second.lock()) {
      connection->Send(std::make_shared<const std::string>(std::move(delivery.text)));
    }
  }
  for (const LogLine& line : lobby.TakeLog()) Log(line.level, line.text);
  for (TableDecision& decision : lobby.TakeDecisionRequests()) Think(std::move(decision));
  if (draining && lobby.TableCount() == 0) {
    Finish();
    return;
  }
  Arm();
}

void Server::Impl::Think(TableDecision decision) {
  net::post(thinkers, [this, decision = std::move(decision)]() mutable {
    SeatDecision answer;
    try {
      answer = WorkOutDecision(decision.request);
    } catch (const std::exception&) {
      // Position -1: the table falls back on the Classic player.
    }
    net::post(ioc, [this, decision = std::move(decision), answer] {
      if (stopping) return;
      lobby.Decided(decision, answer, Now());
      Pump();
    });
  });
}

void Server::Impl::Arm() {
  const std::optional<TableTime> next = lobby.NextDeadline();
  if (!next) {
    tick.cancel();
    return;
  }
  tick.expires_at(start + *next);
  tick.async_wait([this](beast::error_code ec) {
    if (ec || stopping) return;
    lobby.Advance(Now());
    Pump();
  });
}

void Server::Impl::WaitForSignal() {
  signals.async_wait([this](beast::error_code ec, int) {
    if (ec) return;
    Drain();
    if (!stopping) WaitForSignal();
  });
}

void Server::Impl::Drain() {
  if (draining) {
    Log(LogLevel::kWarn, "second signal: ending every table now");
    lobby.EndAll();
    Pump();
    return;
  }
  draining = true;
  Log(LogLevel::kInfo, "draining: " + std::to_string(lobby.TableCount()) +
                           " tables finish their hands, for at most " +
                           std::to_string(config.drain_seconds) + " s");
  drain_limit.expires_after(std::chrono::seconds(config.drain_seconds));
  drain_limit.async_wait([this](beast::error_code ec) {
    if (ec || stopping) return;
    Log(LogLevel::kWarn, "drain limit reached: ending every table now");
    lobby.EndAll();
    Pump();
  });
  lobby.Drain(config.drain_seconds);
  Pump();
}

void Server::Impl::Finish() {
  if (stopping) return;
  stopping = true;
  beast::error_code ignored;
  acceptor.close(ignored);
  tick.cancel();
  drain_limit.cancel();
  accept_retry.cancel();
  signals.cancel();
  Log(LogLevel::kInfo, "drained: closing " + std::to_string(connections.size()) + " connections");
  if (connections.empty()) {
    ioc.stop();
    return;
  }
  for (auto& [id, weak] : connections) {
    if (const std::shared_ptr<Connection> connection = weak.lock()) {
      connection->Close(websocket::close_code::going_away);
    }
  }
  // A client that never answers the close must not hold the exit.
  tick.expires_after(kCloseWait);
  tick.async_wait([this](beast::error_code ec) {
    if (!ec) ioc.stop();
  });
}

ServerCounts Server::Impl::Counts() const {
  ServerCounts c = counts;
  c.lobby = lobby.Counts();
  c.tables = lobby.TableCount();
  c.connections = connections.size();
  c.draining = draining;
  c.resident_bytes = ProcessResidentBytes();
  return c;
}

Server::Server(const ServerConfig& config) : impl_(std::make_unique<Impl>(config)) {}

Server::~Server() {
  impl_->thinkers.join();
}

bool Server::Listen(std::string& error) {
  return impl_->Listen(error);
}

uint16_t Server::Port() const {
  beast::error_code ec;
  return impl_->acceptor.local_endpoint(ec).port();
}

int Server::Run() {
  impl_->WaitForSignal();
  impl_->Accept();
  impl_->ioc.run();
  impl_->thinkers.join();
  impl_->Log(LogLevel::kInfo, "stopped");
  return 0;
}

}  // namespace vantel
