#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <string>

#include <boost/asio.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/ssl.hpp>
#include <boost/beast/websocket.hpp>
#include <boost/beast/websocket/ssl.hpp>
#include <nlohmann/json.hpp>

#include "codec/client_messages.h"

namespace vantel {

namespace net = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;

using namespace std::chrono_literals;

// A test's client: every wait is bounded, so a server that does not answer
// fails the test instead of hanging it.
template <class Stream>
class BasicWsClient {
 public:
  BasicWsClient() : ws_(MakeStream()) {}

  bool Connect(uint16_t port, std::chrono::milliseconds timeout = 5s,
               const std::string& target = "/") {
    target_ = target;
    bool done = false;
    beast::error_code error;
    const net::ip::tcp::endpoint endpoint(net::ip::make_address("127.0.0.1"), port);
    beast::get_lowest_layer(ws_).async_connect(endpoint, [&](beast::error_code ec) {
      error = ec;
      if (ec) {
        done = true;
        return;
      }
      Handshake(done, error);
    });
    return RunUntil(done, timeout) && !error;
  }

  void Send(const std::string& text) {
    bool done = false;
    ws_.text(true);
    ws_.async_write(net::buffer(text), [&](beast::error_code ec, std::size_t) {
      done = true;
      if (ec) closed_ = true;
    });
    RunUntil(done, 5s);
  }
  void Send(const ClientMessage& message) { Send(ClientMessageToText(message)); }

  // The next message, or nothing when none comes in `timeout` or the
  // connection is closed.
  std::optional<nlohmann::json> Read(std::chrono::milliseconds timeout = 5s) {
    if (inbox_.empty() && !closed_) {
      StartRead();
      const auto end = std::chrono::steady_clock::now() + timeout;
      while (inbox_.empty() && !closed_ && std::chrono::steady_clock::now() < end) {
        ioc_.restart();
        ioc_.run_one_for(end - std::chrono::steady_clock::now());
      }
    }
    if (inbox_.empty()) return std::nullopt;
    nlohmann::json message = std::move(inbox_.front());
    inbox_.pop_front();
    return message;
  }

  // Reads on until a message of `type`, dropping the others; null when none
  // comes in time.
  nlohmann::json ReadType(const std::string& type, std::chrono::milliseconds timeout = 5s) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          end - std::chrono::steady_clock::now());
      std::optional<nlohmann::json> message = Read(left);
      if (!message) return nullptr;
      if ((*message)["type"] == type) return *message;
    }
    return nullptr;
  }

  // Reads until the server closes the connection; its close code, or
  // nothing when it stays open past `timeout`.
  std::optional<int> WaitForClose(std::chrono::milliseconds timeout = 5s) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!closed_ && std::chrono::steady_clock::now() < end) {
      inbox_.clear();
      Read(std::chrono::duration_cast<std::chrono::milliseconds>(end -
                                                                 std::chrono::steady_clock::now()));
    }
    if (!closed_) return std::nullopt;
    return static_cast<int>(ws_.reason().code);
  }

  bool Closed() const { return closed_; }

 private:
  Stream MakeStream();

  void Handshake(bool& done, beast::error_code& error);

  void StartRead() {
    if (reading_) return;
    reading_ = true;
    ws_.async_read(buffer_, [this](beast::error_code ec, std::size_t) {
      reading_ = false;
      if (ec) {
        closed_ = true;
        return;
      }
      inbox_.push_back(nlohmann::json::parse(beast::buffers_to_string(buffer_.data())));
      buffer_.consume(buffer_.size());
    });
  }

  bool RunUntil(const bool& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done && std::chrono::steady_clock::now() < end) {
      ioc_.restart();
      ioc_.run_one_for(end - std::chrono::steady_clock::now());
    }
    return done;
  }

  std::string target_ = "/";
  net::io_context ioc_;
  net::ssl::context tls_{net::ssl::context::tls_client};
  websocket::stream<Stream> ws_;
  beast::flat_buffer buffer_;
  std::deque<nlohmann::json> inbox_;
  bool reading_ = false;
  bool closed_ = false;
};

template <>
inline beast::tcp_stream BasicWsClient<beast::tcp_stream>::MakeStream() {
  return beast::tcp_stream(ioc_);
}

template <>
inline beast::ssl_stream<beast::tcp_stream>
BasicWsClient<beast::ssl_stream<beast::tcp_stream>>::MakeStream() {
  // The test's certificate is its own, signed by nobody.
  tls_.set_verify_mode(net::ssl::verify_none);
  return beast::ssl_stream<beast::tcp_stream>(beast::tcp_stream(ioc_), tls_);
}

template <>
inline void BasicWsClient<beast::tcp_stream>::Handshake(bool& done, beast::error_code& error) {
  ws_.async_handshake("127.0.0.1", target_, [&](beast::error_code ec) {
    error = ec;
    done = true;
  });
}

template <>
inline void BasicWsClient<beast::ssl_stream<beast::tcp_stream>>::Handshake(
    bool& done, beast::error_code& error) {
  ws_.next_layer().async_handshake(net::ssl::stream_base::client, [&](beast::error_code ec) {
    if (ec) {
      error = ec;
      done = true;
      return;
    }
    ws_.async_handshake("127.0.0.1", target_, [&](beast::error_code ec2) {
      error = ec2;
      done = true;
    });
  });
}

using WsClient = BasicWsClient<beast::tcp_stream>;
using TlsWsClient = BasicWsClient<beast::ssl_stream<beast::tcp_stream>>;

struct HttpAnswer {
  int status = 0;
  beast::http::fields headers;
  std::string body;

  static HttpAnswer From(const beast::http::response<beast::http::string_body>& response) {
    return {static_cast<int>(response.result_int()), response.base(), response.body()};
  }
};

// One request on a connection of its own; status 0 when nothing came back.
inline HttpAnswer HttpAsk(uint16_t port, beast::http::verb method, const std::string& target,
                          const std::string& if_none_match = "") {
  namespace http = beast::http;
  net::io_context ioc;
  beast::tcp_stream stream(ioc);
  http::request<http::empty_body> request{method, target, 11};
  request.set(http::field::host, "127.0.0.1");
  if (!if_none_match.empty()) request.set(http::field::if_none_match, if_none_match);
  http::response_parser<http::string_body> parser;
  // The answer to a HEAD announces a body that does not follow.
  parser.skip(method == http::verb::head);
  beast::flat_buffer buffer;
  HttpAnswer answer;
  stream.expires_after(5s);
  stream.async_connect(
      net::ip::tcp::endpoint(net::ip::make_address("127.0.0.1"), port), [&](beast::error_code ec) {
        if (ec) return;
        http::async_write(stream, request, [&](beast::error_code ec2, std::size_t) {
          if (ec2) return;
          http::async_read(stream, buffer, parser, [&](beast::error_code ec3, std::size_t) {
            if (ec3) return;
            answer = HttpAnswer::From(parser.get());
          });
        });
      });
  ioc.run_for(6s);
  return answer;
}

// One GET over TLS, trusting whatever certificate the server shows.
inline HttpAnswer HttpsGet(uint16_t port, const std::string& target) {
  namespace http = beast::http;
  net::io_context ioc;
  net::ssl::context tls(net::ssl::context::tls_client);
  tls.set_verify_mode(net::ssl::verify_none);
  beast::ssl_stream<beast::tcp_stream> stream(ioc, tls);
  http::request<http::empty_body> request{http::verb::get, target, 11};
  request.set(http::field::host, "127.0.0.1");
  http::response<http::string_body> response;
  beast::flat_buffer buffer;
  HttpAnswer answer;
  beast::get_lowest_layer(stream).expires_after(5s);
  beast::get_lowest_layer(stream).async_connect(
      net::ip::tcp::endpoint(net::ip::make_address("127.0.0.1"), port), [&](beast::error_code ec) {
        if (ec) return;
        stream.async_handshake(net::ssl::stream_base::client, [&](beast::error_code ec2) {
          if (ec2) return;
          http::async_write(stream, request, [&](beast::error_code ec3, std::size_t) {
            if (ec3) return;
            http::async_read(stream, buffer, response, [&](beast::error_code ec4, std::size_t) {
              if (ec4) return;
              answer = HttpAnswer::From(response);
            });
          });
        });
      });
  ioc.run_for(6s);
  return answer;
}

inline HttpAnswer HttpGet(uint16_t port, const std::string& target) {
  return HttpAsk(port, beast::http::verb::get, target);
}

}  // namespace vantel
