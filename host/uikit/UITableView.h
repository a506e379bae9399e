#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "uikit/NSIndexPath.h"
#include "uikit/TableLayout.h"
#include "uikit/TableUpdate.h"
#include "uikit/UIScrollView.h"
#include "uikit/UITableViewCell.h"

namespace host {

class UIColor;
class UITableViewDataSource;
class UITableViewDelegate;
class UITableViewTestApi;

enum UITableViewStyle { UITableViewStylePlain, UITableViewStyleGrouped };

enum UITableViewScrollPosition {
  UITableViewScrollPositionNone,
  UITableViewScrollPositionTop,
  UITableViewScrollPositionMiddle,
  UITableViewScrollPositionBottom,
};

// Every animation but none fades the rows in and out.
enum UITableViewRowAnimation {
  UITableViewRowAnimationFade,
  UITableViewRowAnimationRight,
  UITableViewRowAnimationLeft,
  UITableViewRowAnimationTop,
  UITableViewRowAnimationBottom,
  UITableViewRowAnimationNone,
  UITableViewRowAnimationMiddle,
  UITableViewRowAnimationAutomatic = 100,
};

enum UITableViewCellSeparatorStyle {
  UITableViewCellSeparatorStyleNone,
  UITableViewCellSeparatorStyleSingleLine,
};

inline constexpr CGFloat UITableViewAutomaticDimension = -1;

// A scrolling list of rows in sections, from a data source and a delegate (both held weakly).
//
// Rows are laid out top to bottom: the table header view, then per section its header, rows and
// footer, then the table footer view. Only rows whose frames meet the visible bounds have cells:
// cells leaving the screen go to a reuse pool by identifier, from which the data source takes
// them again (dequeueReusableCellWithIdentifier). The data is loaded at the first layout or
// cell request, and again on reloadData.
//
// Updates (insert/delete/reload of rows and sections) are checked against the data source's new
// counts as UIKit does. An update that does not add up is a programming error that UIKit answers
// with an exception; here it is logged ("UITableView: invalid update: ...") and the table reloads
// all its data instead, so the screen matches the data source. Rows move to their new frames in a
// 0.3 s animation; removed rows fade out, inserted ones fade in.
//
// The user's gestures: touches on the table (a tap on a row, on an editing control or on a delete
// button), a horizontal pan of at least kSwipeDistance to the left on a row (swipe-to-delete) and
// the drag of a reorder control (tracked by the cell) end in the private gesture outcomes below.
//
// The class is implemented in several files: UITableView.cpp (cells, loading, layout, tiling)
// and UITableView+Updates, +Selection, +Editing, +DeleteConfirmation, +Reordering, +Touches.
class UITableView : public UIScrollView {
 public:
  using CellFactory = std::function<std::shared_ptr<UITableViewCell>(const std::string&)>;
  static constexpr CGFloat kDefaultRowHeight = 44;
  static constexpr CGFloat kSwipeDistance = 50;

  static Class* objcClass();
  explicit UITableView(Class* cls = objcClass());
  ~UITableView() override;
  // initWithFrame:style:
  static std::shared_ptr<UITableView> tableWithFrame(const CGRect& frame, UITableViewStyle style);

  UITableViewStyle style() const { return style_; }
  void setStyle(UITableViewStyle style);  // before the data loads

  std::shared_ptr<UITableViewDataSource> dataSource() const { return dataSource_.lock(); }
  void setDataSource(const std::shared_ptr<UITableViewDataSource>& dataSource);
  std::shared_ptr<UITableViewDelegate> delegate() const { return delegate_.lock(); }
  // Also the scroll view's delegate.
  void setDelegate(const std::shared_ptr<UITableViewDelegate>& delegate);

  CGFloat rowHeight() const { return rowHeight_; }
  void setRowHeight(CGFloat height) { rowHeight_ = height; }
  // UITableViewAutomaticDimension (the default) picks the style's heights.
  CGFloat sectionHeaderHeight() const { return sectionHeaderHeight_; }
  void setSectionHeaderHeight(CGFloat height) { sectionHeaderHeight_ = height; }
  CGFloat sectionFooterHeight() const { return sectionFooterHeight_; }
  void setSectionFooterHeight(CGFloat height) { sectionFooterHeight_ = height; }

  const std::shared_ptr<UIView>& tableHeaderView() const { return tableHeaderView_; }
  void setTableHeaderView(std::shared_ptr<UIView> view);
  const std::shared_ptr<UIView>& tableFooterView() const { return tableFooterView_; }
  void setTableFooterView(std::shared_ptr<UIView> view);
  UITableViewCellSeparatorStyle separatorStyle() const { return separatorStyle_; }
  void setSeparatorStyle(UITableViewCellSeparatorStyle style);
  std::shared_ptr<UIColor> separatorColor() const { return separatorColor_; }
  void setSeparatorColor(std::shared_ptr<UIColor> color);

  // Cells.
  void registerClass(CellFactory factory, const std::string& reuseIdentifier);
  // A runtime class of UITableViewCell (or below): made by name, in the default style.
  void registerClass(Class* cellClass, const std::string& reuseIdentifier);
  // A cell from the reuse pool (after prepareForReuse), else a new one from the registered
  // factory, else nothing.
  std::shared_ptr<UITableViewCell> dequeueReusableCellWithIdentifier(const std::string& identifier);
  // Nothing for rows off screen.
  std::shared_ptr<UITableViewCell> cellForRowAtIndexPath(const NSIndexPath& indexPath);
  std::vector<std::shared_ptr<UITableViewCell>> visibleCells();
  std::vector<NSIndexPath> indexPathsForVisibleRows();
  std::optional<NSIndexPath> indexPathForCell(const UITableViewCell* cell) const;
  // A point in the table's coordinates (which scroll with the content).
  std::optional<NSIndexPath> indexPathForRowAtPoint(const CGPoint& point);
  CGRect rectForRowAtIndexPath(const NSIndexPath& indexPath);
  CGRect rectForSection(long section);
  CGRect rectForHeaderInSection(long section);
  CGRect rectForFooterInSection(long section);
  // The header and footer views on screen (the delegate's or one made for a title).
  std::shared_ptr<UIView> headerViewForSection(long section) const;
  std::shared_ptr<UIView> footerViewForSection(long section) const;

  long numberOfSections();
  long numberOfRowsInSection(long section);

  // Data.
  void reloadData();
  void reloadSections(const std::vector<long>& sections, UITableViewRowAnimation animation);
  void reloadRowsAtIndexPaths(const std::vector<NSIndexPath>& indexPaths,
                              UITableViewRowAnimation animation);
  void insertRowsAtIndexPaths(const std::vector<NSIndexPath>& indexPaths,
                              UITableViewRowAnimation animation);
  void deleteRowsAtIndexPaths(const std::vector<NSIndexPath>& indexPaths,
                              UITableViewRowAnimation animation);
  void insertSections(const std::vector<long>& sections, UITableViewRowAnimation animation);
  void deleteSections(const std::vector<long>& sections, UITableViewRowAnimation animation);
  // Batches nest; the outermost endUpdates applies them.
  void beginUpdates();
  void endUpdates();

  // Selection.
  bool allowsSelection() const { return allowsSelection_; }
  void setAllowsSelection(bool allows) { allowsSelection_ = allows; }
  bool allowsMultipleSelection() const { return allowsMultipleSelection_; }
  void setAllowsMultipleSelection(bool allows) { allowsMultipleSelection_ = allows; }
  bool allowsSelectionDuringEditing() const { return allowsSelectionDuringEditing_; }
  void setAllowsSelectionDuringEditing(bool allows) { allowsSelectionDuringEditing_ = allows; }
  bool allowsMultipleSelectionDuringEditing() const {
    return allowsMultipleSelectionDuringEditing_;
  }
  void setAllowsMultipleSelectionDuringEditing(bool allows) {
    allowsMultipleSelectionDuringEditing_ = allows;
  }
  // Without delegate calls, as in UIKit. Nothing as the index path deselects every row.
  void selectRowAtIndexPath(const std::optional<NSIndexPath>& indexPath, bool animated,
                            UITableViewScrollPosition scrollPosition);
  void deselectRowAtIndexPath(const NSIndexPath& indexPath, bool animated);
  std::optional<NSIndexPath> indexPathForSelectedRow() const;
  std::vector<NSIndexPath> indexPathsForSelectedRows() const;

  void scrollToRowAtIndexPath(const NSIndexPath& indexPath, UITableViewScrollPosition position,
                              bool animated);

  // Editing.
  bool isEditing() const { return editing_; }
  void setEditing(bool editing) { setEditing(editing, false); }
  void setEditing(bool editing, bool animated);

  // The row whose delete button shows, and whether a row is being dragged to another place.
  std::optional<NSIndexPath> indexPathForDeleteConfirmation() const { return deleteRow_; }
  bool isReordering() const { return reorder_.has_value(); }

  void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
  void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
  void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;

 protected:
  void layoutSubviewsImpl() override;
  void contentOffsetDidChange() override;
  void panDidEnd(const CGPoint& translation, const CGPoint& location) override;

 private:
  // The cell tracks the drag of its reorder control; tests drive the outcomes directly.
  friend class UITableViewCell;
  friend class UITableViewTestApi;

  static constexpr double kUpdateDuration = 0.3;

  // What the user's gestures end in. A tap selects the row (asking and telling the delegate) or,
  // with multiple selection, toggles it; while a delete button shows, a tap only hides it.
  void tapRowAtIndexPath(const NSIndexPath& indexPath);
  // The editing control of a row: delete shows the delete button, insert commits.
  void tapEditingControlOfRowAtIndexPath(const NSIndexPath& indexPath);
  // Shows the row's delete button when it can be deleted: not editing, the data source commits
  // edits, the row is editable and its style is delete. Answers whether it shows.
  bool swipeToDeleteRowAtIndexPath(const NSIndexPath& indexPath);
  void tapDeleteConfirmation();
  void hideDeleteConfirmation(bool animated);
  // Shows the row's delete button (hiding any other first), titled as the delegate says.
  void showDeleteConfirmation(UITableViewCell& cell, const NSIndexPath& indexPath);
  // Dragging a reorder control: begins on a visible row that can move while editing; the point
  // (in the table's coordinates) is where the dragged row's centre goes; the end drops it and
  // tells the data source when its place changed.
  bool beginReorderingRowAtIndexPath(const NSIndexPath& indexPath);
  void reorderRowToPoint(const CGPoint& point);
  void endReordering();

  struct Reorder {
    NSIndexPath source;   // where the row was when the drag began
    NSIndexPath current;  // where it shows now
    std::shared_ptr<UITableViewCell> cell;
  };

  static std::string describe(const NSIndexPath& indexPath);
  void ensureLoaded();
  TableLayout buildLayout();
  CGFloat automaticHeaderHeight(long section, bool hasTitle) const;
  CGFloat automaticFooterHeight(const std::string& title) const;
  void applyLayout(TableLayout layout);
  void tile(bool animated);
  void tileSupplementaryViews();
  std::shared_ptr<UITableViewCell> makeCell(const NSIndexPath& indexPath);
  void configureCell(UITableViewCell& cell, const NSIndexPath& indexPath);
  void enqueue(const std::shared_ptr<UITableViewCell>& cell);
  void dropAllCells();
  void queueUpdate(const std::function<void(TableUpdate&)>& change,
                   UITableViewRowAnimation animation);
  void applyUpdate(TableUpdate update, bool animated);
  void setRowSelected(const NSIndexPath& indexPath, bool selected, bool animated);
  void deselectWithDelegate(const NSIndexPath& indexPath);
  // The data source's index path for a row as shown, while a reorder moves it.
  NSIndexPath dataSourceIndexPath(const NSIndexPath& shown) const;
  bool editable(const NSIndexPath& indexPath);
  UITableViewCellEditingStyle editingStyleFor(const NSIndexPath& indexPath);
  bool canMove(const NSIndexPath& indexPath);

  UITableViewStyle style_ = UITableViewStylePlain;
  std::weak_ptr<UITableViewDataSource> dataSource_;
  std::weak_ptr<UITableViewDelegate> delegate_;
  CGFloat rowHeight_ = kDefaultRowHeight;
  CGFloat sectionHeaderHeight_ = UITableViewAutomaticDimension;
  CGFloat sectionFooterHeight_ = UITableViewAutomaticDimension;
  std::shared_ptr<UIView> tableHeaderView_;
  std::shared_ptr<UIView> tableFooterView_;
  UITableViewCellSeparatorStyle separatorStyle_ = UITableViewCellSeparatorStyleSingleLine;
  std::shared_ptr<UIColor> separatorColor_;

  bool loaded_ = false;
  bool tiling_ = false;
  std::uint64_t generation_ = 0;  // counts reloads and updates
  TableLayout layout_;
  std::map<NSIndexPath, std::shared_ptr<UITableViewCell>> visibleCells_;
  std::map<long, std::shared_ptr<UIView>> headerViews_;
  std::map<long, std::shared_ptr<UIView>> footerViews_;
  std::map<std::string, std::vector<std::shared_ptr<UITableViewCell>>> reusePool_;
  std::map<std::string, CellFactory> factories_;

  int updateDepth_ = 0;
  TableUpdate pendingUpdate_;
  bool pendingAnimated_ = false;

  std::set<NSIndexPath> selected_;
  bool allowsSelection_ = true;
  bool allowsMultipleSelection_ = false;
  bool allowsSelectionDuringEditing_ = false;
  bool allowsMultipleSelectionDuringEditing_ = false;
  bool editing_ = false;
  std::optional<NSIndexPath> deleteRow_;
  std::optional<Reorder> reorder_;
  std::optional<NSIndexPath> touchedRow_;  // the row under a touch that may become a tap
};

}  // namespace host
