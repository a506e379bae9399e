#include "RenderSupport.h"
#include "uikit/UIApplication.h"
#include "uikit/UINavigationBar.h"
#include "uikit/UIStatusBar.h"

namespace host {
namespace {

// Dark pixels (text, battery) within a band of rows of an image.
int darkPixels(const UIImage& image, std::uint32_t top, std::uint32_t bottom) {
  int count = 0;
  for (std::uint32_t y = top; y < bottom; ++y)
    for (std::uint32_t x = 0; x < image.pixelWidth(); ++x) {
      const auto p = image.pixelAt(x, y);
      if (p.alpha > 200 && p.red < 80 && p.green < 80 && p.blue < 80) ++count;
    }
  return count;
}

TEST_F(RenderTest, TheStatusBarIsDrawnOverTheScreenAndFollowsItsAlpha) {
  root->setFrame({0, 0, 375, 100});
  root->setBackgroundColor(UIColor::whiteColor());
  const auto bar = UIApplication::sharedApplication()->statusBar();
  ASSERT_NE(std::dynamic_pointer_cast<UIStatusBar>(bar), nullptr);
  EXPECT_EQ(bar->frame(), CGRectMake(0, 0, 375, 20));

  EXPECT_EQ(darkPixels(*ViewRenderer(1).renderToImage(root), 0, 20), 0);
  const auto shown = ViewRenderer(1).renderToImage(root, {bar});
  EXPECT_GT(darkPixels(*shown, 0, 20), 100);  // time, carrier, signal, battery
  EXPECT_EQ(darkPixels(*shown, 20, 100), 0);  // nothing below the bar

  bar->setAlpha(0);  // hidden while a side page is open
  EXPECT_EQ(darkPixels(*ViewRenderer(1).renderToImage(root, {bar}), 0, 20), 0);
}

TEST_F(RenderTest, TheNavigationBarsBackdropReachesUpBehindTheStatusBar) {
  root->setFrame({0, 0, 375, 100});
  root->setBackgroundColor(UIColor::whiteColor());
  auto navigationBar = std::make_shared<UINavigationBar>();
  navigationBar->setFrame({0, 20, 375, 44});
  root->addSubview(navigationBar);
  EXPECT_PIXEL(at(5, 5), 247, 247, 247);   // behind the status bar
  EXPECT_PIXEL(at(5, 40), 247, 247, 247);  // the bar itself
  EXPECT_PIXEL(at(5, 80), 255, 255, 255);  // the page below
  EXPECT_LT(at(5, 64).red, 240);           // the hairline under the bar
}

}  // namespace
}  // namespace host
