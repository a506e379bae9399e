#include "uikit/PngWriter.h"

#include <cairo.h>
#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace host {

namespace {

void putBigEndian(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value >> 24));
  out.push_back(static_cast<char>(value >> 16));
  out.push_back(static_cast<char>(value >> 8));
  out.push_back(static_cast<char>(value));
}

void putChunk(std::string& out, const char* type, const unsigned char* data, std::size_t size) {
  putBigEndian(out, static_cast<std::uint32_t>(size));
  const std::size_t start = out.size();
  out.append(type, 4);
  if (size > 0) out.append(reinterpret_cast<const char*>(data), size);
  const auto* crcData = reinterpret_cast<const Bytef*>(out.data() + start);
  putBigEndian(out, static_cast<std::uint32_t>(crc32(0, crcData, static_cast<uInt>(size + 4))));
}

// One pixel of a premultiplied native-endian ARGB word as straight RGBA bytes.
void unpremultiply(std::uint32_t argb, bool hasAlpha, unsigned char* rgba) {
  const unsigned alpha = hasAlpha ? (argb >> 24) & 0xff : 255;
  const unsigned channels[3] = {(argb >> 16) & 0xff, (argb >> 8) & 0xff, argb & 0xff};
  if (alpha == 255) {  // the common case, without divisions
    rgba[0] = static_cast<unsigned char>(channels[0]);
    rgba[1] = static_cast<unsigned char>(channels[1]);
    rgba[2] = static_cast<unsigned char>(channels[2]);
    rgba[3] = 255;
    return;
  }
  for (int i = 0; i < 3; ++i) {
    rgba[i] = alpha == 0 ? 0 : static_cast<unsigned char>((channels[i] * 255 + alpha / 2) / alpha);
  }
  rgba[3] = static_cast<unsigned char>(alpha);
}

}  // namespace

std::string PngWriter::encode(cairo_surface_t* surface) {
  if (surface == nullptr || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) return {};
  const cairo_format_t format = cairo_image_surface_get_format(surface);
  if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24) return {};
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* pixels = cairo_image_surface_get_data(surface);
  if (width <= 0 || height <= 0 || pixels == nullptr) return {};

  // Filter "Up" (2) on every row: each byte minus the byte above it. Raw pointers keep the loop
  // quick in unoptimised builds too.
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
  std::vector<unsigned char> raw((rowBytes + 1) * static_cast<std::size_t>(height));
  std::vector<unsigned char> rows(rowBytes * 2, 0);
  unsigned char* previous = rows.data();
  unsigned char* current = rows.data() + rowBytes;
  const bool hasAlpha = format == CAIRO_FORMAT_ARGB32;
  for (int y = 0; y < height; ++y) {
    const auto* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      std::uint32_t word;
      std::memcpy(&word, row + x * 4, sizeof word);
      unpremultiply(word, hasAlpha, current + static_cast<std::ptrdiff_t>(x) * 4);
    }
    unsigned char* out = raw.data() + (rowBytes + 1) * static_cast<std::size_t>(y);
    *out++ = 2;
    for (std::size_t i = 0; i < rowBytes; ++i)
      out[i] = static_cast<unsigned char>(current[i] - previous[i]);
    std::swap(previous, current);
  }

  uLongf compressedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<unsigned char> compressed(compressedSize);
  if (compress2(compressed.data(), &compressedSize, raw.data(), static_cast<uLong>(raw.size()),
                Z_BEST_SPEED) != Z_OK) {
    return {};
  }

  std::string png("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  putBigEndian(header, static_cast<std::uint32_t>(width));
  putBigEndian(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no interlace
  putChunk(png, "IHDR", reinterpret_cast<const unsigned char*>(header.data()), header.size());
  putChunk(png, "IDAT", compressed.data(), compressedSize);
  putChunk(png, "IEND", nullptr, 0);
  return png;
}

}  // namespace host
