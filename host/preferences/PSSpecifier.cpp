#include "preferences/PSSpecifier.h"

#include <atomic>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"

namespace host {

namespace {

std::atomic<std::uint64_t> groupingChanges{0};

}  // namespace

HOST_CLASS(PSSpecifier, Object)

PSSpecifier::PSSpecifier(Class* cls) : Object(cls) {}

std::shared_ptr<PSSpecifier> PSSpecifier::specifier(std::string identifier, std::string name,
                                                    int cellType) {
  auto item = std::make_shared<PSSpecifier>();
  item->identifier_ = std::move(identifier);
  item->name_ = std::move(name);
  item->cellType_ = cellType;
  return item;
}

std::shared_ptr<PSSpecifier> PSSpecifier::preferenceSpecifierNamed(
    std::string name, const std::shared_ptr<Object>& target, std::string setSelector,
    std::string getSelector, Class* detail, int cellType, Class* /*edit*/) {
  auto item = specifier(name, name, cellType);
  item->target_ = target;
  item->setSelector_ = std::move(setSelector);
  item->getSelector_ = std::move(getSelector);
  item->detailControllerClass_ = detail;
  return item;
}

std::shared_ptr<PSSpecifier> PSSpecifier::emptyGroupSpecifier() {
  return specifier("", "", PSGroupCell);
}

std::shared_ptr<PSSpecifier> PSSpecifier::groupSpecifierWithName(std::string name) {
  return specifier("", std::move(name), PSGroupCell);
}

void PSSpecifier::setCellType(int cellType) {
  const bool wasGroup = isGroup();
  cellType_ = cellType;
  if (isGroup() != wasGroup) groupingChanges.fetch_add(1, std::memory_order_relaxed);
}

std::uint64_t PSSpecifier::groupingGeneration() {
  return groupingChanges.load(std::memory_order_relaxed);
}

void PSSpecifier::performSetterWithValue(const Plist& value) {
  auto self = std::static_pointer_cast<PSSpecifier>(shared_from_this());
  if (setter_) {
    setter_(value, self);
    return;
  }
  const auto target = target_.lock();
  if (setSelector_.empty() || !host::respondsToSelector(target.get(), setSelector_)) return;
  msgSend<void(Plist, std::shared_ptr<PSSpecifier>)>(target, setSelector_, value, self);
}

Plist PSSpecifier::performGetter() {
  auto self = std::static_pointer_cast<PSSpecifier>(shared_from_this());
  if (getter_) return getter_(self);
  const auto target = target_.lock();
  if (getSelector_.empty() || !host::respondsToSelector(target.get(), getSelector_)) return {};
  return msgSend<Plist(std::shared_ptr<PSSpecifier>)>(target, getSelector_, self);
}

void PSSpecifier::setProperty(Plist value, const std::string& key) {
  properties_ = properties_.with(key, std::move(value));
}

Id PSSpecifier::objectForKey(std::string_view key) const {
  auto it = objects_.find(key);
  return it == objects_.end() ? nullptr : it->second;
}

void PSSpecifier::setObject(Id value, const std::string& key) {
  if (value) {
    objects_.insert_or_assign(key, std::move(value));
  } else if (auto it = objects_.find(key); it != objects_.end()) {
    objects_.erase(it);
  }
}

}  // namespace host
