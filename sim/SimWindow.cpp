#include "SimWindow.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "PrintableText.h"
#include "ScreenFrame.h"
#include "Simulator.h"

namespace vorlan {

namespace {

using Kind = ScriptCommand::Kind;

// SDL falls back to these when it finds no display; they show nothing to a person.
bool showsNothing(const char* driver) {
  return driver != nullptr &&
         (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

bool askedFor(const char* driver) {
  const char* asked = std::getenv("SDL_VIDEODRIVER");
  return asked != nullptr && driver != nullptr && std::strstr(asked, driver) != nullptr;
}

}  // namespace

std::unique_ptr<SimWindow> SimWindow::open(Simulator& simulator, std::ostream& out,
                                           std::ostream& err, int zoom, std::string& error) {
  // Without a display's address SDL would only try drivers that print their own complaints
  // before falling back to one that shows nothing; a driver asked for by name is tried.
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
      !std::getenv("SDL_VIDEODRIVER")) {
    error = "no display for the window (set DISPLAY or WAYLAND_DISPLAY)";
    return nullptr;
  }
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    error = std::string("no display for the window: ") + SDL_GetError();
    return nullptr;
  }
  const char* driver = SDL_GetCurrentVideoDriver();
  if (showsNothing(driver) && !askedFor(driver)) {
    SDL_Quit();
    error = "no display for the window (set DISPLAY or WAYLAND_DISPLAY)";
    return nullptr;
  }
  std::unique_ptr<SimWindow> window(new SimWindow(simulator, out, err, zoom));
  window->window_ = SDL_CreateWindow("Vorlan", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 375,
                                     667, SDL_WINDOW_HIDDEN);
  if (window->window_) {
    // Software: a phone's screen copied only when it changed needs no GPU, and the apps' processes
    // are forked from this one, which must then hold no graphics driver's threads.
    window->renderer_ = SDL_CreateRenderer(window->window_, -1, SDL_RENDERER_SOFTWARE);
  }
  if (!window->renderer_) {
    error = std::string("no display for the window: ") + SDL_GetError();
    return nullptr;
  }
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  return window;
}

SimWindow::SimWindow(Simulator& simulator, std::ostream& out, std::ostream& err, int zoom)
    : simulator_(simulator), out_(out), err_(err), zoom_(zoom) {}

SimWindow::~SimWindow() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  SDL_Quit();
}

void SimWindow::run() {
  const double ticks = static_cast<double>(SDL_GetPerformanceFrequency());
  Uint64 last = SDL_GetPerformanceCounter();
  for (;;) {
    const Uint64 start = SDL_GetPerformanceCounter();
    if (!step(static_cast<double>(start - last) / ticks)) break;
    last = start;
    const double spent = static_cast<double>(SDL_GetPerformanceCounter() - start) / ticks;
    if (spent < kFrameSeconds) SDL_Delay(static_cast<Uint32>((kFrameSeconds - spent) * 1000));
  }
}

bool SimWindow::step(double elapsed) {
  std::vector<WindowInput::Action> actions;
  bool exposed = false;
  for (SDL_Event event; SDL_PollEvent(&event);) {
    // What the window showed may be lost when it is mapped, uncovered or resized.
    exposed = exposed || event.type == SDL_WINDOWEVENT;
    for (auto& action : input_.handle(event, static_cast<std::uint16_t>(SDL_GetModState())))
      actions.push_back(std::move(action));
  }
  // The clocks follow real time, and what the person did is done at the time it happened, so a
  // drag keeps its speed even when a frame took long to draw; a stall (the machine busy, the
  // window moved) moves the clocks at most kMaxStep between two things done.
  const Uint32 now = SDL_GetTicks();
  const double since = std::max(0.0, elapsed);
  double before = 0;  // how long before now the clocks stand
  for (const auto& action : actions)
    before = std::max(before, static_cast<double>(static_cast<std::int64_t>(now) - action.time));
  before = std::min(before / 1000.0, since);
  const auto advance = [&](double seconds) {
    seconds = std::min(seconds, kMaxStep);
    if (seconds < 0.001 || !simulator_.front()) return;
    ScriptCommand wait;
    wait.kind = Kind::Wait;
    wait.numbers = {seconds};
    perform(wait);
  };
  advance(since - before);
  const auto ago = [&](const WindowInput::Action& action) {
    return std::clamp(static_cast<double>(static_cast<std::int64_t>(now) - action.time) / 1000.0,
                      0.0, before);
  };
  const auto isMove = [](const WindowInput::Action& each) {
    return each.kind == WindowInput::Action::Kind::Command && each.command.kind == Kind::Touch &&
           each.command.text == "move";
  };
  for (std::size_t i = 0; i < actions.size() && !quit_; ++i) {
    const auto& action = actions[i];
    // The finger moves at most once a frame.
    if (isMove(action) && i + 1 < actions.size() && isMove(actions[i + 1]) &&
        ago(action) - ago(actions[i + 1]) < kFrameSeconds) {
      continue;
    }
    advance(before - ago(action));
    before = ago(action);
    apply(action);
  }
  advance(before);
  if (quit_) return false;
  sinceLog_ += elapsed;
  sinceRedraw_ += elapsed;
  if (sinceLog_ >= kLogInterval) {
    sinceLog_ = 0;
    collectLog();
  }
  const bool force = sinceRedraw_ >= kRedrawInterval;
  if (force) sinceRedraw_ = 0;
  if (!refresh(force) && exposed) present();
  updateTitle();
  return true;
}

bool SimWindow::perform(const ScriptCommand& command) {
  std::ostringstream shown;
  std::string error;
  const bool ok = simulator_.perform(command, shown, error);
  if (!ok) {
    err_ << "vorlan sim: " << ScriptCommand::verb(command.kind) << ": "
         << PrintableText::escape(error) << '\n';
  }
  if (command.kind != Kind::Wait && command.kind != Kind::Touch) out_ << shown.str();
  return ok;
}

void SimWindow::apply(const WindowInput::Action& action) {
  switch (action.kind) {
    case WindowInput::Action::Kind::Quit:
      quit_ = true;
      return;
    case WindowInput::Action::Kind::Zoom:
      zoom_ = zoom_ == 2 ? 1 : 2;
      input_.setZoom(zoom_);
      resize();
      return;
    case WindowInput::Action::Kind::Screenshot:
      screenshot();
      return;
    case WindowInput::Action::Kind::Command:
      perform(action.command);
      return;
  }
}

void SimWindow::collectLog() {
  ScriptCommand log;
  log.kind = Kind::Log;
  std::ostringstream lines;
  std::string error;
  if (!simulator_.perform(log, lines, error)) return;
  std::istringstream text(lines.str());
  for (std::string line; std::getline(text, line);) {
    out_ << line << '\n';
    lastLog_ = line;
  }
  out_.flush();
}

bool SimWindow::refresh(bool force) {
  if (!simulator_.front()) return false;
  ScriptCommand ask;
  ask.kind = Kind::Screen;
  ask.text = std::to_string(hash_);
  // Drawn at the window's size: a window at point size needs a quarter of the pixels.
  ask.numbers = {force ? 1.0 : 0.0, static_cast<double>(zoom_)};
  std::ostringstream answer;
  std::string error;
  if (!simulator_.perform(ask, answer, error)) {
    err_ << "vorlan sim: " << PrintableText::escape(error) << '\n';
    return false;
  }
  ScreenFrame frame;
  bool same = false;
  if (!ScreenFrame::decode(answer.str(), frame, same, error)) {
    err_ << "vorlan sim: " << error << '\n';
    return false;
  }
  if (same) return false;
  if (!texture_ || frame.width != width_ || frame.height != height_) {
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                 frame.width, frame.height);
    if (!texture_) {
      err_ << "vorlan sim: the window cannot show the screen: " << SDL_GetError() << '\n';
      return false;
    }
    width_ = frame.width;
    height_ = frame.height;
    scale_ = frame.scale;
    input_.setLandscape(width_ > height_);
    if (zoom_ != 1 && zoom_ != 2) {
      // Doubled when the display has room for it.
      SDL_Rect room{0, 0, 0, 0};
      const int display = std::max(0, SDL_GetWindowDisplayIndex(window_));
      const bool fits = SDL_GetDisplayUsableBounds(display, &room) == 0 &&
                        room.w >= width_ / scale_ * 2 && room.h >= height_ / scale_ * 2;
      zoom_ = fits ? 2 : 1;
    }
    input_.setZoom(zoom_);
    resize();
  }
  SDL_UpdateTexture(texture_, nullptr, frame.pixels.data(), frame.width * 4);
  hash_ = frame.hash;
  if (!shown_) {
    SDL_ShowWindow(window_);
    shown_ = true;
  }
  present();
  return true;
}

void SimWindow::present() const {
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  if (texture_) SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

void SimWindow::resize() {
  if (width_ == 0) return;
  SDL_SetWindowSize(window_, static_cast<int>(width_ / scale_ * zoom_),
                    static_cast<int>(height_ / scale_ * zoom_));
  SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  present();
}

std::vector<std::uint32_t> SimWindow::shownPixels(int& width, int& height) const {
  width = height = 0;
  if (SDL_GetRendererOutputSize(renderer_, &width, &height) != 0) return {};
  SDL_RenderClear(renderer_);
  if (texture_) SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                           width * 4) != 0) {
    width = height = 0;
    return {};
  }
  return pixels;
}

void SimWindow::screenshot() {
  std::error_code code;
  const auto folder = std::filesystem::current_path(code);
  std::filesystem::path path;
  for (int n = 1; path.empty() || std::filesystem::exists(path, code); ++n)
    path = folder / ("vorlan-window-" + std::to_string(n) + ".png");
  ScriptCommand shot;
  shot.kind = Kind::Shot;
  shot.text = path.string();
  if (perform(shot)) out_ << "wrote " << path.string() << '\n';
}

void SimWindow::updateTitle() {
  const auto front = simulator_.front();
  std::string title = "Vorlan - " + (front ? std::string(AppHost::name(*front)) : "no app running");
  if (!lastLog_.empty()) title += " - " + lastLog_;
  if (title == title_) return;
  title_ = title;
  SDL_SetWindowTitle(window_, title_.c_str());
}

}  // namespace vorlan
