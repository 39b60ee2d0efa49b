#include "server/server_config.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "server/metrics.h"
#include "server/token_bucket.h"

namespace vantel {
namespace {

std::optional<ServerConfig> Parse(const std::vector<std::string_view>& args, std::string& error) {
  return ParseServerArgs(args, error);
}

TEST(ServerConfigTest, ReadsEveryOptionAndRefusesMistakes) {
  std::string error;
  const std::optional<ServerConfig> c =
      Parse({"--bind", "0.0.0.0", "--port", "0", "--max-tables", "7", "--log-level", "debug",
             "--grace-seconds", "5", "--max-connections-per-address", "3", "--drain-seconds", "9",
             "--tls-cert", "c.pem", "--tls-key", "k.pem"},
            error);
  ASSERT_TRUE(c.has_value()) << error;
  EXPECT_EQ(c->bind, "0.0.0.0");
  EXPECT_EQ(c->port, 0);
  EXPECT_EQ(c->max_tables, 7);
  EXPECT_EQ(c->log_level, LogLevel::kDebug);
  EXPECT_EQ(c->grace_seconds, 5);
  EXPECT_EQ(c->max_connections_per_address, 3);
  EXPECT_EQ(c->drain_seconds, 9);
  EXPECT_TRUE(c->Tls());
  EXPECT_TRUE(c->web_root.empty());
  EXPECT_FALSE(c->no_web);
  EXPECT_EQ(Parse({"--web-root", "/srv/page"}, error)->web_root, "/srv/page");
  EXPECT_TRUE(Parse({"--no-web"}, error)->no_web);

  const std::vector<std::vector<std::string_view>> wrong = {
      {"--port", "65536"},
      {"--port", "-1"},
      {"--port", "80x"},
      {"--max-tables", "0"},
      {"--log-level", "loud"},
      {"--port"},
      {"--port", "1", "--port", "2"},
      {"--tls-cert", "c.pem"},
      {"--listen"},
      {"--web-root", ""},
      {"--web-root"},
      {"--web-root", "/srv/page", "--no-web"},
      {"--no-web", "--no-web"},
  };
  for (const auto& args : wrong) {
    error.clear();
    EXPECT_FALSE(Parse(args, error).has_value()) << args[0];
    EXPECT_FALSE(error.empty()) << args[0];
  }
}

TEST(TokenBucketTest, AllowsABurstThenTheRate) {
  TokenBucket bucket(4, 2);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(bucket.Take(0));
  EXPECT_FALSE(bucket.Take(0));
  EXPECT_FALSE(bucket.Take(0.4));  // 0.8 of a token
  EXPECT_TRUE(bucket.Take(0.5));
  EXPECT_FALSE(bucket.Take(0.5));
  // A long rest refills no more than the burst.
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(bucket.Take(100));
  EXPECT_FALSE(bucket.Take(100));
  // A clock read out of order spends but never refills.
  EXPECT_FALSE(bucket.Take(50));
}

TEST(MetricsTest, EveryCountHasItsHelpAndType) {
  ServerCounts counts;
  counts.tables = 3;
  counts.lobby.messages_rejected = 12;
  counts.draining = true;
  const std::string text = MetricsText(counts);
  EXPECT_NE(text.find("# TYPE vantel_tables gauge\nvantel_tables 3\n"), std::string::npos);
  EXPECT_NE(text.find("vantel_messages_rejected_total 12\n"), std::string::npos);
  EXPECT_NE(text.find("vantel_draining 1\n"), std::string::npos);
  int helps = 0;
  int types = 0;
  int values = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    ASSERT_NE(end, std::string::npos) << "the last line ends too";
    const std::string line = text.substr(at, end - at);
    helps += line.starts_with("# HELP vantel_");
    types += line.starts_with("# TYPE vantel_");
    values += line.starts_with("vantel_");
    at = end + 1;
  }
  EXPECT_EQ(helps, types);
  EXPECT_EQ(types, values);
}

}  // namespace
}  // namespace vantel
