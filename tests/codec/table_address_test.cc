#include "codec/table_address.h"

#include <gtest/gtest.h>

namespace vantel {
namespace {

TEST(TableAddressTest, ReadsWhatPeopleType) {
  EXPECT_EQ(ParseTableAddress("ws://127.0.0.1:8080"), (TableAddress{false, "127.0.0.1", 8080}));
  EXPECT_EQ(ParseTableAddress("wss://cards.example.org"),
            (TableAddress{true, "cards.example.org", 443}));
  EXPECT_EQ(ParseTableAddress("ws://host/"), (TableAddress{false, "host", 80}));
  EXPECT_EQ(ParseTableAddress("ws://[::1]:9000"), (TableAddress{false, "::1", 9000}));
  EXPECT_EQ(ParseTableAddress("wss://[fe80::1]"), (TableAddress{true, "fe80::1", 443}));
  for (const char* text : {"ws://127.0.0.1:8080", "wss://[::1]:443", "ws://cards:80"}) {
    EXPECT_EQ(TableAddressText(*ParseTableAddress(text)), text);
  }
}

TEST(TableAddressTest, RefusesWhatIsNotATableServer) {
  for (const char* text :
       {"", "127.0.0.1:8080", "http://host", "ws://", "ws://:80", "ws://host:", "ws://host:0",
        "ws://host:65536", "ws://host:80x", "ws://host:-1", "ws://host/table/ABCDEF", "ws://ho st",
        "ws://[::1", "ws://[]:80", "ws://[::1]x", "ws://user@host", "wss//host"}) {
    EXPECT_FALSE(ParseTableAddress(text).has_value()) << text;
  }
}

TEST(TableAddressTest, TheJoinLinkIsThePageOnTheSameServer) {
  const auto link = [](const char* server) {
    return JoinLinkText(*ParseTableAddress(server), "K7QH2M");
  };
  EXPECT_EQ(link("ws://192.168.1.20:8765"), "http://192.168.1.20:8765/join/K7QH2M");
  EXPECT_EQ(link("wss://cards.example.org:8443"), "https://cards.example.org:8443/join/K7QH2M");
  // The default port of the page's scheme is the one a browser leaves out.
  EXPECT_EQ(link("ws://cards.example.org"), "http://cards.example.org/join/K7QH2M");
  EXPECT_EQ(link("wss://cards.example.org"), "https://cards.example.org/join/K7QH2M");
  EXPECT_EQ(link("ws://host:443"), "http://host:443/join/K7QH2M");
  EXPECT_EQ(link("wss://host:80"), "https://host:80/join/K7QH2M");
  EXPECT_EQ(link("ws://[::1]:8765"), "http://[::1]:8765/join/K7QH2M");
  EXPECT_EQ(link("wss://[fe80::1]"), "https://[fe80::1]/join/K7QH2M");
}

}  // namespace
}  // namespace vantel
