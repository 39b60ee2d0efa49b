#include "app/shut_down.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantel {
namespace {

TEST(ShutDownTest, EmptyMessageEndsNormallyWithoutABox) {
  std::vector<std::string> boxes;
  EXPECT_EQ(ShutDown("", [&](std::string_view t) { boxes.emplace_back(t); }), kExitNormal);
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(kExitNormal, 0);
}

TEST(ShutDownTest, MessageShowsExactlyThatTextOnceAndFails) {
  std::vector<std::string> boxes;
  const std::string text = "Error in function DirectX() \r\nError Number: -1\r\nno screen";
  const int status = ShutDown(text, [&](std::string_view t) { boxes.emplace_back(t); });
  EXPECT_NE(status, 0);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], text);
}

}  // namespace
}  // namespace vantel
