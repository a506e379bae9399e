#include "WindowInput.h"

#include <utility>

namespace vorlan {

namespace {

using Kind = ScriptCommand::Kind;

ScriptCommand plain(Kind kind, std::string text = {}) {
  ScriptCommand command;
  command.kind = kind;
  command.text = std::move(text);
  return command;
}

}  // namespace

ScriptCommand WindowInput::at(Kind kind, double x, double y) const {
  ScriptCommand command;
  command.kind = kind;
  command.numbers = {x / zoom_, y / zoom_};
  return command;
}

WindowInput::Action WindowInput::command(ScriptCommand command) {
  return {Action::Kind::Command, std::move(command)};
}

std::vector<WindowInput::Action> WindowInput::handle(const SDL_Event& event,
                                                     std::uint16_t modifiers) {
  auto actions = actionsFor(event, modifiers);
  for (auto& action : actions)
    action.time = event.common.timestamp;
  return actions;
}

std::vector<WindowInput::Action> WindowInput::actionsFor(const SDL_Event& event,
                                                         std::uint16_t modifiers) {
  switch (event.type) {
    case SDL_QUIT:
      return {{Action::Kind::Quit, {}}};
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) return {{Action::Kind::Quit, {}}};
      return {};
    case SDL_MOUSEBUTTONDOWN: {
      if (event.button.button != SDL_BUTTON_LEFT || press_ != Press::None) return {};
      if (modifiers & (KMOD_CTRL | KMOD_ALT)) {
        press_ = Press::Force;
        return {command(at(Kind::Press, event.button.x, event.button.y))};
      }
      press_ = Press::Touch;
      auto down = at(Kind::Touch, event.button.x, event.button.y);
      down.text = "down";
      return {command(std::move(down))};
    }
    case SDL_MOUSEMOTION: {
      if (press_ != Press::Touch) return {};
      auto move = at(Kind::Touch, event.motion.x, event.motion.y);
      move.text = "move";
      return {command(std::move(move))};
    }
    case SDL_MOUSEBUTTONUP: {
      if (event.button.button != SDL_BUTTON_LEFT) return {};
      const bool touching = press_ == Press::Touch;
      press_ = Press::None;
      if (!touching) return {};
      auto up = at(Kind::Touch, event.button.x, event.button.y);
      up.text = "up";
      return {command(std::move(up))};
    }
    case SDL_MOUSEWHEEL: {
      if (press_ != Press::None || event.wheel.y == 0) return {};
      // The wheel turned away from the user shows what is above: the finger moves down.
      const int notches =
          event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
      auto flick = at(Kind::Drag, event.wheel.mouseX, event.wheel.mouseY);
      flick.numbers.push_back(flick.numbers[0]);
      flick.numbers.push_back(flick.numbers[1] + notches * kWheelPoints);
      flick.numbers.push_back(kWheelSeconds);
      return {command(std::move(flick))};
    }
    case SDL_KEYDOWN:
      if (event.key.repeat) return {};
      switch (event.key.keysym.sym) {
        case SDLK_ESCAPE:
          return {command(plain(Kind::Back))};
        case SDLK_h:
          return {command(plain(Kind::Background, "settings"))};
        case SDLK_r:
          return {command(plain(Kind::Rotate, landscape_ ? "portrait" : "landscape"))};
        case SDLK_p:
          return {command(plain(Kind::Respring))};
        case SDLK_s:
          return {{Action::Kind::Screenshot, {}}};
        case SDLK_z:
          return {{Action::Kind::Zoom, {}}};
        case SDLK_q:
          return {{Action::Kind::Quit, {}}};
        default:
          return {};
      }
    default:
      return {};
  }
}

}  // namespace vorlan
