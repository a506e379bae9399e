#include "MonkeyChooser.h"

#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "MonkeyStart.h"

namespace vorlan {

namespace {

using Kind = ScriptCommand::Kind;

ScriptCommand command(Kind kind, std::string text = {}, std::vector<double> numbers = {}) {
  ScriptCommand made;
  made.kind = kind;
  made.text = std::move(text);
  made.numbers = std::move(numbers);
  return made;
}

// Buttons of the alerts the product and the host show.
constexpr std::array<std::string_view, 7> kAlertButtons = {"Yes", "No",   "OK",    "Cancel",
                                                           "Add", "Save", "Delete"};

// The product's own controls, pages and names: aimed at more often than other texts so that
// the steps go deep into the product. The gear ("Vorlan") is left out: it shows on every main
// list, and the configuration page it opens would take most of the steps.
constexpr std::array<std::string_view, 36> kProductTexts = {
    "Close",    "Enable", "Disable", "Passcode", "Tag",      "Folder", "Hide",        "Remove",
    "Position", "Hidden", "Tags",    "Folders",  "Disabled", "Info",   "Personalize", "Settings",
    "Secret",   "Work",   "Home",    "Red",      "Orange",   "Yellow", "Green",       "Blue",
    "Violet",   "Select", "Vault",   "VAULT",    "Apps",     "APPS",   "SETTINGS",    "CYDIA",
    "Add",      "Edit",   "Reset",   "Done"};
// Rows, entries and tags that are off screen at first.
constexpr std::array<std::string_view, 8> kFarTargets = {"Vault",   "Apps",  "Disabled", "Info",
                                                         "Privacy", "Atlas", "Secret",   "Work"};

}  // namespace

double MonkeyChooser::between(double low, double high) {
  const double unit = static_cast<double>(random_() >> 11) / static_cast<double>(1ULL << 53);
  return low + (high - low) * unit;
}

ScriptCommand MonkeyChooser::next(const MonkeyScreen& screen) {
  if (screen.keypad()) return keypadStep(screen);
  return anyStep(screen);
}

ScriptCommand MonkeyChooser::keypadStep(const MonkeyScreen& screen) {
  // While a keypad is up only its keys (never the one digit), or steps without a place on screen.
  const std::size_t pick = below(100);
  if (pick < 55) {
    static constexpr std::array<std::string_view, 10> kKeys = {"2", "3", "4", "5", "6",
                                                               "7", "8", "9", "0", "Delete"};
    static_assert(MonkeyStart::kNeverTyped == '1');
    return command(Kind::TapText, std::string(kKeys[below(kKeys.size())]));
  }
  if (pick < 80) return command(Kind::Dismiss);
  if (pick < 88) return command(Kind::Back);
  if (pick < 94) return command(Kind::Wait, {}, {round(between(1, 20)) / 10});
  if (pick < 97) return command(Kind::Type, someTyping());
  (void)screen;
  landscape_ = !landscape_;
  return command(Kind::Rotate, landscape_ ? "landscape" : "portrait");
}

ScriptCommand MonkeyChooser::anyStep(const MonkeyScreen& screen) {
  const double width = landscape_ ? height_ : width_;
  const double height = landscape_ ? width_ : height_;
  const auto point = [&] {
    return std::vector<double>{round(between(0, width)), round(between(0, height))};
  };
  // The system's own pages lead nowhere new: leave them more often than the product's.
  if (screen.pages.size() > 1 && screen.pages.back().className.starts_with("PSUI") && chance(15))
    return command(Kind::Back);
  // The configuration page and its panels cover the list: close them now and then.
  if (screen.shows("Close") && screen.shows("Hidden") && chance(20)) {
    return chance(50) ? command(Kind::Dismiss) : command(Kind::TapText, "Close");
  }
  if (chance(18)) {
    std::vector<std::string_view> shown;
    for (const auto text : kProductTexts) {
      if (screen.shows(text)) shown.push_back(text);
    }
    if (!shown.empty()) return command(Kind::TapText, std::string(shown[below(shown.size())]));
  }
  if (chance(3)) return command(Kind::Scroll, std::string(kFarTargets[below(kFarTargets.size())]));
  for (;;) {
    const std::size_t pick = below(1000);
    if (pick < 280) {  // a tap on something shown
      if (auto text = someText(screen); !text.empty()) return command(Kind::TapText, text);
    } else if (pick < 340) {
      return command(Kind::Tap, {}, point());
    } else if (pick < 500) {  // a leftward swipe on a row: the cell action menu
      if (auto row = someRow(screen, true); !row.empty())
        return command(Kind::DragText, row, {-round(between(120, 300)), 0, 0.3});
    } else if (pick < 530) {  // other drags on rows: back from a swipe, scrolling
      if (auto row = someRow(screen, true); !row.empty()) {
        const bool across = chance(40);
        return command(Kind::DragText, row,
                       {across ? round(between(80, 300)) : 0,
                        across ? 0 : round(between(-400, 400)), round(between(2, 8)) / 10});
      }
    } else if (pick < 560) {
      auto from = point();
      auto to = point();
      return command(Kind::Drag, {}, {from[0], from[1], to[0], to[1], round(between(1, 8)) / 10});
    } else if (pick < 590) {  // holds show help popups
      if (auto text = someText(screen); !text.empty())
        return command(Kind::HoldText, text, {round(between(5, 15)) / 10});
    } else if (pick < 600) {
      auto at = point();
      return command(Kind::Hold, {}, {at[0], at[1], round(between(5, 15)) / 10});
    } else if (pick < 630) {  // force presses: peek and pop
      if (auto row = someRow(screen, true); !row.empty()) return command(Kind::PressText, row);
    } else if (pick < 640) {
      return command(Kind::Press, {}, point());
    } else if (pick < 700) {
      return command(Kind::Back);
    } else if (pick < 760) {
      if (auto row = someRow(screen, true); !row.empty()) return command(Kind::Open, row);
    } else if (pick < 790) {  // switches, protected ones included
      std::vector<std::string> switches;
      for (const auto& cell : screen.cells) {
        if (cell.flags.find("switch") != std::string::npos && screen.shows(cell.title))
          switches.push_back(cell.title);
      }
      if (!switches.empty()) return command(Kind::Toggle, switches[below(switches.size())]);
    } else if (pick < 810) {
      if (auto row = someRow(screen, false); !row.empty()) return command(Kind::Scroll, row);
    } else if (pick < 850) {
      return command(Kind::Dismiss);
    } else if (pick < 870) {
      return command(Kind::Type, someTyping());
    } else if (pick < 890) {
      return command(Kind::Alert, std::string(kAlertButtons[below(kAlertButtons.size())]));
    } else if (pick < 900) {
      auto first = someText(screen);
      auto second = someText(screen);
      if (!first.empty() && !second.empty()) {
        auto made = command(Kind::Reorder, first);
        made.other = second;
        return made;
      }
    } else if (pick < 950) {
      return command(Kind::Wait, {}, {round(between(1, 20)) / 10});
    } else if (pick < 965) {
      landscape_ = !landscape_;
      return command(Kind::Rotate, landscape_ ? "landscape" : "portrait");
    } else if (pick < 985) {
      background_ = !background_;
      return command(background_ ? Kind::Background : Kind::Activate, "settings");
    } else if (pick < 990) {
      return command(Kind::Respring);
    } else {
      return command(Kind::Launch, "settings");
    }
  }
}

std::string MonkeyChooser::someText(const MonkeyScreen& screen) {
  std::vector<const std::string*> choices;
  for (const auto& shown : screen.texts) {
    const std::string& text = shown.text;
    const std::string never(1, MonkeyStart::kNeverTyped);
    if (text.empty() || text == never || text.starts_with(never + "\\n")) continue;
    // The status bar's clock and carrier lead nowhere.
    if (shown.y < 20 && shown.h <= 20) continue;
    choices.push_back(&text);
  }
  return choices.empty() ? std::string() : *choices[below(choices.size())];
}

std::string MonkeyChooser::someRow(const MonkeyScreen& screen, bool visible) {
  std::vector<const std::string*> choices;
  for (const auto& cell : screen.cells) {
    if (cell.title.empty() || screen.shows(cell.title) != visible) continue;
    choices.push_back(&cell.title);
  }
  return choices.empty() ? std::string() : *choices[below(choices.size())];
}

std::string MonkeyChooser::someTyping() {
  static constexpr std::string_view kKeys = "abcXYZ 0234567890-_.\b\b";
  std::string text;
  const std::size_t length = 1 + below(8);
  for (std::size_t i = 0; i < length; ++i)
    text += kKeys[below(kKeys.size())];
  if (chance(30)) text += '\n';
  return text;
}

}  // namespace vorlan
