#include <gtest/gtest.h>

#include "foundation/RunLoop.h"
#include "uikit/CALayer.h"
#include "uikit/UIColor.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UIWindow.h"
#include "uikit/ViewTreeDump.h"

namespace host {
namespace {

TEST(ViewTreeDump, OneLineAViewWithWhatIsSet) {
  RunLoop::main().reset();
  auto window = std::make_shared<UIWindow>();
  window->setFrame({0, 0, 200, 100});
  window->setBackgroundColor(UIColor::colorWithRed(1, 0.5, 0, 1));
  window->makeKeyAndVisible();
  auto label = std::make_shared<UILabel>();
  label->setFrame({10, 20.25, 100.7, 21});
  label->setText("Say \"hi\"\nnow");
  label->setTag(7);
  window->addSubview(label);
  auto icon = std::make_shared<UIImageView>();
  icon->setFrame({0, 0, 40, 40});
  UIGraphicsBeginImageContextWithOptions({20, 10}, false, 2);
  icon->setImage(UIGraphicsGetImageFromCurrentImageContext());
  UIGraphicsEndImageContext();
  icon->setHidden(true);
  icon->setAlpha(0.25);
  icon->layer()->setName("folder/icon.png");
  label->addSubview(icon);
  auto note = std::make_shared<UILabel>();
  note->setText("\u00e9" + std::string(45, 'x'));
  note->setBackgroundColor(UIColor::clearColor());
  window->addSubview(note);
  auto panel = std::make_shared<UIView>();
  window->addSubview(panel);
  // At -0.2 the frame reads "0", not "-0".
  UIView::animateWithDuration(0.3, [&] { panel->setFrame({-0.2, 0, 50, 50}); });

  EXPECT_EQ(ViewTreeDump::dump(*window),
            "UIWindow (0, 0, 200, 100) bg=#FF8000FF\n"
            "  UILabel (10, 20.5, 100.5, 21) tag=7 text=\"Say \\\"hi\\\"\\nnow\"\n"
            "    UIImageView (0, 0, 40, 40) alpha=0.25 hidden name=\"folder/icon.png\" "
            "image=20x10\n"
            "  UILabel (0, 0, 0, 0) bg=#00000000 text=\"\u00e9" +
                std::string(39, 'x') +
                "\u2026\"\n"
                "  UIView (0, 0, 50, 50) (animating)\n");
  RunLoop::main().advance(1);
  EXPECT_EQ(ViewTreeDump::describe(*panel), "UIView (0, 0, 50, 50)");
  RunLoop::main().reset();
}

}  // namespace
}  // namespace host
