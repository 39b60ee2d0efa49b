#include "netclient/table_connection.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <string>
#include <thread>

#include <nlohmann/json.hpp>

#include "codec/client_messages.h"
#include "server_process.h"

namespace vantel {
namespace {

using namespace std::chrono_literals;

// Reads one connection's messages in order, waiting a bounded time for each.
class Reader {
 public:
  explicit Reader(TableConnection& connection) : connection_(connection) {}

  // The next message of `type`, dropping those before it; null when none
  // came in `timeout`.
  nlohmann::json Await(const std::string& type, std::chrono::milliseconds timeout = 5s) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
      for (const std::string& text : connection_.TakeReceived()) {
        pending_.push_back(nlohmann::json::parse(text));
      }
      while (!pending_.empty()) {
        nlohmann::json message = std::move(pending_.front());
        pending_.pop_front();
        if (message["type"] == type) return message;
      }
      if (connection_.CurrentStatus() == TableConnection::Status::kClosed) break;
      std::this_thread::sleep_for(5ms);
    }
    return nullptr;
  }

 private:
  TableConnection& connection_;
  std::deque<nlohmann::json> pending_;
};

bool AwaitClosed(const TableConnection& connection, std::chrono::milliseconds timeout = 10s) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (connection.CurrentStatus() != TableConnection::Status::kClosed &&
         std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(5ms);
  }
  return connection.CurrentStatus() == TableConnection::Status::kClosed;
}

ConnectionSettings Loopback(uint16_t port, bool tls = false,
                            const std::string& host = "127.0.0.1") {
  ConnectionSettings settings;
  settings.address = TableAddress{tls, host, port};
  return settings;
}

// Messages sent before the connection opens go out once it has, in order,
// and those sent before it closes go out before the close.
TEST(TableConnectionTest, HostsATableThroughTheServer) {
  ServerProcess server({});
  ASSERT_TRUE(server.Started());
  TableConnection connection(Loopback(server.Port()));
  connection.Send(ClientMessageToText(HelloMessage{kProtocolVersion, "Ada"}));
  connection.Send(ClientMessageToText(HostMessage{}));
  Reader reader(connection);
  EXPECT_EQ(reader.Await("welcome")["protocol"], kProtocolVersion);
  const nlohmann::json seated = reader.Await("seated");
  ASSERT_FALSE(seated.is_null());
  EXPECT_EQ(seated["seat"], 0);
  EXPECT_EQ(reader.Await("view")["phase"], "playing");
  EXPECT_EQ(connection.CurrentStatus(), TableConnection::Status::kOpen);
  // What was sent just before closing still goes out first.
  connection.Send(ClientMessageToText(LeaveMessage{}));
  connection.Close();
  EXPECT_TRUE(AwaitClosed(connection));
  EXPECT_EQ(connection.Problem(), "");
  EXPECT_TRUE(server.WaitForLine("seat 0 left", 5s).has_value());
  connection.Send(ClientMessageToText(PingMessage{}));  // dropped, harmlessly
}

TEST(TableConnectionTest, SaysWhyItCouldNotConnectOrWasLost) {
  {
    // A port nobody listens on: a server started and stopped again.
    uint16_t port = 0;
    {
      ServerProcess gone({});
      ASSERT_TRUE(gone.Started());
      port = gone.Port();
    }
    TableConnection connection(Loopback(port));
    ASSERT_TRUE(AwaitClosed(connection));
    EXPECT_NE(connection.Problem().find("cannot connect"), std::string::npos)
        << connection.Problem();
  }
  {
    ServerProcess server({});
    ASSERT_TRUE(server.Started());
    TableConnection connection(Loopback(server.Port()));
    connection.Send(ClientMessageToText(HelloMessage{kProtocolVersion, "Ada"}));
    ASSERT_FALSE(Reader(connection).Await("welcome").is_null());
    server.Signal(SIGKILL);
    ASSERT_TRUE(AwaitClosed(connection));
    EXPECT_NE(connection.Problem().find("lost"), std::string::npos) << connection.Problem();
  }
}

// wss:// is verified: the server's certificate must be trusted and name the
// address connected to. A private server's certificate can be trusted alone.
TEST(TableConnectionTest, VerifiesTheServersCertificate) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("vantel-client-tls-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const std::string cert = (folder / "cert.pem").string();
  const std::string key = (folder / "key.pem").string();
  std::string make = "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1 ";
  make += "-addext subjectAltName=IP:127.0.0.1 -keyout ";
  make += key;
  make += " -out ";
  make += cert;
  make += " >/dev/null 2>&1";
  ASSERT_EQ(std::system(make.c_str()), 0);
  {
    ServerProcess server({"--tls-cert", cert, "--tls-key", key});
    ASSERT_TRUE(server.Started());

    ConnectionSettings trusting = Loopback(server.Port(), true);
    trusting.trusted_certificate = cert;
    TableConnection trusted(trusting);
    trusted.Send(ClientMessageToText(HelloMessage{kProtocolVersion, "Ada"}));
    EXPECT_EQ(Reader(trusted).Await("welcome")["protocol"], kProtocolVersion);

    TableConnection unknown(Loopback(server.Port(), true));
    ASSERT_TRUE(AwaitClosed(unknown));
    EXPECT_NE(unknown.Problem().find("secure connection failed"), std::string::npos)
        << unknown.Problem();

    ConnectionSettings other_name = Loopback(server.Port(), true, "localhost");
    other_name.trusted_certificate = cert;
    TableConnection misnamed(other_name);
    ASSERT_TRUE(AwaitClosed(misnamed));
    EXPECT_NE(misnamed.Problem().find("secure connection failed"), std::string::npos)
        << misnamed.Problem();

    ConnectionSettings missing = Loopback(server.Port(), true);
    missing.trusted_certificate = (folder / "none.pem").string();
    TableConnection unreadable(missing);
    ASSERT_TRUE(AwaitClosed(unreadable));
    EXPECT_NE(unreadable.Problem().find("certificates to trust"), std::string::npos);
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace vantel
