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

// Streams the filtered rows through deflate into the IDAT chunk's data at the end of `png`, so
// neither the filtered image nor its compressed form is ever held whole. False when zlib fails.
class IdatDeflater {
 public:
  explicit IdatDeflater(std::string& png) : png_(png) {
    ok_ = deflateInit(&stream_, Z_BEST_SPEED) == Z_OK;
  }
  ~IdatDeflater() {
    if (ok_) deflateEnd(&stream_);
  }
  IdatDeflater(const IdatDeflater&) = delete;
  IdatDeflater& operator=(const IdatDeflater&) = delete;

  bool add(const unsigned char* data, std::size_t size, bool last) {
    if (!ok_) return false;
    stream_.next_in = const_cast<Bytef*>(data);  // zlib's interface; it never writes there
    stream_.avail_in = static_cast<uInt>(size);
    const int flush = last ? Z_FINISH : Z_NO_FLUSH;
    for (;;) {
      stream_.next_out = buffer_;
      stream_.avail_out = sizeof buffer_;
      const int status = deflate(&stream_, flush);
      if (status == Z_STREAM_ERROR) return ok_ = false;
      png_.append(reinterpret_cast<const char*>(buffer_), sizeof buffer_ - stream_.avail_out);
      if (last ? status == Z_STREAM_END : stream_.avail_out != 0) return true;
    }
  }

 private:
  std::string& png_;
  z_stream stream_{};
  bool ok_ = false;
  unsigned char buffer_[64 * 1024];
};

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

  std::string png("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  putBigEndian(header, static_cast<std::uint32_t>(width));
  putBigEndian(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no interlace
  putChunk(png, "IHDR", reinterpret_cast<const unsigned char*>(header.data()), header.size());

  // The IDAT chunk is written in place: its length is filled in once the data is complete.
  const std::size_t idatStart = png.size();
  putBigEndian(png, 0);
  png.append("IDAT", 4);

  // Filter "Up" (2) on every row: each byte minus the byte above it. Raw pointers keep the loop
  // quick in unoptimised builds too.
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
  std::vector<unsigned char> rows(rowBytes * 2, 0);
  std::vector<unsigned char> filtered(rowBytes + 1);
  filtered[0] = 2;
  unsigned char* previous = rows.data();
  unsigned char* current = rows.data() + rowBytes;
  const bool hasAlpha = format == CAIRO_FORMAT_ARGB32;
  {
    IdatDeflater deflater(png);
    for (int y = 0; y < height; ++y) {
      const auto* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
      for (int x = 0; x < width; ++x) {
        std::uint32_t word;
        std::memcpy(&word, row + x * 4, sizeof word);
        unpremultiply(word, hasAlpha, current + static_cast<std::ptrdiff_t>(x) * 4);
      }
      unsigned char* out = filtered.data() + 1;
      for (std::size_t i = 0; i < rowBytes; ++i)
        out[i] = static_cast<unsigned char>(current[i] - previous[i]);
      std::swap(previous, current);
      if (!deflater.add(filtered.data(), filtered.size(), y == height - 1)) return {};
    }
  }

  const std::size_t dataSize = png.size() - idatStart - 8;
  std::string length;
  putBigEndian(length, static_cast<std::uint32_t>(dataSize));
  png.replace(idatStart, 4, length);
  const auto* crcData = reinterpret_cast<const Bytef*>(png.data() + idatStart + 4);
  putBigEndian(png, static_cast<std::uint32_t>(crc32(0, crcData, static_cast<uInt>(dataSize + 4))));
  putChunk(png, "IEND", nullptr, 0);
  return png;
}

}  // namespace host
