#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "foundation/RunLoop.h"
#include "uikit/UIColor.h"
#include "uikit/UIImage.h"
#include "uikit/UIView.h"
#include "uikit/ViewRenderer.h"

namespace host {

// A transparent 100 x 100 root view on a fresh clock, drawn at one pixel a point.
class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().reset();
    root = std::make_shared<UIView>();
    root->setFrame({0, 0, 100, 100});
  }
  void TearDown() override { RunLoop::main().reset(); }

  template <class T = UIView>
  std::shared_ptr<T> add(const CGRect& frame, std::shared_ptr<UIColor> color,
                         const std::shared_ptr<UIView>& parent = nullptr) {
    auto view = std::make_shared<T>();
    view->setFrame(frame);
    view->setBackgroundColor(std::move(color));
    (parent ? parent : root)->addSubview(view);
    return view;
  }

  UIImage::Pixel at(int x, int y) {
    if (!image) image = ViewRenderer(1).renderToImage(root);
    return image->pixelAt(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y));
  }
  void redraw() { image.reset(); }

  static std::shared_ptr<UIColor> red() { return UIColor::colorWithRed(1, 0, 0, 1); }
  static std::shared_ptr<UIColor> green() { return UIColor::colorWithRed(0, 1, 0, 1); }
  static std::shared_ptr<UIColor> blue() { return UIColor::colorWithRed(0, 0, 1, 1); }

  static bool isColor(const UIImage::Pixel& p, int r, int g, int b, int a = 255, int slack = 3) {
    return std::abs(p.red - r) <= slack && std::abs(p.green - g) <= slack &&
           std::abs(p.blue - b) <= slack && std::abs(p.alpha - a) <= slack;
  }

  std::shared_ptr<UIView> root;
  std::shared_ptr<UIImage> image;
};

#define EXPECT_PIXEL(pixel, ...)                                                                 \
  do {                                                                                           \
    const UIImage::Pixel p_ = (pixel);                                                           \
    EXPECT_TRUE(isColor(p_, __VA_ARGS__))                                                        \
        << #pixel << " is " << int(p_.red) << "," << int(p_.green) << "," << int(p_.blue) << "," \
        << int(p_.alpha);                                                                        \
  } while (0)

}  // namespace host
