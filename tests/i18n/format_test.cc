#include "i18n/format.h"

#include <gtest/gtest.h>

#include <string>

namespace vantel {
namespace {

TEST(FormatTest, FillsThePatternLikePrintf) {
  EXPECT_EQ(Format("cannot write %s: %s", "/tmp/x", "No space left"),
            "cannot write /tmp/x: No space left");
  EXPECT_EQ(Format("Version %d.%d.%d", 2, 0, 17), "Version 2.0.17");
  EXPECT_EQ(Format("%lld bytes", 5000000000LL), "5000000000 bytes");
  EXPECT_EQ(Format("%s", ""), "");
}

// A translated message quoting a long path must not be cut at some buffer size.
TEST(FormatTest, KeepsTextsOfAnyLength) {
  const std::string path(5000, 'a');
  const std::string text = Format("impossibile leggere %s: %s", path.c_str(), "errore");
  EXPECT_EQ(text.size(), 20 + path.size() + 8);
  EXPECT_EQ(text.substr(text.size() - 8), ": errore");
}

}  // namespace
}  // namespace vantel
