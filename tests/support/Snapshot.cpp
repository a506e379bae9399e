#include "support/Snapshot.h"

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "uikit/PngWriter.h"
#include "uikit/UIImage.h"
#include "uikit/UIView.h"
#include "uikit/ViewRenderer.h"

namespace vorlan::testing {

namespace {

namespace fs = std::filesystem;

std::string suiteName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return info ? info->test_suite_name() : "unknown";
}

fs::path referencePath(const std::string& name) {
  return fs::path(VORLAN_SOURCE_DIR) / "tests" / "snapshots" / suiteName() / (name + ".png");
}

fs::path failurePath(const std::string& name, const char* kind) {
  return fs::path(VORLAN_SNAPSHOT_FAILURES) / suiteName() / (name + kind);
}

bool recording() {
  const char* value = std::getenv("VORLAN_RECORD_SNAPSHOTS");
  return value != nullptr && *value != '\0' && std::string(value) != "0";
}

bool writeBytes(const fs::path& path, const std::string& bytes) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

bool writeImage(const fs::path& path, const host::UIImage& image) {
  const auto& png = image.pngData();
  return writeBytes(path, std::string(png.begin(), png.end()));
}

std::shared_ptr<host::UIImage> readImage(const fs::path& path, double scale) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return nullptr;
  host::UIImage::Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return host::UIImage::imageWithData(std::move(bytes), scale);
}

bool closeEnough(const host::UIImage::Pixel& a, const host::UIImage::Pixel& b, int tolerance) {
  const auto near = [tolerance](std::uint8_t x, std::uint8_t y) {
    return std::abs(int(x) - int(y)) <= tolerance;
  };
  return near(a.red, b.red) && near(a.green, b.green) && near(a.blue, b.blue) &&
         near(a.alpha, b.alpha);
}

// The reference faded to a quarter, with every differing pixel of the actual picture in red.
std::string diffPng(const host::UIImage& reference, const host::UIImage& actual, int tolerance) {
  const auto width = std::max(reference.pixelWidth(), actual.pixelWidth());
  const auto height = std::max(reference.pixelHeight(), actual.pixelHeight());
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(width), int(height));
  cairo_surface_flush(surface);
  auto* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (std::uint32_t y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + std::ptrdiff_t(y) * stride);
    for (std::uint32_t x = 0; x < width; ++x) {
      const auto r = reference.pixelAt(x, y);
      const auto a = actual.pixelAt(x, y);
      if (!closeEnough(r, a, tolerance)) {
        row[x] = 0xffff0000u;
      } else {
        const auto grey = std::uint32_t((r.red + r.green + r.blue) / 3 / 4 + 191);
        row[x] = 0xff000000u | grey << 16 | grey << 8 | grey;
      }
    }
  }
  cairo_surface_mark_dirty(surface);
  std::string png = host::PngWriter::encode(surface);
  cairo_surface_destroy(surface);
  return png;
}

}  // namespace

::testing::AssertionResult imageMatchesSnapshot(const std::shared_ptr<host::UIImage>& image,
                                                const std::string& name,
                                                const SnapshotOptions& options) {
  if (!image || image->pixelWidth() == 0) {
    return ::testing::AssertionFailure() << "snapshot " << name << ": nothing was drawn";
  }
  const fs::path reference = referencePath(name);
  if (recording()) {
    if (!writeImage(reference, *image)) {
      return ::testing::AssertionFailure() << "cannot write " << reference;
    }
    return ::testing::AssertionFailure()
           << "recorded " << reference << "; look at it, then run without VORLAN_RECORD_SNAPSHOTS";
  }
  const fs::path actualPath = failurePath(name, ".actual.png");
  const auto expected = readImage(reference, options.scale);
  if (!expected) {
    writeImage(actualPath, *image);
    return ::testing::AssertionFailure()
           << "no reference picture " << reference << " (the drawing is in " << actualPath
           << "; record it with VORLAN_RECORD_SNAPSHOTS=1)";
  }
  std::size_t differing = 0;
  const bool sameSize = expected->pixelWidth() == image->pixelWidth() &&
                        expected->pixelHeight() == image->pixelHeight();
  if (sameSize) {
    for (std::uint32_t y = 0; y < image->pixelHeight(); ++y) {
      for (std::uint32_t x = 0; x < image->pixelWidth(); ++x) {
        if (!closeEnough(expected->pixelAt(x, y), image->pixelAt(x, y), options.channelTolerance)) {
          ++differing;
        }
      }
    }
    const double total = double(image->pixelWidth()) * image->pixelHeight();
    if (double(differing) <= options.allowedFraction * total) {
      return ::testing::AssertionSuccess();
    }
  }
  const fs::path diffPath = failurePath(name, ".diff.png");
  writeImage(actualPath, *image);
  writeBytes(diffPath, diffPng(*expected, *image, options.channelTolerance));
  std::ostringstream why;
  if (!sameSize) {
    why << "size " << image->pixelWidth() << "x" << image->pixelHeight() << " instead of "
        << expected->pixelWidth() << "x" << expected->pixelHeight();
  } else {
    why << differing << " pixels differ";
  }
  return ::testing::AssertionFailure()
         << "snapshot " << name << " does not match " << reference << ": " << why.str() << "; see "
         << actualPath << " and " << diffPath;
}

::testing::AssertionResult matchesSnapshot(const std::shared_ptr<host::UIView>& view,
                                           const std::string& name,
                                           const SnapshotOptions& options) {
  if (!view) return ::testing::AssertionFailure() << "snapshot " << name << ": no view";
  view->layoutIfNeeded();
  return imageMatchesSnapshot(host::ViewRenderer(options.scale).renderToImage(view), name, options);
}

}  // namespace vorlan::testing
