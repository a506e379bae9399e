#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TableTestSupport.h"
#include "uikit/UITableViewController.h"
#include "uikit/UITableViewHeaderFooterView.h"

namespace host {
namespace {

using testing::cellText;
using testing::ListDataSource;
using testing::RecordingDelegate;

class TableViewTest : public ::testing::Test {
 protected:
  void SetUp() override { RunLoop::main().reset(); }

  std::shared_ptr<UITableView> makeTable(UITableViewStyle style = UITableViewStylePlain) {
    auto table = UITableView::tableWithFrame(CGRectMake(0, 0, 320, 440), style);
    table->setDataSource(data);
    table->setDelegate(delegate);
    table->layoutIfNeeded();
    return table;
  }

  std::shared_ptr<ListDataSource> data = ListDataSource::withRows(20, 2);
  std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
};

TEST_F(TableViewTest, OnlyRowsOnScreenHaveCellsAndScrolledOffCellsAreReused) {
  data->headers[1] = "Second";
  auto table = makeTable();
  EXPECT_EQ(table->rectForRowAtIndexPath({0, 0}), CGRectMake(0, 0, 320, 44));
  EXPECT_EQ(table->rectForHeaderInSection(1), CGRectMake(0, 20 * 44, 320, 28));
  EXPECT_EQ(table->rectForRowAtIndexPath({1, 0}).minY(), 20 * 44 + 28);
  EXPECT_EQ(table->contentSize().height, 40 * 44 + 28);
  EXPECT_EQ(table->numberOfSections(), 2);
  EXPECT_EQ(table->numberOfRowsInSection(1), 20);

  EXPECT_EQ(table->indexPathsForVisibleRows().size(), 10u);
  EXPECT_EQ(data->cellsMade, 10);
  EXPECT_EQ(table->cellForRowAtIndexPath({0, 10}), nullptr);
  for (const auto& cell : table->visibleCells()) {
    const auto ip = table->indexPathForCell(cell.get());
    ASSERT_TRUE(ip.has_value());
    EXPECT_EQ(cell->frame(), table->rectForRowAtIndexPath(*ip));
    EXPECT_EQ(cellText(cell), data->text(*ip));
    EXPECT_EQ(cell->superview(), table);
  }

  // A full screen further: every row is new, and every cell an old one.
  table->setContentOffset({0, 440});
  EXPECT_EQ(table->cellForRowAtIndexPath({0, 2}), nullptr);
  EXPECT_EQ(cellText(table->cellForRowAtIndexPath({0, 15})), "row 0.15");
  EXPECT_EQ(data->cellsMade, 10);
  // Row by row down to the second section: at most one cell more (a half-shown row).
  for (double y = 440; y <= 900; y += 22)
    table->setContentOffset({0, y});
  EXPECT_LE(data->cellsMade, 11);
  EXPECT_EQ(cellText(table->cellForRowAtIndexPath({1, 0})), "row 1.0");
  ASSERT_NE(table->headerViewForSection(1), nullptr);
  auto header =
      std::dynamic_pointer_cast<UITableViewHeaderFooterView>(table->headerViewForSection(1));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->textLabel()->text(), "Second");
  EXPECT_GT(delegate->scrolls, 20);
}

TEST_F(TableViewTest, PointsAndHeightsFollowTheDelegate) {
  delegate->heights[{0, 1}] = 100;
  auto table = makeTable();
  EXPECT_EQ(table->rectForRowAtIndexPath({0, 2}), CGRectMake(0, 144, 320, 44));
  EXPECT_EQ(table->indexPathForRowAtPoint({10, 143.5}), (NSIndexPath{0, 1}));
  EXPECT_EQ(table->indexPathForRowAtPoint({10, 144}), (NSIndexPath{0, 2}));
  EXPECT_EQ(table->indexPathForRowAtPoint({10, -1}), std::nullopt);
  EXPECT_EQ(table->indexPathForRowAtPoint({10, 5000}), std::nullopt);
  EXPECT_EQ(table->rectForRowAtIndexPath({5, 0}), CGRectZero);

  table->setRowHeight(30);
  table->reloadData();
  EXPECT_EQ(table->rectForRowAtIndexPath({0, 2}), CGRectMake(0, 130, 320, 30));
}

TEST_F(TableViewTest, GroupedSectionsAreSpacedByHeadersAndFootersSizedByTheirText) {
  data->headers[0] = "General";
  data->footers[1] =
      "A footer long enough to wrap over several lines of the grouped table's "
      "narrow width, so that it needs more than a single line of thirteen points.";
  auto table = makeTable(UITableViewStyleGrouped);
  EXPECT_EQ(table->rectForHeaderInSection(0).height(), 35);
  EXPECT_EQ(table->rectForFooterInSection(0).height(), 17.5);
  EXPECT_EQ(table->rectForHeaderInSection(1).height(), 17.5);
  EXPECT_GT(table->rectForFooterInSection(1).height(), 2 * 13);
  EXPECT_EQ(table->rectForRowAtIndexPath({0, 0}).minY(), 35);

  table->setTableHeaderView(std::make_shared<UIView>());
  table->tableHeaderView()->setFrame(CGRectMake(0, 0, 10, 60));
  table->setTableHeaderView(table->tableHeaderView());
  EXPECT_EQ(table->rectForRowAtIndexPath({0, 0}).minY(), 95);
  EXPECT_EQ(table->tableHeaderView()->frame(), CGRectMake(0, 0, 320, 60));
}

TEST_F(TableViewTest, ScrollToRowPlacesItAtTheTopMiddleOrBottom) {
  data = ListDataSource::withRows(100);
  auto table = makeTable();
  table->scrollToRowAtIndexPath({0, 50}, UITableViewScrollPositionMiddle, false);
  EXPECT_EQ(table->contentOffset().y, 50 * 44 + 22 - 220);
  EXPECT_NE(table->cellForRowAtIndexPath({0, 50}), nullptr);
  table->scrollToRowAtIndexPath({0, 50}, UITableViewScrollPositionNone, false);
  EXPECT_EQ(table->contentOffset().y, 50 * 44 + 22 - 220);  // in full view already
  table->scrollToRowAtIndexPath({0, 50}, UITableViewScrollPositionBottom, false);
  EXPECT_EQ(table->contentOffset().y, 51 * 44 - 440);
  table->scrollToRowAtIndexPath({0, 99}, UITableViewScrollPositionTop, false);
  EXPECT_EQ(table->contentOffset().y, 100 * 44 - 440);  // as far as the content goes

  table->scrollToRowAtIndexPath({0, 0}, UITableViewScrollPositionTop, true);
  RunLoop::main().advance(0.35);
  EXPECT_EQ(table->contentOffset().y, 0);
  EXPECT_EQ(cellText(table->cellForRowAtIndexPath({0, 0})), "row 0.0");
}

class ThreeRowController : public UITableViewController {
 public:
  using UITableViewController::UITableViewController;
  long tableViewNumberOfRowsInSection(UITableView&, long) override { return 3; }
  std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(UITableView&,
                                                                  const NSIndexPath&) override {
    return UITableViewCell::cellWithStyle(UITableViewCellStyleValue1, "");
  }
};

TEST_F(TableViewTest, TableControllersAndDataSourcesAreHeldWeakly) {
  std::weak_ptr<UITableView> weakTable;
  std::weak_ptr<UITableViewCell> weakCell;
  {
    auto controller = std::make_shared<ThreeRowController>();
    controller->initWithStyle(UITableViewStyleGrouped);
    auto table = controller->tableView();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->style(), UITableViewStyleGrouped);
    EXPECT_EQ(table->dataSource().get(), controller.get());
    EXPECT_EQ(table->numberOfRowsInSection(0), 3);
    table->selectRowAtIndexPath(NSIndexPath{0, 1}, false, UITableViewScrollPositionNone);
    controller->viewWillAppear(false);
    EXPECT_EQ(table->indexPathForSelectedRow(), std::nullopt);
    weakTable = table;
    weakCell = table->cellForRowAtIndexPath({0, 2});
    ASSERT_FALSE(weakCell.expired());
  }
  EXPECT_TRUE(weakTable.expired());
  EXPECT_TRUE(weakCell.expired());

  // A table outliving its data source shows nothing rather than calling a dead object.
  auto table = makeTable();
  data.reset();
  table->reloadData();
  EXPECT_EQ(table->numberOfSections(), 0);
  EXPECT_TRUE(table->visibleCells().empty());
}

}  // namespace
}  // namespace host
