#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "foundation/PropertyListSerialization.h"

namespace CLI {
class App;
}

namespace vorlan {

class VLPreferencesManager;

// `vorlan prefs`: looks at and repairs a device's settings file without the user interface.
class PrefsTool {
 public:
  // Adds the subcommand and its actions to the program's command line.
  void addTo(CLI::App& app);
  bool selected() const;
  int run(std::ostream& out, std::ostream& err);

 private:
  enum class FileState { Missing, Unreadable, Read };
  // Reads and parses the file, freeing its text once parsed; *digest (if given) is a hash of
  // the text, to tell whether a later read finds the same.
  FileState readSettingsFile(host::PropertyListSerialization::ReadResult& parsed,
                             std::string& error, std::size_t* digest = nullptr) const;
  // Reports that the manager could not read the settings file, and why; answers 1.
  int unreadable(std::ostream& err) const;
  int path(std::ostream& out) const;
  int show(std::ostream& out, std::ostream& err) const;
  int listCells(const std::vector<std::string>& identifiers, std::ostream& out) const;
  int tables(bool tags, std::ostream& out) const;
  int check(std::ostream& out, std::ostream& err) const;
  int clearPasscode(std::ostream& out, std::ostream& err) const;
  int exportTo(std::ostream& out, std::ostream& err) const;
  int importFrom(std::ostream& out, std::ostream& err) const;

  CLI::App* command_ = nullptr;
  std::string device_;
  bool json_ = false;
  bool clear_ = false;
  std::string file_;
  std::string action_;
  std::shared_ptr<VLPreferencesManager> manager_;
};

}  // namespace vorlan
