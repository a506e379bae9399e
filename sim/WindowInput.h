#pragma once

#include <SDL_events.h>

#include <cstdint>
#include <vector>

#include "ScriptCommand.h"

namespace vorlan {

// What a person does in the simulator's window, as the simulator's commands. The mouse is the
// finger: a press is `touch down`, moving while pressed `touch move`, the release `touch up` (so
// a click taps, a press held holds and a press moved drags at the mouse's own speed); with Ctrl
// or Alt held a click is a force press (`press`). The wheel is a short flick of the finger under
// the pointer. Keys: Escape back, H home, R rotate, P respring, S screenshot, Z zoom, Q quit.
class WindowInput {
 public:
  struct Action {
    enum class Kind { Command, Screenshot, Zoom, Quit };
    Kind kind = Kind::Command;
    ScriptCommand command;
    std::uint32_t time = 0;  // when the person did it: SDL's milliseconds
  };

  // How far a wheel notch flicks the finger, in points, and how fast.
  static constexpr double kWheelPoints = 60;
  static constexpr double kWheelSeconds = 0.1;

  // Window coordinates per screen point: 1 at point size, 2 doubled.
  void setZoom(double zoom) { zoom_ = zoom; }
  // Whether the device is turned, for R to turn it the other way.
  void setLandscape(bool landscape) { landscape_ = landscape; }
  bool fingerDown() const { return press_ == Press::Touch; }

  // `modifiers` is SDL's key modifier state as the event came (SDL_GetModState()).
  std::vector<Action> handle(const SDL_Event& event, std::uint16_t modifiers);

 private:
  enum class Press { None, Touch, Force };

  std::vector<Action> actionsFor(const SDL_Event& event, std::uint16_t modifiers);

  ScriptCommand at(ScriptCommand::Kind kind, double x, double y) const;
  static Action command(ScriptCommand command);

  double zoom_ = 1;
  bool landscape_ = false;
  Press press_ = Press::None;
};

}  // namespace vorlan
