#include "uikit/UITableView.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "foundation/Log.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/TextLayout.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UITableViewDataSource.h"
#include "uikit/UITableViewDelegate.h"
#include "uikit/UITableViewHeaderFooterView.h"
#include "uikit/UITouch.h"

namespace host {

namespace {

// Heights UIKit gives section headers and footers without a delegate's or the table's own.
constexpr CGFloat kGroupedTitledHeaderHeight = 35;
constexpr CGFloat kGroupedSpacing = 17.5;
constexpr CGFloat kPlainTitleHeight = 28;
constexpr CGFloat kFooterTextPadding = 16;
constexpr CGFloat kFooterTextFontSize = 13;

}  // namespace

HOST_CLASS(UITableView, UIScrollView)

UITableView::UITableView(Class* cls) : UIScrollView(cls) {
  setAlwaysBounceVertical(true);
  separatorColor_ = UIColor::colorWithRed(0.78, 0.78, 0.8, 1);
}

UITableView::~UITableView() = default;

std::string UITableView::describe(const NSIndexPath& ip) {
  return "row " + std::to_string(ip.row) + " of section " + std::to_string(ip.section);
}

std::shared_ptr<UITableView> UITableView::tableWithFrame(const CGRect& frame,
                                                         UITableViewStyle style) {
  auto table = std::make_shared<UITableView>();
  table->setStyle(style);
  table->setFrame(frame);
  return table;
}

void UITableView::setStyle(UITableViewStyle style) {
  style_ = style;
  if (style == UITableViewStyleGrouped) {
    setBackgroundColor(UIColor::colorWithRed(0.94, 0.94, 0.96, 1));
  }
  loaded_ = false;
  setNeedsLayout();
}

void UITableView::setDataSource(const std::shared_ptr<UITableViewDataSource>& dataSource) {
  dataSource_ = dataSource;
  loaded_ = false;
  setNeedsLayout();
}

void UITableView::setDelegate(const std::shared_ptr<UITableViewDelegate>& delegate) {
  delegate_ = delegate;
  UIScrollView::setDelegate(delegate);
  loaded_ = false;
  setNeedsLayout();
}

void UITableView::setTableHeaderView(std::shared_ptr<UIView> view) {
  if (tableHeaderView_) tableHeaderView_->removeFromSuperview();
  tableHeaderView_ = std::move(view);
  if (tableHeaderView_) addSubview(tableHeaderView_);
  if (loaded_) {
    layout_.setMargins(tableHeaderView_ ? tableHeaderView_->frame().height() : 0,
                       tableFooterView_ ? tableFooterView_->frame().height() : 0);
    tile(false);
  }
}

void UITableView::setTableFooterView(std::shared_ptr<UIView> view) {
  if (tableFooterView_) tableFooterView_->removeFromSuperview();
  tableFooterView_ = std::move(view);
  if (tableFooterView_) addSubview(tableFooterView_);
  if (loaded_) {
    layout_.setMargins(tableHeaderView_ ? tableHeaderView_->frame().height() : 0,
                       tableFooterView_ ? tableFooterView_->frame().height() : 0);
    tile(false);
  }
}

void UITableView::setSeparatorStyle(UITableViewCellSeparatorStyle style) {
  separatorStyle_ = style;
  for (const auto& [ip, cell] : visibleCells_)
    configureCell(*cell, ip);
}

void UITableView::setSeparatorColor(std::shared_ptr<UIColor> color) {
  separatorColor_ = std::move(color);
  for (const auto& [ip, cell] : visibleCells_)
    configureCell(*cell, ip);
}

// Cells.

void UITableView::registerClass(CellFactory factory, const std::string& reuseIdentifier) {
  if (factory) {
    factories_[reuseIdentifier] = std::move(factory);
  } else {
    factories_.erase(reuseIdentifier);
  }
}

void UITableView::registerClass(Class* cellClass, const std::string& reuseIdentifier) {
  if (cellClass == nullptr || !cellClass->isSubclassOf(UITableViewCell::objcClass())) {
    NSLog("UITableView: cannot register a class that is not a UITableViewCell for \"" +
          reuseIdentifier + "\"");
    return;
  }
  registerClass(
      [cellClass](const std::string& identifier) {
        auto cell = std::dynamic_pointer_cast<UITableViewCell>(cellClass->createInstance());
        if (cell) cell->initWithStyle(UITableViewCellStyleDefault, identifier);
        return cell;
      },
      reuseIdentifier);
}

std::shared_ptr<UITableViewCell> UITableView::dequeueReusableCellWithIdentifier(
    const std::string& identifier) {
  auto pool = reusePool_.find(identifier);
  if (pool != reusePool_.end() && !pool->second.empty()) {
    auto cell = std::move(pool->second.back());
    pool->second.pop_back();
    cell->prepareForReuse();
    return cell;
  }
  auto factory = factories_.find(identifier);
  if (factory == factories_.end()) return nullptr;
  auto cell = factory->second(identifier);
  if (cell && cell->reuseIdentifier().empty()) cell->initWithStyle(cell->style(), identifier);
  return cell;
}

std::shared_ptr<UITableViewCell> UITableView::cellForRowAtIndexPath(const NSIndexPath& indexPath) {
  ensureLoaded();
  auto it = visibleCells_.find(indexPath);
  return it == visibleCells_.end() ? nullptr : it->second;
}

std::vector<std::shared_ptr<UITableViewCell>> UITableView::visibleCells() {
  ensureLoaded();
  std::vector<std::shared_ptr<UITableViewCell>> cells;
  for (const auto& [ip, cell] : visibleCells_)
    cells.push_back(cell);
  return cells;
}

std::vector<NSIndexPath> UITableView::indexPathsForVisibleRows() {
  ensureLoaded();
  std::vector<NSIndexPath> rows;
  for (const auto& [ip, cell] : visibleCells_)
    rows.push_back(ip);
  return rows;
}

std::optional<NSIndexPath> UITableView::indexPathForCell(const UITableViewCell* cell) const {
  for (const auto& [ip, visible] : visibleCells_) {
    if (visible.get() == cell) return ip;
  }
  return std::nullopt;
}

std::optional<NSIndexPath> UITableView::indexPathForRowAtPoint(const CGPoint& point) {
  ensureLoaded();
  return layout_.rowAtY(point.y);
}

CGRect UITableView::rectForRowAtIndexPath(const NSIndexPath& indexPath) {
  ensureLoaded();
  return layout_.rectForRow(indexPath, bounds().width());
}

CGRect UITableView::rectForSection(long section) {
  ensureLoaded();
  return layout_.rectForSection(section, bounds().width());
}

CGRect UITableView::rectForHeaderInSection(long section) {
  ensureLoaded();
  return layout_.rectForHeader(section, bounds().width());
}

CGRect UITableView::rectForFooterInSection(long section) {
  ensureLoaded();
  return layout_.rectForFooter(section, bounds().width());
}

std::shared_ptr<UIView> UITableView::headerViewForSection(long section) const {
  auto it = headerViews_.find(section);
  return it == headerViews_.end() ? nullptr : it->second;
}

std::shared_ptr<UIView> UITableView::footerViewForSection(long section) const {
  auto it = footerViews_.find(section);
  return it == footerViews_.end() ? nullptr : it->second;
}

long UITableView::numberOfSections() {
  ensureLoaded();
  return layout_.numberOfSections();
}

long UITableView::numberOfRowsInSection(long section) {
  ensureLoaded();
  return layout_.numberOfRows(section);
}

// Loading and laying out.

void UITableView::ensureLoaded() {
  if (!loaded_) reloadData();
}

CGFloat UITableView::automaticHeaderHeight(long section, bool hasTitle) const {
  if (sectionHeaderHeight_ >= 0) return sectionHeaderHeight_;
  if (style_ == UITableViewStylePlain) return hasTitle ? kPlainTitleHeight : 0;
  return hasTitle || section == 0 ? kGroupedTitledHeaderHeight : kGroupedSpacing;
}

CGFloat UITableView::automaticFooterHeight(const std::string& title) const {
  if (sectionFooterHeight_ >= 0) return sectionFooterHeight_;
  if (title.empty()) return style_ == UITableViewStylePlain ? 0 : kGroupedSpacing;
  TextLayout text(title, *UIFont::systemFontOfSize(kFooterTextFontSize));
  text.setWidth(bounds().width() - 2 * UITableViewHeaderFooterView::kTextInset);
  const CGFloat needed = TextLayout::ceilToPixels(text.size().height, 2) + kFooterTextPadding;
  return std::max(needed, style_ == UITableViewStylePlain ? kPlainTitleHeight : kGroupedSpacing);
}

TableLayout UITableView::buildLayout() {
  const CGFloat top = tableHeaderView_ ? tableHeaderView_->frame().height() : 0;
  const CGFloat bottom = tableFooterView_ ? tableFooterView_->frame().height() : 0;
  auto ds = dataSource();
  if (!ds) return TableLayout({}, top, bottom);
  auto d = delegate();
  std::vector<TableLayout::Section> sections;
  const long count = std::max(0L, ds->numberOfSectionsInTableView(*this));
  for (long s = 0; s < count; ++s) {
    TableLayout::Section section;
    section.headerTitle = ds->tableViewTitleForHeaderInSection(*this, s);
    section.footerTitle = ds->tableViewTitleForFooterInSection(*this, s);
    const long rows = std::max(0L, ds->tableViewNumberOfRowsInSection(*this, s));
    section.rowHeights.reserve(static_cast<size_t>(rows));
    for (long r = 0; r < rows; ++r) {
      const auto h = d ? d->tableViewHeightForRowAtIndexPath(*this, {s, r}) : std::nullopt;
      section.rowHeights.push_back(std::max(0.0, h.value_or(rowHeight_)));
    }
    const auto header = d ? d->tableViewHeightForHeaderInSection(*this, s) : std::nullopt;
    section.headerHeight =
        std::max(0.0, header.value_or(automaticHeaderHeight(s, !section.headerTitle.empty())));
    const auto footer = d ? d->tableViewHeightForFooterInSection(*this, s) : std::nullopt;
    section.footerHeight =
        std::max(0.0, footer.value_or(automaticFooterHeight(section.footerTitle)));
    sections.push_back(std::move(section));
  }
  return TableLayout(std::move(sections), top, bottom);
}

void UITableView::reloadData() {
  const auto keep = weak_from_this().lock();
  if (deleteRow_) hideDeleteConfirmation(false);
  reorder_.reset();
  dropAllCells();
  selected_.clear();
  loaded_ = true;
  ++generation_;
  layout_ = buildLayout();
  tile(false);
}

void UITableView::dropAllCells() {
  for (auto& [ip, cell] : std::exchange(visibleCells_, {}))
    enqueue(cell);
  for (auto& [s, view] : std::exchange(headerViews_, {}))
    view->removeFromSuperview();
  for (auto& [s, view] : std::exchange(footerViews_, {}))
    view->removeFromSuperview();
}

void UITableView::enqueue(const std::shared_ptr<UITableViewCell>& cell) {
  cell->removeFromSuperview();
  if (!cell->reuseIdentifier().empty()) reusePool_[cell->reuseIdentifier()].push_back(cell);
}

void UITableView::layoutSubviewsImpl() {
  UIScrollView::layoutSubviewsImpl();
  ensureLoaded();
  tile(false);
}

void UITableView::contentOffsetDidChange() {
  if (loaded_) tile(false);
}

void UITableView::tile(bool animated) {
  if (!loaded_ || tiling_) return;
  const auto keep = weak_from_this().lock();
  tiling_ = true;
  const CGRect b = bounds();
  const CGFloat width = b.width();
  setContentSize({width, layout_.contentHeight()});
  if (tableHeaderView_) {
    tableHeaderView_->setFrame({{0, 0}, {width, tableHeaderView_->frame().height()}});
  }
  if (tableFooterView_) {
    const CGFloat h = tableFooterView_->frame().height();
    tableFooterView_->setFrame({{0, layout_.contentHeight() - h}, {width, h}});
  }

  const std::vector<NSIndexPath> wanted = layout_.rowsBetween(b.minY(), b.maxY());
  const std::set<NSIndexPath> wantedSet(wanted.begin(), wanted.end());
  const UITableViewCell* dragged = reorder_ ? reorder_->cell.get() : nullptr;
  for (auto it = visibleCells_.begin(); it != visibleCells_.end();) {
    if (wantedSet.count(it->first) || it->second.get() == dragged) {
      ++it;
      continue;
    }
    if (deleteRow_ == it->first) deleteRow_.reset();
    auto cell = std::move(it->second);
    it = visibleCells_.erase(it);
    enqueue(cell);
  }
  // The data source may reload or update the table from inside cellForRowAtIndexPath; the rows
  // wanted then changed, and the tiling starts over once this pass has unwound.
  const std::uint64_t generation = generation_;
  for (const NSIndexPath& ip : wanted) {
    if (generation_ != generation) break;
    const CGRect frame = layout_.rectForRow(ip, width);
    auto found = visibleCells_.find(ip);
    if (found != visibleCells_.end()) {
      if (found->second.get() != dragged) found->second->setFrame(frame);
      continue;
    }
    auto cell = makeCell(ip);
    UIView::performWithoutAnimation([&] {
      cell->setFrame(frame);
      cell->setAlpha(animated ? 0 : 1);
      insertSubview(cell, 0);
    });
    if (animated) cell->setAlpha(1);
    if (auto d = delegate()) d->tableViewWillDisplayCell(*this, *cell, ip);
  }
  if (generation_ != generation) {
    tiling_ = false;
    tile(animated);
    return;
  }
  if (reorder_) bringSubviewToFront(reorder_->cell);
  tileSupplementaryViews();
  tiling_ = false;
}

void UITableView::tileSupplementaryViews() {
  const CGRect b = bounds();
  const CGFloat width = b.width();
  const std::vector<long> sections = layout_.sectionsBetween(b.minY(), b.maxY());
  const std::set<long> shown(sections.begin(), sections.end());
  for (auto* views : {&headerViews_, &footerViews_}) {
    for (auto it = views->begin(); it != views->end();) {
      if (shown.count(it->first)) {
        ++it;
        continue;
      }
      it->second->removeFromSuperview();
      it = views->erase(it);
    }
  }
  const bool grouped = style_ == UITableViewStyleGrouped;
  for (long s : sections) {
    for (bool footer : {false, true}) {
      const CGRect rect =
          footer ? layout_.rectForFooter(s, width) : layout_.rectForHeader(s, width);
      auto& views = footer ? footerViews_ : headerViews_;
      if (rect.height() <= 0 || !rect.intersects(b)) {
        if (auto it = views.find(s); it != views.end()) {
          it->second->removeFromSuperview();
          views.erase(it);
        }
        continue;
      }
      auto& view = views[s];
      if (!view) {
        auto d = delegate();
        view = d ? (footer ? d->tableViewViewForFooterInSection(*this, s)
                           : d->tableViewViewForHeaderInSection(*this, s))
                 : nullptr;
        const auto& section = layout_.section(s);
        const std::string& title = footer ? section.footerTitle : section.headerTitle;
        if (!view && !title.empty()) {
          view = UITableViewHeaderFooterView::viewWithTitle(title, grouped, footer);
        }
        if (!view) {
          views.erase(s);
          continue;
        }
        addSubview(view);
      }
      view->setFrame(rect);
    }
  }
}

std::shared_ptr<UITableViewCell> UITableView::makeCell(const NSIndexPath& indexPath) {
  std::shared_ptr<UITableViewCell> cell;
  if (auto ds = dataSource()) {
    cell = ds->tableViewCellForRowAtIndexPath(*this, dataSourceIndexPath(indexPath));
  }
  if (!cell) {
    NSLog("UITableView: the data source gave no cell for " + describe(indexPath) +
          "; showing an empty one");
    cell = UITableViewCell::cellWithStyle(UITableViewCellStyleDefault, "");
  }
  configureCell(*cell, indexPath);
  visibleCells_[indexPath] = cell;
  return cell;
}

void UITableView::configureCell(UITableViewCell& cell, const NSIndexPath& indexPath) {
  cell.setSelected(selected_.count(indexPath) > 0, false);
  if (auto separator = cell.separatorView()) {
    separator->setHidden(separatorStyle_ == UITableViewCellSeparatorStyleNone);
    separator->setBackgroundColor(separatorColor_);
  }
  auto d = delegate();
  const NSIndexPath source = dataSourceIndexPath(indexPath);
  cell.setEditingStyle(editingStyleFor(indexPath));
  cell.setShouldIndentWhileEditing(
      d ? d->tableViewShouldIndentWhileEditingRowAtIndexPath(*this, source) : true);
  cell.setShowsReorderControl(canMove(indexPath));
  if (cell.isEditing() != editing_) cell.setEditing(editing_, false);
}

}  // namespace host
