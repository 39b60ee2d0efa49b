#include "codec/table_codes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace vantel {
namespace {

// A server given first symbols makes only codes that start with one of them,
// and still valid codes, spread over all of them: a proxy routes by that
// symbol alone.
TEST(CodeSymbolsTest, CodesStartWithTheServersOwnSymbols) {
  constexpr std::string_view kMine = "HJK";
  std::set<char> firsts;
  uint64_t bits = 0x9E3779B97F4A7C15ULL;
  for (int i = 0; i < 300; ++i) {
    bits = bits * 6364136223846793005ULL + 1442695040888963407ULL;
    const std::string code = JoinCodeFromBits(bits, kMine);
    ASSERT_TRUE(IsJoinCode(code)) << code;
    ASSERT_NE(kMine.find(code[0]), std::string_view::npos) << code;
    firsts.insert(code[0]);
    EXPECT_EQ(JoinCodeFromBits(bits, "").substr(1), code.substr(1));
  }
  EXPECT_EQ(firsts.size(), kMine.size());
}

TEST(CodeSymbolsTest, OnlySetsOfTheAlphabetsSymbolsAreAccepted) {
  EXPECT_TRUE(IsCodeSymbolSet("23456789ABCDEFG"));
  EXPECT_TRUE(IsCodeSymbolSet("Z"));
  EXPECT_FALSE(IsCodeSymbolSet(""));
  EXPECT_FALSE(IsCodeSymbolSet("AB0"));  // 0 is no code symbol
  EXPECT_FALSE(IsCodeSymbolSet("ABA"));  // twice
  EXPECT_FALSE(IsCodeSymbolSet("ab"));
}

}  // namespace
}  // namespace vantel
