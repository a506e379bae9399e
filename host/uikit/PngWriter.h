#pragma once

#include <string>

typedef struct _cairo_surface cairo_surface_t;

namespace host {

// Encodes Cairo image surfaces as PNG quickly: each row filtered against the one above and the
// whole compressed at zlib's fastest level. Drawn pictures (flat colours, gradients in bands)
// compress nearly as well that way as at the default level, many times faster, which keeps
// laying out a device quick.
class PngWriter {
 public:
  // The PNG of an ARGB32 or RGB24 surface (8-bit RGBA, not premultiplied); empty when the
  // surface is not such an image surface.
  static std::string encode(cairo_surface_t* surface);
};

}  // namespace host
