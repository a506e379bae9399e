#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TableTestSupport.h"
#include "uikit/TableUpdate.h"

namespace host {
namespace {

using testing::cellText;
using testing::ListDataSource;
using testing::logContains;

TEST(TableUpdateMapping, DeletionsUseOldPlacesAndInsertionsNewOnes) {
  TableUpdate update;
  update.insertRow({0, 3});
  update.deleteRow({0, 1});
  update.reloadRow({0, 4});
  ASSERT_EQ(update.resolve({5, 2}, {5, 2}), "");
  EXPECT_EQ(update.newIndexPath({0, 0}), (NSIndexPath{0, 0}));
  EXPECT_EQ(update.newIndexPath({0, 1}), std::nullopt);
  EXPECT_EQ(update.newIndexPath({0, 2}), (NSIndexPath{0, 1}));
  EXPECT_EQ(update.newIndexPath({0, 3}), (NSIndexPath{0, 2}));
  EXPECT_EQ(update.newIndexPath({0, 4}), (NSIndexPath{0, 4}));
  EXPECT_TRUE(update.isReloaded({0, 4}));
  EXPECT_EQ(update.newIndexPath({1, 1}), (NSIndexPath{1, 1}));

  TableUpdate sections;
  sections.deleteSection(0);
  sections.insertSection(1);
  ASSERT_EQ(sections.resolve({3, 2}, {2, 7}), "");
  EXPECT_EQ(sections.newIndexPath({0, 0}), std::nullopt);
  EXPECT_EQ(sections.newIndexPath({1, 1}), (NSIndexPath{0, 1}));

  TableUpdate wrong;
  wrong.insertRow({0, 0});
  EXPECT_NE(wrong.resolve({3}, {3}).find("number of rows in section 0"), std::string::npos);
  TableUpdate missing;
  missing.deleteRow({0, 7});
  EXPECT_NE(missing.resolve({3}, {2}).find("does not exist"), std::string::npos);
  TableUpdate sectionsOff;
  sectionsOff.deleteSection(1);
  EXPECT_NE(sectionsOff.resolve({3, 3}, {3, 3}).find("number of sections"), std::string::npos);
}

class TableUpdateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().reset();
    Log::setEchoToStderr(false);
    table = UITableView::tableWithFrame(CGRectMake(0, 0, 320, 440), UITableViewStylePlain);
    table->setDataSource(data);
    table->layoutIfNeeded();
  }

  void insertText(long row, const std::string& text) {
    data->rows[0].insert(data->rows[0].begin() + row, text);
  }

  std::shared_ptr<ListDataSource> data = ListDataSource::withRows(5);
  std::shared_ptr<UITableView> table;
};

TEST_F(TableUpdateTest, CellsFollowTheirRowsThroughInsertionsAndDeletions) {
  auto third = table->cellForRowAtIndexPath({0, 3});
  table->selectRowAtIndexPath(NSIndexPath{0, 3}, false, UITableViewScrollPositionNone);

  insertText(1, "new");
  table->insertRowsAtIndexPaths({{0, 1}}, UITableViewRowAnimationFade);
  EXPECT_EQ(table->numberOfRowsInSection(0), 6);
  EXPECT_EQ(table->cellForRowAtIndexPath({0, 4}), third);
  EXPECT_EQ(third->frame(), CGRectMake(0, 4 * 44, 320, 44));
  EXPECT_EQ(third->presentationFrame().minY(), 3 * 44);  // moves there over 0.3 s
  auto inserted = table->cellForRowAtIndexPath({0, 1});
  EXPECT_EQ(cellText(inserted), "new");
  EXPECT_EQ(inserted->presentationAlpha(), 0);
  EXPECT_EQ(table->indexPathForSelectedRow(), (NSIndexPath{0, 4}));
  RunLoop::main().advance(0.15);
  EXPECT_GT(third->presentationFrame().minY(), 3 * 44);
  EXPECT_LT(third->presentationFrame().minY(), 4 * 44);
  RunLoop::main().advance(0.2);
  EXPECT_EQ(third->presentationFrame().minY(), 4 * 44);
  EXPECT_EQ(inserted->presentationAlpha(), 1);

  // One batch: deletions name rows as they were, insertions as they become.
  auto first = table->cellForRowAtIndexPath({0, 0});
  auto last = table->cellForRowAtIndexPath({0, 5});
  data->rows[0] = {"row 0.0", "row 0.2", "inserted", "row 0.3", "row 0.4"};
  table->beginUpdates();
  table->insertRowsAtIndexPaths({{0, 2}}, UITableViewRowAnimationNone);
  table->deleteRowsAtIndexPaths({{0, 1}, {0, 2}}, UITableViewRowAnimationNone);
  table->endUpdates();
  EXPECT_EQ(table->cellForRowAtIndexPath({0, 0}), first);
  EXPECT_EQ(table->cellForRowAtIndexPath({0, 3}), third);
  EXPECT_EQ(table->cellForRowAtIndexPath({0, 4}), last);
  EXPECT_EQ(cellText(table->cellForRowAtIndexPath({0, 2})), "inserted");
  EXPECT_EQ(table->indexPathForSelectedRow(), (NSIndexPath{0, 3}));
  RunLoop::main().advance(1);
  EXPECT_EQ(table->visibleCells().size(), 5u);
  for (const auto& cell : table->subviews()) {
    if (auto c = std::dynamic_pointer_cast<UITableViewCell>(cell)) {
      EXPECT_TRUE(table->indexPathForCell(c.get()).has_value()) << "a removed cell stayed";
    }
  }
}

TEST_F(TableUpdateTest, SectionsComeAndGoAndReloadedRowsGetNewCells) {
  data->rows.push_back({"a", "b"});
  table->insertSections({1}, UITableViewRowAnimationFade);
  EXPECT_EQ(table->numberOfSections(), 2);
  EXPECT_EQ(cellText(table->cellForRowAtIndexPath({1, 1})), "b");

  data->rows[0][2] = "changed";
  table->reloadRowsAtIndexPaths({{0, 2}}, UITableViewRowAnimationNone);
  EXPECT_EQ(cellText(table->cellForRowAtIndexPath({0, 2})), "changed");

  data->rows.erase(data->rows.begin());
  table->deleteSections({0}, UITableViewRowAnimationNone);
  EXPECT_EQ(table->numberOfSections(), 1);
  EXPECT_EQ(cellText(table->cellForRowAtIndexPath({0, 0})), "a");
  EXPECT_EQ(table->rectForRowAtIndexPath({0, 0}).minY(), 0);
  EXPECT_FALSE(logContains("invalid update"));
}

TEST_F(TableUpdateTest, AnUpdateThatDoesNotAddUpIsLoggedAndReloadsInsteadOfCrashing) {
  insertText(0, "x");
  insertText(0, "y");
  table->insertRowsAtIndexPaths({{0, 0}}, UITableViewRowAnimationFade);  // one of two
  EXPECT_TRUE(logContains("UITableView: invalid update: the number of rows in section 0"));
  EXPECT_EQ(table->numberOfRowsInSection(0), 7);
  EXPECT_EQ(cellText(table->cellForRowAtIndexPath({0, 0})), "y");
  EXPECT_EQ(cellText(table->cellForRowAtIndexPath({0, 6})), "row 0.4");

  Log::clear();
  table->deleteRowsAtIndexPaths({{0, 40}}, UITableViewRowAnimationFade);
  EXPECT_TRUE(logContains("does not exist"));
  EXPECT_EQ(table->numberOfRowsInSection(0), 7);

  Log::clear();
  table->endUpdates();  // unbalanced: noted, nothing else
  EXPECT_TRUE(logContains("endUpdates without beginUpdates"));
}

}  // namespace
}  // namespace host
