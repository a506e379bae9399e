#include "media/AVPlayerViewController.h"

#include "media/AVPlayer.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIColor.h"
#include "uikit/UIScreen.h"
#include "uikit/UIView.h"

namespace host {

HOST_CLASS(AVPlayerViewController, UIViewController)

AVPlayerViewController::AVPlayerViewController(Class* cls) : UIViewController(cls) {}

void AVPlayerViewController::loadViewImpl() {
  auto view = std::make_shared<UIView>();
  view->setFrame(UIScreen::mainScreen()->bounds());
  view->setBackgroundColor(UIColor::blackColor());
  setView(std::move(view));
}

}  // namespace host
