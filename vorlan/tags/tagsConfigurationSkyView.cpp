#include "tags/tagsConfigurationSkyView.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "panels/shapeSkyView.h"
#include "runtime/HostClass.h"
#include "store/HexColors.h"
#include "store/SettingsValues.h"
#include "store/VLPreferencesManager.h"
#include "tags/tagColorView.h"
#include "tags/tagConfigurationView.h"
#include "tags/tagTableViewCell.h"
#include "uikit/CALayer.h"
#include "uikit/UIAlertView.h"
#include "uikit/UIColor.h"
#include "uikit/UILabel.h"
#include "uikit/UITableView.h"
#include "uikit/UITapGestureRecognizer.h"
#include "uikit/UITextField.h"

namespace vorlan {

namespace {

constexpr host::CGFloat kHeaderHeight = 80;
constexpr double kSlide = 0.3;
// Where the editor waits beside the list: past the balloon's edge by the 2 points its name strip
// reaches beyond its own left edge, so that no sliver of it shows beside the list.
constexpr host::CGFloat kParkedOverhang = 2;

std::string text(const host::Plist& record, const char* key) {
  return SettingsValues::string(record.get(key)).value_or("");
}

// The tag key as a number; nothing for a key that is not one.
std::optional<long> tagKey(std::string_view key) {
  long value = 0;
  const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), value);
  if (error != std::errc() || end != key.data() + key.size() || value < 0) return std::nullopt;
  return value;
}

}  // namespace

HOST_CLASS(tagsConfigurationSkyView, skyView)

tagsConfigurationSkyView::tagsConfigurationSkyView(host::Class* cls) : skyView(cls) {}

std::shared_ptr<tagsConfigurationSkyView> tagsConfigurationSkyView::make(
    const host::CGRect& frame) {
  auto panel = std::make_shared<tagsConfigurationSkyView>();
  panel->initWithFrame(frame);
  return panel;
}

void tagsConfigurationSkyView::initWithFrame(const host::CGRect& frame) {
  skyView::initWithFrame(frame);
  const auto& container = shape()->container();

  table_ = host::UITableView::tableWithFrame(container->bounds(), host::UITableViewStylePlain);
  table_->setBackgroundColor(host::UIColor::clearColor());
  table_->setShowsHorizontalScrollIndicator(false);
  table_->setShowsVerticalScrollIndicator(false);
  table_->registerClass(tagTableViewCell::objcClass(), kReuseIdentifier);
  auto self = std::static_pointer_cast<tagsConfigurationSkyView>(shared_from_this());
  table_->setDataSource(std::shared_ptr<host::UITableViewDataSource>(self, self.get()));
  table_->setDelegate(std::shared_ptr<host::UITableViewDelegate>(self, self.get()));

  info_ = std::make_shared<host::UILabel>();
  info_->setFrame({0, 0, table_->frame().width(), kHeaderHeight});
  info_->setTextColor(host::UIColor::blackColor());
  info_->setTextAlignment(host::NSTextAlignment::Center);
  info_->setNumberOfLines(0);
  info_->setText(kHeaderText);
  table_->setTableHeaderView(info_);
  container->addSubview(table_);

  configurationView_ = tagConfigurationView::make(container->bounds());
  std::weak_ptr<tagsConfigurationSkyView> weakSelf = self;
  configurationView_->setTarget([weakSelf] {
    if (auto panel = weakSelf.lock()) panel->hideTagConfiguration();
  });
  configurationView_->setReloadTarget([weakSelf] {
    if (auto panel = weakSelf.lock()) panel->reloadCell();
  });
  container->addSubview(configurationView_);
}

void tagsConfigurationSkyView::showFromRect(const host::CGRect& from, const host::CGRect& to) {
  skyView::showFromRect(from, to);
  const host::CGRect bounds = shape()->container()->bounds();
  table_->setFrame(bounds);
  info_->setFrame({0, 0, bounds.width(), kHeaderHeight});
  table_->setTableHeaderView(info_);
  configurationView_->setFrame(
      {bounds.width() + kParkedOverhang, bounds.origin.y, bounds.width(), bounds.height()});
  loadTags(VLPreferencesManager::sharedInstance()->getTagsDictionary());
  table_->reloadSections({0}, host::UITableViewRowAnimationNone);
}

void tagsConfigurationSkyView::dismissShape(bool animated) {
  if (configurationView_->field()->isEditing()) configurationView_->field()->resignFirstResponder();
  skyView::dismissShape(animated);
}

void tagsConfigurationSkyView::loadTags(const host::Plist& table) {
  std::vector<std::pair<long, host::Plist>> keyed;
  for (const auto& [key, record] : table.entries()) {
    if (auto number = tagKey(key)) keyed.emplace_back(*number, record);
  }
  std::sort(keyed.begin(), keyed.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  array_.clear();
  for (auto& entry : keyed)
    array_.push_back(std::move(entry.second));
}

long tagsConfigurationSkyView::tableViewNumberOfRowsInSection(host::UITableView&, long) {
  return tagCount() + 2;
}

bool tagsConfigurationSkyView::tableViewCanEditRowAtIndexPath(host::UITableView&,
                                                              const host::NSIndexPath& indexPath) {
  return indexPath.row >= 0 && indexPath.row < tagCount();
}

std::shared_ptr<host::UITableViewCell> tagsConfigurationSkyView::tableViewCellForRowAtIndexPath(
    host::UITableView& tableView, const host::NSIndexPath& indexPath) {
  auto cell = std::dynamic_pointer_cast<tagTableViewCell>(
      tableView.dequeueReusableCellWithIdentifier(kReuseIdentifier));
  if (!cell) cell = tagTableViewCell::make(host::UITableViewCellStyleDefault, kReuseIdentifier);
  cell->setShouldIndentWhileEditing(true);
  cell->setSelectionStyle(host::UITableViewCellSelectionStyleNone);

  const long row = indexPath.row;
  if (row < tagCount()) {
    const host::Plist& record = array_[static_cast<std::size_t>(row)];
    cell->label()->setText(text(record, "name"));
    cell->label()->setTextColor(host::UIColor::blackColor());
    cell->label()->setTextAlignment(host::NSTextAlignment::Left);
    cell->back()->setBackgroundColor(host::UIColor::whiteColor());
    cell->color()->setBackgroundColor(
        HexColorAddition::colorWithHexString(text(record, "fill_color")));
    cell->color()->layer()->setBorderColor(
        HexColorAddition::colorWithHexString(text(record, "border_color")));
    cell->setAccessoryType(host::UITableViewCellAccessoryDisclosureIndicator);
  } else {
    const bool add = row == tagCount();
    cell->label()->setText(add ? kAddTitle : kResetTitle);
    cell->label()->setTextColor(host::UIColor::whiteColor());
    cell->label()->setTextAlignment(host::NSTextAlignment::Center);
    cell->back()->setBackgroundColor(
        add ? host::UIColor::colorWithRed(50.0 / 255, 230.0 / 255, 115.0 / 255, 1)
            : host::UIColor::colorWithRed(1, 100.0 / 255, 100.0 / 255, 1));
    cell->color()->setBackgroundColor(host::UIColor::clearColor());
    cell->color()->layer()->setBorderColor(host::UIColor::clearColor());
    cell->setAccessoryType(host::UITableViewCellAccessoryNone);
  }
  cell->setNeedsLayout();

  // A reused row keeps the tap recogniser it was given the first time.
  const auto& recognizers = cell->gestureRecognizers();
  if (std::none_of(recognizers.begin(), recognizers.end(), [](const auto& recognizer) {
        return dynamic_cast<const host::UITapGestureRecognizer*>(recognizer.get()) != nullptr;
      })) {
    auto tap = std::make_shared<host::UITapGestureRecognizer>();
    std::weak_ptr<tagsConfigurationSkyView> weakSelf =
        std::static_pointer_cast<tagsConfigurationSkyView>(shared_from_this());
    tap->addTarget(shared_from_this(), [weakSelf](const auto& recognizer) {
      if (auto self = weakSelf.lock()) self->tappedCell(recognizer);
    });
    cell->addGestureRecognizer(tap);
  }
  return cell;
}

void tagsConfigurationSkyView::tappedCell(
    const std::shared_ptr<host::UIGestureRecognizer>& recognizer) {
  auto cell = std::dynamic_pointer_cast<host::UITableViewCell>(recognizer->view());
  if (!cell) return;
  // While a row shows its delete button, a tap elsewhere only puts the button away, as it does
  // in any table; it neither opens the editor nor adds nor resets.
  if (table_->indexPathForDeleteConfirmation()) {
    table_->setEditing(false, true);
    return;
  }
  if (auto indexPath = table_->indexPathForCell(cell.get())) tappedRow(indexPath->row);
}

void tagsConfigurationSkyView::tappedRow(long row) {
  if (row < 0 || row > tagCount() + 1) return;
  lastRow_ = static_cast<int>(row);
  if (row == tagCount() + 1) {
    showResetAlert();
  } else if (row == tagCount()) {
    addTag();
  } else {
    editTag(row);
  }
}

void tagsConfigurationSkyView::showResetAlert() {
  auto alert = host::UIAlertView::alert(kResetTitle, kResetMessage, "No", {"Yes"});
  std::weak_ptr<tagsConfigurationSkyView> weakSelf =
      std::static_pointer_cast<tagsConfigurationSkyView>(shared_from_this());
  alert->setDidDismissCallback([weakSelf](const auto&, long index) {
    auto self = weakSelf.lock();
    if (!self || index != 1) return;
    auto manager = VLPreferencesManager::sharedInstance();
    manager->eraseTags();
    // The restart that follows ends the app; until then the list shows what the next reading
    // of the tags will give, without writing it.
    self->loadTags(manager->tagsDictionaryAsAnswered());
    self->table_->reloadSections({0}, host::UITableViewRowAnimationNone);
  });
  alert->show();
}

void tagsConfigurationSkyView::addTag() {
  auto manager = VLPreferencesManager::sharedInstance();
  std::string name = "New";
  for (int suffix = 1; manager->isTagNameToken(name); ++suffix)
    name = "New-" + std::to_string(suffix);
  manager->addTagWithName(name, kNewTagFill, kNewTagBorder);

  const long previous = tagCount();
  table_->beginUpdates();
  array_.push_back(host::Plist::dictionary({{"name", host::Plist::string(name)},
                                            {"fill_color", host::Plist::string("#FFFFFF")},
                                            {"border_color", host::Plist::string("#ABABAB")}}));
  table_->insertRowsAtIndexPaths({{0, previous}}, host::UITableViewRowAnimationRight);
  table_->endUpdates();
}

void tagsConfigurationSkyView::editTag(long row) {
  const host::Plist& record = array_[static_cast<std::size_t>(row)];
  const std::string fill = text(record, "fill_color");
  auto& editor = *configurationView_;
  editor.setOriginalName(text(record, "name"));
  editor.field()->setText(text(record, "name"));
  editor.setOriginalColor(fill);
  editor.colorView()->setSelectedFillColor(fill);
  editor.colorView()->setSelectedBorderColor(text(record, "border_color"));
  editor.colorView()->starterColor(fill);

  const host::CGFloat width = table_->frame().width();
  animateWithDuration(kSlide, [this, width] {
    host::CGRect tableFrame = table_->frame();
    tableFrame.origin.x = -width;
    table_->setFrame(tableFrame);
    host::CGRect editorFrame = configurationView_->frame();
    editorFrame.origin.x = 0;
    configurationView_->setFrame(editorFrame);
  });
}

void tagsConfigurationSkyView::hideTagConfiguration() {
  if (lastRow_ < tagCount())
    table_->reloadRowsAtIndexPaths({{0, lastRow_}}, host::UITableViewRowAnimationNone);
  const host::CGFloat width = table_->frame().width();
  animateWithDuration(kSlide, [this, width] {
    host::CGRect tableFrame = table_->frame();
    tableFrame.origin.x = 0;
    table_->setFrame(tableFrame);
    host::CGRect editorFrame = configurationView_->frame();
    editorFrame.origin.x = width + kParkedOverhang;
    configurationView_->setFrame(editorFrame);
  });
}

void tagsConfigurationSkyView::reloadCell() {
  if (lastRow_ < 0 || lastRow_ >= tagCount()) return;
  auto& record = array_[static_cast<std::size_t>(lastRow_)];
  const auto& editor = *configurationView_;
  record =
      record.with("name", host::Plist::string(editor.field()->text()))
          .with("fill_color", host::Plist::string(editor.colorView()->selectedFillColor()))
          .with("border_color", host::Plist::string(editor.colorView()->selectedBorderColor()));
}

void tagsConfigurationSkyView::tableViewCommitEditingStyle(host::UITableView& tableView,
                                                           host::UITableViewCellEditingStyle style,
                                                           const host::NSIndexPath& indexPath) {
  if (style != host::UITableViewCellEditingStyleDelete) return;
  if (indexPath.row < 0 || indexPath.row >= tagCount()) return;
  const auto entry = array_.begin() + indexPath.row;
  tableView.beginUpdates();
  VLPreferencesManager::sharedInstance()->deleteTag(text(*entry, "name"));
  array_.erase(entry);
  tableView.deleteRowsAtIndexPaths({indexPath}, host::UITableViewRowAnimationLeft);
  tableView.endUpdates();
}

}  // namespace vorlan
