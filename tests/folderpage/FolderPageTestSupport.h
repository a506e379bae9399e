#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SettingsChecker.h"
#include "SupportImages.h"
#include "folders/addTableController.h"
#include "folders/folderController.h"
#include "folders/sortFolderController.h"
#include "hooks/HooksTestSupport.h"
#include "support/UITableViewTestApi.h"
#include "uikit/UINavigationController.h"

namespace vorlan::test {

// The Settings app with the extension entered and the support images installed; folder pages
// are opened from their rows at the end of the main list, as a user opens them.
class FolderPageTest : public SettingsProcessTest {
 protected:
  void SetUp() override {
    SettingsProcessTest::SetUp();
    if (HasFatalFailure()) return;
    std::string error;
    ASSERT_TRUE(SupportImages::install(device.fs(), &error)) << error;
  }

  // Settings with the given cells filed into folders (identifier to folder name) and positions
  // inside "APPS" (identifier to position).
  void writeFolders(const std::vector<Plist::Entry>& membership,
                    const std::vector<Plist::Entry>& appsPositions = {},
                    std::vector<Plist::Entry> more = {}) {
    more.emplace_back("folder", Plist::dictionary(membership));
    if (!appsPositions.empty()) {
      more.emplace_back("positionInFolders",
                        Plist::dictionary({{"APPS", Plist::dictionary(appsPositions)}}));
    }
    writeSettings(Plist::dictionary(std::move(more)));
  }

  static void tapRow(host::PSListController& page, const std::string& identifier) {
    const auto indexPath = page.indexPathForSpecifier(page.specifierForID(identifier).get());
    ASSERT_TRUE(indexPath) << identifier;
    host::UITableViewTestApi(*page.table()).tapRowAtIndexPath(*indexPath);
    settle();
  }

  // Taps the folder's row on the main list; the page it opens.
  std::shared_ptr<folderController> openFolder(const std::string& name) {
    tapRow(*main(), name);
    return std::dynamic_pointer_cast<folderController>(navigation().topViewController());
  }

  // The identifiers of a page's cells, in order, group headers left out.
  static std::vector<std::string> rows(host::PSListController& page) {
    std::vector<std::string> ids;
    for (const auto& cell : page.specifiers()) {
      if (!cell->isGroup()) ids.push_back(cell->identifier());
    }
    return ids;
  }

  // The table page presented over a folder page from its Edit sheet.
  template <class Page>
  std::shared_ptr<Page> presentedTable(folderController& folder) {
    const auto navigation =
        std::dynamic_pointer_cast<host::UINavigationController>(folder.presentedViewController());
    return navigation ? std::dynamic_pointer_cast<Page>(navigation->topViewController()) : nullptr;
  }

  Plist settingsFile() const { return device.readPlist(VLPreferencesManager::kSettingsPath); }
  // What `vorlan prefs check` reports of the settings file.
  std::vector<std::string> problems() const { return SettingsChecker::check(settingsFile()); }
};

}  // namespace vorlan::test
