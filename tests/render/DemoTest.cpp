#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "foundation/RunLoop.h"
#include "uikit/CALayer.h"
#include "uikit/TouchInjector.h"
#include "uikit/UIButton.h"
#include "uikit/UIColor.h"
#include "uikit/UIImage.h"
#include "uikit/UILabel.h"
#include "uikit/UISwitch.h"
#include "uikit/UIWindow.h"
#include "uikit/ViewRenderer.h"
#include "uikit/ViewTreeDump.h"

namespace host {
namespace {

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A small screen driven by a finger and the clock: a button slides a panel in, a switch flips.
TEST(Demo, ButtonSlidesThePanelInAndTheSwitchFlips) {
  RunLoop::main().reset();
  auto window = std::make_shared<UIWindow>();
  window->setFrame({0, 0, 320, 480});
  window->makeKeyAndVisible();
  auto screen = std::make_shared<UIView>();
  screen->setFrame(window->bounds());
  screen->setBackgroundColor(UIColor::whiteColor());
  window->addSubview(screen);
  auto title = std::make_shared<UILabel>();
  title->setFrame({20, 40, 280, 30});
  title->setText("Vorlan demo");
  screen->addSubview(title);
  auto button = UIButton::buttonWithType(UIButtonTypeSystem);
  button->setFrame({20, 100, 120, 44});
  button->setTitle("Show panel", UIControlStateNormal);
  screen->addSubview(button);
  auto toggle = std::make_shared<UISwitch>();
  toggle->setFrame({240, 106, 51, 31});
  screen->addSubview(toggle);
  auto panel = std::make_shared<UIView>();
  panel->setFrame({320, 200, 280, 200});
  panel->setBackgroundColor(UIColor::colorWithRed(0, 0, 1, 1));
  panel->layer()->setCornerRadius(12);
  panel->layer()->setName("panel");
  screen->addSubview(panel);

  // The screen's controller: the button's target, held here and weakly by the button.
  auto controller = std::make_shared<Object>();
  button->addTarget(
      controller,
      [weakPanel = std::weak_ptr(panel), weakTitle = std::weak_ptr(title)] {
        auto shown = weakPanel.lock();
        if (!shown) return;
        UIView::animateWithDuration(0.4, 0, UIViewAnimationOptionCurveLinear, [&] {
          shown->setFrame({20, 200, 280, 200});
        });
        if (auto label = weakTitle.lock()) label->setText("Panel shown");
      },
      UIControlEventTouchUpInside);
  TouchInjector finger(window);
  const ViewRenderer renderer(1);

  const std::string before = ViewTreeDump::dump(*window);
  EXPECT_TRUE(contains(before, "    UILabel (20, 40, 280, 30) text=\"Vorlan demo\"\n"));
  EXPECT_TRUE(contains(before, "    UIButton (20, 100, 120, 44) text=\"Show panel\""));
  EXPECT_TRUE(contains(before, "    UIView (320, 200, 280, 200) bg=#0000FFFF name=\"panel\"\n"));
  auto image = renderer.renderToImage(window);
  EXPECT_EQ(image->pixelAt(160, 300), (UIImage::Pixel{255, 255, 255, 255}));

  finger.tap({80, 122});
  const std::string tapped = ViewTreeDump::dump(*window);
  EXPECT_TRUE(contains(tapped, "text=\"Panel shown\""));
  EXPECT_TRUE(
      contains(tapped, "UIView (20, 200, 280, 200) bg=#0000FFFF name=\"panel\" (animating)"));

  RunLoop::main().advance(0.2);  // halfway: the panel's left edge is at 170
  image = renderer.renderToImage(window);
  EXPECT_EQ(image->pixelAt(160, 300), (UIImage::Pixel{255, 255, 255, 255}));
  EXPECT_EQ(image->pixelAt(180, 300), (UIImage::Pixel{0, 0, 255, 255}));

  RunLoop::main().advance(0.25);
  finger.tap({265, 121});
  EXPECT_TRUE(toggle->isOn());
  RunLoop::main().advance(0.3);
  EXPECT_FALSE(contains(ViewTreeDump::dump(*window), "(animating)"));
  image = renderer.renderToImage(window);
  EXPECT_EQ(image->pixelAt(160, 300), (UIImage::Pixel{0, 0, 255, 255}));
  const UIImage::Pixel track = image->pixelAt(248, 121);  // left of the thumb, which went right
  EXPECT_GT(track.green, 150);
  EXPECT_LT(track.red, 120);
  const UIImage::Pixel thumb = image->pixelAt(276, 121);
  EXPECT_GT(thumb.red, 240);

  const auto path = std::filesystem::path(::testing::TempDir()) / "demo.png";
  EXPECT_TRUE(ViewRenderer(2).writePng(window, path.string()));
  EXPECT_GT(std::filesystem::file_size(path), 1000u);
  RunLoop::main().reset();
}

}  // namespace
}  // namespace host
