#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "preferences/PSSpecifier.h"
#include "preferences/PageSpecifiers.h"

namespace host {
namespace {

using Specifiers = PageSpecifiers::Specifiers;
using Rows = std::vector<NSIndexPath>;
using Sections = std::vector<long>;

std::shared_ptr<PSSpecifier> cell(const char* id) {
  return PSSpecifier::specifier(id, id);
}
std::shared_ptr<PSSpecifier> group(const char* name) {
  return PSSpecifier::groupSpecifierWithName(name);
}

class PageSpecifiersTest : public ::testing::Test {
 protected:
  // top | g1: a, b | g2: (empty) | g3: x
  std::shared_ptr<PSSpecifier> top = cell("top"), g1 = group("one"), a = cell("a"), b = cell("b"),
                               g2 = group("two"), g3 = group("three"), x = cell("x");
  PageSpecifiers list{Specifiers{top, g1, a, b, g2, g3, x}};
};

TEST_F(PageSpecifiersTest, GroupsAreSectionsAndTheirCellsRows) {
  ASSERT_EQ(list.numberOfGroups(), 4);
  const auto groups = list.groups();
  EXPECT_FALSE(groups[0].header);  // the cells before the first header
  EXPECT_EQ(groups[1].header, 1u);
  EXPECT_EQ(list.numberOfRowsInGroup(1), 2);
  EXPECT_EQ(list.numberOfRowsInGroup(2), 0);
  EXPECT_EQ(list.numberOfRowsInGroup(4), 0);
  EXPECT_EQ(list.numberOfRowsInGroup(-1), 0);

  EXPECT_EQ(list.indexForIndexPath({1, 1}), 3);
  EXPECT_EQ(list.indexPathForIndex(3), (NSIndexPath{1, 1}));
  EXPECT_EQ(list.indexPathForIndex(6), (NSIndexPath{3, 0}));
  EXPECT_FALSE(list.indexPathForIndex(1));  // a header has no row
  EXPECT_FALSE(list.indexPathForIndex(7));
  EXPECT_FALSE(list.indexPathForIndex(-1));
  EXPECT_FALSE(list.indexForIndexPath({2, 0}));
  EXPECT_FALSE(list.indexForIndexPath({1, -1}));
  EXPECT_EQ(list.groupOfHeader(5), 3);
  EXPECT_FALSE(list.groupOfHeader(2));
  EXPECT_EQ(list.indexOf(x.get()), 6);
  EXPECT_FALSE(list.indexOf(nullptr));
  EXPECT_EQ(list.specifierForID("b"), b);
  EXPECT_EQ(list.specifierForID("missing"), nullptr);

  // Groups follow a cell that becomes a header, and a header that becomes a cell, in every list
  // that holds it, copies included, however often they were asked before.
  const PageSpecifiers copy = list;
  a->setCellType(PSSpecifier::PSGroupCell);
  EXPECT_EQ(list.numberOfGroups(), 5);
  EXPECT_EQ(copy.numberOfGroups(), 5);
  EXPECT_EQ(list.indexPathForIndex(3), (NSIndexPath{2, 0}));
  a->setCellType(PSSpecifier::PSSwitchCell);
  g1->setCellType(PSSpecifier::PSLinkCell);
  EXPECT_EQ(list.numberOfGroups(), 3);
  EXPECT_EQ(copy.indexPathForIndex(2), (NSIndexPath{0, 2}));
  EXPECT_EQ(list.numberOfRowsInGroup(0), 4);
  g1->setCellType(PSSpecifier::PSGroupCell);
  EXPECT_EQ(list.numberOfGroups(), 4);
}

TEST_F(PageSpecifiersTest, ChangesMatchSectionsByHeaderAndRowsByCell) {
  const auto y = cell("y");
  const auto g4 = group("four");
  // Drop b and group two, add y to group one and a new group four at the end.
  const PageSpecifiers next{Specifiers{top, g1, y, a, g3, x, g4}};
  const auto changes = PageSpecifiers::changesBetween(list, next);
  EXPECT_FALSE(changes.reloadAll);
  EXPECT_EQ(changes.deletedSections, (Sections{2}));
  EXPECT_EQ(changes.insertedSections, (Sections{3}));
  EXPECT_EQ(changes.deletedRows, (Rows{{1, 1}}));   // numbered as before
  EXPECT_EQ(changes.insertedRows, (Rows{{1, 0}}));  // numbered as after

  // The headerless group is matched by having none; it comes and goes like any other.
  const auto gone = PageSpecifiers::changesBetween(list, PageSpecifiers{Specifiers{g1, a, b}});
  EXPECT_EQ(gone.deletedSections, (Sections{0, 2, 3}));
  EXPECT_TRUE(gone.insertedSections.empty());
  EXPECT_TRUE(gone.deletedRows.empty() && gone.insertedRows.empty());

  const auto same = PageSpecifiers::changesBetween(list, list);
  EXPECT_TRUE(same.deletedSections.empty() && same.insertedSections.empty());
  EXPECT_TRUE(same.deletedRows.empty() && same.insertedRows.empty());
}

TEST_F(PageSpecifiersTest, ACellHeldTwiceCannotBeMatched) {
  EXPECT_TRUE(
      PageSpecifiers::changesBetween(list, PageSpecifiers{Specifiers{top, g1, a, a}}).reloadAll);
  EXPECT_TRUE(
      PageSpecifiers::changesBetween(PageSpecifiers{Specifiers{x, x}}, PageSpecifiers{}).reloadAll);
  EXPECT_FALSE(PageSpecifiers::changesBetween(PageSpecifiers{}, list).reloadAll);
}

}  // namespace
}  // namespace host
