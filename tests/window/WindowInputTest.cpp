#include <gtest/gtest.h>

#include <vector>

#include "WindowInput.h"

namespace vorlan {
namespace {

using Kind = ScriptCommand::Kind;

SDL_Event button(Uint32 type, int x, int y) {
  SDL_Event event{};
  event.button.type = type;
  event.button.button = SDL_BUTTON_LEFT;
  event.button.x = x;
  event.button.y = y;
  return event;
}

SDL_Event motion(int x, int y) {
  SDL_Event event{};
  event.motion.type = SDL_MOUSEMOTION;
  event.motion.x = x;
  event.motion.y = y;
  return event;
}

SDL_Event keyDown(SDL_Keycode code) {
  SDL_Event event{};
  event.key.type = SDL_KEYDOWN;
  event.key.keysym.sym = code;
  return event;
}

// The one command an event makes.
ScriptCommand only(const std::vector<WindowInput::Action>& actions) {
  EXPECT_EQ(actions.size(), 1u);
  if (actions.size() != 1 || actions[0].kind != WindowInput::Action::Kind::Command) return {};
  return actions[0].command;
}

TEST(WindowInputTest, AModifiedClickIsAForcePressAndTheWheelFlicksTheFingerUnderThePointer) {
  WindowInput input;
  input.setZoom(2);
  // A force press is whole at the press: the release and moves until then do nothing.
  const auto press = only(input.handle(button(SDL_MOUSEBUTTONDOWN, 100, 300), KMOD_LCTRL));
  EXPECT_EQ(press.kind, Kind::Press);
  EXPECT_EQ(press.numbers, (std::vector<double>{50, 150}));
  EXPECT_TRUE(input.handle(motion(120, 300), KMOD_NONE).empty());
  EXPECT_TRUE(input.handle(button(SDL_MOUSEBUTTONUP, 120, 300), KMOD_NONE).empty());
  EXPECT_FALSE(input.fingerDown());

  // The wheel turned away from the user brings what is above into view: the finger moves down.
  SDL_Event wheel{};
  wheel.wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.y = 2;
  wheel.wheel.mouseX = 100;
  wheel.wheel.mouseY = 400;
  const auto flick = only(input.handle(wheel, KMOD_NONE));
  EXPECT_EQ(flick.kind, Kind::Drag);
  EXPECT_EQ(flick.numbers, (std::vector<double>{50, 200, 50, 200 + 2 * WindowInput::kWheelPoints,
                                                WindowInput::kWheelSeconds}));
  // While the finger is down the wheel leaves it alone.
  EXPECT_EQ(only(input.handle(button(SDL_MOUSEBUTTONDOWN, 10, 10), KMOD_NONE)).text, "down");
  EXPECT_TRUE(input.handle(wheel, KMOD_NONE).empty());
}

TEST(WindowInputTest, KeysAreTheDevicesButtonsAndRotateTurnsTheOtherWay) {
  WindowInput input;
  EXPECT_EQ(only(input.handle(keyDown(SDLK_r), KMOD_NONE)).text, "landscape");
  input.setLandscape(true);
  EXPECT_EQ(only(input.handle(keyDown(SDLK_r), KMOD_NONE)).text, "portrait");
  const auto home = only(input.handle(keyDown(SDLK_h), KMOD_NONE));
  EXPECT_EQ(home.kind, Kind::Background);
  EXPECT_EQ(home.text, "settings");
  EXPECT_EQ(only(input.handle(keyDown(SDLK_p), KMOD_NONE)).kind, Kind::Respring);
  SDL_Event repeat = keyDown(SDLK_ESCAPE);
  repeat.key.repeat = 1;
  EXPECT_TRUE(input.handle(repeat, KMOD_NONE).empty());
  SDL_Event close{};
  close.window.type = SDL_WINDOWEVENT;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  const auto quit = input.handle(close, KMOD_NONE);
  ASSERT_EQ(quit.size(), 1u);
  EXPECT_EQ(quit[0].kind, WindowInput::Action::Kind::Quit);
}

}  // namespace
}  // namespace vorlan
