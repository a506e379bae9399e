#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "CommandLine.h"
#include "store/VLPreferencesManager.h"
#include "support/TempDevice.h"

using host::Plist;
using vorlan::VLPreferencesManager;

namespace {

const std::string kSettings = VLPreferencesManager::kSettingsPath;

struct Result {
  int code;
  std::string out;
  std::string err;
};

Result prefs(const TempDevice& device, std::vector<std::string> args) {
  args.insert(args.begin(), {"prefs", "--device", device.root().string()});
  std::ostringstream out;
  std::ostringstream err;
  int code = vorlan::CommandLine::run(args, out, err);
  return {code, out.str(), err.str()};
}

Plist sampleSettings() {
  return Plist::dictionary({
      {"hidden", Plist::dictionary({{"PSUIPrefsListController",
                                     Plist::dictionary({{"WIFI", Plist::boolean(true)},
                                                        {"SIRI", Plist::boolean(false)}})}})},
      {"specs",
       Plist::dictionary({{"WIFI", Plist::dictionary({{"name", Plist::string("Wi-Fi")},
                                                      {"icon", Plist::data({1, 2, 3})}})}})},
      {"password", Plist::string("1234")},
      {"tutorial", Plist::boolean(true)},
  });
}

}  // namespace

TEST(PrefsTool, ShowsTheFileAndTheManagersAnswers) {
  TempDevice device;
  EXPECT_EQ(prefs(device, {"show"}).out, "{}\n");
  EXPECT_EQ(prefs(device, {"path"}).out, device.hostPath(kSettings).string() + "\n");

  device.writePlist(kSettings, sampleSettings());
  Result xml = prefs(device, {"show"});
  EXPECT_EQ(xml.code, 0);
  EXPECT_EQ(xml.out, device.readRaw(kSettings));
  Result json = prefs(device, {"show", "--json"});
  EXPECT_NE(json.out.find("\"icon\": {\"$data\": \"AQID\"}"), std::string::npos) << json.out;
  EXPECT_NE(json.out.find("\"tutorial\": true"), std::string::npos);

  EXPECT_EQ(prefs(device, {"hidden"}).out, "WIFI\tWi-Fi\n");
  EXPECT_EQ(prefs(device, {"hidden", "--json"}).out,
            "[\n  {\n    \"identifier\": \"WIFI\",\n    \"name\": \"Wi-Fi\"\n  }\n]\n");
  // Defaults are shown without being written.
  Result tags = prefs(device, {"tags"});
  EXPECT_EQ(tags.out.substr(0, tags.out.find('\n')), "0\tRed\t#FC6354\t#FC6354");
  EXPECT_EQ(std::count(tags.out.begin(), tags.out.end(), '\n'), 9);
  EXPECT_FALSE(device.readPlist(kSettings).contains("tags"));
  Result folders = prefs(device, {"folders", "--json"});
  EXPECT_NE(folders.out.find("\"key\": \"6\""), std::string::npos);

  device.writeRaw(kSettings, "bplist00 broken");
  Result broken = prefs(device, {"show"});
  EXPECT_EQ(broken.code, 1);
  EXPECT_NE(broken.err.find("cannot be read"), std::string::npos);
}

TEST(PrefsTool, TagsAndFoldersShowWhatTheManagerAnswers) {
  TempDevice device;
  const Plist mine =
      Plist::dictionary({{"0", Plist::dictionary({{"name", Plist::string("Mine")}})}});
  for (const Plist& flag : {Plist::integer(1), Plist::string("YES")}) {
    device.writePlist(kSettings,
                      Plist::dictionary({{"firstTime", flag},
                                         {"tags", mine},
                                         {"firstTime_folder", flag},
                                         {"folders", mine.without("0").with("1", mine.get("0"))}}));
    EXPECT_EQ(prefs(device, {"tags"}).out, "0\tMine\t-\t-\n");
    EXPECT_EQ(prefs(device, {"folders"}).out, "1\tMine\t-\t-\n");
    VLPreferencesManager manager;
    EXPECT_EQ(manager.getTagsDictionary(), mine);
  }
}

TEST(PrefsTool, CheckReportsEachProblemOnItsOwnLine) {
  TempDevice device;
  device.writePlist(kSettings, sampleSettings());
  Result clean = prefs(device, {"check"});
  EXPECT_EQ(clean.code, 0) << clean.out;

  Plist broken =
      sampleSettings()
          .with("tags", Plist::dictionary({
                            {"0", Plist::dictionary({{"name", Plist::string("Red")},
                                                     {"fill_color", Plist::string("#F00")},
                                                     {"border_color", Plist::string("#F00")}})},
                            {"2", Plist::dictionary({{"name", Plist::string("red")},
                                                     {"fill_color", Plist::string("#F00")},
                                                     {"border_color", Plist::integer(1)}})},
                        }))
          .with("password", Plist::dictionary())
          .with("positionInFolders",
                Plist::dictionary({{"APPS", Plist::dictionary({{"A", Plist::integer(0)},
                                                               {"B", Plist::string("2")}})}}));
  device.writePlist(kSettings, broken);
  Result report = prefs(device, {"check"});
  EXPECT_EQ(report.code, 1);
  std::vector<std::string> lines;
  std::istringstream in(report.out);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "password: is a dictionary, expected a string",
                       "tags/2/border_color: is an integer, expected a string",
                       "tags/2: name \"red\" repeats tags/0 (ignoring case)",
                       "tags: keys are not dense from \"0\" (\"1\" is missing)",
                       "positionInFolders/APPS: positions are not 0..1",
                   }));
}

TEST(PrefsTool, CheckReportsBundleFieldsEmptyIdentifiersAndWrongTypedFlags) {
  TempDevice device;
  const Plist good = Plist::dictionary({{"path", Plist::string("/Applications/Maps.app")},
                                        {"identifier", Plist::string("com.apple.Maps")},
                                        {"dataSourceClass", Plist::string("MapsSource")},
                                        {"specifier", Plist::string("MAPS")},
                                        {"name", Plist::string("Maps")},
                                        {"icon", Plist::data({1})}});
  const Plist root = Plist::dictionary({
      {"firstTime", Plist::string("YES")},
      {"hidden", Plist::dictionary({{"PSUIPrefsListController",
                                     Plist::dictionary({{"", Plist::boolean(true)}})}})},
      {"class", Plist::dictionary({{"", Plist::string("PSUIPrefsListController")}})},
      {"folder", Plist::dictionary({{"", Plist::string("Apps")}})},
      {"bundles", Plist::dictionary(
                      {{"PSAppListController", good},
                       {"PSAppListController-1", Plist::string("")},
                       {"PSUIPrefsListController",
                        good.with("path", Plist::integer(1)).with("icon", Plist::string("png"))}})},
  });
  device.writePlist(kSettings, root);
  Result report = prefs(device, {"check"});
  EXPECT_EQ(report.code, 1);
  EXPECT_EQ(report.out,
            "firstTime: is a string, expected a boolean\n"
            "hidden/PSUIPrefsListController/\"\": an empty identifier names no cell\n"
            "class/\"\": an empty identifier names no cell\n"
            "folder/\"\": an empty identifier names no cell\n"
            "bundles/PSUIPrefsListController/path: is an integer, expected a string\n"
            "bundles/PSUIPrefsListController/icon: is a string, expected data\n");
}

TEST(PrefsTool, RepairsPasscodeAndCopiesSettingsOutAndBack) {
  TempDevice device;
  device.writePlist(kSettings, sampleSettings());
  EXPECT_EQ(prefs(device, {"passcode", "--clear"}).code, 0);
  Plist cleared = device.readPlist(kSettings);
  EXPECT_FALSE(cleared.contains("password"));
  EXPECT_EQ(cleared.without("password"), sampleSettings().without("password"));

  const std::string exported = (device.root() / "exported.plist").string();
  EXPECT_EQ(prefs(device, {"export", exported}).code, 0);
  device.writePlist(kSettings, Plist::dictionary());
  EXPECT_EQ(prefs(device, {"import", exported}).code, 0);
  EXPECT_EQ(device.readPlist(kSettings), cleared);

  // Import refuses anything that is not a dictionary property list, leaving the file alone.
  const std::string before = device.readRaw(kSettings);
  const std::string notSettings = (device.root() / "array.plist").string();
  std::ofstream(notSettings) << *host::PropertyListSerialization::writeXml(Plist::array());
  const std::string garbage = (device.root() / "garbage.plist").string();
  std::ofstream(garbage) << "hello";
  EXPECT_EQ(prefs(device, {"import", notSettings}).code, 1);
  EXPECT_EQ(prefs(device, {"import", garbage}).code, 1);
  EXPECT_EQ(device.readRaw(kSettings), before);
}

TEST(PrefsTool, BadArgumentsPrintUsageAndExitTwo) {
  TempDevice device;
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"frobnicate"}, {"passcode"}, {"export"}, {}}) {
    Result r = prefs(device, args);
    EXPECT_EQ(r.code, 2) << args.size();
    EXPECT_NE(r.err.find("Usage"), std::string::npos) << r.err;
  }
  std::ostringstream out, err;
  EXPECT_EQ(vorlan::CommandLine::run({"prefs", "--device", "/no/such/dir", "show"}, out, err), 2);
  EXPECT_EQ(vorlan::CommandLine::run({}, out, err), 2);
}
