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

}  // namespace
}  // namespace vantel
