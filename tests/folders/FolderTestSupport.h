#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "SettingsChecker.h"
#include "cellmenu/CellMenuTestSupport.h"
#include "folders/folderController.h"
#include "folders/folderSkyView.h"
#include "folders/folderView.h"
#include "folders/foldersScroll.h"
#include "folders/resetFolder.h"
#include "uikit/UIAlertView.h"
#include "uikit/UIButton.h"
#include "uikit/UIImageView.h"
#include "uikit/UITextField.h"

namespace vorlan::test {

// The Settings app with the extension entered and the cell action menu in place; the folder
// picker is opened through the menu's Folder action or, in editing mode, as the configuration
// page opens it.
class FolderTest : public CellMenuTest {
 protected:
  void TearDown() override {
    editor.reset();
    CellMenuTest::TearDown();
  }

  // The picker for a cell, opened with the menu's Folder button.
  std::shared_ptr<folderSkyView> pick(const std::shared_ptr<host::PSListController>& page,
                                      const std::string& id) {
    target(page, id);
    tap("Folder");
    settle();
    return menu->folderSky();
  }

  // The picker in editing mode, shown over the window.
  std::shared_ptr<folderSkyView> edit() {
    const auto window = app->window();
    if (!editor) editor = folderSkyView::make(window->bounds());
    editor->setEditable(true);
    window->addSubview(editor);
    editor->showFromRect({{300, 100}, {60, 40}}, {{10, 0}, {355, 330}});
    settle();
    return editor;
  }

  static std::shared_ptr<folderView> tile(const std::shared_ptr<folderSkyView>& panel,
                                          const std::string& name) {
    for (const auto& candidate : panel->scroll()->folders())
      if (!candidate->isHidden() && candidate->getName() == name) return candidate;
    return nullptr;
  }
  // The visible tiles' names in page order.
  static std::string shown(const std::shared_ptr<folderSkyView>& panel) {
    std::string names;
    for (const auto& candidate : panel->scroll()->folders()) {
      if (candidate->isHidden()) continue;
      names += (names.empty() ? "" : ",") + candidate->getName();
    }
    return names;
  }
  // Scrolls the strip to the tile's page.
  static void turnTo(const std::shared_ptr<folderSkyView>& panel,
                     const std::shared_ptr<folderView>& shownTile) {
    const auto& strip = panel->scroll();
    strip->setContentOffset(
        {shownTile->frame().origin.x - (strip->frame().size.width - foldersScroll::kTileWidth) / 2,
         0});
  }
  // A finger's tap in the middle of a view, which must be what a finger reaches there.
  void tapView(const std::shared_ptr<host::UIView>& view) {
    const auto point = centreOf(view);
    const auto hit = app->window()->hitTest(point);
    ASSERT_TRUE(hit && hit->isDescendantOfView(view.get()))
        << (hit ? hit->className() : "nothing") << " covers the view";
    host::TouchInjector(app->window()).tap(point);
    host::RunLoop::main().advance(0.05);
  }
  void press(const std::shared_ptr<folderView>& shownTile) {
    tapView(shownTile->button());
    settle();
  }
  // Pulls a tile's icon up by `distance` points and lets go.
  void pull(const std::shared_ptr<folderView>& shownTile, double distance) {
    const auto from = centreOf(shownTile->icon());
    host::TouchInjector(app->window()).drag(from, {from.x, from.y - distance}, 0.3);
    settle();
  }
  static std::string title(const std::shared_ptr<folderView>& shownTile) {
    return shownTile->button()->titleForState(host::UIControlStateNormal).value_or("");
  }

  Plist storedRoot() const { return device.readPlist(VLPreferencesManager::kSettingsPath); }
  Plist storedFolder(const std::string& key) const { return storedRoot().get("folders").get(key); }
  // What `vorlan prefs check` would find wrong in the stored file, one problem a line.
  std::string problems() const {
    std::string lines;
    for (const auto& problem : SettingsChecker::check(storedRoot()))
      lines += problem + "\n";
    return lines;
  }
  // A folder record as the extension writes it.
  static Plist folderRecord(const std::string& name) {
    const std::string icon = std::string(folderView::kFolderIcons) + "apps";
    return Plist::dictionary({{"name", Plist::string(name)},
                              {"image", Plist::string(icon + ".png")},
                              {"settings_image", Plist::string(icon + "_icon.png")}});
  }

  std::shared_ptr<folderSkyView> editor;
};

}  // namespace vorlan::test
