#include <SDL.h>
#include <cairo.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "RegularFile.h"
#include "SimWindow.h"
#include "Simulator.h"
#include "sim/SimulatorFixture.h"
#include "uikit/UIImage.h"

namespace vorlan {
namespace {

// Sets an environment variable for the life of the object (nullptr removes it).
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// The window on SDL's dummy driver (no display; the offscreen driver leaks at start), driven by the
// events a person's mouse and keys make.
class SimWindowTest : public SimulatorTest {
 protected:
  static constexpr double kFrame = 1.0 / 60;

  void SetUp() override {
    copyDefaultDevice();
    std::string error;
    window = SimWindow::open(simulator, out, err, 1, error);
    ASSERT_TRUE(window) << error;
    ASSERT_TRUE(simulator.boot(error)) << error;
    // The welcome screen of a fresh device closed, as a person does first.
    ASSERT_EQ(
        simulator.run("launch springboard\nlaunch settings\nwait 0.5\nback\n", out, err, false), 0)
        << err.str();
    frames(0.1);
  }

  // Frames as long as the window takes them at most: each one that changes the screen draws
  // it, which takes long in a debug build.
  void frames(double seconds) {
    for (double t = 0; t < seconds; t += SimWindow::kMaxStep)
      window->step(std::min(SimWindow::kMaxStep, seconds));
  }

  std::string ask(const char* script) {
    std::ostringstream shown;
    EXPECT_EQ(simulator.run(script, shown, err, false), 0) << err.str();
    return shown.str();
  }

  // The centre of the front-most view showing `text`, in the window's coordinates: found by
  // its text, as a person finds it.
  SDL_Point centreOf(const std::string& text) {
    std::istringstream lines(ask("texts\n"));
    for (std::string line; std::getline(lines, line);) {
      double x = 0, y = 0, w = 0, h = 0;
      std::string shown;
      std::istringstream fields(line);
      if (fields >> x >> y >> w >> h && std::getline(fields >> std::ws, shown) && shown == text) {
        return {static_cast<int>((x + w / 2) * window->zoom()),
                static_cast<int>((y + h / 2) * window->zoom())};
      }
    }
    ADD_FAILURE() << "nothing shows " << text;
    return {0, 0};
  }

  static void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }
  static void mouse(Uint32 type, SDL_Point at) {
    SDL_Event event{};
    if (type == SDL_MOUSEMOTION) {
      event.motion = {type, 0, 0, 0, SDL_BUTTON_LMASK, at.x, at.y, 0, 0};
    } else {
      event.button.type = type;
      event.button.button = SDL_BUTTON_LEFT;
      event.button.x = at.x;
      event.button.y = at.y;
    }
    push(event);
  }
  static void key(SDL_Keycode code) {
    SDL_Event event{};
    event.key.type = SDL_KEYDOWN;
    event.key.keysym.sym = code;
    push(event);
  }

  Simulator simulator{{device, "", false}};
  std::ostringstream out;
  std::ostringstream err;
  std::unique_ptr<SimWindow> window;
  ScopedEnv driver{"SDL_VIDEODRIVER", "dummy"};
};

TEST_F(SimWindowTest, TheMouseAndKeysDriveTheDeviceAndTheWindowShowsItsScreen) {
  mouse(SDL_MOUSEBUTTONDOWN, centreOf("General"));
  frames(kFrame);
  mouse(SDL_MOUSEBUTTONUP, centreOf("General"));
  frames(0.6);
  EXPECT_TRUE(hasLine(ask("cells\n"), "0.0\tAbout\tABOUT\t-"));

  key(SDLK_ESCAPE);
  frames(0.6);
  EXPECT_TRUE(hasLine(ask("cells\n"), "0.0\tAirplane Mode\tAIRPLANE_MODE\tswitch:off"));

  // A swipe to the left at a finger's speed: 250 points in 0.3 s.
  const SDL_Point from = centreOf("Wi-Fi");
  mouse(SDL_MOUSEBUTTONDOWN, from);
  frames(kFrame);
  for (int i = 1; i <= 6; ++i) {
    mouse(SDL_MOUSEMOTION, {from.x - 250 * window->zoom() * i / 6, from.y});
    frames(0.05);
  }
  mouse(SDL_MOUSEBUTTONUP, {from.x - 250 * window->zoom(), from.y});
  frames(1);
  const std::string texts = ask("texts\n");
  EXPECT_NE(texts.find("\tHide\n"), std::string::npos) << texts;
  EXPECT_NE(texts.find("\tPasscode\n"), std::string::npos) << texts;
  EXPECT_EQ(err.str(), "");

  // Z doubles the window, which then shows the screen's pixels one for one; S writes what `shot`
  // writes, under a new name each time.
  key(SDLK_z);
  frames(kFrame);
  ASSERT_EQ(window->zoom(), 2);
  // A name taken already is left alone.
  std::ofstream(folder / "vorlan-window-1.png") << "mine";
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  key(SDLK_s);
  frames(kFrame);
  std::filesystem::current_path(cwd);
  const auto first = folder / "vorlan-window-2.png";
  EXPECT_NE(out.str().find("wrote " + first.string() + "\n"), std::string::npos) << out.str();

  const auto shot = folder / "shot.png";
  ask(("shot " + shot.string() + "\n").c_str());
  std::string error;
  const auto decode = [&](const std::filesystem::path& path) {
    const auto bytes = RegularFile::read(path, std::size_t{64} << 20, error);
    EXPECT_TRUE(bytes) << error;
    return host::UIImage::imageWithData(host::UIImage::Bytes(bytes->begin(), bytes->end()));
  };
  const auto pressed = decode(first);
  const auto expected = decode(shot);
  ASSERT_TRUE(pressed && expected);
  const int width = static_cast<int>(expected->pixelWidth());
  const int height = static_cast<int>(expected->pixelHeight());
  ASSERT_EQ(pressed->pixelWidth(), expected->pixelWidth());
  ASSERT_EQ(pressed->pixelHeight(), expected->pixelHeight());

  int shownWidth = 0;
  int shownHeight = 0;
  const auto shown = window->shownPixels(shownWidth, shownHeight);
  ASSERT_EQ(shownWidth, width);
  ASSERT_EQ(shownHeight, height);
  cairo_surface_t* surface = expected->cairoSurface();
  const auto* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  int differing = 0;
  int differingShot = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint32_t pixel = 0;
      std::memcpy(&pixel, data + y * stride + x * 4, 4);
      differing += shown[static_cast<std::size_t>(y) * width + x] != pixel;
      differingShot += !(pressed->pixelAt(x, y) == expected->pixelAt(x, y));
    }
  }
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(differingShot, 0);

  // A script's finger moves only once it is down.
  std::ostringstream failed;
  EXPECT_EQ(simulator.run("touch move 10 10\n", out, failed), 1);
  EXPECT_EQ(failed.str(), "vorlan sim: line 1: the finger is not down (touch down first)\n");
}

TEST(SimWindowDisplayTest, WithoutADisplayTheWindowSaysSoAndExitsTwo) {
  const ScopedEnv display("DISPLAY", nullptr);
  const ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
  {
    const ScopedEnv driver("SDL_VIDEODRIVER", nullptr);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(CommandLine::run({"sim", "--window"}, out, err), 2);
    EXPECT_EQ(err.str(),
              "vorlan sim: no display for the window (set DISPLAY or WAYLAND_DISPLAY)\n");
  }
  const ScopedEnv driver("SDL_VIDEODRIVER", "none-such");
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(CommandLine::run({"sim", "--window"}, out, err), 2);
  EXPECT_EQ(err.str(), "vorlan sim: no display for the window: none-such not available\n");
}

}  // namespace
}  // namespace vorlan
