#include <gtest/gtest.h>

#include "CellMenuTestSupport.h"
#include "support/Snapshot.h"
#include "uikit/UIColor.h"

namespace vorlan::test {
namespace {

// The menu over a dark backdrop, as it shows over the blurred wallpaper: for an enabled cell,
// for a disabled and protected one, and for a cell without an identifier.
TEST_F(CellMenuTest, Snapshots) {
  writeSettings(Plist::dictionary(
      {{"enabled",
        Plist::dictionary({{kMain, Plist::dictionary({{"WIFI", Plist::boolean(false)}})}})},
       {"passcode",
        Plist::dictionary({{kMain, Plist::dictionary({{"WIFI", Plist::integer(1)}})}})}}));
  launchWithMenu();
  auto backdrop = std::make_shared<host::UIView>();
  backdrop->setFrame(menu->bounds());
  backdrop->setBackgroundColor(host::UIColor::colorWithWhite(0.15, 1));
  target(main(), "General");
  menu->setFrame(backdrop->bounds());
  backdrop->addSubview(menu);
  EXPECT_SNAPSHOT(backdrop, "enabled");

  target(main(), "WIFI");
  EXPECT_SNAPSHOT(backdrop, "disabled-protected");

  const auto wifi = main()->specifierForID("WIFI");
  wifi->setIdentifier("");
  menu->setSpecifier(wifi, nullptr, main());
  menu->animatedViewsForAnimationWithDuration(0.1f, 0);
  settle();
  EXPECT_SNAPSHOT(backdrop, "without-identifier");
}

}  // namespace
}  // namespace vorlan::test
