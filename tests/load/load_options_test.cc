#include "load_options.h"

#include <gtest/gtest.h>

namespace vantel {
namespace {

TEST(LoadOptionsTest, ServerAddressesSplitIntoHostPortAndPath) {
  LoadOptions o;
  ASSERT_TRUE(ParseServerUrl("ws://127.0.0.1:8765", o));
  EXPECT_EQ(o.host, "127.0.0.1");
  EXPECT_EQ(o.port, "8765");
  EXPECT_EQ(o.target, "/");
  ASSERT_TRUE(ParseServerUrl("ws://[::1]:9000/tables", o));
  EXPECT_EQ(o.host, "::1");
  EXPECT_EQ(o.port, "9000");
  EXPECT_EQ(o.target, "/tables");
  for (const char* bad : {"wss://h:1", "ws://h", "ws://:80", "ws://h:0", "ws://h:70000",
                          "ws://[::1]9000", "ws://h:80x"}) {
    EXPECT_FALSE(ParseServerUrl(bad, o)) << bad;
  }
}

TEST(LoadOptionsTest, RunsAreBoundedAndNeedAServer) {
  std::string error;
  auto o = ParseLoadArgs(
      {"--server", "ws://127.0.0.1:1", "--tables", "50", "--seconds", "20", "--think-ms", "10-30"},
      error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->tables, 50);
  EXPECT_EQ(o->think_min_ms, 10);
  EXPECT_EQ(o->think_max_ms, 30);
  EXPECT_FALSE(ParseLoadArgs({"--tables", "5"}, error));
  EXPECT_FALSE(ParseLoadArgs({"--server", "ws://h:1", "--tables", "10001"}, error));
  EXPECT_FALSE(ParseLoadArgs({"--server", "ws://h:1", "--seconds", "0"}, error));
  EXPECT_FALSE(ParseLoadArgs({"--server", "ws://h:1", "--think-ms", "30-10"}, error));
  EXPECT_FALSE(ParseLoadArgs({"--server", "ws://h:1", "--tables"}, error));
}

}  // namespace
}  // namespace vantel
