#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
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

Result run(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  int code = vorlan::CommandLine::run(args, out, err);
  return {code, out.str(), err.str()};
}

// The tool works on devices: folders with the Settings app and the preferences folder.
Result prefs(const TempDevice& device, std::vector<std::string> args) {
  std::filesystem::create_directories(device.root() / "Applications/Preferences.app");
  args.insert(args.begin(), {"prefs", "--device", device.root().string()});
  return run(args);
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

namespace {

bool mentions(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::filesystem::perms permissions(const std::filesystem::path& path) {
  return std::filesystem::symlink_status(path).permissions() & std::filesystem::perms::mask;
}

// A binary property list {"a\0b": "x"}: it reads, but its key cannot be written as XML.
std::string binaryWithNulKey() {
  const unsigned char bytes[] = {'b',  'p',  'l',  'i', 's', 't', '0', '0',  // header
                                 0xD1, 0x01, 0x02,       // 8: dictionary of one pair
                                 0x53, 'a',  0x00, 'b',  // 11: "a\0b"
                                 0x51, 'x',              // 15: "x"
                                 0x08, 0x0B, 0x0F,       // 17: offsets
                                 0,    0,    0,    0,   0,   0,   1,   1,   0,
                                 0,    0,    0,    0,   0,   0,   3,  // sizes, three objects
                                 0,    0,    0,    0,   0,   0,   0,   0,   0,
                                 0,    0,    0,    0,   0,   0,   17};  // top object, table offset
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

}  // namespace

TEST(PrefsTool, AFolderThatHoldsNoDeviceIsRefused) {
  TempDevice device;
  const std::filesystem::path empty = device.root() / "empty";
  const std::filesystem::path other = device.root() / "other";
  std::filesystem::create_directories(empty);
  std::filesystem::create_directories(other);
  std::ofstream(other / "notes.txt") << "not a device";
  for (const auto& folder : {empty, other}) {
    for (const char* action : {"show", "path", "hidden", "tags", "check"}) {
      Result r = run({"prefs", "--device", folder.string(), action});
      EXPECT_EQ(r.code, 1) << folder << ' ' << action;
      EXPECT_EQ(r.out, "") << action;
      EXPECT_TRUE(mentions(r.err, "holds no device")) << r.err;
    }
  }
  EXPECT_TRUE(std::filesystem::is_empty(empty));
}

TEST(PrefsTool, DeviceMayComeBeforeOrAfterTheAction) {
  TempDevice device;
  const std::string root = device.root().string();
  const std::string path = prefs(device, {"path"}).out;
  EXPECT_EQ(run({"prefs", "path", "--device", root}).out, path);
  device.writePlist(kSettings, sampleSettings());
  Result json = run({"prefs", "hidden", "--json", "--device", root});
  EXPECT_EQ(json.code, 0) << json.err;
  EXPECT_TRUE(mentions(json.out, "\"WIFI\""));
  EXPECT_EQ(run({"prefs", "passcode", "--device", root, "--clear"}).code, 0);

  Result help = run({"prefs", "show", "--help"});
  EXPECT_TRUE(mentions(help.out, "--device")) << help.out;
  Result missing = run({"prefs", "show"});
  EXPECT_EQ(missing.code, 2);
  EXPECT_TRUE(mentions(missing.err, "--device")) << missing.err;
}

TEST(PrefsTool, ShowFailsWhenItCannotWriteTheFileOut) {
  TempDevice device;
  device.writeRaw(kSettings, binaryWithNulKey());
  // Either the file is refused as unreadable, or it is shown soundly; never an empty success.
  Result xml = prefs(device, {"show"});
  if (xml.code == 0) {
    EXPECT_TRUE(host::PropertyListSerialization::read(xml.out).ok()) << xml.out;
  } else {
    EXPECT_EQ(xml.code, 1);
    EXPECT_EQ(xml.out, "");
    EXPECT_NE(xml.err, "");
  }

  device.writePlist(kSettings, sampleSettings());
  std::ostringstream closed;
  closed.setstate(std::ios::badbit);
  std::ostringstream err;
  EXPECT_EQ(
      vorlan::CommandLine::run({"prefs", "--device", device.root().string(), "show"}, closed, err),
      1);
  EXPECT_TRUE(mentions(err.str(), "could not be written")) << err.str();
}

TEST(PrefsTool, ActionsOnAnUnreadableFileFailAndChangeNothing) {
  TempDevice device;
  const std::string array = *host::PropertyListSerialization::writeXml(
      Plist::array({Plist::dictionary({{"password", Plist::string("1234")}})}));
  for (const std::string& content : {std::string("<plist><dict><key>password"), array}) {
    device.writeRaw(kSettings, content);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"hidden"}, {"disabled"}, {"moved"}, {"tags"}, {"folders"}, {"passcode", "--clear"}}) {
      Result r = prefs(device, args);
      EXPECT_EQ(r.code, 1) << args[0];
      EXPECT_FALSE(mentions(r.out, "No passcode")) << r.out;
      EXPECT_TRUE(mentions(r.err, "cannot be read")) << r.err;
    }
    EXPECT_EQ(device.readRaw(kSettings), content);
  }
  if (::geteuid() != 0) {  // the superuser reads any file
    device.writePlist(kSettings, sampleSettings());
    std::filesystem::permissions(device.hostPath(kSettings), std::filesystem::perms::none);
    EXPECT_EQ(prefs(device, {"passcode", "--clear"}).code, 1);
  }
}

TEST(PrefsTool, ImportKeepsAnUnreadableSettingsFileAside) {
  TempDevice device;
  device.writeRaw(kSettings, "damaged");
  const std::string imported = (device.root() / "imported.plist").string();
  std::ofstream(imported) << *host::PropertyListSerialization::writeXml(sampleSettings());
  Result r = prefs(device, {"import", imported});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(device.readPlist(kSettings), sampleSettings());
  int kept = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(device.hostPath(kSettings).parent_path())) {
    if (mentions(entry.path().filename().string(), ".unreadable-")) {
      ++kept;
      EXPECT_EQ(
          device.readRaw("/var/mobile/Library/Preferences/" + entry.path().filename().string()),
          "damaged");
    }
  }
  EXPECT_EQ(kept, 1);
}

TEST(PrefsTool, ExportCopiesOnlyTheSettingsFileAndOnlyForItsOwner) {
  TempDevice device;
  const std::filesystem::path secret = device.root() / "secret.txt";
  std::ofstream(secret) << "root:x:0:0";
  std::filesystem::create_symlink(secret, device.hostPath(kSettings));
  const std::filesystem::path exported = device.root() / "exported.plist";
  Result linked = prefs(device, {"export", exported.string()});
  EXPECT_EQ(linked.code, 1);
  EXPECT_TRUE(mentions(linked.err, "symbolic link")) << linked.err;
  EXPECT_FALSE(std::filesystem::exists(exported));
  // Nor does any other action read through the link, even to a well-formed property list.
  const std::filesystem::path other = device.root() / "other.plist";
  std::ofstream(other) << *host::PropertyListSerialization::writeXml(
      host::Plist::dictionary({{"passcode", host::Plist::string("4321")}}));
  std::filesystem::remove(device.hostPath(kSettings));
  std::filesystem::create_symlink(other, device.hostPath(kSettings));
  for (const char* action : {"show", "check"}) {
    Result shown = prefs(device, {action});
    EXPECT_EQ(shown.code, 1) << action;
    EXPECT_FALSE(mentions(shown.out, "4321")) << action;
    EXPECT_TRUE(mentions(shown.err, "symbolic link")) << action << ": " << shown.err;
  }

  std::filesystem::remove(device.hostPath(kSettings));
  device.writePlist(kSettings, sampleSettings());
  const mode_t before = ::umask(0);
  Result fresh = prefs(device, {"export", exported.string()});
  std::ofstream(device.root() / "open.plist") << "old";
  std::filesystem::permissions(device.root() / "open.plist", std::filesystem::perms::all);
  Result existing = prefs(device, {"export", (device.root() / "open.plist").string()});
  ::umask(before);
  EXPECT_EQ(fresh.code, 0) << fresh.err;
  EXPECT_EQ(existing.code, 0) << existing.err;
  for (const auto& file : {exported, device.root() / "open.plist"}) {
    EXPECT_EQ(permissions(file),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(
        host::PropertyListSerialization::read(device.readRaw("/" + file.filename().string())).value,
        sampleSettings());
  }
}

// Import writes through the device's atomic write: whatever was at the settings path, the
// result is a regular file its owner can read and write, and nobody else.
TEST(PrefsTool, ImportOverALinkAFifoOrALockedFileLeavesAPrivateRegularFile) {
  TempDevice device;
  const std::filesystem::path settings = device.hostPath(kSettings);
  const std::filesystem::path target = device.root() / "elsewhere.plist";
  const std::string imported = (device.root() / "imported.plist").string();
  std::ofstream(imported) << *host::PropertyListSerialization::writeXml(sampleSettings());
  const auto replace = [&](const std::function<void()>& make) {
    std::filesystem::remove(settings);
    make();
    return prefs(device, {"import", imported});
  };
  const std::string elsewhere = *host::PropertyListSerialization::writeXml(Plist::dictionary());
  std::ofstream(target) << elsewhere;
  std::filesystem::permissions(target, std::filesystem::perms::owner_all |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
  const std::vector<std::pair<const char*, std::function<void()>>> cases = {
      {"link", [&] { std::filesystem::create_symlink(target, settings); }},
      {"fifo", [&] { ASSERT_EQ(::mkfifo(settings.c_str(), 0644), 0); }},
      {"locked",
       [&] {
         device.writePlist(kSettings, Plist::dictionary());
         std::filesystem::permissions(settings, std::filesystem::perms::none);
       }},
  };
  for (const auto& [name, make] : cases) {
    Result r = replace(make);
    EXPECT_EQ(r.code, 0) << name << ": " << r.err;
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(settings)))
        << name;
    EXPECT_EQ(permissions(settings),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write)
        << name;
    EXPECT_EQ(device.readPlist(kSettings), sampleSettings()) << name;
  }
  EXPECT_EQ(device.readRaw("/elsewhere.plist"), elsewhere);
}

TEST(PrefsTool, ImportReadsOnlyARegularFile) {
  TempDevice device;
  device.writePlist(kSettings, sampleSettings());
  const std::string before = device.readRaw(kSettings);
  const std::filesystem::path fifo = device.root() / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& source : {std::string("/dev/zero"), fifo.string()}) {
    Result r = prefs(device, {"import", source});
    EXPECT_EQ(r.code, 1) << source;
    EXPECT_TRUE(mentions(r.err, "not a regular file")) << r.err;
  }
  EXPECT_EQ(device.readRaw(kSettings), before);
}

// The XML file keeps dates to the second: a finer date is saved, if rounded, and that is a
// success.
TEST(PrefsTool, ImportOfABinaryFileWithAFineDateSucceeds) {
  TempDevice device;
  const unsigned char bytes[] = {'b',  'p',  'l',  'i',  's', 't', '0', '0', 0xD1, 0x01, 0x02, 0x51,
                                 'd',  0x33, 0x3F, 0xE0, 0,   0,   0,   0,   0,    0,  // 0.5 s
                                 0x08, 0x0B, 0x0D, 0,    0,   0,   0,   0,   0,    1,    1,    0,
                                 0,    0,    0,    0,    0,   0,   3,   0,   0,    0,    0,    0,
                                 0,    0,    0,    0,    0,   0,   0,   0,   0,    0,    22};
  const std::filesystem::path file = device.root() / "fine.plist";
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes), sizeof bytes);
  ASSERT_TRUE(host::PropertyListSerialization::read(device.readRaw("/fine.plist")).ok());
  Result r = prefs(device, {"import", file.string()});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(device.readPlist(kSettings).get("d").asDate().has_value());
}
