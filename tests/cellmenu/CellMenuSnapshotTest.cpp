#include <gtest/gtest.h>

#include "CellMenuTestSupport.h"
#include "support/Snapshot.h"
#include "uikit/UIColor.h"

namespace vorlan::test {
namespace {

// The menu drawn over a dark backdrop, as it shows over the blurred wallpaper.
class CellMenuSnapshotTest : public CellMenuTest {
 protected:
  void expectMenuSnapshot(const std::string& name) {
    auto backdrop = std::make_shared<host::UIView>();
    backdrop->setFrame(menu->bounds());
    backdrop->setBackgroundColor(host::UIColor::colorWithWhite(0.15, 1));
    menu->setFrame(backdrop->bounds());
    backdrop->addSubview(menu);
    EXPECT_SNAPSHOT(backdrop, name);
  }
};

TEST_F(CellMenuSnapshotTest, EnabledCell) {
  launchWithMenu();
  target(main(), "WIFI");
  expectMenuSnapshot("enabled");
}

TEST_F(CellMenuSnapshotTest, DisabledProtectedCell) {
  writeSettings(Plist::dictionary(
      {{"enabled",
        Plist::dictionary({{kMain, Plist::dictionary({{"WIFI", Plist::boolean(false)}})}})},
       {"passcode",
        Plist::dictionary({{kMain, Plist::dictionary({{"WIFI", Plist::integer(1)}})}})}}));
  launchWithMenu();
  target(main(), "WIFI");
  expectMenuSnapshot("disabled-protected");
}

TEST_F(CellMenuSnapshotTest, CellWithoutIdentifier) {
  launchWithMenu();
  const auto wifi = main()->specifierForID("WIFI");
  wifi->setIdentifier("");
  menu->setSpecifier(wifi, nullptr, main());
  menu->animatedViewsForAnimationWithDuration(0.1f, 0);
  settle();
  expectMenuSnapshot("without-identifier");
}

}  // namespace
}  // namespace vorlan::test
