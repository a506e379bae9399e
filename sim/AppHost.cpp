#include "AppHost.h"

#include <algorithm>
#include <sstream>

#include "MessageChannel.h"
#include "RowAndPanelActions.h"
#include "ScreenReader.h"
#include "TextScroller.h"
#include "TouchDriver.h"
#include "VisibleViews.h"
#include "foundation/DeviceFileSystem.h"
#include "foundation/Log.h"
#include "foundation/PlatformEvents.h"
#include "foundation/RunLoop.h"
#include "foundation/Shell.h"
#include "preferences/PSListController.h"
#include "preferences/PreferencesApp.h"
#include "springboard/SpringBoard.h"
#include "springboard/SpringBoardApp.h"
#include "uikit/Keyboard.h"
#include "uikit/UIAlertController.h"
#include "uikit/UIAlertView.h"
#include "uikit/UIApplication.h"
#include "uikit/UINavigationBar.h"
#include "uikit/UINavigationButton.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIScreen.h"
#include "uikit/UISlider.h"
#include "uikit/UIWindow.h"
#include "uikit/ViewRenderer.h"
#include "uikit/ViewTreeDump.h"

namespace vorlan {

namespace {

using Kind = ScriptCommand::Kind;

// How long the simulator waits for a page or an alert to come and go before it gives up.
constexpr double kSettleLimit = 3;

// The third field carries what the app asked of the system during the command: a restart of
// SpringBoard, or another app opened from the home screen.
std::vector<std::string> reply(bool ok, std::string text, bool respring,
                               const std::string& open = {}) {
  return {ok ? "ok" : "error", std::move(text),
          respring       ? "respring"
          : open.empty() ? ""
                         : "open:" + open};
}

void markNeedsLayout(host::UIView& view) {
  view.setNeedsLayout();
  for (const auto& subview : view.subviews())
    markNeedsLayout(*subview);
}

std::string quoted(const std::string& text) {
  return "\"" + text + "\"";
}

}  // namespace

std::string_view AppHost::name(App app) {
  return app == App::Settings ? "Settings" : "SpringBoard";
}

AppHost::AppHost(App app) : app_(app) {}

AppHost::~AppHost() {
  release();
}

int AppHost::serve(App app, const std::filesystem::path& root, const DeviceOptions& options,
                   MessageChannel& channel) {
  AppHost host(app);
  std::string error;
  const bool launched = host.launch(root, options, error);
  bool connected = channel.send(reply(launched, error, host.respringRequested_));
  host.respringRequested_ = false;
  while (launched && connected) {
    const auto fields = channel.receive();
    ScriptCommand command;
    if (!fields || !ScriptCommand::decode(*fields, command)) break;
    if (command.kind == Kind::Quit) {
      host.release();
      channel.send(reply(true, "", false));
      break;
    }
    std::string output;
    error.clear();
    const bool ok = host.execute(command, output, error);
    connected =
        channel.send(reply(ok, ok ? output : error, host.respringRequested_, host.openRequested_));
    host.respringRequested_ = false;
    host.openRequested_.clear();
  }
  host.release();
  return 0;
}

bool AppHost::launch(const std::filesystem::path& root, const DeviceOptions& options,
                     std::string& error) {
  // The process was forked from the simulator: it starts from a clean platform of its own.
  host::RunLoop::main().reset();
  host::Log::setEchoToStderr(false);
  host::Log::clear();
  host::Shell::clearCommands();
  host::PlatformEvents::clear();
  host::Shell::setHandler([this](std::string_view command) {
    if (command.find("killall") != std::string_view::npos &&
        command.find("SpringBoard") != std::string_view::npos) {
      respringRequested_ = true;
    }
    return 0;
  });
  host::DeviceFileSystem::setCurrent(std::make_shared<host::DeviceFileSystem>(root));
  options.apply();
  if (options.landscape) rotate(true);
  if (app_ == App::Settings) {
    settings_ = host::PreferencesApp::launch();
  } else {
    springBoard_ = host::SpringBoardApp::launch();
    if (springBoard_) {
      springBoard_->springBoard()->setOpenHandler(
          [this](const std::string& identifier) { openRequested_ = identifier; });
    }
  }
  if (!window()) {
    error = "the " + std::string(name(app_)) + " app did not come up";
    return false;
  }
  if (options.landscape) rotate(true);
  TouchDriver::run(0);
  return true;
}

void AppHost::release() {
  driver_.reset();
  settings_.reset();
  springBoard_.reset();
  // Queued work holds what it will use: dropping it lets the app's objects go.
  host::RunLoop::main().reset();
  host::Shell::setHandler({});
}

std::shared_ptr<host::UIWindow> AppHost::window() const {
  if (auto key = host::UIApplication::sharedApplication()->keyWindow()) return key;
  if (settings_) return settings_->window();
  return springBoard_ ? springBoard_->window() : nullptr;
}

std::shared_ptr<host::UINavigationController> AppHost::navigation(std::string& error) const {
  if (!settings_ || !settings_->navigationController()) {
    error = "the Settings app is not in front";
    return nullptr;
  }
  return settings_->navigationController();
}

TouchDriver& AppHost::driver() {
  const auto current = window();
  if (!driver_ || driver_->window() != current) driver_ = std::make_unique<TouchDriver>(current);
  return *driver_;
}

bool AppHost::execute(const ScriptCommand& command, std::string& output, std::string& error) {
  const auto& n = command.numbers;
  switch (command.kind) {
    case Kind::Background:
    case Kind::Activate:
      if (!settings_) {
        error = "the Settings app is not running";
        return false;
      }
      if (command.kind == Kind::Background) {
        settings_->enterBackground();
      } else {
        settings_->becomeActive();
      }
      TouchDriver::run(0);
      return true;
    case Kind::Wallpaper:
      if (!springBoard_) {
        error = "SpringBoard is not running";
        return false;
      }
      if (!springBoard_->setWallpaper(command.text, &error)) return false;
      TouchDriver::run(0);
      return true;
    case Kind::Rotate:
      rotate(command.text == "landscape");
      return true;
    case Kind::Wait:
      TouchDriver::run(n.at(0));
      return true;
    case Kind::Tap:
    case Kind::TapText:
    case Kind::Drag:
    case Kind::DragText:
    case Kind::Hold:
    case Kind::HoldText:
    case Kind::Press:
    case Kind::PressText:
      return touch(command, error);
    case Kind::Touch:
      return touchStep(command, error);
    case Kind::Screen: {
      std::uint64_t known = 0;
      std::istringstream(command.text) >> known;
      output = frames_.answer(window(), {host::UIApplication::sharedApplication()->statusBar()},
                              known, n.size() > 0 && n[0] != 0, n.size() > 1 ? n[1] : 0);
      return true;
    }
    case Kind::Toggle:
      return RowAndPanelActions(driver()).toggle(command.text, error);
    case Kind::Reorder:
      return RowAndPanelActions(driver()).reorder(command.text, command.other, error);
    case Kind::Scroll:
      return TextScroller(driver()).scrollTo(command.text, error);
    case Kind::Dismiss:
      return RowAndPanelActions(driver()).dismissPanel(error);
    case Kind::Type:
      return type(command.text, error);
    case Kind::Texts:
      if (const auto shown = window()) {
        output =
            ScreenReader::texts(*shown, {host::UIApplication::sharedApplication()->statusBar()});
      }
      return true;
    case Kind::Events:
      for (const auto& event : host::PlatformEvents::take())
        output += ScreenReader::oneLine(event) + "\n";
      return true;
    case Kind::Alert:
      return alert(command.text, error);
    case Kind::Back:
      return back(error);
    case Kind::Open:
      return open(command.text, error);
    case Kind::Cells:
      return cells(output, error);
    case Kind::Pages:
      if (const auto nav = navigation(error)) {
        output = ScreenReader::pages(*nav);
        return true;
      }
      return false;
    case Kind::Dump:
      if (const auto shown = window()) {
        shown->layoutIfNeeded();
        output = host::ViewTreeDump::dump(*shown);
      }
      return true;
    case Kind::Shot:
      if (!host::ViewRenderer().writePng(window(), command.text,
                                         {host::UIApplication::sharedApplication()->statusBar()})) {
        error = "cannot write the screenshot to " + command.text;
        return false;
      }
      return true;
    case Kind::Log:
      for (const auto& line : host::Log::lines())
        output += line + "\n";
      host::Log::clear();
      return true;
    default:
      error = "the app cannot " + std::string(ScriptCommand::verb(command.kind));
      return false;
  }
}

bool AppHost::touch(const ScriptCommand& command, std::string& error) {
  const auto& n = command.numbers;
  auto& finger = driver();
  std::optional<host::CGPoint> at;
  if (command.kind == Kind::TapText || command.kind == Kind::DragText ||
      command.kind == Kind::HoldText || command.kind == Kind::PressText) {
    const auto found = ScreenReader::find(*finger.window(), command.text);
    if (!found) {
      error = "nothing on screen shows " + quoted(command.text);
      return false;
    }
    at = found->centre;
    // A finger moves a slider by its thumb.
    if (const auto* slider = dynamic_cast<host::UISlider*>(found->view.get());
        slider && command.kind == Kind::DragText) {
      const auto entries = VisibleViews::of(*finger.window());
      if (const auto* thumb = VisibleViews::entryOf(entries, slider->thumbView().get()))
        at = thumb->centre;
    }
  }
  switch (command.kind) {
    case Kind::Tap:
      finger.tap({n.at(0), n.at(1)});
      break;
    case Kind::TapText:
      finger.tap(*at);
      break;
    case Kind::Drag:
      finger.drag({n.at(0), n.at(1)}, {n.at(2), n.at(3)}, n.at(4));
      break;
    case Kind::DragText:
      finger.drag(*at, {at->x + n.at(0), at->y + n.at(1)}, n.at(2));
      break;
    case Kind::Hold:
      finger.hold({n.at(0), n.at(1)}, n.at(2));
      break;
    case Kind::HoldText:
      finger.hold(*at, n.at(0));
      break;
    case Kind::PressText:
      finger.press(*at);
      break;
    default:
      finger.press({n.at(0), n.at(1)});
      break;
  }
  return true;
}

bool AppHost::touchStep(const ScriptCommand& command, std::string& error) {
  const host::CGPoint point{command.numbers.at(0), command.numbers.at(1)};
  if (command.text == "down") {
    if (driver_ && driver_->isTouching()) {
      error = "the finger is down already (touch up first)";
      return false;
    }
    if (!driver().touchDown(point)) {
      error = "no window takes the touch";
      return false;
    }
    return true;
  }
  // The finger stays with the window it came down on, even when another window came to the
  // front meanwhile.
  if (!driver_ || !driver_->isTouching()) {
    error = "the finger is not down (touch down first)";
    return false;
  }
  if (command.text == "move" ? driver_->touchMove(point) : driver_->touchUp(point)) return true;
  error = "the window under the finger is gone";
  return false;
}

bool AppHost::type(const std::string& text, std::string& error) {
  // A field may become the first responder as an alert appears: give it the time to.
  if (!TouchDriver::runUntil([] { return host::Keyboard::isVisible(); }, kSettleLimit)) {
    error = "nothing takes text: no text field is the first responder";
    return false;
  }
  for (std::size_t start = 0; start < text.size();) {
    // The return key may end the editing; typing on then has nowhere to go.
    if (!host::Keyboard::isVisible()) {
      error = "nothing takes text any more: the text field gave up the keyboard";
      return false;
    }
    const std::size_t key = std::min(text.find_first_of("\b\n", start), text.size());
    if (key > start) {
      host::Keyboard::typeText(std::string_view(text).substr(start, key - start));
      start = key;
      continue;
    }
    if (text[key] == '\b') {
      host::Keyboard::pressDelete();
    } else if (!host::Keyboard::pressReturn()) {
      error = "the keyboard on screen has no return key";
      return false;
    }
    TouchDriver::run(0);
    start = key + 1;
  }
  TouchDriver::run(0);
  return true;
}

bool AppHost::alert(const std::string& title, std::string& error) {
  const auto controllers = host::UIAlertController::presented();
  const auto& views = host::UIAlertView::visibleAlerts();
  if (controllers.empty() && views.empty()) {
    error = "no alert on screen";
    return false;
  }
  if (!controllers.empty()) {
    const auto alert = controllers.back();
    const auto& actions = alert->actions();
    if (std::none_of(actions.begin(), actions.end(),
                     [&](const auto& action) { return action->title() == title; })) {
      error = "the alert has no button " + quoted(title);
      return false;
    }
    // It may still be appearing: the button answers once the alert is fully on screen.
    if (!TouchDriver::runUntil([&] { return alert->pressButton(title); }, kSettleLimit)) {
      error = "the alert's button " + quoted(title) + " cannot be pressed";
      return false;
    }
    TouchDriver::runUntil(
        [&] {
          const auto shown = host::UIAlertController::presented();
          return std::find(shown.begin(), shown.end(), alert) == shown.end();
        },
        kSettleLimit);
    return true;
  }
  const auto alert = views.back();
  if (!alert->pressButton(title)) {
    error = "the alert has no button " + quoted(title);
    return false;
  }
  TouchDriver::run(0);
  return true;
}

bool AppHost::back(std::string& error) {
  // A screen presented over the app (a video, a welcome screen) goes first; alerts are answered
  // with `alert`.
  const auto presented = host::UIViewController::presentedControllers();
  for (auto it = presented.rbegin(); it != presented.rend(); ++it) {
    if (std::dynamic_pointer_cast<host::UIAlertController>(*it)) continue;
    const auto screen = *it;
    TouchDriver::runUntil([&] { return !screen->isBeingPresented(); }, kSettleLimit);
    screen->dismissViewControllerAnimated(true);
    const bool gone = TouchDriver::runUntil(
        [&] {
          const auto shown = host::UIViewController::presentedControllers();
          return std::find(shown.begin(), shown.end(), screen) == shown.end();
        },
        kSettleLimit);
    if (!gone) error = "the screen in front did not go away";
    return gone;
  }
  const auto nav = navigation(error);
  if (!nav) return false;
  TouchDriver::runUntil([&] { return !nav->isTransitioning(); }, kSettleLimit);
  const auto before = nav->viewControllers().size();
  if (before <= 1) {
    error = "already at the root page";
    return false;
  }
  // Like the user: a tap on the bar's back button, which is what hooks on it see.
  const auto button = nav->navigationBar()->backButton();
  const auto shown = window();
  if (button && shown && button->window() == shown && !button->isHidden()) {
    const auto frame = button->convertRectToView(button->bounds(), nullptr);
    driver().tap({frame.origin.x + frame.size.width / 2, frame.origin.y + frame.size.height / 2});
  } else {
    nav->popViewControllerAnimated(true);
  }
  TouchDriver::runUntil([&] { return !nav->isTransitioning(); }, kSettleLimit);
  if (nav->viewControllers().size() >= before) {
    error = "the page did not go back";
    return false;
  }
  return true;
}

bool AppHost::open(const std::string& text, std::string& error) {
  const auto nav = navigation(error);
  if (!nav) return false;
  TouchDriver::runUntil([&] { return !nav->isTransitioning(); }, kSettleLimit);
  const auto before = nav->topViewController();
  const auto found = ScreenReader::find(*driver().window(), text);
  if (!found) {
    error = "nothing on screen shows " + quoted(text);
    return false;
  }
  driver().tap(found->centre);
  const bool opened = TouchDriver::runUntil(
      [&] { return nav->topViewController() != before && !nav->isTransitioning(); }, kSettleLimit);
  if (!opened) {
    error = "the row " + quoted(text) + " opened no page";
    return false;
  }
  return true;
}

bool AppHost::cells(std::string& output, std::string& error) {
  const auto nav = navigation(error);
  if (!nav) return false;
  // The top page of the stack, also while a screen presented over it covers it.
  const auto page = std::dynamic_pointer_cast<host::PSListController>(nav->topViewController());
  if (!page) {
    error = "the page on top is not a list page";
    return false;
  }
  output = ScreenReader::cells(*page);
  return true;
}

void AppHost::rotate(bool landscape) {
  const auto& screen = host::UIScreen::mainScreen();
  const auto size = screen->bounds().size;
  const double shortSide = std::min(size.width, size.height);
  const double longSide = std::max(size.width, size.height);
  screen->setBounds(landscape ? host::CGRectMake(0, 0, longSide, shortSide)
                              : host::CGRectMake(0, 0, shortSide, longSide));
  const auto& application = host::UIApplication::sharedApplication();
  application->setStatusBarOrientation(landscape ? host::UIInterfaceOrientationLandscapeRight
                                                 : host::UIInterfaceOrientationPortrait);
  auto windows = application->windows();
  if (const auto own = settings_      ? settings_->window()
                       : springBoard_ ? springBoard_->window()
                                      : nullptr;
      own && std::find(windows.begin(), windows.end(), own) == windows.end()) {
    windows.push_back(own);
  }
  for (const auto& shown : windows) {
    shown->setFrame(screen->bounds());
    if (const auto root =
            std::dynamic_pointer_cast<host::UIViewController>(shown->rootViewController());
        root && root->isViewLoaded()) {
      root->view()->setFrame(shown->bounds());
    }
    markNeedsLayout(*shown);
    shown->layoutIfNeeded();
  }
  TouchDriver::run(0);
}

}  // namespace vorlan
