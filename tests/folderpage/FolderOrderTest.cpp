#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <string>
#include <vector>

#include "folders/folderController.h"
#include "preferences/PSSpecifier.h"

namespace vorlan::test {
namespace {

using Specifiers = host::PSListController::Specifiers;

Specifiers cellsNamed(const std::vector<std::string>& ids) {
  Specifiers cells;
  for (const auto& id : ids)
    cells.push_back(host::PSSpecifier::specifier(id, id));
  return cells;
}

std::vector<std::string> ordered(const std::vector<std::string>& ids,
                                 const std::map<std::string, int>& positions) {
  std::vector<std::string> out;
  for (const auto& cell : folderController::inFolderOrder(cellsNamed(ids), [&](const auto& c) {
         const auto found = positions.find(c.identifier());
         return found == positions.end() ? -1 : found->second;
       })) {
    out.push_back(cell->identifier());
  }
  return out;
}

// Whatever order the sort page stored (every row numbered from 0), the page shows exactly it,
// whatever order the cells come in from the folder.
TEST(FolderOrder, EveryStoredOrderIsShownAsStored) {
  for (int count = 1; count <= 5; ++count) {
    std::vector<std::string> ids;
    for (int i = 0; i < count; ++i)
      ids.push_back(std::string(1, static_cast<char>('A' + i)));
    std::vector<int> places(ids.size());
    std::iota(places.begin(), places.end(), 0);
    do {
      std::map<std::string, int> positions;
      std::vector<std::string> expected(ids.size());
      for (std::size_t i = 0; i < ids.size(); ++i) {
        positions[ids[i]] = places[i];
        expected[static_cast<std::size_t>(places[i])] = ids[i];
      }
      ASSERT_EQ(ordered(ids, positions), expected)
          << "positions of A.. " << ::testing::PrintToString(places);
    } while (std::next_permutation(places.begin(), places.end()));
  }
}

TEST(FolderOrder, PlacesPastTheEndGoLastAndUnsortedCellsFillTheGapsInFolderOrder) {
  EXPECT_EQ(ordered({"A", "B", "C"}, {{"A", 7}}), (std::vector<std::string>{"B", "C", "A"}));
  // A cell filed after the last sort has no place: it takes the first free one.
  EXPECT_EQ(ordered({"A", "B", "C"}, {{"A", 1}, {"C", 0}}),
            (std::vector<std::string>{"C", "A", "B"}));
  EXPECT_EQ(ordered({"A", "B", "C"}, {}), (std::vector<std::string>{"A", "B", "C"}));
  // Two cells claiming one place (a hand-edited file) keep their folder order there.
  EXPECT_EQ(ordered({"A", "B", "C"}, {{"C", 0}, {"B", 0}}),
            (std::vector<std::string>{"B", "C", "A"}));
  EXPECT_TRUE(ordered({}, {}).empty());
}

}  // namespace
}  // namespace vorlan::test
