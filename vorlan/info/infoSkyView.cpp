#include "info/infoSkyView.h"

#include <array>
#include <utility>

#include "info/tutorialController.h"
#include "panels/Stage.h"
#include "panels/shapeSkyView.h"
#include "runtime/HostClass.h"
#include "store/VLPreferencesManager.h"
#include "uikit/CAGradientLayer.h"
#include "uikit/CALayer.h"
#include "uikit/UIAlertView.h"
#include "uikit/UIApplication.h"
#include "uikit/UIButton.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UIScreen.h"
#include "uikit/UITapGestureRecognizer.h"
#include "uikit/UITextField.h"
#include "uikit/UITextView.h"
#include "uikit/UIViewController.h"
#include "uikit/UIWindow.h"

namespace vorlan {

HOST_CLASS(infoSkyView, skyView)

namespace {

constexpr double kPictureSide = 100;
constexpr double kButtonHeight = 30;

// An app that shows a profile, by its URL scheme, and where it shows the maker's.
struct ProfileApp {
  const char* scheme;
  const char* profilePrefix;
};
constexpr std::array<ProfileApp, 3> kProfileApps{{
    {"tweetbot:", "tweetbot:///user_profile/"},
    {"tweetings:", "tweetings:///user?screen_name="},
    {"twitter:", "twitter://user?screen_name="},
}};

}  // namespace

infoSkyView::infoSkyView(host::Class* cls) : skyView(cls) {}

std::shared_ptr<infoSkyView> infoSkyView::make(const host::CGRect& frame) {
  auto panel = std::make_shared<infoSkyView>();
  panel->initWithFrame(frame);
  return panel;
}

std::string infoSkyView::releaseHistory() {
  return "Vorlan3\n"
         "\n"
         "V.1.0 Inital release;\n"
         "V.1.0-1 Fixed crash upon installation;\n"
         "V.1.0-2 Bug fixes;\n"
         "V.1.0-3 Bug fixes;\n"
         "V.1.0-4 Bug fixes;\n"
         "V.1.0-5 Bug fixes;\n"
         "V.1.0-6 Fixed crash.\n"
         "V.1.1-7 iOs 9.3.3 compability.\n"
         "V.1.1-1 Fixed sorting issue.\n"
         "V.1.1-2 Bug fixes\n"
         "V.1.1-3 Bug fixes\n"
         "V.1.2 Initial iOs10 support";
}

void infoSkyView::initWithFrame(const host::CGRect& frame) {
  skyView::initWithFrame(frame);
  const auto& container = shape()->container();
  const std::weak_ptr<infoSkyView> weakSelf =
      std::static_pointer_cast<infoSkyView>(shared_from_this());

  me_ = std::make_shared<host::UIImageView>();
  me_->setImage(host::UIImage::imageWithContentsOfFile(kCreatorImage));
  me_->setUserInteractionEnabled(true);
  me_->setAccessibilityLabel("Follow");
  auto tap = std::make_shared<host::UITapGestureRecognizer>();
  tap->addTarget(shared_from_this(), [weakSelf](const auto&) {
    if (auto self = weakSelf.lock()) self->followMe();
  });
  me_->addGestureRecognizer(tap);
  container->addSubview(me_);

  info_ = std::make_shared<host::UITextView>();
  info_->setShowsHorizontalScrollIndicator(false);
  info_->setShowsVerticalScrollIndicator(false);
  auto self = weakSelf.lock();
  info_->host::UIScrollView::setDelegate(
      std::shared_ptr<host::UIScrollViewDelegate>(self, self.get()));
  info_->setEditable(false);
  info_->setSelectable(false);
  info_->setFont(host::UIFont::systemFontOfSize(16));
  info_->setTextAlignment(host::NSTextAlignment::Center);
  info_->setTextColor(host::UIColor::blackColor());
  info_->setBackgroundColor(host::UIColor::clearColor());
  info_->setText(releaseHistory());
  // The history fades out towards its top and bottom edges.
  mask_ = host::CAGradientLayer::layer();
  mask_->setColors({host::UIColor::clearColor(), host::UIColor::blackColor(),
                    host::UIColor::blackColor(), host::UIColor::clearColor()});
  mask_->setLocations({0, 0.1, 0.9, 1});
  mask_->setShouldRasterize(true);
  mask_->setRasterizationScale(host::UIScreen::mainScreen()->scale());
  mask_->setAnchorPoint({0, 0});
  info_->layer()->setMask(mask_);
  container->addSubview(info_);

  reset_ = roundedButton("Reset", 255, 100, 100, &infoSkyView::eraseVL);
  container->addSubview(reset_);
  tutorial_ = roundedButton("Tutorial", 190, 190, 190, &infoSkyView::showTutorial);
  container->addSubview(tutorial_);
}

std::shared_ptr<host::UIButton> infoSkyView::roundedButton(const std::string& title, double red,
                                                           double green, double blue,
                                                           void (infoSkyView::*action)()) {
  auto button = host::UIButton::buttonWithType(host::UIButtonTypeCustom);
  button->setTitle(title, host::UIControlStateNormal);
  button->setTitleColor(host::UIColor::whiteColor(), host::UIControlStateNormal);
  button->setBackgroundColor(host::UIColor::colorWithRed(red / 255, green / 255, blue / 255, 1));
  button->layer()->setCornerRadius(8);
  button->setClipsToBounds(true);
  const std::weak_ptr<infoSkyView> weakSelf =
      std::static_pointer_cast<infoSkyView>(shared_from_this());
  button->addTarget(
      shared_from_this(),
      [weakSelf, action] {
        if (auto self = weakSelf.lock()) (self.get()->*action)();
      },
      host::UIControlEventTouchUpInside);
  return button;
}

void infoSkyView::layoutSubviewsImpl() {
  skyView::layoutSubviewsImpl();
  const host::CGSize size = shape()->container()->bounds().size;
  const double w = size.width;
  const double h = size.height;

  me_->setFrame({(w - kPictureSide) / 2, 10, kPictureSide, kPictureSide});
  me_->layer()->setCornerRadius(kPictureSide / 2);
  me_->setClipsToBounds(true);

  const double top = 10 + kPictureSide + 15;
  info_->setFrame({5, top, w - 10, h - top - 52.5});
  placeMask();

  const double buttonWidth = 40 * w / 100;
  reset_->setFrame({20 * w / 300, h - 32.5, buttonWidth, kButtonHeight});
  tutorial_->setFrame({reset_->frame().origin.x + buttonWidth + 20 * w / 300, h - 32.5, buttonWidth,
                       kButtonHeight});
}

void infoSkyView::placeMask() {
  const host::CGSize size = info_->bounds().size;
  mask_->setBounds({0, 0, size.width, size.height});
  mask_->setPosition({0, info_->contentOffset().y});
}

void infoSkyView::scrollViewDidScroll(host::UIScrollView& /*scrollView*/) {
  placeMask();
}

void infoSkyView::followMe() {
  const auto application = host::UIApplication::sharedApplication();
  for (const ProfileApp& app : kProfileApps) {
    if (application->canOpenURL(app.scheme)) {
      application->openURL(std::string(app.profilePrefix) + kProfileHandle);
      return;
    }
  }
  application->openURL(kWebFollowURL);
}

void infoSkyView::eraseVL() {
  auto manager = VLPreferencesManager::sharedInstance();
  const auto password = manager->getPassword();
  if (!password || password->empty()) {
    manager->eraseAll();
    return;
  }
  auto alert = host::UIAlertView::alert("Reset", kResetMessage, "No", {"Yes"});
  alert->setAlertViewStyle(host::UIAlertViewStyleSecureTextInput);
  if (const auto field = alert->textFieldAtIndex(0))
    field->setKeyboardType(host::UIKeyboardTypeNumberPad);
  const std::weak_ptr<infoSkyView> weakSelf =
      std::static_pointer_cast<infoSkyView>(shared_from_this());
  alert->setClickedButtonCallback([weakSelf](const auto& shown, long index) {
    if (auto self = weakSelf.lock()) self->alertViewClickedButtonAtIndex(*shown, index);
  });
  alert->show();
}

void infoSkyView::alertViewClickedButtonAtIndex(host::UIAlertView& alert, long index) {
  if (index != 1) return;
  const auto field = alert.textFieldAtIndex(0);
  auto manager = VLPreferencesManager::sharedInstance();
  if (!field || field->text() != manager->getPassword().value_or("")) return;
  manager->eraseAll();
}

void infoSkyView::showTutorial() {
  if (auto* stage = Stage::current()) stage->closeSidePage();
  dismissShape(true);
  const auto window = host::UIApplication::sharedApplication()->keyWindow();
  const auto root =
      window ? std::dynamic_pointer_cast<host::UIViewController>(window->rootViewController())
             : nullptr;
  if (root) root->presentViewController(tutorialController::make(), true);
}

}  // namespace vorlan
