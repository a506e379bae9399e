#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "WindowInput.h"

struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Window;

namespace vorlan {

class Simulator;

// The simulated phone in a desktop window (SDL): the front app's screen at point size or doubled,
// drawn again only when it changed, at up to 60 frames a second, every app's clock following
// real time; the mouse and keys drive the device (WindowInput). The title shows the app in
// front and its last log line; the log goes to the output as it comes.
class SimWindow {
 public:
  static constexpr double kFrameSeconds = 1.0 / 60;
  // The clocks move at most this much a frame, so that a stall (the machine busy, the window
  // dragged) does not make the apps leap.
  static constexpr double kMaxStep = 0.1;
  // How often the apps' log is collected, and a safety redraw asked for, in real seconds.
  static constexpr double kLogInterval = 0.25;
  static constexpr double kRedrawInterval = 2;

  // Opens the display and a hidden window. `zoom` is 1 (point size), 2 (doubled) or 0 (doubled
  // when the display has room). Nothing, with the reason, without a display: SDL cannot start,
  // or finds no display and falls back to a driver that shows nothing (offscreen, dummy), unless
  // SDL_VIDEODRIVER asks for that driver.
  static std::unique_ptr<SimWindow> open(Simulator& simulator, std::ostream& out, std::ostream& err,
                                         int zoom, std::string& error);
  ~SimWindow();
  SimWindow(const SimWindow&) = delete;
  SimWindow& operator=(const SimWindow&) = delete;

  // Frames until the person quits (Q or closing the window).
  void run();
  // One frame: the clocks advanced by `elapsed` real seconds (capped), then what the person did
  // meanwhile, then the picture brought up to date. False once the person quit.
  bool step(double elapsed);

  int zoom() const { return zoom_; }
  // What the window shows now, as ARGB pixels a row after the other.
  std::vector<std::uint32_t> shownPixels(int& width, int& height) const;

 private:
  SimWindow(Simulator& simulator, std::ostream& out, std::ostream& err, int zoom);

  bool perform(const ScriptCommand& command);
  void apply(const WindowInput::Action& action);
  void collectLog();
  // Shows the front app's screen when it changed; true when it drew.
  bool refresh(bool force);
  void present() const;
  void resize();
  void screenshot();
  void updateTitle();

  Simulator& simulator_;
  std::ostream& out_;
  std::ostream& err_;
  int zoom_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  WindowInput input_;
  bool quit_ = false;
  bool shown_ = false;
  std::uint64_t hash_ = 0;  // names the picture shown; 0 before the first
  int width_ = 0;           // the picture's size in pixels
  int height_ = 0;
  double scale_ = 1;  // the picture's pixels a point
  double sinceLog_ = 0;
  double sinceRedraw_ = 0;
  std::string lastLog_;
  std::string title_;
};

}  // namespace vorlan
