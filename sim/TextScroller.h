#pragma once

#include <string>

namespace vorlan {

class TouchDriver;

// Scrolls to a text as a person looks for a row: drags the front-most scrollable view on screen
// with the finger, a good part of its height at a time, until a view showing the text can be
// tapped (ScreenReader::find), first towards its end, then back towards its start.
//
// The scrolled view is the front-most visible scroll view (a table too) whose content is taller
// than it and that the finger reaches: both ends of the drag land on it or on what it holds,
// not on a view laid over it. Each drag keeps the finger still a moment before lifting, so the
// content stops where the finger left it instead of gliding past the text, and the next drag
// waits a moment after that.
class TextScroller {
 public:
  explicit TextScroller(TouchDriver& finger) : finger_(finger) {}

  // Answers true once `text` can be tapped (at once when it already can); otherwise false with
  // a reason: nothing on screen scrolls, or the text showed neither way.
  bool scrollTo(const std::string& text, std::string& error);

  // A drag moves the content by this share of the scroll view's visible height, over this long,
  // then rests before lifting.
  static constexpr double kSpan = 0.6;
  static constexpr double kDragSeconds = 0.3;
  static constexpr double kRestSeconds = 0.12;
  // The pause after the content has stopped, before the next drag: a page may follow the
  // scrolling with animations of its own (a shrinking bar) and take a touch that comes sooner
  // for something else.
  static constexpr double kPauseSeconds = 0.5;
  // A bound on the drags each way, for content that keeps growing as it scrolls.
  static constexpr int kMaxDrags = 200;

 private:
  TouchDriver& finger_;
};

}  // namespace vorlan
