#pragma once

#include <string>

namespace vorlan {

class TouchDriver;

// Touches aimed at parts of a row or a panel that show no text of their own: the switch of a
// row, the reorder control of a row, the space around a panel's balloon. Each finds its target
// on the driver's window by what the screen shows, then touches it as a finger would; a target
// that cannot be found is a clear error, never a touch somewhere else.
class RowAndPanelActions {
 public:
  explicit RowAndPanelActions(TouchDriver& finger) : finger_(finger) {}

  // Taps the switch of the table row that shows `title`.
  bool toggle(const std::string& title, std::string& error);
  // Drags the reorder control of the row showing `title` onto the row showing `other`.
  bool reorder(const std::string& title, const std::string& other, std::string& error);
  // Taps just outside the balloon of the front-most panel: a view of the runtime class
  // "skyView" (or one below it), whose subview of class "shapeSkyView" is the balloon.
  bool dismissPanel(std::string& error);

  // How long the reorder drag takes: slow enough for the table to follow frame by frame.
  static constexpr double kReorderSeconds = 0.5;

 private:
  TouchDriver& finger_;
};

}  // namespace vorlan
