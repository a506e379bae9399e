#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "info/infoView.h"
#include "panels/PanelTestSupport.h"
#include "panels/shapeSkyView.h"
#include "uikit/UITextView.h"
#include "uikit/UIView.h"

namespace vorlan {
namespace {

class InfoViewTest : public test::PanelTest {
 protected:
  static std::string longText() {
    std::string text;
    for (int line = 0; line < 60; ++line)
      text += "A line of help about a menu button.\n";
    return text;
  }
};

TEST_F(InfoViewTest, TheTextFillsTheBalloonAndEveryShowingStartsAtTheTop) {
  auto info = infoView::make({0, 0, 375, 667});
  info->setText(longText());
  window->addSubview(info);
  info->showFromRect({250, 100, 100, 50}, {60, -20, 300, 250});
  wait(1);
  host::UIView::layoutAllPending();

  const auto& text = info->textView();
  const auto container = info->shape()->container()->frame();
  EXPECT_EQ(text->frame(), (host::CGRect{5, 3, container.size.width - 10, container.size.height}));
  ASSERT_GT(text->contentSize().height, text->bounds().height());

  // The reader scrolls down, closes the popup with a tap outside and holds the button again.
  finger->drag({200, 300}, {200, 150}, 0.3);
  wait(2);
  ASSERT_GT(text->contentOffset().y, 50);
  finger->tap({20, 600});
  wait(1);
  ASSERT_FALSE(info->isShow());
  ASSERT_EQ(info->superview(), nullptr);

  window->addSubview(info);
  info->showFromRect({250, 100, 100, 50}, {60, -20, 300, 250});
  EXPECT_EQ(text->contentOffset(), (host::CGPoint{0, 0}));
}

}  // namespace
}  // namespace vorlan
