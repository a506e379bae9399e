#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TableTestSupport.h"
#include "runtime/Runtime.h"
#include "support/OneCasePerProcess.h"
#include "support/UITableViewTestApi.h"
#include "uikit/TouchInjector.h"
#include "uikit/UITapGestureRecognizer.h"
#include "uikit/UIWindow.h"

namespace host {
namespace {

using testing::cellText;
using testing::ListDataSource;
using testing::RecordingDelegate;

// One of the cases hooks the cell class for the rest of the process: one case per process.
class TableEditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vorlan::test::requireOneCasePerProcess();
    if (HasFatalFailure()) return;
    RunLoop::main().reset();
    window->setFrame(CGRectMake(0, 0, 320, 480));
    table = UITableView::tableWithFrame(CGRectMake(0, 20, 320, 440), UITableViewStylePlain);
    table->setDataSource(data);
    table->setDelegate(delegate);
    window->addSubview(table);
    window->makeKeyAndVisible();
    table->layoutIfNeeded();
  }

  UITableViewTestApi gestures() { return UITableViewTestApi(*table); }

  // The centre of a row in the window.
  CGPoint rowCentre(const NSIndexPath& ip, double x = 160) {
    const CGRect rect = table->rectForRowAtIndexPath(ip);
    return table->convertPointToView({x, rect.midY()}, nullptr);
  }

  std::shared_ptr<ListDataSource> data = ListDataSource::withRows(6);
  std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
  std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>();
  std::shared_ptr<UITableView> table;
};

TEST_F(TableEditingTest, TapsSelectRowsAndTellTheDelegate) {
  gestures().tapRowAtIndexPath({0, 2});
  gestures().tapRowAtIndexPath({0, 3});
  EXPECT_EQ(delegate->events,
            (std::vector<std::string>{"willSelect 0.2", "didSelect 0.2", "willSelect 0.3",
                                      "didDeselect 0.2", "didSelect 0.3"}));
  EXPECT_EQ(table->indexPathForSelectedRow(), (NSIndexPath{0, 3}));
  EXPECT_TRUE(table->cellForRowAtIndexPath({0, 3})->isSelected());
  EXPECT_FALSE(table->cellForRowAtIndexPath({0, 2})->isSelected());

  delegate->events.clear();
  delegate->refused.insert({0, 4});
  delegate->redirects[{0, 5}] = {0, 1};
  gestures().tapRowAtIndexPath({0, 4});
  gestures().tapRowAtIndexPath({0, 5});
  EXPECT_EQ(delegate->events, (std::vector<std::string>{"willSelect 0.4", "willSelect 0.5",
                                                        "didDeselect 0.3", "didSelect 0.1"}));
  table->deselectRowAtIndexPath({0, 1}, true);
  EXPECT_EQ(table->indexPathForSelectedRow(), std::nullopt);
  EXPECT_FALSE(table->cellForRowAtIndexPath({0, 1})->isSelected());

  // While editing, taps select only when allowed; several rows with multiple selection.
  table->setEditing(true);
  delegate->events.clear();
  gestures().tapRowAtIndexPath({0, 0});
  EXPECT_TRUE(delegate->events.empty());
  table->setAllowsMultipleSelectionDuringEditing(true);
  gestures().tapRowAtIndexPath({0, 0});
  gestures().tapRowAtIndexPath({0, 2});
  gestures().tapRowAtIndexPath({0, 0});
  EXPECT_EQ(table->indexPathsForSelectedRows(), (std::vector<NSIndexPath>{{0, 2}}));
  EXPECT_EQ(delegate->events.back(), "didDeselect 0.0");

  table->setEditing(false);
  table->setAllowsSelection(false);
  delegate->events.clear();
  gestures().tapRowAtIndexPath({0, 3});
  EXPECT_TRUE(delegate->events.empty());
}

TEST_F(TableEditingTest, ATouchTapOnARowSelectsIt) {
  TouchInjector finger(window);
  finger.tap(rowCentre({0, 2}));
  EXPECT_EQ(delegate->events.back(), "didSelect 0.2");
  EXPECT_FALSE(table->cellForRowAtIndexPath({0, 2})->isHighlighted());

  // A drag scrolls and selects nothing.
  delegate->events.clear();
  finger.drag(rowCentre({0, 4}), rowCentre({0, 1}), 0.3);
  EXPECT_TRUE(delegate->events.empty());
}

TEST_F(TableEditingTest, EditingIndentsRowsAndShowsTheirControls) {
  delegate->styles[{0, 1}] = UITableViewCellEditingStyleNone;
  delegate->styles[{0, 2}] = UITableViewCellEditingStyleInsert;
  table->setEditing(true, true);
  EXPECT_TRUE(table->isEditing());
  auto cell = table->cellForRowAtIndexPath({0, 0});
  EXPECT_TRUE(cell->isEditing());
  EXPECT_EQ(cell->contentView()->frame().minX(), UITableViewCell::kEditingControlWidth);
  ASSERT_NE(cell->editingControl(), nullptr);
  EXPECT_FALSE(cell->editingControl()->isHidden());
  EXPECT_TRUE(cell->reorderControl() == nullptr || cell->reorderControl()->isHidden());
  auto plain = table->cellForRowAtIndexPath({0, 1});
  EXPECT_TRUE(plain->editingControl() == nullptr || plain->editingControl()->isHidden());
  RunLoop::main().advance(0.5);

  // The insert control commits an insertion; the delete control shows the delete button.
  data->commits = true;
  gestures().tapEditingControlOfRowAtIndexPath({0, 2});
  EXPECT_EQ(data->calls, std::vector<std::string>{"commit 2 0.2"});
  gestures().tapEditingControlOfRowAtIndexPath({0, 0});
  EXPECT_TRUE(cell->isShowingDeleteConfirmation());

  // Reorder controls need a data source that moves rows; indentation can be turned off.
  data->moves = true;
  data->fixed.insert({0, 3});
  delegate->indents = false;
  table->setEditing(false);
  EXPECT_FALSE(cell->isShowingDeleteConfirmation());
  table->setEditing(true);
  EXPECT_EQ(cell->contentView()->frame().minX(), 0);
  ASSERT_NE(cell->reorderControl(), nullptr);
  EXPECT_FALSE(cell->reorderControl()->isHidden());
  EXPECT_EQ(cell->contentView()->frame().width(), 320 - UITableViewCell::kReorderControlWidth);
  auto fixed = table->cellForRowAtIndexPath({0, 3});
  EXPECT_TRUE(fixed->reorderControl() == nullptr || fixed->reorderControl()->isHidden());
}

TEST_F(TableEditingTest, DroppingADraggedRowTellsTheDataSourceItsFinalPlace) {
  data->moves = true;
  data->fixed.insert({0, 5});
  EXPECT_FALSE(gestures().beginReorderingRowAtIndexPath({0, 1}));  // not editing
  table->setEditing(true);
  EXPECT_FALSE(gestures().beginReorderingRowAtIndexPath({0, 5}));  // cannot move

  auto dragged = table->cellForRowAtIndexPath({0, 1});
  auto second = table->cellForRowAtIndexPath({0, 2});
  ASSERT_TRUE(gestures().beginReorderingRowAtIndexPath({0, 1}));
  gestures().reorderRowToPoint({160, table->rectForRowAtIndexPath({0, 3}).midY()});
  EXPECT_EQ(table->cellForRowAtIndexPath({0, 1}), second);  // made room
  EXPECT_EQ(second->frame().minY(), 44);
  gestures().reorderRowToPoint({160, table->rectForRowAtIndexPath({0, 4}).midY()});
  EXPECT_TRUE(data->calls.empty());
  gestures().endReordering();
  EXPECT_EQ(data->calls, std::vector<std::string>{"move 0.1 0.4"});
  EXPECT_EQ(table->cellForRowAtIndexPath({0, 4}), dragged);
  EXPECT_EQ(dragged->frame(), table->rectForRowAtIndexPath({0, 4}));
  RunLoop::main().advance(0.5);

  // By touch: the reorder control's drag, back to the top.
  TouchInjector finger(window);
  const CGPoint control = rowCentre({0, 4}, 320 - UITableViewCell::kReorderControlWidth / 2);
  finger.drag(control, {control.x, rowCentre({0, 0}).y - 10}, 0.5);
  EXPECT_EQ(data->calls.back(), "move 0.4 0.0");
  EXPECT_EQ(cellText(table->cellForRowAtIndexPath({0, 0})), "row 0.1");
  EXPECT_EQ(data->text({0, 0}), "row 0.1");
  EXPECT_FALSE(table->isReordering());
}

TEST_F(TableEditingTest, SwipeToDeleteShowsTheButtonAndItsTapCommits) {
  EXPECT_FALSE(gestures().swipeToDeleteRowAtIndexPath({0, 2}));  // nothing commits edits
  data->commits = true;
  delegate->deleteTitle = "Remove";
  ASSERT_TRUE(gestures().swipeToDeleteRowAtIndexPath({0, 2}));
  auto cell = table->cellForRowAtIndexPath({0, 2});
  ASSERT_TRUE(cell->isShowingDeleteConfirmation());
  auto button = cell->deleteConfirmationView();
  auto label = std::dynamic_pointer_cast<UILabel>(button->subviews().at(0));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), "Remove");
  EXPECT_EQ(button->frame().maxX(), 320);
  EXPECT_EQ(cell->contentView()->frame().minX(), -button->frame().width());

  gestures().tapRowAtIndexPath({0, 4});  // a tap elsewhere only hides the button
  EXPECT_FALSE(cell->isShowingDeleteConfirmation());
  EXPECT_TRUE(delegate->events.empty());

  gestures().swipeToDeleteRowAtIndexPath({0, 2});
  gestures().tapDeleteConfirmation();
  EXPECT_EQ(data->calls, std::vector<std::string>{"commit 1 0.2"});
  EXPECT_EQ(table->numberOfRowsInSection(0), 5);
  RunLoop::main().advance(0.5);

  // By touch: a swipe to the left on a row, then a tap on its button.
  TouchInjector finger(window);
  finger.drag(rowCentre({0, 1}, 250), rowCentre({0, 1}, 100), 0.2);
  ASSERT_EQ(table->indexPathForDeleteConfirmation(), (NSIndexPath{0, 1}));
  RunLoop::main().advance(0.5);
  const auto shown = table->cellForRowAtIndexPath({0, 1})->deleteConfirmationView();
  finger.tap(shown->convertPointToView({10, 10}, nullptr));
  EXPECT_EQ(data->calls.back(), "commit 1 0.1");
  EXPECT_EQ(data->rows[0].size(), 4u);
  RunLoop::main().advance(0.5);

  // The button keeps its tap from a tap recogniser further up, as a button does: a table inside
  // a popup that closes on taps still deletes.
  int taps = 0;
  auto tap = std::make_shared<UITapGestureRecognizer>();
  tap->addTarget([&taps](const auto&) { ++taps; });
  window->addGestureRecognizer(tap);
  finger.drag(rowCentre({0, 1}, 250), rowCentre({0, 1}, 100), 0.2);
  RunLoop::main().advance(0.5);
  const auto again = table->cellForRowAtIndexPath({0, 1})->deleteConfirmationView();
  ASSERT_NE(again, nullptr);
  finger.tap(again->convertPointToView({10, 10}, nullptr));
  EXPECT_EQ(data->rows[0].size(), 3u);
  EXPECT_EQ(taps, 0);
}

TEST_F(TableEditingTest, AHookOnTheCellClassLayoutSeesEveryCellAndCanSkipIt) {
  static int hooked = 0;
  static const UITableViewCell* frozen = nullptr;
  static Imp<void()> original;
  MSHookMessageEx<void()>(
      UITableViewCell::objcClass(), "layoutSubviews",
      [](Object* self) {
        ++hooked;
        if (self != frozen) original(self);
      },
      &original);

  auto cell = table->cellForRowAtIndexPath({0, 0});
  frozen = cell.get();
  hooked = 0;
  data->moves = true;
  table->setEditing(true);
  table->layoutIfNeeded();
  EXPECT_GE(hooked, 6);
  EXPECT_EQ(cell->contentView()->frame().minX(), 0);  // its layout was skipped
  EXPECT_EQ(table->cellForRowAtIndexPath({0, 1})->contentView()->frame().minX(),
            UITableViewCell::kEditingControlWidth);

  const int before = hooked;
  auto view = std::make_shared<UIView>();
  view->layoutIfNeeded();  // other views keep UIView's own layout
  EXPECT_EQ(hooked, before);
}

}  // namespace
}  // namespace host
