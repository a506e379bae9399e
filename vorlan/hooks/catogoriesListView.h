#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Plist.h"
#include "panels/skyView.h"
#include "uikit/CGGeometry.h"

namespace host {
class PSListController;
class PSSpecifier;
class UILabel;
class UIScrollView;
}  // namespace host

namespace vorlan {

class tagView;

// The tag filter list, opened by a tap on the main list's title: the main list's own title as
// row 0, then one row per tag. Choosing a tag replaces the main list's cells with every cell that
// carries it, from the main list, its folders and every page the tags were given on (each such
// page under a title row with its name and icon); row 0 brings the full list back. While a tag
// is chosen the main list is in tag view: cell swipes are off, and pages opened from its cells
// present from the main list.
//
// Pages built away from the screen to find cells are kept while a tag is chosen (their cells'
// values are read through them, and choosing another tag finds its cells there without reading
// the pages' files again) and dropped when row 0 ends the filter.
class catogoriesListView : public skyView {
 public:
  static constexpr const char* kNoTagsText = "No tags";
  static constexpr double kRowHeight = 45;

  // Cells gathered per page key, in the order Foundation sorts dictionary keys.
  struct KeyOrder {
    bool operator()(const std::string& a, const std::string& b) const {
      return host::Plist::keyLess(a, b);
    }
  };
  using Specifiers = std::vector<std::shared_ptr<host::PSSpecifier>>;
  using Gathered = std::map<std::string, Specifiers, KeyOrder>;

  static host::Class* objcClass();
  explicit catogoriesListView(host::Class* cls = objcClass());

  static std::shared_ptr<catogoriesListView> make(const host::CGRect& frame);

  void setController(const std::shared_ptr<host::PSListController>& mainList);
  // Shows the rows of the tag table as it is now.
  void showFromRect(const host::CGRect& from, const host::CGRect& to) override;
  void loadTags();
  // A row was chosen.
  void tagClicked(const tagView& row);

  // The main list's cell as first loaded, by identifier.
  static std::shared_ptr<host::PSSpecifier> specifierForID(const std::string& identifier);
  void addSpecifierToDictionary(std::shared_ptr<host::PSSpecifier> cell, const std::string& key);
  // Closes a run of cells with an empty group header, unless it ends with one.
  static void addEmpySpecifierToArrayIfNecessary(Specifiers& cells);

  const std::string& currentTag() const { return currentTag_; }
  const std::vector<std::shared_ptr<tagView>>& tags() const { return tags_; }
  const std::shared_ptr<host::UILabel>& nope() const { return nope_; }
  const Gathered& specs() const { return specs_; }
  const std::vector<std::shared_ptr<host::PSListController>>& targets() const { return targets_; }

 protected:
  void initWithFrame(const host::CGRect& frame);
  void layoutSubviewsImpl() override;

 private:
  void layoutRows();
  // Row 0: the main list as it was before any tag was chosen.
  void showFullList(host::PSListController& main);
  void showTag(host::PSListController& main, const std::string& tag);
  void gather(const std::string& tag);
  void gatherFromBundlePage(const std::string& key, const std::vector<std::string>& identifiers);
  void gatherFromApps(const std::vector<std::string>& identifiers);
  // The page made for `key` during this filter, made now if need be; nothing if it cannot be.
  std::shared_ptr<host::PSListController> pageFor(const std::string& key, const host::Plist& record,
                                                  bool app);
  Specifiers filteredList() const;
  // Whether the main list still shows what the filter put there (a reload puts its full list
  // back behind the filter's back).
  bool showsFilter(host::PSListController& main) const;
  void clearPages();

  std::shared_ptr<host::UIScrollView> scroll_;
  std::shared_ptr<host::UILabel> nope_;
  std::vector<std::shared_ptr<tagView>> tags_;
  std::weak_ptr<host::PSListController> controller_;
  Gathered specs_;
  std::vector<std::shared_ptr<host::PSListController>> targets_;
  std::vector<std::string> allocated_;
  // Bundle keys whose page could not be made while gathering, so that each is tried once.
  std::vector<std::string> failed_;
  Specifiers originals_;
  Specifiers shown_;
  bool canFetchOriginals_ = true;
  std::string currentTag_;
  // The main list's title before any tag, should the settings file not hold it.
  std::string originalTitle_;
};

}  // namespace vorlan
