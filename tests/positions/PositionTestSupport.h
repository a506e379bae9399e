#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "cellmenu/CellMenuTestSupport.h"
#include "positions/positionSkyView.h"
#include "support/UITableViewTestApi.h"
#include "uikit/UITableView.h"

namespace vorlan::test {

// The cell action menu in the Settings app, with the position editor opened from it.
class PositionTest : public CellMenuTest {
 protected:
  // Opens the editor from the menu for the cell `id` of `page`, as a user does.
  std::shared_ptr<positionSkyView> openEditor(const std::shared_ptr<host::PSListController>& page,
                                              const std::string& id) {
    target(page, id);
    tap("Position");
    app->window()->layoutIfNeeded();
    settle();
    return menu->positionSky();
  }

  // Starts dragging the moving cell's reorder control (its row scrolled into view) and brings
  // its row over the row `over`, or just below it.
  static void dragOver(positionSkyView& editor, const host::NSIndexPath& over, bool below = false) {
    host::UITableViewTestApi table(editor.table());
    const auto from = editor.moved() ? editor.moved() : editor.first();
    ASSERT_TRUE(from);
    editor.table()->scrollToRowAtIndexPath(*from, host::UITableViewScrollPositionMiddle, false);
    editor.table()->layoutIfNeeded();
    ASSERT_TRUE(table.beginReorderingRowAtIndexPath(*from));
    const auto dragged = editor.table()->cellForRowAtIndexPath(*from);
    const host::CGRect rect = editor.table()->rectForRowAtIndexPath(over);
    table.reorderRowToPoint({rect.midX(), below ? rect.maxY() - 1 : rect.midY()});
    // The finger follows the row to the place it took, as rows above it may have closed up.
    if (const auto now = editor.table()->indexPathForCell(dragged.get())) {
      const host::CGRect slot = editor.table()->rectForRowAtIndexPath(*now);
      table.reorderRowToPoint({slot.midX(), slot.midY()});
    }
  }
  // Drags the moving cell onto the row `over` (or just below it) and drops it there.
  static void drop(positionSkyView& editor, const host::NSIndexPath& over, bool below = false) {
    dragOver(editor, over, below);
    host::UITableViewTestApi(editor.table()).endReordering();
    settle();
  }

  // The stored place of a cell of a page, as the settings file holds it.
  Plist place(const std::string& page, const std::string& id) const {
    return stored("position", page, id);
  }
  static Plist placeAt(long section, long row) {
    return Plist::dictionary({{"row", Plist::string(std::to_string(row))},
                              {"section", Plist::string(std::to_string(section))}});
  }
};

}  // namespace vorlan::test
