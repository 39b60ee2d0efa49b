#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantel {
namespace {

CommandLine Parse(std::vector<std::string> words) {
  words.insert(words.begin(), "vantel");
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  return ParseCommandLine(static_cast<int>(words.size()), argv.data());
}

TEST(CommandLineTest, NoOptionsOpensTheDialogAsEver) {
  const CommandLine line = Parse({});
  EXPECT_FALSE(line.exit_status);
  EXPECT_FALSE(line.full_screen);
  EXPECT_FALSE(line.skip_dialog);
  EXPECT_FALSE(line.show_frame_rate);
}

TEST(CommandLineTest, HelpAndVersionPrintOnStdoutAndSucceed) {
  for (const char* help : {"--help", "-h"}) {
    const CommandLine line = Parse({help});
    ASSERT_TRUE(line.exit_status);
    EXPECT_EQ(*line.exit_status, 0);
    EXPECT_EQ(line.err, "");
    for (const char* option : {"--window", "--fullscreen", "--skip-dialog", "--version"})
      EXPECT_NE(line.out.find(option), std::string::npos) << option;
  }
  const CommandLine version = Parse({"--version"});
  ASSERT_TRUE(version.exit_status);
  EXPECT_EQ(*version.exit_status, 0);
  EXPECT_EQ(version.out.rfind("vantel ", 0), 0u);
  EXPECT_EQ(version.out.back(), '\n');
}

TEST(CommandLineTest, TheRunsChoicesAreRead) {
  CommandLine line = Parse({"--window", "--skip-dialog"});
  EXPECT_FALSE(line.exit_status);
  ASSERT_TRUE(line.full_screen);
  EXPECT_FALSE(*line.full_screen);
  EXPECT_TRUE(line.skip_dialog);
  line = Parse({"--fullscreen", "--show-frame-rate"});
  ASSERT_TRUE(line.full_screen);
  EXPECT_TRUE(*line.full_screen);
  EXPECT_TRUE(line.show_frame_rate);
}

TEST(CommandLineTest, MistakesGiveTheUsageOnStderrAndStatusTwo) {
  for (const auto& words : std::vector<std::vector<std::string>>{
           {"--no-such-option"}, {"stray"}, {"--window", "--fullscreen"}, {"-z"}}) {
    const CommandLine line = Parse(words);
    ASSERT_TRUE(line.exit_status) << words[0];
    EXPECT_EQ(*line.exit_status, kExitUsage) << words[0];
    EXPECT_EQ(line.out, "");
    EXPECT_EQ(line.err.rfind("vantel: ", 0), 0u) << line.err;
    EXPECT_NE(line.err.find("--skip-dialog"), std::string::npos);  // the usage follows
  }
}

TEST(CommandLineTest, ANetworkTableIsReadWhole) {
  CommandLine line = Parse({"--connect", "ws://127.0.0.1:7420", "--host", "--name", "Ada",
                            "--seats", "person,expert,person,classic", "--turn-seconds", "30"});
  ASSERT_FALSE(line.exit_status) << line.err;
  ASSERT_TRUE(line.online);
  EXPECT_EQ(line.online->address, (TableAddress{false, "127.0.0.1", 7420}));
  EXPECT_TRUE(line.online->host);
  EXPECT_EQ(line.online->name, "Ada");
  EXPECT_EQ(line.online->table.seats[1].level, PlayerLevel::kExpert);
  EXPECT_TRUE(line.online->table.seats[2].person);
  EXPECT_FALSE(line.online->table.seats[3].person);
  EXPECT_EQ(line.online->table.turn_seconds, 30);

  line = Parse({"--connect=wss://cards.example.org", "--join=k7qh2m", "--name=Bea",
                "--trust-cert=/tmp/server.pem"});
  ASSERT_TRUE(line.online) << line.err;
  EXPECT_FALSE(line.online->host);
  EXPECT_EQ(line.online->code, "K7QH2M");  // folded as a person may type it
  EXPECT_TRUE(line.online->address.tls);
  EXPECT_EQ(line.online->trusted_certificate, "/tmp/server.pem");
  EXPECT_FALSE(Parse({"--skip-dialog"}).online);
}

TEST(CommandLineTest, ANetworkTableThatDoesNotAddUpIsRefused) {
  for (const auto& words : std::vector<std::vector<std::string>>{
           {"--connect", "127.0.0.1:7420", "--host", "--name", "Ada"},
           {"--connect", "ws://h:1", "--name", "Ada"},
           {"--connect", "ws://h:1", "--host", "--join", "K7QH2M", "--name", "Ada"},
           {"--connect", "ws://h:1", "--join", "K7QH2", "--name", "Ada"},
           {"--connect", "ws://h:1", "--join", "K7QH20", "--name", "Ada"},
           {"--connect", "ws://h:1", "--host", "--name", "   "},
           {"--connect", "ws://h:1", "--host", "--name", "Ada", "--seats", "classic,x,person,x"},
           {"--connect", "ws://h:1", "--host", "--name", "Ada", "--seats", "classic,person"},
           {"--connect", "ws://h:1", "--host", "--name", "Ada", "--seats",
            "classic,classic,person,classic"},
           {"--connect", "ws://h:1", "--host", "--name", "Ada", "--turn-seconds", "5"},
           {"--host", "--name", "Ada"},
           {"--join", "K7QH2M"}}) {
    const CommandLine line = Parse(words);
    ASSERT_TRUE(line.exit_status) << words[0] << " " << words[1];
    EXPECT_EQ(*line.exit_status, kExitUsage);
    EXPECT_EQ(line.err.rfind("vantel: ", 0), 0u) << line.err;
    EXPECT_FALSE(line.online);
  }
}

}  // namespace
}  // namespace vantel
