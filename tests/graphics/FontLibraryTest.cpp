#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/Log.h"
#include "uikit/FontLibrary.h"
#include "uikit/TextLayout.h"
#include "uikit/UIFont.h"

using host::FontLibrary;

namespace {

long logLinesMentioning(const std::string& text) {
  const auto lines = host::Log::lines();
  return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.find(text) != std::string::npos;
  });
}

}  // namespace

TEST(FontLibrary, TheSystemFontIsFound) {
  EXPECT_TRUE(FontLibrary::missingFontFiles().empty());
  EXPECT_TRUE(FontLibrary::shared().hasSystemFont());
  EXPECT_EQ(logLinesMentioning("font"), 0);
}

TEST(FontLibrary, AMissingFontIsReportedOnceAndTextStillMeasures) {
  const std::string missing = "/nonexistent/vorlan-fonts/LiberationSans-Missing.ttf";
  std::vector<std::string> files = FontLibrary::fontFiles();
  files.back() = missing;
  FontLibrary::setFontFiles(files);
  host::Log::setEchoToStderr(false);

  EXPECT_EQ(FontLibrary::missingFontFiles(), std::vector<std::string>{missing});
  const auto font = host::UIFont::systemFontOfSize(17);
  EXPECT_GT(host::TextLayout("Settings", *font).size().width, 0);
  EXPECT_GT(host::TextLayout("General", *host::UIFont::boldSystemFontOfSize(17)).size().width, 0);
  EXPECT_FALSE(FontLibrary::shared().hasSystemFont());
  EXPECT_EQ(logLinesMentioning(missing), 1);
}
