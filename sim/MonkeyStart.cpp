#include "MonkeyStart.h"

#include <memory>

#include "foundation/DeviceFileSystem.h"
#include "store/VLPreferencesManager.h"

using host::Plist;

namespace vorlan {

namespace {

constexpr const char* kMainList = "PSUIPrefsListController";
constexpr const char* kAppPage = "PSAppListController";
constexpr const char* kIcons = "/Library/Application Support/Vorlan3/folder_icons/";

Plist tag(const std::string& name, const std::string& fill, const std::string& border) {
  return Plist::dictionary({{"name", Plist::string(name)},
                            {"fill_color", Plist::string(fill)},
                            {"border_color", Plist::string(border)}});
}

Plist folder(const std::string& name, const std::string& icon) {
  return Plist::dictionary({{"name", Plist::string(name)},
                            {"image", Plist::string(kIcons + icon + ".png")},
                            {"settings_image", Plist::string(kIcons + icon + "_icon.png")}});
}

Plist tags(std::initializer_list<const char*> names) {
  std::vector<Plist::Entry> entries;
  for (const char* name : names)
    entries.emplace_back(name, Plist::boolean(true));
  return Plist::dictionary(std::move(entries));
}

}  // namespace

const std::vector<MonkeyStart::Row>& MonkeyStart::protectedRows() {
  static const std::vector<Row> rows{
      {kMainList, "General", "General"},
      {kMainList, "AIRPLANE_MODE", "Airplane Mode"},
      {kMainList, "Privacy", "Privacy"},  // filed into the folder "Vault"
      {kAppPage, "offlineMaps", "Offline Maps"},
  };
  return rows;
}

const std::vector<MonkeyStart::Row>& MonkeyStart::disabledRows() {
  static const std::vector<Row> rows{
      {kMainList, "DISPLAY", "Display & Brightness"},
      {kMainList, "SIRI", "Siri"},  // filed into the folder "Vault"
  };
  return rows;
}

const std::vector<MonkeyStart::Switch>& MonkeyStart::protectedSwitches() {
  static const std::vector<Switch> switches{
      {"AIRPLANE_MODE", "com.apple.radios", "AirplaneMode", false},
      {"offlineMaps", "com.cartograph.atlas", "offlineMaps", true},
  };
  return switches;
}

Plist MonkeyStart::settings() {
  Plist passcode = Plist::dictionary();
  Plist classes = Plist::dictionary();
  Plist specs = Plist::dictionary();
  for (const auto& row : protectedRows()) {
    passcode = passcode.withPath({row.page, row.identifier}, Plist::integer(1));
  }
  Plist enabled = Plist::dictionary();
  for (const auto& row : disabledRows())
    enabled = enabled.withPath({row.page, row.identifier}, Plist::boolean(false));
  for (const auto* rows : {&protectedRows(), &disabledRows()}) {
    for (const auto& row : *rows) {
      classes = classes.with(row.identifier, Plist::string(row.page));
      specs = specs.with(row.identifier, Plist::dictionary({{"name", Plist::string(row.title)}}));
    }
  }
  const Plist tagTable = Plist::dictionary({
      {"0", tag("Red", "#FC6354", "#FC6354")},
      {"1", tag("Orange", "#FC9E51", "#FC9930")},
      {"2", tag("Yellow", "#FED558", "#FFCC38")},
      {"3", tag("Green", "#86DF6A", "#6FD94D")},
      {"4", tag("Blue", "#54BEF7", "#34B1F5")},
      {"5", tag("Violet", "#D592E5", "#CD7DE0")},
      {"6", tag("Home", "#FFFFFF", "#ABABAB")},
      {"7", tag("Important", "#FFFFFF", "#ABABAB")},
      {"8", tag("Work", "#FFFFFF", "#ABABAB")},
      {"9", tag("Secret", "FFFFFF", "ABABAB")},
  });
  const Plist tagged = Plist::dictionary({
      {kMainList, Plist::dictionary({
                      {"General", tags({"Secret", "Work"})},
                      {"AIRPLANE_MODE", tags({"Secret"})},
                      {"DISPLAY", tags({"Secret"})},
                      {"WIFI", tags({"Home"})},
                  })},
  });
  const Plist folderTable = Plist::dictionary({
      {"1", folder("Settings", "settings")},
      {"2", folder("Cydia", "cydia")},
      {"3", folder("Apps", "apps")},
      {"4", folder("Connectivity", "connectivity")},
      {"5", folder("Accessibility", "accessibility")},
      {"6", folder("Protected", "protected")},
      {"7", folder("Vault", "protected")},
  });
  const Plist members = Plist::dictionary({
      {"Privacy", Plist::string("Vault")},
      {"SIRI", Plist::string("Vault")},
      {"BATTERY_USAGE", Plist::string("Vault")},
      {"MAPS", Plist::string("Apps")},
  });
  const Plist positions = Plist::dictionary({
      {"VAULT", Plist::dictionary({{"Privacy", Plist::integer(0)},
                                   {"SIRI", Plist::integer(1)},
                                   {"BATTERY_USAGE", Plist::string("2")}})},
      {"APPS", Plist::dictionary({{"MAPS", Plist::integer(0)}})},
  });
  const Plist moved = Plist::dictionary({
      {kMainList, Plist::dictionary({{"NOTES", Plist::dictionary({{"section", Plist::string("1")},
                                                                  {"row", Plist::string("0")}})}})},
  });
  return Plist::dictionary({
      {"password", Plist::string(std::string(kPasscode))},
      {"tutorial", Plist::boolean(true)},
      {"firstTime", Plist::boolean(true)},
      {"firstTime_folder", Plist::boolean(true)},
      {"tags", tagTable},
      {"tag", tagged},
      {"folders", folderTable},
      {"folder", members},
      {"positionInFolders", positions},
      {"passcode", passcode},
      {"enabled", enabled},
      {"position", moved},
      {"class",
       classes.with("NOTES", Plist::string(kMainList)).with("WIFI", Plist::string(kMainList))},
      {"specs", specs.with("NOTES", Plist::dictionary({{"name", Plist::string("Notes")}}))},
  });
}

bool MonkeyStart::prepare(const std::filesystem::path& root, std::string& error) {
  const auto previous = host::DeviceFileSystem::current();
  host::DeviceFileSystem::setCurrent(std::make_shared<host::DeviceFileSystem>(root));
  const bool saved = VLPreferencesManager().replaceDictionary(settings());
  host::DeviceFileSystem::setCurrent(previous);
  if (!saved) error = "cannot write the start settings into " + root.string();
  return saved;
}

}  // namespace vorlan
