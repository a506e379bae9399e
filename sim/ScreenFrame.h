#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorlan {

// A picture of the screen on its way from an app to the window: the hash that names it, its size
// in pixels, the screen's scale (pixels a point) and its pixels, ARGB32 premultiplied in this
// machine's byte order, rows packed. An app answers "same" instead when the window already has
// the picture, so an unchanged screen costs no copy.
struct ScreenFrame {
  std::uint64_t hash = 0;
  int width = 0;
  int height = 0;
  double scale = 1;
  std::string pixels;

  static constexpr std::string_view kSame = "same";

  // A header line ("frame HASH WIDTH HEIGHT SCALE"), then the pixels.
  std::string encode() const;
  // False, with the reason, for anything that is not a whole frame; `same` for "same".
  static bool decode(std::string_view text, ScreenFrame& frame, bool& same, std::string& error);
  // FNV-1a over the bytes: what names a picture.
  static std::uint64_t hashOf(std::string_view bytes);
};

}  // namespace vorlan
