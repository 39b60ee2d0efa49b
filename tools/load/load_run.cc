#include "load_run.h"

#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>
#include <chrono>
#include <cstdio>
#include <deque>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <thread>
#include <vector>

#include "codec/client_messages.h"
#include "seat_follower.h"

namespace vantel {

namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
using Tcp = asio::ip::tcp;
using Clock = std::chrono::steady_clock;

// Tables a thread opens every tick while it ramps up: a few thousand
// connections at once would only fill the server's accept queue.
constexpr int kTablesPerTick = 10;
constexpr auto kRampTick = std::chrono::milliseconds(10);
constexpr auto kConnectTimeout = std::chrono::seconds(10);
// Error replies printed in full, so that a run's first faults can be read.
constexpr int64_t kErrorsShown = 5;

// What one thread's tables saw; the threads' totals are added at the end.
struct ThreadTotals {
  int tables = 0;
  int connections = 0;
  int64_t hands = 0;
  int64_t moves = 0;
  int64_t errors = 0;
  int64_t leaks = 0;
  std::vector<float> latencies_ms;
};

class LoadTable;

// One simulated person: a WebSocket connection that says hello, sits where
// its table sends it and plays when its seat is on turn.
class Person : public std::enable_shared_from_this<Person> {
 public:
  Person(asio::io_context& io, LoadTable& table, int index)
      : ws_(io), think_(io), table_(table), index_(index) {}

  // Connects to the table path `target` ("/" to host, "/table/CODE" to join).
  void Start(const Tcp::resolver::results_type& endpoints, std::string target);
  void Send(std::string text);
  void Stop();
  bool Seated() const { return seated_; }

 private:
  void OnConnect(beast::error_code ec);
  void Read();
  void Handle(const std::string& text);
  void Write();
  void MaybeThink();
  void Fault(const char* what, const beast::error_code& ec);

  websocket::stream<beast::tcp_stream> ws_;
  beast::flat_buffer buffer_;
  std::deque<std::string> outbox_;
  asio::steady_timer think_;
  LoadTable& table_;
  int index_;
  SeatFollower follower_;
  std::string target_;
  bool open_ = false;
  bool seated_ = false;
  bool thinking_ = false;
  bool stopping_ = false;
};

// The four people of one table and what the tool knows of all their hands.
class LoadTable {
 public:
  LoadTable(asio::io_context& io, ThreadTotals& totals, const LoadOptions& options, int number)
      : io_(io),
        totals_(totals),
        options_(options),
        number_(number),
        random_(options.seed + number) {}

  // The host connects first; the others connect to the table's own path
  // once its code is known, as people given a code do, so that a proxy in
  // front of several servers can send them where the table is.
  void Start(const Tcp::resolver::results_type& endpoints) {
    endpoints_ = &endpoints;
    people_ = {};
    welcomed_ = {};
    people_[0] = std::make_shared<Person>(io_, *this, 0);
    people_[0]->Start(endpoints, options_.target);
  }

  void Stop() {
    stopping_ = true;
    for (auto& person : people_) {
      if (person) person->Stop();
    }
  }

  bool Stopping() const { return stopping_; }
  ThreadTotals& Totals() { return totals_; }
  TableKnowledge& Knowledge() { return knowledge_; }
  std::mt19937_64& Random() { return random_; }
  const LoadOptions& Options() const { return options_; }
  int Number() const { return number_; }

  std::string Name(int index) const {
    return "load " + std::to_string(number_) + "." + std::to_string(index);
  }

  void Welcomed(int index) {
    welcomed_[static_cast<std::size_t>(index)] = true;
    if (index == 0) {
      Host();
    } else {
      Join(index);
    }
  }

  void Seated(int index, const std::string& code) {
    if (index != 0 || people_[1]) return;
    if (!hosted_once_) ++totals_.tables;
    hosted_once_ = true;
    code_ = code;
    knowledge_ = {};
    const std::string base =
        options_.target.back() == '/' ? options_.target : options_.target + "/";
    for (int i = 1; i < kSeats; ++i) {
      people_[static_cast<std::size_t>(i)] = std::make_shared<Person>(io_, *this, i);
      people_[static_cast<std::size_t>(i)]->Start(*endpoints_, base + "table/" + code);
    }
  }

  // A match over: the table is played again from new connections, as people
  // who host and join another would.
  void Ended(int index, const std::string& reason) {
    if (index != 0 || reason != "match-over" || stopping_) return;
    for (auto& person : people_) {
      if (person) person->Stop();
    }
    code_.clear();
    Start(*endpoints_);
  }

  void MoveSent(int seat) {
    sent_at_[static_cast<std::size_t>(seat)] = Clock::now();
    deliveries_[static_cast<std::size_t>(seat)] = 0;
  }

  void Delivered(int seat) {
    auto& sent = sent_at_[static_cast<std::size_t>(seat)];
    if (!sent) return;
    const std::chrono::duration<float, std::milli> took = Clock::now() - *sent;
    totals_.latencies_ms.push_back(took.count());
    if (++deliveries_[static_cast<std::size_t>(seat)] == kSeats) sent.reset();
  }

 private:
  void Host() {
    HostMessage host;
    for (SeatChoice& seat : host.seats) seat.person = true;
    // Every other table deals six cards twice, so second deals are watched too.
    host.twelve_card_hands = number_ % 2 == 0;
    people_[0]->Send(ClientMessageToText(host));
  }

  void Join(int index) {
    people_[static_cast<std::size_t>(index)]->Send(
        ClientMessageToText(JoinMessage{code_, Name(index)}));
  }

  asio::io_context& io_;
  ThreadTotals& totals_;
  const LoadOptions& options_;
  int number_;
  std::mt19937_64 random_;
  std::array<std::shared_ptr<Person>, kSeats> people_;
  std::array<bool, kSeats> welcomed_{};
  std::array<std::optional<Clock::time_point>, kSeats> sent_at_;
  std::array<int, kSeats> deliveries_{};
  TableKnowledge knowledge_;
  const Tcp::resolver::results_type* endpoints_ = nullptr;
  std::string code_;
  bool hosted_once_ = false;
  bool stopping_ = false;
};

void Person::Start(const Tcp::resolver::results_type& endpoints, std::string target) {
  target_ = std::move(target);
  const LoadOptions& options = table_.Options();
  auto& stream = beast::get_lowest_layer(ws_);
  stream.expires_after(kConnectTimeout);
  const Tcp::endpoint server = *endpoints.begin();
  if (options.source_addresses > 1 && server.address().is_loopback() && server.address().is_v4()) {
    beast::error_code ec;
    const auto source =
        asio::ip::address_v4(asio::ip::address_v4::loopback().to_uint() +
                             static_cast<uint32_t>(table_.Number() % options.source_addresses));
    stream.socket().open(Tcp::v4(), ec);
    if (!ec) stream.socket().bind(Tcp::endpoint(source, 0), ec);
    if (ec) return Fault("bind", ec);
  }
  stream.async_connect(server,
                       [self = shared_from_this()](beast::error_code ec) { self->OnConnect(ec); });
}

void Person::OnConnect(beast::error_code ec) {
  const LoadOptions& options = table_.Options();
  if (ec) return Fault("connect", ec);
  beast::get_lowest_layer(ws_).expires_never();
  // A play is a few dozen bytes: sent at once, not held back for more.
  beast::get_lowest_layer(ws_).socket().set_option(Tcp::no_delay(true), ec);
  ws_.set_option(websocket::stream_base::timeout::suggested(beast::role_type::client));
  ws_.async_handshake(options.host + ":" + options.port, target_,
                      [self = shared_from_this()](beast::error_code ec) {
                        if (ec) return self->Fault("handshake", ec);
                        self->open_ = true;
                        ++self->table_.Totals().connections;
                        self->Send(ClientMessageToText(
                            HelloMessage{kProtocolVersion, self->table_.Name(self->index_)}));
                        self->Read();
                      });
}

void Person::Read() {
  ws_.async_read(buffer_, [self = shared_from_this()](beast::error_code ec, std::size_t) {
    if (ec) return self->Fault("read", ec);
    const std::string text = beast::buffers_to_string(self->buffer_.data());
    self->buffer_.consume(self->buffer_.size());
    self->Handle(text);
    self->Read();
  });
}

void Person::Handle(const std::string& text) {
  ThreadTotals& totals = table_.Totals();
  const nlohmann::json message = nlohmann::json::parse(text, nullptr, false);
  if (!message.is_object() || !message.contains("type") || !message["type"].is_string()) {
    ++totals.errors;
    return;
  }
  const std::string type = message["type"].get<std::string>();
  if (type == "welcome") {
    table_.Welcomed(index_);
  } else if (type == "seated") {
    seated_ = true;
    table_.Seated(index_, message.value("code", std::string()));
  } else if (type == "view" || type == "events") {
    const MessageMeaning meaning = FollowMessage(message, follower_, table_.Knowledge());
    totals.leaks += meaning.leaks;
    if (meaning.malformed) ++totals.errors;
    if (meaning.played_by >= 0) {
      table_.Delivered(meaning.played_by);
      if (meaning.played_by == follower_.seat) ++totals.moves;
    }
    if (meaning.hand_scored && index_ == 0) ++totals.hands;
    MaybeThink();
  } else if (type == "table-ended") {
    seated_ = false;
    follower_ = {};
    table_.Ended(index_, message.value("reason", std::string()));
  } else if (type == "error") {
    if (totals.errors++ < kErrorsShown) std::fprintf(stderr, "vantel-load: %s\n", text.c_str());
  }
}

void Person::MaybeThink() {
  if (thinking_ || !follower_.playing || follower_.turn != follower_.seat || stopping_) return;
  thinking_ = true;
  const LoadOptions& options = table_.Options();
  std::uniform_int_distribution<int> think(options.think_min_ms, options.think_max_ms);
  think_.expires_after(std::chrono::milliseconds(think(table_.Random())));
  think_.async_wait([self = shared_from_this()](beast::error_code ec) {
    self->thinking_ = false;
    if (ec || self->stopping_) return;
    const SeatFollower& f = self->follower_;
    if (!f.playing || f.turn != f.seat || f.hand.empty()) return;
    const PlayMessage play = ChooseLoadPlay(f, static_cast<std::size_t>(self->table_.Random()()));
    self->table_.MoveSent(f.seat);
    self->Send(ClientMessageToText(play));
  });
}

void Person::Send(std::string text) {
  if (!open_ || stopping_) return;
  outbox_.push_back(std::move(text));
  if (outbox_.size() == 1) Write();
}

void Person::Write() {
  ws_.text(true);
  ws_.async_write(asio::buffer(outbox_.front()),
                  [self = shared_from_this()](beast::error_code ec, std::size_t) {
                    if (ec) return self->Fault("write", ec);
                    self->outbox_.pop_front();
                    if (!self->outbox_.empty() && !self->stopping_) self->Write();
                  });
}

void Person::Stop() {
  stopping_ = true;
  think_.cancel();
  if (open_ && outbox_.empty()) {
    ws_.async_close(websocket::close_code::normal,
                    [self = shared_from_this()](beast::error_code) { self->open_ = false; });
  } else {
    beast::error_code ignored;
    beast::get_lowest_layer(ws_).socket().close(ignored);
  }
}

void Person::Fault(const char* what, const beast::error_code& ec) {
  open_ = false;
  if (stopping_ || table_.Stopping()) return;
  ThreadTotals& totals = table_.Totals();
  if (totals.errors++ < kErrorsShown)
    std::fprintf(stderr, "vantel-load: %s: %s\n", what, ec.message().c_str());
}

// As many descriptors as the system lets this process have: four per table.
void RaiseFileLimit() {
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
  }
}

// The server's resident memory from its metrics, in MB; -1 when it does not say.
double ServerResidentMb(const LoadOptions& options) {
  try {
    asio::io_context io;
    Tcp::resolver resolver(io);
    beast::tcp_stream stream(io);
    stream.expires_after(std::chrono::seconds(5));
    stream.connect(resolver.resolve(options.host, options.port));
    http::request<http::empty_body> request{http::verb::get, "/metrics", 11};
    request.set(http::field::host, options.host);
    http::write(stream, request);
    beast::flat_buffer buffer;
    http::response<http::string_body> response;
    http::read(stream, buffer, response);
    std::istringstream lines(response.body());
    std::string line;
    constexpr std::string_view kMetric = "process_resident_memory_bytes ";
    while (std::getline(lines, line)) {
      if (line.rfind(kMetric, 0) == 0) return std::stod(line.substr(kMetric.size())) / 1e6;
    }
  } catch (const std::exception&) {
  }
  return -1;
}

double Percentile(std::vector<float>& values, double share) {
  if (values.empty()) return 0;
  const auto k = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1));
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(k), values.end());
  return values[k];
}

}  // namespace

LoadTotals RunLoad(const LoadOptions& options) {
  RaiseFileLimit();
  const Tcp::resolver::results_type endpoints = [&] {
    asio::io_context io;
    Tcp::resolver resolver(io);
    return resolver.resolve(options.host, options.port);
  }();

  const int threads = std::max(1, options.threads);
  std::vector<std::unique_ptr<asio::io_context>> contexts;
  std::vector<ThreadTotals> totals(static_cast<std::size_t>(threads));
  std::vector<std::vector<std::unique_ptr<LoadTable>>> tables(static_cast<std::size_t>(threads));
  std::vector<std::unique_ptr<asio::steady_timer>> ramps;
  std::vector<std::unique_ptr<asio::steady_timer>> ends;
  const Clock::time_point end = Clock::now() + std::chrono::seconds(options.seconds);

  for (int t = 0; t < threads; ++t) {
    contexts.push_back(std::make_unique<asio::io_context>(1));
    asio::io_context& io = *contexts.back();
    auto& mine = tables[static_cast<std::size_t>(t)];
    for (int n = t; n < options.tables; n += threads)
      mine.push_back(
          std::make_unique<LoadTable>(io, totals[static_cast<std::size_t>(t)], options, n));
    ramps.push_back(std::make_unique<asio::steady_timer>(io));
    ends.push_back(std::make_unique<asio::steady_timer>(io, end));
    // Opens the next few tables, then waits a tick for the rest.
    auto ramp = std::make_shared<std::function<void(std::size_t)>>();
    *ramp = [&mine, &endpoints, timer = ramps.back().get(), ramp](std::size_t next) {
      const std::size_t stop = std::min(mine.size(), next + kTablesPerTick);
      for (; next < stop; ++next) mine[next]->Start(endpoints);
      if (next == mine.size()) return;
      timer->expires_after(kRampTick);
      timer->async_wait([ramp, next](beast::error_code ec) {
        if (!ec) (*ramp)(next);
      });
    };
    asio::post(io, [ramp] { (*ramp)(0); });
    ends.back()->async_wait([&mine, timer = ramps.back().get(), ramp](beast::error_code) {
      timer->cancel();
      for (auto& table : mine) table->Stop();
      // The ramp holds itself through its timer's handler; let go of it.
      *ramp = nullptr;
    });
  }
  std::vector<std::thread> workers;
  for (int t = 1; t < threads; ++t)
    workers.emplace_back([&io = *contexts[static_cast<std::size_t>(t)]] { io.run(); });
  contexts[0]->run();
  for (std::thread& worker : workers) worker.join();

  LoadTotals sum;
  std::vector<float> latencies;
  for (ThreadTotals& t : totals) {
    sum.tables += t.tables;
    sum.connections += t.connections;
    sum.hands += t.hands;
    sum.moves += t.moves;
    sum.errors += t.errors;
    sum.leaks += t.leaks;
    latencies.insert(latencies.end(), t.latencies_ms.begin(), t.latencies_ms.end());
  }
  sum.p50_ms = Percentile(latencies, 0.50);
  sum.p99_ms = Percentile(latencies, 0.99);
  sum.server_rss_mb = ServerResidentMb(options);
  // The tables and their people go before the contexts their sockets use.
  for (auto& mine : tables) mine.clear();
  return sum;
}

std::string LoadSummaryLine(const LoadTotals& t) {
  char rss[32];
  if (t.server_rss_mb < 0) {
    std::snprintf(rss, sizeof rss, "NA");
  } else {
    std::snprintf(rss, sizeof rss, "%.1f", t.server_rss_mb);
  }
  char line[256];
  std::snprintf(
      line, sizeof line,
      "tables=%d connections=%d hands=%lld moves=%lld p50_ms=%.1f p99_ms=%.1f errors=%lld "
      "leaks=%lld server_rss_mb=%s",
      t.tables, t.connections, static_cast<long long>(t.hands), static_cast<long long>(t.moves),
      t.p50_ms, t.p99_ms, static_cast<long long>(t.errors), static_cast<long long>(t.leaks), rss);
  return line;
}

}  // namespace vantel
