#include "info/tutorialController.h"

#include "media/AVPlayer.h"
#include "media/AVPlayerViewController.h"
#include "runtime/HostClass.h"
#include "uikit/UIApplication.h"
#include "uikit/UIButton.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UILabel.h"
#include "uikit/UIScreen.h"
#include "uikit/UIView.h"
#include "uikit/UIWindow.h"

namespace vorlan {

HOST_CLASS(tutorialController, host::UIViewController)

tutorialController::tutorialController(host::Class* cls) : host::UIViewController(cls) {}

std::shared_ptr<tutorialController> tutorialController::make() {
  return std::make_shared<tutorialController>();
}

void tutorialController::loadViewImpl() {
  auto view = std::make_shared<host::UIView>();
  view->setFrame(host::UIScreen::mainScreen()->bounds());
  view->setBackgroundColor(host::UIColor::whiteColor());

  welcome_ = std::make_shared<host::UILabel>();
  welcome_->setText("Welcome to \nVorlan");
  welcome_->setTextColor(host::UIColor::blackColor());
  welcome_->setTextAlignment(host::NSTextAlignment::Center);
  welcome_->setFont(host::UIFont::systemFontOfSize(30));
  welcome_->setNumberOfLines(0);
  view->addSubview(welcome_);

  ok_ = host::UIButton::buttonWithType(host::UIButtonTypeCustom);
  ok_->setTitle("Tutorial", host::UIControlStateNormal);
  ok_->setTitleColor(host::UIColor::colorWithRed(0.05, 0.4, 1.0, 1), host::UIControlStateNormal);
  ok_->setBackgroundColor(host::UIColor::clearColor());
  const std::weak_ptr<tutorialController> weakSelf =
      std::static_pointer_cast<tutorialController>(sharedController());
  ok_->addTarget(
      sharedController(),
      [weakSelf] {
        if (auto self = weakSelf.lock()) self->showTutorial();
      },
      host::UIControlEventTouchUpInside);
  view->addSubview(ok_);
  setView(std::move(view));
}

void tutorialController::viewWillLayoutSubviews() {
  host::UIViewController::viewWillLayoutSubviews();
  const host::CGRect bounds = view()->bounds();
  welcome_->setFrame(bounds);
  ok_->sizeToFit();
  const host::CGSize size = ok_->frame().size;
  ok_->setFrame(
      {(bounds.size.width - size.width) / 2, bounds.size.height * 3 / 4, size.width, size.height});
}

void tutorialController::showTutorial() {
  dismissViewControllerAnimated(true, [] {
    const auto window = host::UIApplication::sharedApplication()->keyWindow();
    const auto root =
        window ? std::dynamic_pointer_cast<host::UIViewController>(window->rootViewController())
               : nullptr;
    if (!root) return;
    auto player = host::AVPlayer::playerWithURL(kVideoURL);
    auto page = std::make_shared<host::AVPlayerViewController>();
    page->setPlayer(player);
    root->presentViewController(std::move(page), true, [player] { player->play(); });
  });
}

}  // namespace vorlan
