#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "ScreenReader.h"
#include "foundation/Plist.h"
#include "panels/PanelTestSupport.h"
#include "store/VLPreferencesManager.h"
#include "support/TempDevice.h"
#include "tags/tagsConfigurationSkyView.h"
#include "uikit/Keyboard.h"
#include "uikit/UIAlertView.h"
#include "uikit/UITableView.h"
#include "uikit/UIView.h"

namespace vorlan::test {

// The tag list opened as the configuration page opens it, over a fresh device whose settings
// file the case writes, and a finger that finds what it taps by the text shown.
class TagPanelTest : public PanelTest {
 protected:
  static constexpr const char* kSettings = VLPreferencesManager::kSettingsPath;

  void SetUp() override {
    PanelTest::SetUp();
    panel = tagsConfigurationSkyView::make(window->frame());
  }

  void store(const host::Plist& root) {
    device.writePlist(kSettings, root);
    VLPreferencesManager::sharedInstance()->updatedDictionary();
  }
  host::Plist stored() const { return device.readPlist(kSettings); }
  host::Plist storedTag(int key) const { return stored().getPath({"tags", std::to_string(key)}); }
  std::string storedName(int key) const { return nameOf(storedTag(key)); }
  static std::string nameOf(const host::Plist& record) {
    const std::string* name = record.get("name").asString();
    return name ? *name : std::string();
  }

  void open() {
    window->addSubview(panel);
    panel->showFromRect({0, 78, 375, 135}, {10, -71.5, 355, 333.5});
    settle();
  }
  static void settle() {
    wait(1);
    host::UIView::layoutAllPending();
  }

  // Where `text` shows (a title, a field's text or an accessibility label), once the finger has
  // scrolled the list as far as it takes to bring it on screen: back to the top, then down.
  std::optional<host::CGPoint> reveal(const std::string& text) {
    auto found = ScreenReader::find(*window, text);
    for (int scroll = 0; !found && scroll < 10; ++scroll) {
      const host::CGRect list =
          panel->table()->convertRectToView(panel->table()->bounds(), window.get());
      const host::CGFloat x = list.origin.x + list.size.width / 2;
      const host::CGFloat y = list.origin.y + list.size.height / 2;
      const host::CGFloat dy = scroll < 3 ? 100 : -60;
      finger->drag({x, y - dy}, {x, y + dy}, 0.5);
      settle();
      found = ScreenReader::find(*window, text);
    }
    if (!found) return std::nullopt;
    return found->centre;
  }
  void tap(const std::string& text) {
    const auto at = reveal(text);
    ASSERT_TRUE(at) << "nothing on screen shows \"" << text << "\"";
    finger->tap(*at);
    settle();
  }
  // Keys pressed on the keyboard: "\b" deletes, "\n" is the return key.
  static void type(const std::string& keys) {
    ASSERT_TRUE(host::Keyboard::isVisible());
    for (char key : keys) {
      if (key == '\b') {
        host::Keyboard::pressDelete();
      } else if (key == '\n') {
        host::Keyboard::pressReturn();
      } else {
        host::Keyboard::typeText(std::string(1, key));
      }
    }
    settle();
  }
  static std::shared_ptr<host::UIAlertView> shownAlert() {
    const auto& alerts = host::UIAlertView::visibleAlerts();
    return alerts.empty() ? nullptr : alerts.back();
  }
  static void alert(const std::string& button) {
    auto shown = shownAlert();
    ASSERT_NE(shown, nullptr) << "no alert on screen";
    ASSERT_TRUE(shown->pressButton(button));
    settle();
  }
  // A finger swipes the row to the left, and the row's delete button slides in.
  void swipe(const std::string& title) {
    const auto found = reveal(title);
    ASSERT_TRUE(found) << "no row shows \"" << title << "\"";
    finger->drag({found->x + 100, found->y}, {found->x - 20, found->y}, 0.3);
    settle();
    ASSERT_TRUE(panel->table()->indexPathForDeleteConfirmation());
  }
  // Swipes the row and taps its delete button.
  void swipeAndDelete(const std::string& title) {
    swipe(title);
    const auto row = panel->table()->indexPathForDeleteConfirmation();
    ASSERT_TRUE(row);
    auto cell = panel->table()->cellForRowAtIndexPath(*row);
    const auto& view = cell->deleteConfirmationView();
    const host::CGRect button = view->convertRectToView(view->bounds(), window.get());
    finger->tap(
        {button.origin.x + button.size.width / 2, button.origin.y + button.size.height / 2});
    settle();
  }
  std::vector<std::string> rowTitles() const {
    std::vector<std::string> titles;
    for (const auto& record : panel->array())
      titles.push_back(nameOf(record));
    return titles;
  }

  TempDevice device;
  std::shared_ptr<tagsConfigurationSkyView> panel;
};

}  // namespace vorlan::test
