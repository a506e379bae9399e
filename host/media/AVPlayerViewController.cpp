#include "media/AVPlayerViewController.h"

#include "media/AVPlayer.h"
#include "runtime/Runtime.h"
#include "uikit/UIColor.h"
#include "uikit/UIScreen.h"
#include "uikit/UIView.h"

namespace host {

Class* AVPlayerViewController::objcClass() {
  static Class* const cls =
      Runtime::shared().defineClass("AVPlayerViewController", UIViewController::objcClass(),
                                    factoryFor<AVPlayerViewController>());
  return cls;
}

AVPlayerViewController::AVPlayerViewController(Class* cls) : UIViewController(cls) {}

void AVPlayerViewController::loadViewImpl() {
  auto view = std::make_shared<UIView>();
  view->setFrame(UIScreen::mainScreen()->bounds());
  view->setBackgroundColor(UIColor::blackColor());
  setView(std::move(view));
}

}  // namespace host
