#pragma once

#include <memory>
#include <string>

#include "foundation/Plist.h"
#include "panels/PanelTestSupport.h"
#include "store/VLPreferencesManager.h"
#include "support/TempDevice.h"
#include "uikit/CGContext.h"
#include "uikit/UIColor.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIImage.h"
#include "uikit/UIView.h"

namespace vorlan::test {

// A window with a finger over a fresh device whose settings file the case writes; the shared
// manager reads it again before the panel under test opens.
class ListPanelTest : public PanelTest {
 protected:
  static constexpr const char* kSettings = VLPreferencesManager::kSettingsPath;

  void store(const host::Plist& root) {
    device.writePlist(kSettings, root);
    VLPreferencesManager::sharedInstance()->updatedDictionary();
  }
  host::Plist stored() const { return device.readPlist(kSettings); }

  // A square icon of one colour, as the manager stores a cell's icon.
  static host::Plist icon(double red, double green, double blue) {
    host::UIGraphicsBeginImageContextWithOptions({29, 29}, false, 1);
    auto context = host::UIGraphicsGetCurrentContext();
    context->setFillColor(*host::UIColor::colorWithRed(red, green, blue, 1));
    context->fillRect({0, 0, 29, 29});
    auto image = host::UIGraphicsGetImageFromCurrentImageContext();
    host::UIGraphicsEndImageContext();
    return host::Plist::data(host::UIImagePNGRepresentation(image));
  }
  static host::Plist record(const std::string& name, host::Plist image = {}) {
    auto entry = host::Plist::dictionary().with("name", host::Plist::string(name));
    return image.isNone() ? entry : entry.with("icon", std::move(image));
  }

  // Opens the panel as the configuration page does: over the whole window, a balloon half the
  // page high centred under an entry, grown to its full size.
  template <class Panel>
  void open(const std::shared_ptr<Panel>& panel) {
    window->addSubview(panel);
    panel->showFromRect({0, 78, 375, 135}, {10, -71.5, 355, 333.5});
    wait(1);
    host::UIView::layoutAllPending();
  }

  // The centre of a view, in the window's coordinates.
  host::CGPoint centreOf(const std::shared_ptr<host::UIView>& view) const {
    const host::CGRect frame = view->convertRectToView(view->bounds(), window.get());
    return {frame.origin.x + frame.size.width / 2, frame.origin.y + frame.size.height / 2};
  }

  TempDevice device;
};

}  // namespace vorlan::test
