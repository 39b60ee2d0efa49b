// The web client's files over the real program's HTTP, beside its tables.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "codec/client_messages.h"
#include "server/web_response.h"
#include "server_process.h"
#include "support/temp_folder.h"
#include "test_certificate.h"
#include "ws_client.h"

namespace vantel {
namespace {

namespace fs = std::filesystem;
namespace http = beast::http;

constexpr const char* kIndex = "<!doctype html><script src=\"/app.js\"></script>";

// The page's folder, web/ in `folder`.
fs::path WritePage(const TestFolder& folder) {
  folder.Write("web/index.html", kIndex);
  folder.Write("web/app.js", "export {};");
  folder.Write("web/cards/0.png", "\x89PNG");
  return folder / "web";
}

bool Welcomed(WsClient& client) {
  client.Send(HelloMessage{kProtocolVersion, "Ada"});
  return client.ReadType("welcome")["protocol"] == kProtocolVersion;
}

TEST(WebServingTest, ThePageIsServedBesideTheTables) {
  const TestFolder folder;
  ServerProcess server({"--web-root", WritePage(folder).string()});
  ASSERT_TRUE(server.Started());
  EXPECT_TRUE(server.WaitForLine("serving the web client from", 1s).has_value());

  for (const char* target : {"/", "/join/K7QH2M", "/index.html"}) {
    const HttpAnswer page = HttpGet(server.Port(), target);
    EXPECT_EQ(page.status, 200) << target;
    EXPECT_EQ(page.body, kIndex) << target;
    EXPECT_EQ(page.headers[http::field::content_type], "text/html; charset=utf-8");
    EXPECT_EQ(page.headers["Content-Security-Policy"], kContentSecurityPolicy);
    EXPECT_EQ(page.headers["X-Content-Type-Options"], "nosniff");
    EXPECT_EQ(page.headers["Referrer-Policy"], "no-referrer");
    EXPECT_EQ(page.headers[http::field::cache_control], "no-cache");
  }
  const HttpAnswer script = HttpGet(server.Port(), "/app.js");
  EXPECT_EQ(script.headers[http::field::content_type], "text/javascript; charset=utf-8");
  const HttpAnswer card = HttpGet(server.Port(), "/cards/0.png");
  EXPECT_EQ(card.headers[http::field::content_type], "image/png");
  EXPECT_EQ(card.body, "\x89PNG");

  const std::string tag(card.headers[http::field::etag]);
  const HttpAnswer again = HttpAsk(server.Port(), http::verb::get, "/cards/0.png", tag);
  EXPECT_EQ(again.status, 304);
  EXPECT_TRUE(again.body.empty());
  const HttpAnswer head = HttpAsk(server.Port(), http::verb::head, "/app.js");
  EXPECT_EQ(head.status, 200);
  EXPECT_EQ(head.headers[http::field::content_length], "10");

  EXPECT_EQ(HttpGet(server.Port(), "/nothing.js").status, 404);
  EXPECT_EQ(HttpGet(server.Port(), "/%2e%2e/web/index.html").status, 404);
  const HttpAnswer post = HttpAsk(server.Port(), http::verb::post, "/");
  EXPECT_EQ(post.status, 405);
  EXPECT_EQ(post.headers[http::field::allow], "GET, HEAD");
  EXPECT_EQ(HttpAsk(server.Port(), http::verb::delete_, "/app.js").status, 405);
  EXPECT_EQ(HttpGet(server.Port(), "/healthz").body, "ok\n");
  EXPECT_EQ(HttpGet(server.Port(), "/metrics").status, 200);

  // The table's paths still upgrade, the page's do not.
  WsClient on_root;
  ASSERT_TRUE(on_root.Connect(server.Port()));
  EXPECT_TRUE(Welcomed(on_root));
  WsClient on_table;
  ASSERT_TRUE(on_table.Connect(server.Port(), 5s, "/table/K7QH2M"));
  EXPECT_TRUE(Welcomed(on_table));
  WsClient on_join;
  EXPECT_FALSE(on_join.Connect(server.Port(), 5s, "/join/K7QH2M"));
}

TEST(WebServingTest, ATlsServerServesThePageOverHttps) {
  const TestFolder folder;
  const TestCertificate made = MakeTestCertificate(folder);
  ASSERT_FALSE(made.cert.empty());
  ServerProcess server(
      {"--web-root", WritePage(folder).string(), "--tls-cert", made.cert, "--tls-key", made.key});
  ASSERT_TRUE(server.Started());
  const HttpAnswer page = HttpsGet(server.Port(), "/join/K7QH2M");
  EXPECT_EQ(page.status, 200);
  EXPECT_EQ(page.body, kIndex);
  EXPECT_EQ(page.headers["Content-Security-Policy"], kContentSecurityPolicy);
  EXPECT_EQ(HttpsGet(server.Port(), "/app.js").body, "export {};");
  TlsWsClient client;
  ASSERT_TRUE(client.Connect(server.Port()));
  client.Send(HelloMessage{kProtocolVersion, "Ada"});
  EXPECT_EQ(client.ReadType("welcome")["protocol"], kProtocolVersion);
}

TEST(WebServingTest, NoWebServesNoPage) {
  const TestFolder folder;
  WritePage(folder);
  // Beside the program as in the build tree: found unless told not to.
  fs::create_directories(folder / "bin");
  fs::copy_file(VANTEL_SERVER_PROGRAM, folder / "bin" / "vantel-server");
  const std::string program = (folder / "bin" / "vantel-server").string();
  {
    ServerProcess found({}, program);
    ASSERT_TRUE(found.Started());
    EXPECT_EQ(HttpGet(found.Port(), "/").body, kIndex);
  }
  ServerProcess server({"--no-web"}, program);
  ASSERT_TRUE(server.Started());
  EXPECT_EQ(HttpGet(server.Port(), "/").status, 404);
  EXPECT_EQ(HttpGet(server.Port(), "/app.js").status, 404);
  EXPECT_FALSE(server.WaitForLine("web client", 200ms).has_value());
  WsClient client;
  ASSERT_TRUE(client.Connect(server.Port()));
  EXPECT_TRUE(Welcomed(client));
}

TEST(WebServingTest, WithoutAPageTheServerSaysSoOnceAndServesTheTables) {
  const TestFolder folder;
  fs::create_directories(folder / "bin");
  fs::copy_file(VANTEL_SERVER_PROGRAM, folder / "bin" / "vantel-server");
  ServerProcess server({}, (folder / "bin" / "vantel-server").string());
  ASSERT_TRUE(server.Started());
  int said = 0;
  for (const std::string& line : server.Lines())
    said += line.find("no web client in") != std::string::npos;
  EXPECT_EQ(said, 1);
  EXPECT_EQ(HttpGet(server.Port(), "/").status, 404);
  WsClient client;
  ASSERT_TRUE(client.Connect(server.Port()));
  EXPECT_TRUE(Welcomed(client));
}

TEST(WebServingTest, AWebRootItCannotServeStopsTheStart) {
  const TestFolder folder;
  folder.Write("heavy/index.html", "x");
  folder.Write("heavy/big.png", "");
  fs::resize_file(folder / "heavy" / "big.png", kMaxWebBytes + 1);
  for (const fs::path& root : {folder / "missing", folder / "heavy"}) {
    ServerProcess server({"--web-root", root.string()});
    EXPECT_FALSE(server.Started()) << root;
    EXPECT_EQ(server.WaitForExit(5s), 1) << root;
    EXPECT_TRUE(server.WaitForLine("cannot serve the web client from " + root.string(), 1s))
        << root;
  }
}

}  // namespace
}  // namespace vantel
