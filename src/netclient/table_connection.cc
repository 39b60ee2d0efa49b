#include "netclient/table_connection.h"

#include <chrono>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/ssl.hpp>
#include <boost/beast/websocket.hpp>
#include <boost/beast/websocket/ssl.hpp>

namespace vantel {

namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
namespace ssl = asio::ssl;
using Tcp = asio::ip::tcp;

// Time for the name lookup, the connection and both handshakes together.
constexpr auto kOpeningTime = std::chrono::seconds(10);
// How long closing may wait for the server's answer before the thread ends.
constexpr auto kClosingTime = std::chrono::seconds(2);
// Far above any message a table sends (a whole view is a few kilobytes).
constexpr std::size_t kMaxServerMessage = 256 * 1024;

using PlainStream = websocket::stream<beast::tcp_stream>;
using SecureStream = websocket::stream<beast::ssl_stream<beast::tcp_stream>>;

}  // namespace

// The connection's state on its own thread. The frame thread only posts to
// it and reads what it shared under the mutex.
class TableConnection::Link : public std::enable_shared_from_this<TableConnection::Link> {
 public:
  explicit Link(ConnectionSettings settings) : settings_(std::move(settings)) {}

  void Start() {
    if (settings_.address.tls) {
      tls_.set_verify_mode(ssl::verify_peer);
      beast::error_code ec;
      if (settings_.trusted_certificate.empty()) {
        tls_.set_default_verify_paths(ec);
      } else {
        tls_.load_verify_file(settings_.trusted_certificate, ec);
      }
      if (ec) {
        Closed("cannot read the certificates to trust: " + ec.message());
        return;
      }
      secure_.emplace(io_, tls_);
    } else {
      plain_.emplace(io_);
    }
    resolver_.async_resolve(settings_.address.host, std::to_string(settings_.address.port),
                            [self = shared_from_this()](beast::error_code ec,
                                                        const Tcp::resolver::results_type& found) {
                              self->OnResolved(ec, found);
                            });
    thread_ = std::thread([self = shared_from_this()] { self->io_.run(); });
  }

  // From the frame thread.
  void Send(std::string text) {
    asio::post(io_, [self = shared_from_this(), text = std::move(text)]() mutable {
      if (self->closing_ || self->CurrentStatus() == Status::kClosed) return;
      self->outbox_.push_back(std::move(text));
      self->Flush();
    });
  }

  void Close() {
    asio::post(io_, [self = shared_from_this()] { self->StartClosing(); });
  }

  // Ends the thread: a polite close first, cut short after kClosingTime.
  void Finish() {
    if (thread_.joinable()) {
      asio::post(io_, [self = shared_from_this()] {
        self->finishing_ = true;
        self->StartClosing();
        if (self->CurrentStatus() == Status::kClosed) return self->io_.stop();
        self->deadline_.expires_after(kClosingTime);
        self->deadline_.async_wait([self](beast::error_code) { self->io_.stop(); });
      });
      thread_.join();
    }
    // Whatever is still pending ends now, so that no handler is left holding
    // on to this link.
    resolver_.cancel();
    deadline_.cancel();
    WithStream([](auto& ws) { beast::get_lowest_layer(ws).close(); });
    finishing_ = false;
    io_.restart();
    io_.run();
  }

  std::vector<std::string> TakeReceived() {
    const std::lock_guard lock(mutex_);
    return std::exchange(received_, {});
  }
  Status CurrentStatus() const {
    const std::lock_guard lock(mutex_);
    return status_;
  }
  std::string Problem() const {
    const std::lock_guard lock(mutex_);
    return problem_;
  }

 private:
  template <class F>
  void WithStream(F&& f) {
    if (secure_) {
      f(*secure_);
    } else if (plain_) {
      f(*plain_);
    }
  }

  void OnResolved(beast::error_code ec, const Tcp::resolver::results_type& found) {
    if (ec) return Closed("cannot find the server " + settings_.address.host + ": " + ec.message());
    WithStream([&](auto& ws) {
      beast::get_lowest_layer(ws).expires_after(kOpeningTime);
      beast::get_lowest_layer(ws).async_connect(
          found, [self = shared_from_this()](beast::error_code e, const Tcp::endpoint&) {
            self->OnConnected(e);
          });
    });
  }

  void OnConnected(beast::error_code ec) {
    if (ec) return Closed("cannot connect to the server: " + ec.message());
    if (secure_) {
      auto& tls_stream = secure_->next_layer();
      // The server's name for a certificate chosen by name, and checked against it.
      if (SSL_set_tlsext_host_name(tls_stream.native_handle(), settings_.address.host.c_str()) !=
          1) {
        return Closed("cannot ask the server for its certificate by name");
      }
      tls_stream.set_verify_callback(ssl::host_name_verification(settings_.address.host));
      tls_stream.async_handshake(
          ssl::stream_base::client, [self = shared_from_this()](beast::error_code e) {
            if (e) return self->Closed("the secure connection failed: " + e.message());
            self->Upgrade();
          });
      return;
    }
    Upgrade();
  }

  void Upgrade() {
    WithStream([&](auto& ws) {
      const std::string host =
          settings_.address.host + ":" + std::to_string(settings_.address.port);
      ws.async_handshake(host, settings_.target,
                         [self = shared_from_this()](beast::error_code e) { self->OnOpen(e); });
    });
  }

  void OnOpen(beast::error_code ec) {
    if (ec) return Closed("the server did not take the connection: " + ec.message());
    WithStream([&](auto& ws) {
      beast::get_lowest_layer(ws).expires_never();
      beast::error_code ignored;
      beast::get_lowest_layer(ws).socket().set_option(Tcp::no_delay(true), ignored);
      // Answers the server's pings by itself; the server drops a silent client.
      ws.set_option(websocket::stream_base::timeout::suggested(beast::role_type::client));
      ws.read_message_max(kMaxServerMessage);
      ws.text(true);
    });
    {
      const std::lock_guard lock(mutex_);
      status_ = Status::kOpen;
    }
    open_ = true;
    Read();
    Flush();
  }

  void Read() {
    WithStream([&](auto& ws) {
      ws.async_read(buffer_, [self = shared_from_this()](beast::error_code ec, std::size_t) {
        self->OnRead(ec);
      });
    });
  }

  void OnRead(beast::error_code ec) {
    if (ec) {
      if (closing_ || ec == websocket::error::closed) return Closed("");
      return Closed("the connection to the server was lost: " + ec.message());
    }
    {
      const std::lock_guard lock(mutex_);
      received_.push_back(beast::buffers_to_string(buffer_.data()));
    }
    buffer_.consume(buffer_.size());
    Read();
  }

  // Sends what is queued, one message at a time; once closing, what was
  // queued before the close still goes out first (a leave, say), then the close.
  void Flush() {
    if (!open_ || writing_) return;
    if (outbox_.empty()) {
      if (closing_ && !close_sent_) {
        close_sent_ = true;
        WithStream([&](auto& ws) {
          ws.async_close(websocket::close_code::normal,
                         [self = shared_from_this()](beast::error_code) { self->Closed(""); });
        });
      }
      return;
    }
    writing_ = true;
    WithStream([&](auto& ws) {
      ws.async_write(asio::buffer(outbox_.front()),
                     [self = shared_from_this()](beast::error_code ec, std::size_t) {
                       self->writing_ = false;
                       self->outbox_.pop_front();
                       if (ec) return self->Closed("cannot send to the server: " + ec.message());
                       self->Flush();
                     });
    });
  }

  void StartClosing() {
    if (closing_) return;
    closing_ = true;
    if (!open_) {
      resolver_.cancel();
      WithStream([](auto& ws) { beast::get_lowest_layer(ws).close(); });
      return Closed("");
    }
    Flush();
  }

  void Closed(const std::string& problem) {
    open_ = false;
    {
      const std::lock_guard lock(mutex_);
      if (status_ != Status::kClosed) {
        status_ = Status::kClosed;
        problem_ = closing_ ? "" : problem;
      }
    }
    if (finishing_) io_.stop();
  }

  ConnectionSettings settings_;
  asio::io_context io_;
  ssl::context tls_{ssl::context::tls_client};
  Tcp::resolver resolver_{io_};
  std::optional<PlainStream> plain_;
  std::optional<SecureStream> secure_;
  asio::steady_timer deadline_{io_};
  beast::flat_buffer buffer_;
  std::deque<std::string> outbox_;  // the io thread's only
  bool open_ = false;
  bool writing_ = false;
  bool closing_ = false;
  bool close_sent_ = false;
  bool finishing_ = false;
  std::thread thread_;

  mutable std::mutex mutex_;
  std::vector<std::string> received_;
  Status status_ = Status::kConnecting;
  std::string problem_;
};

TableConnection::TableConnection(const ConnectionSettings& settings)
    : link_(std::make_shared<Link>(settings)) {
  link_->Start();
}

TableConnection::~TableConnection() {
  link_->Finish();
}

void TableConnection::Send(std::string text) {
  link_->Send(std::move(text));
}

std::vector<std::string> TableConnection::TakeReceived() {
  return link_->TakeReceived();
}

TableConnection::Status TableConnection::CurrentStatus() const {
  return link_->CurrentStatus();
}

std::string TableConnection::Problem() const {
  return link_->Problem();
}

void TableConnection::Close() {
  link_->Close();
}

}  // namespace vantel
