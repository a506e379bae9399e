#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace vorlan {

// `vorlan sim`: boots a simulated device and runs a script on it (see Simulator), or, without
// one, a short tour of the Settings app.
class SimTool {
 public:
  // Scripts are typed by people; anything larger is not a script.
  static constexpr std::size_t kMaxScriptBytes = std::size_t{16} << 20;

  // The tour run when no script is given; `shot` stands for a screenshot path.
  static std::string tour(const std::string& shot);

  void addTo(CLI::App& app);
  bool selected() const;
  int run(std::istream& in, std::ostream& out, std::ostream& err);

 private:
  CLI::App* command_ = nullptr;
  std::string device_;
  std::string model_;
  std::string script_;
};

}  // namespace vorlan
