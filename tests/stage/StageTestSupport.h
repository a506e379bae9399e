#pragma once

#include <memory>
#include <string>

#include "config/vorlanConfiguarationScrollView.h"
#include "hooks/CellSwipe.h"
#include "hooks/HooksTestSupport.h"
#include "hooks/settingsVLBarButtonItem.h"
#include "menu/VLSpecifierScrollView.h"
#include "uikit/TouchInjector.h"
#include "uikit/UIApplication.h"
#include "uikit/UINavigationBar.h"
#include "uikit/UITableView.h"
#include "uikit/UITableViewCell.h"

namespace vorlan::test {

// The Settings app with the extension entered and the main list on screen (375 points wide: the
// configuration page is 300 wide, the cell action menu 167.5), and one finger on its window.
class StageTest : public SettingsProcessTest {
 public:
  static constexpr double kPage = 300;
  static constexpr double kMenu = 167.5;

 protected:
  void SetUp() override {
    SettingsProcessTest::SetUp();
    if (HasFatalFailure()) return;
    launch();
    finger = std::make_unique<host::TouchInjector>(app->window());
  }
  void TearDown() override {
    finger.reset();
    SettingsProcessTest::TearDown();
  }

  static std::shared_ptr<host::UIView> root() { return MainListStage::rootView(); }
  static double rootX() { return root()->frame().origin.x; }
  static host::UIApplication& application() { return *host::UIApplication::sharedApplication(); }
  static void frames(int count) { host::RunLoop::main().advance(count / 60.0); }

  std::shared_ptr<host::UITableViewCell> cellOf(const std::string& identifier) const {
    const auto path = main()->indexPathForSpecifier(main()->specifierForID(identifier).get());
    return path ? main()->table()->cellForRowAtIndexPath(*path) : nullptr;
  }
  static host::CGPoint centreOf(const host::UIView& view) {
    const auto frame = view.convertRectToView(view.bounds(), nullptr);
    return {frame.origin.x + frame.size.width / 2, frame.origin.y + frame.size.height / 2};
  }

  // Puts the finger down at `from` and moves it 10 points left, which begins a pan there; later
  // moves count from that point.
  void begin(host::CGPoint from) {
    finger->touchDown(from);
    start = {from.x - 10, from.y};
    finger->touchMove(start);
  }
  void moveBy(double dx) { finger->touchMove({start.x + dx, start.y}); }
  void liftAt(double dx) { finger->touchUp({start.x + dx, start.y}); }
  // A whole swipe of `dx` points after the pan began, released there; the side page then rests.
  void swipe(host::CGPoint from, double dx) {
    begin(from);
    moveBy(dx);
    liftAt(dx);
    settle();
  }

  std::unique_ptr<host::TouchInjector> finger;
  host::CGPoint start;
};

}  // namespace vorlan::test
