#include "Tour.h"

#include <sstream>
#include <string_view>

namespace vorlan {

namespace {

// One command a line; "shot NAME" stands for a screenshot in the tour's folder. Every step
// reaches its control by what the screen shows.
constexpr std::string_view kSteps = R"(launch springboard
tap "Settings"
wait 0.5
shot 0-welcome.png
back
wait 0.5
cells
shot 1-main-list.png
open "General"
toggle "Background App Refresh"
wait 0.5
cells
shot 2-general.png
back
rotate landscape
wait 0.5
shot 3-landscape.png
rotate portrait
wait 0.5
drag "Wi-Fi" -250 0 0.3
wait 1
shot 4-cell-menu.png
tap "Hide"
wait 1
cells
tap "Vorlan"
wait 1
shot 5-vorlan-page.png
tap "Passcode"
wait 1.5
tap "1"
tap "2"
tap "3"
tap "4"
wait 1
tap "1"
tap "2"
tap "3"
tap "4"
wait 1.5
tap "Vorlan"
wait 1
drag "General" -250 0 0.3
wait 1
tap "Passcode"
wait 1.5
tap "1"
tap "2"
tap "3"
tap "4"
wait 1.5
tap "General"
wait 1.5
shot 6-passcode.png
tap "1"
tap "2"
tap "3"
tap "4"
wait 1.5
cells
back
wait 1
drag "Bluetooth" -250 0 0.3
wait 1
tap "Tag"
wait 1
tap "Green"
wait 1
shot 7-tag.png
dismiss
wait 1
tap "Close"
wait 1
drag "Notifications" -250 0 0.3
wait 1
tap "Tag"
wait 1
tap "Green"
wait 1
dismiss
wait 1
tap "Close"
wait 1
tap "Settings"
wait 1
tap "Green"
wait 1
cells
shot 8-tag-filter.png
tap "Green"
wait 1
tap "Settings"
wait 1
drag "Cellular" -250 0 0.3
wait 1
tap "Folder"
wait 1
drag "SETTINGS" -150 0 0.3
wait 1
drag "CYDIA" -150 0 0.3
wait 1
shot 9-folder-picker.png
tap "Select"
wait 1
scroll "Apps"
open "Apps"
cells
shot 10-apps-folder.png
back
wait 1
scroll "Do Not Disturb"
drag "Do Not Disturb" -250 0 0.3
wait 1
tap "Position"
wait 1.5
reorder "Do Not Disturb" "Notifications"
wait 1
shot 11-position.png
dismiss
wait 1
tap "Close"
wait 1
cells
scroll "Airplane Mode"
drag "Bluetooth" 0 300 0.5
wait 1
tap "Vorlan"
wait 1
scroll "Info"
tap "Info"
wait 1.5
shot 12-info.png
dismiss
wait 1
tap "Vorlan"
wait 1
prefs
log
)";

// A path as a quoted script text.
std::string quoted(const std::filesystem::path& path) {
  std::string text = "\"";
  for (const char c : path.string()) {
    if (c == '"' || c == '\\') text += '\\';
    text += c;
  }
  return text + "\"";
}

}  // namespace

const char* const Tour::kShots[] = {
    "0-welcome.png",    "1-main-list.png",     "2-general.png",      "3-landscape.png",
    "4-cell-menu.png",  "5-vorlan-page.png",   "6-passcode.png",     "7-tag.png",
    "8-tag-filter.png", "9-folder-picker.png", "10-apps-folder.png", "11-position.png",
    "12-info.png"};
const std::size_t Tour::kShotCount = std::size(Tour::kShots);

std::string Tour::script(const std::filesystem::path& shots) {
  std::istringstream steps{std::string(kSteps)};
  std::string script;
  for (std::string line; std::getline(steps, line);) {
    if (line.starts_with("shot ")) line = "shot " + quoted(shots / line.substr(5));
    script += line + '\n';
  }
  return script;
}

}  // namespace vorlan
