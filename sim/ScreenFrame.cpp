#include "ScreenFrame.h"

#include <cinttypes>
#include <cstdio>
#include <sstream>

namespace vorlan {

namespace {

// Larger than any screen the simulator lays out (an iPad is 1536 x 2048 pixels).
constexpr int kMaxSide = 8192;

}  // namespace

std::string ScreenFrame::encode() const {
  char header[96];
  std::snprintf(header, sizeof header, "frame %" PRIu64 " %d %d %.17g\n", hash, width, height,
                scale);
  return header + pixels;
}

bool ScreenFrame::decode(std::string_view text, ScreenFrame& frame, bool& same,
                         std::string& error) {
  // The simulator ends what an app shows with a line break where it has none.
  same = text == kSame || text == std::string(kSame) + "\n";
  if (same) return true;
  const auto end = text.find('\n');
  std::istringstream header(std::string(text.substr(0, end)));
  std::string word;
  if (end == std::string_view::npos ||
      !(header >> word >> frame.hash >> frame.width >> frame.height >> frame.scale) ||
      word != "frame" || frame.width < 1 || frame.height < 1 || frame.width > kMaxSide ||
      frame.height > kMaxSide || !(frame.scale > 0)) {
    error = "the app answered no picture of its screen";
    return false;
  }
  const std::size_t size = static_cast<std::size_t>(frame.width) * frame.height * 4;
  const std::string_view pixels = text.substr(end + 1);
  if (pixels.size() < size) {
    error = "the app's picture of its screen is cut short";
    return false;
  }
  frame.pixels.assign(pixels.substr(0, size));
  return true;
}

std::uint64_t ScreenFrame::hashOf(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace vorlan
