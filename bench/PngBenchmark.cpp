// Encoding a screenshot-sized picture (750 x 1334 pixels: a settings page of labels, icons and
// separators drawn at scale 2) as PNG: our encoder, which every PNG the platform writes goes
// through, beside Cairo's own writer doing the same work.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <memory>
#include <string>

#include "uikit/CALayer.h"
#include "uikit/CGContext.h"
#include "uikit/PngWriter.h"
#include "uikit/UIColor.h"
#include "uikit/UIGraphics.h"
#include "uikit/UILabel.h"
#include "uikit/UIView.h"
#include "uikit/ViewRenderer.h"

namespace {

using namespace host;

template <class View>
std::shared_ptr<View> viewWithFrame(CGRect frame) {
  auto view = std::make_shared<View>();
  view->setFrame(frame);
  return view;
}

// A page of 14 rows: a coloured icon, a title and a separator each, on a grouped background.
std::shared_ptr<UIView> settingsLikePage() {
  auto page = viewWithFrame<UIView>(CGRectMake(0, 0, 375, 667));
  page->setBackgroundColor(UIColor::colorWithRed(0.94, 0.94, 0.96, 1));
  for (int row = 0; row < 14; ++row) {
    const CGFloat y = 64 + row * 44 + (row / 4) * 35;
    auto cell = viewWithFrame<UIView>(CGRectMake(0, y, 375, 44));
    cell->setBackgroundColor(UIColor::whiteColor());
    auto icon = viewWithFrame<UIView>(CGRectMake(15, 7, 29, 29));
    icon->setBackgroundColor(UIColor::colorWithRed(0.1 + row * 0.06, 0.5, 0.9 - row * 0.05, 1));
    icon->layer()->setCornerRadius(6);
    cell->addSubview(icon);
    auto title = viewWithFrame<UILabel>(CGRectMake(59, 0, 280, 44));
    title->setText("Settings row " + std::to_string(row + 1));
    cell->addSubview(title);
    auto separator = viewWithFrame<UIView>(CGRectMake(59, 43.5, 316, 0.5));
    separator->setBackgroundColor(UIColor::colorWithRed(0.78, 0.78, 0.8, 1));
    cell->addSubview(separator);
    page->addSubview(cell);
  }
  return page;
}

// Draws the page into a fresh image context and hands its surface to `encode`.
template <class Encode>
void encodePage(benchmark::State& state, Encode encode) {
  const auto page = settingsLikePage();
  UIGraphicsBeginImageContextWithOptions({375, 667}, true, 2);
  const auto context = UIGraphicsGetCurrentContext();
  ViewRenderer(2).drawTree(*context, *page);
  cairo_surface_t* surface = context->surface();
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = encode(surface);
    benchmark::DoNotOptimize(bytes);
  }
  UIGraphicsEndImageContext();
  state.counters["png_bytes"] = static_cast<double>(bytes);
}

cairo_status_t countBytes(void* closure, const unsigned char*, unsigned int length) {
  *static_cast<std::size_t*>(closure) += length;
  return CAIRO_STATUS_SUCCESS;
}

void BM_PngScreenshotOurEncoder(benchmark::State& state) {
  encodePage(state, [](cairo_surface_t* surface) { return PngWriter::encode(surface).size(); });
}

void BM_PngScreenshotCairo(benchmark::State& state) {
  encodePage(state, [](cairo_surface_t* surface) {
    std::size_t bytes = 0;
    cairo_surface_write_to_png_stream(surface, countBytes, &bytes);
    return bytes;
  });
}

}  // namespace

BENCHMARK(BM_PngScreenshotOurEncoder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngScreenshotCairo)->Unit(benchmark::kMillisecond);
