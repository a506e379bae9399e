#include <gtest/gtest.h>

#include <memory>

#include "foundation/RunLoop.h"
#include "menu/VLScrollView.h"
#include "support/HostTest.h"
#include "uikit/CALayer.h"
#include "uikit/UIView.h"

namespace vorlan {
namespace {

class VLScrollViewTest : public test::HostTest {
 protected:
  std::shared_ptr<host::UIView> addRow(double y, double height = 50) {
    auto row = std::make_shared<host::UIView>();
    row->setFrame({0, y, 100, height});
    menu->addSubview(row);
    return row;
  }

  std::shared_ptr<VLScrollView> menu = VLScrollView::make({0, 0, 100, 400});
};

TEST_F(VLScrollViewTest, FadeInStaggersTheSubviewsSkipsTheErrorMessageAndRunsOncePerReset) {
  auto first = addRow(0);
  auto error = addRow(50);
  error->layer()->setName("error");
  auto second = addRow(100);
  auto third = addRow(150);
  menu->resetViewsForAnimation();
  error->setAlpha(0.5);

  menu->animatedViewsForAnimationWithDuration(0.2f, 0.1f);
  EXPECT_FALSE(menu->canAnimate());
  // Model values change at once; the error message is not touched at all.
  EXPECT_DOUBLE_EQ(first->alpha(), 1);
  EXPECT_DOUBLE_EQ(error->alpha(), 0.5);
  EXPECT_FALSE(error->hasRunningAnimations());

  // The error message takes no step: the second row starts 0.05 s after the first, the third
  // 0.1 s after it.
  host::RunLoop::main().advance(0.1499);
  EXPECT_GT(first->presentationAlpha(), 0);
  EXPECT_DOUBLE_EQ(second->presentationAlpha(), 0);
  host::RunLoop::main().advance(0.002);
  EXPECT_GT(second->presentationAlpha(), 0);
  EXPECT_DOUBLE_EQ(third->presentationAlpha(), 0);
  host::RunLoop::main().advance(0.05);
  EXPECT_GT(third->presentationAlpha(), 0);
  host::RunLoop::main().advance(1);
  for (const auto& row : {first, second, third})
    EXPECT_DOUBLE_EQ(row->presentationAlpha(), 1);

  // A second fade-in waits for a reset.
  first->setAlpha(0.3);
  menu->animatedViewsForAnimationWithDuration(0.2f, 0);
  EXPECT_DOUBLE_EQ(first->alpha(), 0.3);
  menu->resetViewsForAnimation();
  EXPECT_DOUBLE_EQ(third->alpha(), 0);
  menu->animatedViewsForAnimationWithDuration(0.2f, 0);
  EXPECT_DOUBLE_EQ(first->alpha(), 1);
}

}  // namespace
}  // namespace vorlan
