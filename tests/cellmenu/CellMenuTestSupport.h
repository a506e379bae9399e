#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "SupportImages.h"
#include "hooks/HooksTestSupport.h"
#include "menu/VLSpecifierScrollView.h"
#include "panels/Stage.h"
#include "uikit/TouchInjector.h"
#include "uikit/UILabel.h"
#include "uikit/UITableViewCell.h"

namespace vorlan::test {

// Stands in for the stage while a case runs, counting the menu's requests to close.
class RecordingStage : public Stage {
 public:
  RecordingStage() : previous_(Stage::current()) { setCurrent(this); }
  ~RecordingStage() override { setCurrent(previous_); }
  void closeSidePage() override { ++closed; }
  std::shared_ptr<host::PSListController> currentListPage() const override { return nullptr; }
  int closed = 0;

 private:
  Stage* previous_;
};

// The Settings app with the extension entered, the support images installed and the cell action
// menu where the main list's stage puts it: in the key window at its right edge, as wide as the
// menu column, over the window's full height (in front here, so that touches reach it).
class CellMenuTest : public SettingsProcessTest {
 protected:
  static constexpr const char* kMain = "PSUIPrefsListController";

  void SetUp() override {
    SettingsProcessTest::SetUp();
    if (HasFatalFailure()) return;
    std::string error;
    ASSERT_TRUE(SupportImages::install(device.fs(), &error)) << error;
  }
  void TearDown() override {
    stage().specifierScrollView.reset();
    stage().passcodeView.reset();
    menu.reset();
    recording.reset();
    SettingsProcessTest::TearDown();
  }

  void launchWithMenu() {
    launch();
    const auto size = app->window()->bounds().size;
    const double width = stage().maxSizeForSpecifier;
    menu = VLSpecifierScrollView::make({{size.width - width, 0}, {width, size.height}});
    app->window()->addSubview(menu);
    stage().specifierScrollView = menu;
    recording = std::make_unique<RecordingStage>();
  }

  // Targets the menu at a cell of a page, as a swipe does, and fades it in.
  void target(const std::shared_ptr<host::PSListController>& page, const std::string& id) {
    const auto specifier = page->specifierForID(id);
    const auto path = page->indexPathForSpecifier(specifier.get());
    ASSERT_TRUE(path) << id;
    menu->setSpecifier(specifier, page->table()->cellForRowAtIndexPath(*path), page);
    menu->resetViewsForAnimation();
    menu->animatedViewsForAnimationWithDuration(0.1f, 0);
    settle();
  }

  // The front-most shown view of the key window carrying the accessibility label.
  std::shared_ptr<host::UIView> labelled(const std::string& label) const {
    std::shared_ptr<host::UIView> found;
    std::function<void(const std::shared_ptr<host::UIView>&)> walk = [&](const auto& view) {
      if (view->isHidden() || view->alpha() < 0.01) return;
      if (view->accessibilityLabel() == label) found = view;
      for (const auto& subview : std::vector(view->subviews()))
        walk(subview);
    };
    walk(app->window());
    return found;
  }
  static host::CGPoint centreOf(const std::shared_ptr<host::UIView>& view) {
    const auto frame = view->convertRectToView(view->bounds(), nullptr);
    return {frame.origin.x + frame.size.width / 2, frame.origin.y + frame.size.height / 2};
  }

  // A finger's tap on the view labelled so, which must be on screen.
  void tap(const std::string& label) {
    const auto view = labelled(label);
    ASSERT_TRUE(view) << "nothing on screen is labelled " << label;
    host::TouchInjector(app->window()).tap(centreOf(view));
    host::RunLoop::main().advance(0.05);
  }
  // Types on the keypad on screen, once its keys have grown into place (they take no touch
  // while they do); a success action runs 0.4 s after the last key.
  void typePasscode(const std::string& digits) {
    host::RunLoop::main().advance(1.5);
    for (const char digit : digits)
      tap(std::string(1, digit));
    host::RunLoop::main().advance(1.0);
  }

  // A value of the settings file as stored: section, page, identifier.
  Plist stored(const std::string& section, const std::string& page, const std::string& id) const {
    return device.readPlist(VLPreferencesManager::kSettingsPath).get(section).get(page).get(id);
  }

  std::shared_ptr<VLSpecifierScrollView> menu;
  std::unique_ptr<RecordingStage> recording;
};

}  // namespace vorlan::test
