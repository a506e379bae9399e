#include "preferences/PSSliderTableCell.h"

#include "preferences/PSSpecifier.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UISlider.h"

namespace host {

namespace {

constexpr double kMargin = 15;

// A number of a property list, integer or real; `fallback` for anything else.
float numberOr(const Plist& value, float fallback) {
  if (const auto real = value.asReal()) return static_cast<float>(*real);
  if (const auto integer = value.asInteger()) return static_cast<float>(*integer);
  return fallback;
}

}  // namespace

HOST_CLASS(PSSliderTableCell, PSTableCell)

PSSliderTableCell::PSSliderTableCell(Class* cls) : PSTableCell(cls) {}

std::shared_ptr<UISlider> PSSliderTableCell::control() {
  if (!slider_) {
    slider_ = std::make_shared<UISlider>();
    // The cell owns the slider; the slider's action holds the cell weakly.
    std::weak_ptr<Object> weakCell = weak_from_this();
    slider_->addAction(
        [weakCell](const std::shared_ptr<UIControl>&, UIEvent*) {
          if (auto cell = std::dynamic_pointer_cast<PSSliderTableCell>(weakCell.lock())) {
            cell->valueChanged();
          }
        },
        UIControlEventValueChanged);
    contentView()->addSubview(slider_);
  }
  return slider_;
}

void PSSliderTableCell::refreshCellContentsWithSpecifier(
    const std::shared_ptr<PSSpecifier>& specifier) {
  PSTableCell::refreshCellContentsWithSpecifier(specifier);
  setAccessoryType(UITableViewCellAccessoryNone);
  const auto slider = control();
  if (!specifier) return;
  slider->setRange(numberOr(specifier->propertyForKey("MinimumValue"), 0),
                   numberOr(specifier->propertyForKey("MaximumValue"), 1));
  Plist value = specifier->performGetter();
  if (value.isNone()) value = specifier->propertyForKey("default");
  slider->setValue(numberOr(value, slider->minimumValue()));
  slider->setEnabled(isCellEnabled());
  // A slider row usually has no title; its preference's key names it for VoiceOver then.
  slider->setAccessibilityLabel(specifier->name().empty() ? specifier->identifier()
                                                          : specifier->name());
}

void PSSliderTableCell::layoutSubviewsImpl() {
  PSTableCell::layoutSubviewsImpl();
  const CGRect content = contentView()->bounds();
  control()->setFrame(CGRectMake(kMargin, (content.size.height - UISlider::kHeight) / 2,
                                 std::max(0.0, content.size.width - 2 * kMargin),
                                 UISlider::kHeight));
}

void PSSliderTableCell::valueChanged() {
  if (const auto item = specifier()) {
    item->performSetterWithValue(Plist::real(static_cast<double>(slider_->value())));
  }
}

}  // namespace host
