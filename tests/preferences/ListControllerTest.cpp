#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "PreferencesTestSupport.h"
#include "preferences/PSUIPrefsListController.h"
#include "support/TempDevice.h"
#include "support/UITableViewTestApi.h"
#include "uikit/UILabel.h"

namespace host {
namespace {

class ListControllerTest : public PreferencesTest {
 protected:
  void SetUp() override {
    PreferencesTest::SetUp();
    // A headerless group first, an empty group in the middle.
    page->source = {cell("top"), g1, cell("a"), cell("b"), g2, g3, cell("x")};
  }

  std::shared_ptr<TestListPage> page = std::make_shared<TestListPage>();
  std::shared_ptr<PSSpecifier> g1 = group("One");
  std::shared_ptr<PSSpecifier> g2 = group("Empty");
  std::shared_ptr<PSSpecifier> g3 = group("Three");
};

TEST_F(ListControllerTest, IndexPathsAndIndexesFollowTheGroups) {
  ASSERT_EQ(page->numberOfGroups(), 4);
  EXPECT_EQ(rows(*page), "top|a,b||x");

  const auto one = page->specifiersInGroup(1);
  ASSERT_EQ(one.size(), 3u);
  EXPECT_EQ(one[0], g1);
  for (long r = 0; r < 2; ++r) {
    EXPECT_EQ(page->specifierAtIndexPath({1, r}), one[static_cast<std::size_t>(r) + 1]);
    const auto index = page->indexForIndexPath({1, r});
    ASSERT_TRUE(index);
    EXPECT_EQ(page->specifiers()[static_cast<std::size_t>(*index)],
              one[static_cast<std::size_t>(r) + 1]);
    EXPECT_EQ(page->indexPathForSpecifier(one[static_cast<std::size_t>(r) + 1].get()),
              (NSIndexPath{1, r}));
  }
  // The headerless group puts an empty header of its own first (the same one each time, not on
  // the page), so that its row r is element r + 1 too.
  const auto zero = page->specifiersInGroup(0);
  ASSERT_EQ(zero.size(), 2u);
  EXPECT_TRUE(zero[0]->isGroup());
  EXPECT_FALSE(page->indexOfSpecifier(zero[0].get()));
  EXPECT_EQ(zero[1], page->specifierAtIndexPath({0, 0}));
  EXPECT_EQ(page->specifiersInGroup(0)[0], zero[0]);
  EXPECT_EQ(page->indexForIndexPath({0, 0}), 0);
  EXPECT_EQ(page->specifiersInGroup(2), (PSListController::Specifiers{g2}));
  EXPECT_EQ(page->indexPathForSpecifier(page->specifierForID("x").get()), (NSIndexPath{3, 0}));

  // Rows that do not exist and headers have no counterpart.
  EXPECT_FALSE(page->indexForIndexPath({2, 0}));
  EXPECT_FALSE(page->indexForIndexPath({9, 0}));
  EXPECT_FALSE(page->indexForIndexPath({1, -1}));
  EXPECT_EQ(page->specifierAtIndexPath({1, 2}), nullptr);
  EXPECT_FALSE(page->indexPathForSpecifier(g1.get()));
  EXPECT_TRUE(page->specifiersInGroup(4).empty());
  EXPECT_EQ(page->specifierForID("missing"), nullptr);
}

TEST_F(ListControllerTest, ChangesKeepTheTableInStep) {
  show(page);
  ASSERT_EQ(shownRows(*page), "top|a,b||x");
  const auto a = page->specifierForID("a");

  page->insertSpecifier(cell("c"), 4, true);  // end of group One
  EXPECT_EQ(shownRows(*page), "top|a,b,c||x");

  const auto split = group("Split");
  page->insertSpecifier(split, 3, false);  // splits group One after "a"
  EXPECT_EQ(rows(*page), "top|a|b,c||x");
  EXPECT_EQ(shownRows(*page), rows(*page));

  page->removeSpecifier(g1, true);  // "a" joins the headerless group
  EXPECT_EQ(shownRows(*page), "top,a|b,c||x");

  page->removeSpecifier(page->specifierForID("top"), false);
  page->removeSpecifier(a, false);  // the headerless group goes with its last cell
  EXPECT_EQ(shownRows(*page), "b,c||x");

  page->addSpecifiersFromArray({cell("y"), group("New"), cell("z")}, true);
  EXPECT_EQ(shownRows(*page), "b,c||x,y|z");

  page->insertSpecifier(cell("end"), 1000, false);
  page->insertSpecifier(cell("never"), -1, false);
  page->removeContiguousSpecifiers({g2, g3, page->specifierForID("x")}, true);
  EXPECT_EQ(shownRows(*page), "b,c,y|z,end");
  EXPECT_EQ(page->specifierForID("never"), nullptr);

  page->insertSpecifier(group("Head"), 0, true);  // an empty group first
  EXPECT_EQ(shownRows(*page), "|b,c,y|z,end");
  page->removeSpecifier(split, true);  // its cells move to the group before
  EXPECT_EQ(shownRows(*page), "b,c,y|z,end");
  EXPECT_EQ(page->specifiersInGroup(0).front()->name(), "Head");

  RunLoop::main().advance(1);
  EXPECT_EQ(shownRows(*page), rows(*page));
  EXPECT_FALSE(logMentions("invalid update"));
}

// What a page and its table show: cells by group, each cell's row, the table's rows by section.
std::string pageState(PSListController& page, const std::string& shown) {
  std::string out = rows(page) + " / ";
  for (const auto& item : page.specifiers()) {
    const auto indexPath = page.indexPathForSpecifier(item.get());
    out += indexPath ? std::to_string(indexPath->section) + "." + std::to_string(indexPath->row)
                     : std::string("-");
    out += " ";
  }
  return out + "/ " + shown;
}

TEST_F(ListControllerTest, InsertingSeveralCellsAtOnceEndsAsInsertingThemOneAtATime) {
  show(page);
  const auto base = page->source;
  const auto c = cell("c"), d = cell("d"), h = group("H"), k = group("K");
  using Placements = std::vector<PSListController::Placement>;
  const std::vector<Placements> cases = {
      {},
      {{c, 4}, {d, 2}},                         // later ones counted after the earlier
      {{c, 0}, {d, 0}, {h, 0}},                 // before the first cell, then a header first
      {{h, 3}, {k, 4}, {c, 5}, {d, 1000}},      // splitting a group, an empty group, the end
      {{c, 1000}, {d, 1000}, {k, 7}},           // past the end, then a header before the last
      {{nullptr, 2}, {c, -1}, {d, 6}, {h, 5}},  // left out, then into and before the empty group
      {{c, 2}, {c, 5}},                         // one cell twice
      {{base[2], 0}, {d, 3}},                   // a cell already on the page
      {{g1, 1}, {g2, 0}},                       // headers already on the page
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const auto run = [&](bool together) {
      page->source = base;
      page->reloadSpecifiers();
      if (together) {
        page->insertSpecifiers(cases[i], true);
      } else {
        for (const auto& [item, index] : cases[i])
          page->insertSpecifier(item, index, true);
      }
      return pageState(*page, shownRows(*page));
    };
    EXPECT_EQ(run(true), run(false)) << "case " << i;
  }
  // Into an empty page.
  const auto runEmpty = [&](bool together) {
    page->source = {};
    page->reloadSpecifiers();
    const Placements placements = {{c, 3}, {h, 0}, {d, 0}};
    if (together) {
      page->insertSpecifiers(placements, false);
    } else {
      for (const auto& [item, index] : placements)
        page->insertSpecifier(item, index, false);
    }
    return pageState(*page, shownRows(*page));
  };
  EXPECT_EQ(runEmpty(true), runEmpty(false));
  EXPECT_EQ(runEmpty(true), "d|c / 0.0 - 1.0 / d|c");
  RunLoop::main().advance(1);
  EXPECT_FALSE(logMentions("invalid update"));
}

TEST_F(ListControllerTest, ReloadingSeveralRowsAtOnceRefreshesEachOfThem) {
  show(page);
  const auto shownName = [&](const NSIndexPath& indexPath) {
    auto shown =
        std::dynamic_pointer_cast<PSTableCell>(page->table()->cellForRowAtIndexPath(indexPath));
    return shown ? shown->textLabel()->text() : std::string("?");
  };
  const auto a = page->specifierForID("a");
  const auto x = page->specifierForID("x");
  a->setName("A");
  x->setName("X");
  g3->setName("Three!");
  page->specifierForID("b")->setName("B");  // not reloaded: its cell keeps the old title
  page->reloadRowsOfSpecifiers({a, x, g3, cell("elsewhere"), nullptr}, true);
  page->table()->layoutIfNeeded();
  EXPECT_EQ(shownName({1, 0}), "A");
  EXPECT_EQ(shownName({1, 1}), "b");
  EXPECT_EQ(shownName({3, 0}), "X");
  EXPECT_EQ(page->table()->headerViewForSection(3) ? "shown" : "none", std::string("shown"));
  EXPECT_EQ(page->tableViewTitleForHeaderInSection(*page->table(), 3), "Three!");
  RunLoop::main().advance(1);
  EXPECT_EQ(shownRows(*page), rows(*page));
  EXPECT_FALSE(logMentions("invalid update"));
}

TEST_F(ListControllerTest, ReloadingRebuildsFromTheSourceAndRefreshesCells) {
  show(page);
  const auto b = page->specifierForID("b");
  b->setName("Renamed");
  page->reloadSpecifier(b);
  auto shown = std::dynamic_pointer_cast<PSTableCell>(page->table()->cellForRowAtIndexPath({1, 1}));
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->textLabel()->text(), "Renamed");

  page->removeSpecifier(b, false);
  page->source.push_back(cell("added"));
  page->reloadSpecifiers();
  EXPECT_EQ(shownRows(*page), "top|a,b||x,added");
}

TEST_F(ListControllerTest, HooksOnListPagesAndOnTheMainListEachTakeTheirOwn) {
  TempDevice device;
  device.writePlist(
      PSUIPrefsListController::kSettingsList,
      Plist::dictionary(
          {{"items", Plist::array({Plist::dictionary(
                         {{"id", Plist::string("WIFI")}, {"label", Plist::string("Wi-Fi")}})})}}));
  std::vector<std::string> calls;
  static Imp<void(bool)> originalAppear;
  static Imp<void()> originalReload;
  static std::vector<std::string>* log = nullptr;
  log = &calls;
  MSHookMessageEx<void(bool)>(
      PSListController::objcClass(), "viewWillAppear:",
      [](Object* self, bool animated) {
        if (log) log->push_back(self->className() + " appears");
        originalAppear(self, animated);
      },
      &originalAppear);
  MSHookMessageEx<void()>(
      PSUIPrefsListController::objcClass(), "reloadSpecifiers",
      [](Object* self) {
        if (log) log->push_back("main list reloads");
        originalReload(self);
      },
      &originalReload);

  auto main = std::make_shared<PSUIPrefsListController>();
  show(main);
  page->reloadSpecifiers();
  main->reloadSpecifiers();
  EXPECT_EQ(calls,
            (std::vector<std::string>{"PSUIPrefsListController appears", "main list reloads"}));
  ASSERT_TRUE(main->specifierForID("WIFI"));

  show(page);
  EXPECT_EQ(calls.back(), "TestListPage appears");
  log = nullptr;
}

TEST_F(ListControllerTest, SelectingALinkOpensItsPageAndDisabledCellsStayPut) {
  auto navigation = show(page);
  auto link = page->specifierForID("a");
  link->setDetailControllerClass(TestListPage::objcClass());
  UITableViewTestApi(page->table()).tapRowAtIndexPath({1, 0});
  RunLoop::main().advance(1);
  ASSERT_EQ(navigation->viewControllers().size(), 2u);
  auto opened = std::dynamic_pointer_cast<PSListController>(navigation->viewControllers().back());
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->specifier(), link);
  EXPECT_EQ(opened->parentController(), page);
  EXPECT_EQ(opened->title(), "a");

  navigation->popViewControllerAnimated(false);
  link->setProperty(Plist::boolean(false), "enabled");
  UITableViewTestApi(page->table()).tapRowAtIndexPath({1, 0});
  RunLoop::main().advance(1);
  EXPECT_EQ(navigation->viewControllers().size(), 1u);
}

}  // namespace
}  // namespace host
