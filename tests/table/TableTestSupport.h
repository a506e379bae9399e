#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "foundation/Log.h"
#include "foundation/RunLoop.h"
#include "uikit/UILabel.h"
#include "uikit/UITableView.h"
#include "uikit/UITableViewCell.h"
#include "uikit/UITableViewDataSource.h"
#include "uikit/UITableViewDelegate.h"

namespace host::testing {

inline std::string str(const NSIndexPath& ip) {
  return std::to_string(ip.section) + "." + std::to_string(ip.row);
}

// Rows named by their text, in sections; cells come from the table's reuse pool.
class ListDataSource : public UITableViewDataSource {
 public:
  explicit ListDataSource(std::vector<std::vector<std::string>> initial)
      : rows(std::move(initial)) {}

  static std::shared_ptr<ListDataSource> withRows(long count, long sections = 1) {
    std::vector<std::vector<std::string>> all(static_cast<size_t>(sections));
    for (long s = 0; s < sections; ++s) {
      for (long r = 0; r < count; ++r) {
        all[static_cast<size_t>(s)].push_back("row " + std::to_string(s) + "." + std::to_string(r));
      }
    }
    return std::make_shared<ListDataSource>(std::move(all));
  }

  long numberOfSectionsInTableView(UITableView&) override { return static_cast<long>(rows.size()); }
  long tableViewNumberOfRowsInSection(UITableView&, long section) override {
    return static_cast<long>(rows.at(static_cast<size_t>(section)).size());
  }
  std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(UITableView& table,
                                                                  const NSIndexPath& ip) override {
    auto cell = table.dequeueReusableCellWithIdentifier("row");
    if (!cell) {
      cell = UITableViewCell::cellWithStyle(UITableViewCellStyleDefault, "row");
      ++cellsMade;
    }
    cell->textLabel()->setText(text(ip));
    return cell;
  }
  std::string tableViewTitleForHeaderInSection(UITableView&, long section) override {
    return headers.count(section) ? headers[section] : "";
  }
  std::string tableViewTitleForFooterInSection(UITableView&, long section) override {
    return footers.count(section) ? footers[section] : "";
  }
  bool tableViewCanMoveRowAtIndexPath(UITableView&, const NSIndexPath& ip) override {
    return !fixed.count(ip);
  }
  bool implementsCommitEditingStyle() const override { return commits; }
  void tableViewCommitEditingStyle(UITableView& table, UITableViewCellEditingStyle style,
                                   const NSIndexPath& ip) override {
    calls.push_back("commit " + std::to_string(style) + " " + str(ip));
    if (style != UITableViewCellEditingStyleDelete) return;
    auto& section = rows[static_cast<size_t>(ip.section)];
    section.erase(section.begin() + ip.row);
    table.deleteRowsAtIndexPaths({ip}, UITableViewRowAnimationFade);
  }
  bool implementsMoveRow() const override { return moves; }
  void tableViewMoveRowAtIndexPath(UITableView&, const NSIndexPath& from,
                                   const NSIndexPath& to) override {
    calls.push_back("move " + str(from) + " " + str(to));
    const std::string moved = text(from);
    auto& source = rows[static_cast<size_t>(from.section)];
    source.erase(source.begin() + from.row);
    auto& target = rows[static_cast<size_t>(to.section)];
    target.insert(target.begin() + to.row, moved);
  }

  std::string text(const NSIndexPath& ip) const {
    return rows.at(static_cast<size_t>(ip.section)).at(static_cast<size_t>(ip.row));
  }

  std::vector<std::vector<std::string>> rows;
  std::map<long, std::string> headers;
  std::map<long, std::string> footers;
  std::set<NSIndexPath> fixed;
  bool commits = false;
  bool moves = false;
  int cellsMade = 0;
  std::vector<std::string> calls;
};

// Records what the table tells it; answers heights and selection redirections when told.
class RecordingDelegate : public UITableViewDelegate {
 public:
  std::optional<CGFloat> tableViewHeightForRowAtIndexPath(UITableView&,
                                                          const NSIndexPath& ip) override {
    auto it = heights.find(ip);
    return it == heights.end() ? std::nullopt : std::optional<CGFloat>(it->second);
  }
  std::optional<NSIndexPath> tableViewWillSelectRowAtIndexPath(UITableView&,
                                                               const NSIndexPath& ip) override {
    events.push_back("willSelect " + str(ip));
    if (refused.count(ip)) return std::nullopt;
    auto it = redirects.find(ip);
    return it == redirects.end() ? ip : it->second;
  }
  void tableViewDidSelectRowAtIndexPath(UITableView&, const NSIndexPath& ip) override {
    events.push_back("didSelect " + str(ip));
  }
  void tableViewDidDeselectRowAtIndexPath(UITableView&, const NSIndexPath& ip) override {
    events.push_back("didDeselect " + str(ip));
  }
  bool tableViewShouldIndentWhileEditingRowAtIndexPath(UITableView&, const NSIndexPath&) override {
    return indents;
  }
  UITableViewCellEditingStyle tableViewEditingStyleForRowAtIndexPath(
      UITableView&, const NSIndexPath& ip) override {
    auto it = styles.find(ip);
    return it == styles.end() ? UITableViewCellEditingStyleDelete : it->second;
  }
  std::string tableViewTitleForDeleteConfirmationButtonForRowAtIndexPath(
      UITableView&, const NSIndexPath&) override {
    return deleteTitle;
  }
  void scrollViewDidScroll(UIScrollView&) override { ++scrolls; }

  std::map<NSIndexPath, CGFloat> heights;
  std::set<NSIndexPath> refused;
  std::map<NSIndexPath, NSIndexPath> redirects;
  std::map<NSIndexPath, UITableViewCellEditingStyle> styles;
  bool indents = true;
  std::string deleteTitle = "Delete";
  std::vector<std::string> events;
  int scrolls = 0;
};

inline std::string cellText(const std::shared_ptr<UITableViewCell>& cell) {
  return cell ? cell->textLabel()->text() : "(none)";
}

inline bool logContains(const std::string& needle) {
  const auto lines = Log::lines();
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.find(needle) != std::string::npos;
  });
}

}  // namespace host::testing
