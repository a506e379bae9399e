#pragma once

#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace vorlan {

class Simulator;

// `vorlan sim`: boots a simulated device and runs a script on it (see Simulator), or, without
// one, a short tour of the Settings app whose screenshots are kept in a folder of the user's
// (`--shots DIR`, else "vorlan-tour" in the current folder) and named as they are written. With
// `--window` the device is shown in a desktop window and driven by hand (SimWindow), after the
// script if one is given.
class SimTool {
 public:
  // Scripts are typed by people; anything larger is not a script.
  static constexpr std::size_t kMaxScriptBytes = std::size_t{16} << 20;

  // Where the tour keeps its screenshots unless told otherwise.
  static constexpr const char* kDefaultShots = "vorlan-tour";

  // The tour run when no script is given, its screenshots written into `shots`.
  static std::string tour(const std::filesystem::path& shots);

  void addTo(CLI::App& app);
  bool selected() const;
  int run(std::istream& in, std::ostream& out, std::ostream& err);

 private:
  // With --window: exit 2 without a display, 1 when the device or the script fails, else 0
  // once the person quits.
  int runWindow(Simulator& simulator, const std::string& script, std::ostream& out,
                std::ostream& err);

  CLI::App* command_ = nullptr;
  std::string device_;
  std::string model_;
  std::string script_;
  std::string shots_;
  bool window_ = false;
  bool keepGoing_ = false;
  int zoom_ = 0;  // 0: chosen by the display's room
};

}  // namespace vorlan
