#pragma once

#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace vorlan {

// `vorlan sim`: boots a simulated device and runs a script on it (see Simulator), or, without
// one, a short tour of the Settings app whose screenshots are kept in a folder of the user's
// (`--shots DIR`, else "vorlan-tour" in the current folder) and named as they are written.
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
  CLI::App* command_ = nullptr;
  std::string device_;
  std::string model_;
  std::string script_;
  std::string shots_;
};

}  // namespace vorlan
