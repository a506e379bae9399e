#include "foundation/Log.h"

#include <gtest/gtest.h>

namespace host {
namespace {

TEST(LogTest, KeepsTheMostRecentLinesInOrder) {
  Log::setEchoToStderr(false);
  for (std::size_t i = 0; i <= Log::kMaxLines; ++i)
    NSLog(std::to_string(i));
  const auto lines = Log::lines();
  ASSERT_EQ(lines.size(), Log::kMaxLines);
  EXPECT_EQ(lines.front(), "1");
  EXPECT_EQ(lines.back(), std::to_string(Log::kMaxLines));
  Log::clear();
  EXPECT_TRUE(Log::lines().empty());
}

}  // namespace
}  // namespace host
