// A library the simulator tests install into the Settings app in place of the extension: a strip
// of controls over the bottom of the screen that cause what scripts observe (platform events, a
// presented video, an alert with a field, a panel with a balloon) and views that are visible,
// hidden, faint, clipped or off screen.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Log.h"
#include "foundation/NSBundle.h"
#include "foundation/RunLoop.h"
#include "foundation/Shell.h"
#include "media/AVPlayer.h"
#include "media/AVPlayerViewController.h"
#include "media/AudioServices.h"
#include "runtime/HostClass.h"
#include "uikit/NSMutableAttributedString.h"
#include "uikit/NSTextAttachment.h"
#include "uikit/UIAlertController.h"
#include "uikit/UIApplication.h"
#include "uikit/UIButton.h"
#include "uikit/UIColor.h"
#include "uikit/UILabel.h"
#include "uikit/UIPanGestureRecognizer.h"
#include "uikit/UISwitch.h"
#include "uikit/UITableView.h"
#include "uikit/UITableViewDataSource.h"
#include "uikit/UITapGestureRecognizer.h"
#include "uikit/UITextField.h"
#include "uikit/UIWindow.h"

namespace probe {

using namespace host;

// Named as the extension's panel classes are, so that `dismiss` finds them by name.
class shapeSkyView : public UIView {
 public:
  static Class* objcClass();
  explicit shapeSkyView(Class* cls = objcClass()) : UIView(cls) {}
};

class skyView : public UIView {
 public:
  static Class* objcClass();
  explicit skyView(Class* cls = objcClass()) : UIView(cls) {}
};

HOST_CLASS(shapeSkyView, UIView)
HOST_CLASS(skyView, UIView)

namespace {

class LoggingDelegate : public UITextFieldDelegate {
 public:
  bool textFieldShouldReturn(UITextField& field) override {
    NSLog("returned " + field.text());
    return true;
  }
};

std::shared_ptr<LoggingDelegate>& delegate() {
  static auto shared = std::make_shared<LoggingDelegate>();
  return shared;
}

// A table in editing mode whose rows can be moved; the last row has a switch instead.
class Rows : public UITableViewDataSource {
 public:
  long tableViewNumberOfRowsInSection(UITableView& /*table*/, long /*section*/) override {
    return static_cast<long>(titles_.size()) + 1;
  }
  std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(
      UITableView& /*table*/, const NSIndexPath& indexPath) override {
    auto cell = UITableViewCell::cellWithStyle(UITableViewCellStyleDefault, "");
    const auto row = static_cast<std::size_t>(indexPath.row);
    cell->textLabel()->setText(row < titles_.size() ? titles_[row] : "Lamp");
    if (row == titles_.size()) {
      auto lamp = std::make_shared<UISwitch>();
      lamp->addAction(
          [](const std::shared_ptr<UIControl>& sender, UIEvent*) {
            NSLog(std::string("lamp ") + (static_cast<UISwitch&>(*sender).isOn() ? "on" : "off"));
          },
          UIControlEventValueChanged);
      lamp->setFrame(CGRectMake(250, 6, 51, 31));
      cell->contentView()->addSubview(lamp);
    } else {
      cell->setShowsReorderControl(true);
    }
    return cell;
  }
  bool tableViewCanMoveRowAtIndexPath(UITableView& /*table*/, const NSIndexPath& at) override {
    return static_cast<std::size_t>(at.row) < titles_.size();
  }
  bool implementsMoveRow() const override { return true; }
  void tableViewMoveRowAtIndexPath(UITableView& /*table*/, const NSIndexPath& from,
                                   const NSIndexPath& to) override {
    const std::string moved = titles_[static_cast<std::size_t>(from.row)];
    titles_.erase(titles_.begin() + from.row);
    titles_.insert(titles_.begin() + to.row, moved);
    std::string order = "order";
    for (const auto& title : titles_)
      order += " " + title;
    NSLog(order);
  }

 private:
  std::vector<std::string> titles_{"North", "East", "South"};
};

std::shared_ptr<UIViewController> root() {
  const auto window = UIApplication::sharedApplication()->keyWindow();
  return window ? std::dynamic_pointer_cast<UIViewController>(window->rootViewController())
                : nullptr;
}

std::shared_ptr<UILabel> label(UIView& parent, const std::string& text, const CGRect& frame) {
  auto view = std::make_shared<UILabel>();
  view->setText(text);
  view->setFrame(frame);
  parent.addSubview(view);
  return view;
}

void button(UIView& parent, const std::string& title, const CGRect& frame,
            std::function<void()> action) {
  auto view = UIButton::buttonWithType(UIButtonTypeSystem);
  if (!title.empty()) view->setTitle(title, UIControlStateNormal);
  view->setFrame(frame);
  view->addAction([action = std::move(action)](const auto&, UIEvent*) { action(); },
                  UIControlEventTouchUpInside);
  parent.addSubview(view);
  if (title.empty()) view->setAccessibilityLabel("Gear");
}

void showVideo() {
  auto player = AVPlayer::playerWithURL("https://example.com/tour.mp4");
  auto screen = std::make_shared<AVPlayerViewController>();
  screen->setPlayer(player);
  if (const auto presenter = root()) presenter->presentViewController(screen, true, {});
  player->play();
}

void ask() {
  auto alert = UIAlertController::alertControllerWithTitle("Name", "", UIAlertControllerStyleAlert);
  alert->addTextFieldWithConfigurationHandler(
      [](const std::shared_ptr<UITextField>& field) { field->setDelegate(delegate()); });
  std::weak_ptr<UIAlertController> weakAlert = alert;
  alert->addAction(
      UIAlertAction::actionWithTitle("OK", UIAlertActionStyleDefault, [weakAlert](const auto&) {
        if (const auto shown = weakAlert.lock())
          NSLog("answered " + shown->textFields()[0]->text());
      }));
  if (const auto presenter = root()) presenter->presentViewController(alert, true, {});
}

void showPanel() {
  const auto window = UIApplication::sharedApplication()->keyWindow();
  auto panel = std::make_shared<skyView>();
  panel->setFrame(window->bounds());
  panel->setBackgroundColor(UIColor::colorWithWhite(0, 0.3));
  auto balloon = std::make_shared<shapeSkyView>();
  balloon->setFrame(CGRectMake(50, 200, 275, 150));
  balloon->setBackgroundColor(UIColor::whiteColor());
  label(*balloon, "Balloon", CGRectMake(10, 10, 100, 20));
  panel->addSubview(balloon);
  auto tap = std::make_shared<UITapGestureRecognizer>();
  tap->addTarget([](const std::shared_ptr<UIGestureRecognizer>& recognizer) {
    const auto view = recognizer->view();
    if (!view || recognizer->state() != UIGestureRecognizerStateEnded) return;
    const auto& inside = view->subviews().front();
    if (inside->frame().containsPoint(recognizer->locationInView(view.get()))) {
      NSLog("balloon tapped");
    } else {
      NSLog("panel dismissed");
      view->removeFromSuperview();
    }
  });
  panel->addGestureRecognizer(tap);
  window->addSubview(panel);
}

void showRows() {
  static const auto rows = std::make_shared<Rows>();
  const auto window = UIApplication::sharedApplication()->keyWindow();
  auto table = std::make_shared<UITableView>();
  table->setFrame(CGRectMake(0, 64, 375, 300));
  table->setDataSource(rows);
  table->setEditing(true);
  window->addSubview(table);
}

void build() {
  const auto window = UIApplication::sharedApplication()->keyWindow();
  if (!window) return;
  auto strip = std::make_shared<UIView>();
  strip->setFrame(CGRectMake(0, 467, 375, 200));
  strip->setBackgroundColor(UIColor::whiteColor());
  button(*strip, "Beep", CGRectMake(0, 0, 75, 44), [] {
    AudioServicesPlaySystemSound(kSystemSoundID_KeyPressClick);
    Shell::system("echo beep");
  });
  button(*strip, "Link", CGRectMake(75, 0, 75, 44),
         [] { UIApplication::sharedApplication()->openURL("https://example.com/vorlan"); });
  button(*strip, "Video", CGRectMake(150, 0, 75, 44), showVideo);
  button(*strip, "Ask", CGRectMake(225, 0, 75, 44), ask);
  button(*strip, "Panel", CGRectMake(300, 0, 75, 44), showPanel);
  button(*strip, "", CGRectMake(0, 50, 44, 44), [] { AudioServicesPlaySystemSound(1); });
  button(*strip, "Rows", CGRectMake(300, 100, 75, 44), showRows);
  // Two buttons show the same title: the one drawn later is in front.
  button(*strip, "Twin", CGRectMake(0, 150, 60, 44), [] { AudioServicesPlaySystemSound(2); });
  button(*strip, "Twin", CGRectMake(300, 150, 60, 44), [] { AudioServicesPlaySystemSound(3); });

  label(*strip, "Hidden", CGRectMake(100, 50, 80, 20))->setHidden(true);
  auto faint = std::make_shared<UIView>();
  faint->setFrame(CGRectMake(100, 70, 80, 20));
  faint->setAlpha(0.005);
  label(*faint, "Faint", CGRectMake(0, 0, 80, 20));
  strip->addSubview(faint);
  label(*strip, "Away", CGRectMake(400, 50, 80, 20));
  auto clip = std::make_shared<UIView>();
  clip->setFrame(CGRectMake(200, 50, 40, 20));
  clip->setClipsToBounds(true);
  label(*clip, "Clipped", CGRectMake(30, 0, 80, 20));
  strip->addSubview(clip);
  auto rich = NSMutableAttributedString::withString("Rich ");
  rich->appendAttributedString(
      *NSAttributedString::attributedStringWithAttachment(NSTextAttachment::withImage(nullptr)));
  label(*strip, "", CGRectMake(250, 50, 100, 20))->setAttributedText(rich);
  label(*strip, "Two\tcols\nLines", CGRectMake(100.3, 100, 120, 40))->setNumberOfLines(0);
  // A swipe on it logs its pan's states, and how far it went.
  auto handle = label(*strip, "Handle", CGRectMake(250, 100, 80, 30));
  handle->setUserInteractionEnabled(true);
  auto pan = std::make_shared<UIPanGestureRecognizer>();
  pan->addTarget([](const std::shared_ptr<UIGestureRecognizer>& recognizer) {
    const auto state = recognizer->state();
    const auto* panned = static_cast<UIPanGestureRecognizer*>(recognizer.get());
    if (state == UIGestureRecognizerStateBegan) NSLog("pan began");
    if (state == UIGestureRecognizerStateChanged) NSLog("pan changed");
    if (state == UIGestureRecognizerStateEnded) {
      NSLog("pan ended at " +
            std::to_string(static_cast<int>(panned->translationInView(nullptr).x)));
    }
  });
  handle->addGestureRecognizer(pan);
  window->addSubview(strip);
}

__attribute__((constructor)) void probeLoad() {
  if (NSBundle::mainBundle()->bundleIdentifier() != "com.apple.preferences") return;
  RunLoop::main().dispatchAsync(build);
}

}  // namespace
}  // namespace probe
