#include <gtest/gtest.h>

#include "HooksTestSupport.h"
#include "preferences/PSListControllerMethods.h"
#include "support/UITableViewTestApi.h"
#include "uikit/UITableView.h"

namespace vorlan::test {
namespace {

using DidSelectRow = host::MethodsOf<host::PSListController>::DidSelectRowAtIndexPath::Signature;

// Records the host's own selection of every list page (installed before the extension, so it is
// what the extension's hooks call as the host's implementation).
class SelectionTest : public SettingsProcessTest {
 protected:
  void SetUp() override {
    SettingsProcessTest::SetUp();
    if (HasFatalFailure()) return;
    host::MSHookMessageEx<DidSelectRow>(
        host::PSListController::objcClass(), "tableView:didSelectRowAtIndexPath:",
        [this](host::Object* self, std::shared_ptr<host::UITableView> table,
               host::NSIndexPath indexPath) {
          reached.push_back(self->className() + " " + std::to_string(indexPath.section) + "." +
                            std::to_string(indexPath.row));
          hostSelection(self, std::move(table), indexPath);
        },
        &hostSelection);
  }

  std::vector<std::string> reached;
  host::Imp<DidSelectRow> hostSelection;
};

TEST_F(SelectionTest, AMainListSelectionIsGuardedOnceAndADisabledRowNeverReachesTheHost) {
  writeSettings(Plist::dictionary(
      {{"enabled", Plist::dictionary({{"PSUIPrefsListController",
                                       Plist::dictionary({{"WIFI", Plist::boolean(false)}})}})}}));
  launch();
  const auto table = main()->table();
  const auto wifi = *main()->indexPathForSpecifier(main()->specifierForID("WIFI").get());
  const auto general = *main()->indexPathForSpecifier(main()->specifierForID("General").get());

  host::UITableViewTestApi(table).tapRowAtIndexPath(wifi);
  host::UITableViewTestApi(table).tapRowAtIndexPath(general);
  EXPECT_EQ(reached, (std::vector<std::string>{"PSUIPrefsListController 2.0"}));
  EXPECT_TRUE(table->indexPathsForSelectedRows().empty());  // the refused row was deselected

  // The main list's own hook has guarded the selection when it calls the host's implementation
  // (which the main list inherits): the list pages' hook passes it on unguarded, even for a row
  // that changed meanwhile.
  reached.clear();
  host::msgSendSuper<DidSelectRow>(host::PSUIPrefsListController::objcClass(), main().get(),
                                   "tableView:didSelectRowAtIndexPath:", table, wifi);
  EXPECT_EQ(reached, (std::vector<std::string>{"PSUIPrefsListController 0.1"}));

  // On any other page the list pages' hook guards.
  auto page = push({host::PSSpecifier::emptyGroupSpecifier(), cell("a"), cell("b")});
  page->specifierForID("a")->setProperty(Plist::boolean(false), "enabled");
  reached.clear();
  host::UITableViewTestApi(page->table()).tapRowAtIndexPath({0, 0});
  host::UITableViewTestApi(page->table()).tapRowAtIndexPath({0, 1});
  EXPECT_EQ(reached, (std::vector<std::string>{"TestSubPage 0.1"}));
}

}  // namespace
}  // namespace vorlan::test
