#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "DeviceOptions.h"
#include "Simulator.h"
#include "SimulatorFixture.h"
#include "Tour.h"
#include "foundation/DeviceFileSystem.h"
#include "foundation/PropertyListSerialization.h"
#include "store/VLPreferencesManager.h"
#include "support/DeviceTemplate.h"
#include "uikit/FontLibrary.h"
#include "uikit/UIImage.h"

namespace vorlan {
namespace {

constexpr const char* kAirplaneOff = "0.0\tAirplane Mode\tAIRPLANE_MODE\tswitch:off";
constexpr const char* kAirplaneOn = "0.0\tAirplane Mode\tAIRPLANE_MODE\tswitch:on";

TEST_F(SimulatorTest, CellsListTheMainListAndTheAppsArriveAfterAWait) {
  const ScriptRun result = run("launch settings\ncells\nlog\nwait 0.5\ncells\n");
  ASSERT_EQ(result.code, 0) << result.err;
  const auto second = result.out.find("\n0.-", 1);
  ASSERT_NE(second, std::string::npos) << result.out;
  const std::string before = result.out.substr(0, second + 1);
  const std::string after = result.out.substr(second + 1);
  EXPECT_TRUE(hasLine(before, "0.-\t\t-\tgroup")) << before;
  EXPECT_TRUE(hasLine(before, kAirplaneOff)) << before;
  EXPECT_TRUE(hasLine(before, "2.0\tGeneral\tGeneral\t-")) << before;
  EXPECT_EQ(before.find("\tAtlas\t"), std::string::npos);
  EXPECT_NE(after.find("\tAtlas\tcom.cartograph.atlas\t-"), std::string::npos) << after;
  EXPECT_TRUE(hasLine(after, kAirplaneOff));
}

TEST_F(SimulatorTest, OpenShowsAPageAndBackReturnsUntilTheRoot) {
  const ScriptRun result =
      run("launch settings\nwait 0.5\nback\nopen \"General\"\ncells\nback\ncells\n# at the root\n"
          "back\ncells\n");
  EXPECT_EQ(result.code, 1);
  // The first back closes the welcome screen of a fresh device.
  EXPECT_EQ(result.err, "vorlan sim: line 9: already at the root page\n");
  const auto main = result.out.find(kAirplaneOff);
  ASSERT_NE(main, std::string::npos) << result.out;
  EXPECT_TRUE(hasLine(result.out.substr(0, main), "0.0\tAbout\tABOUT\t-")) << result.out;
  EXPECT_TRUE(hasLine(result.out, "3.0\tBackground App Refresh\tBACKGROUND_REFRESH\tswitch:on"));

  // Going on past failures, each is reported and the run still fails.
  const ScriptRun kept = run("back\nlaunch settings\nopen \"Nowhere\"\ncells\n", "", true);
  EXPECT_EQ(kept.code, 1);
  EXPECT_EQ(kept.err,
            "vorlan sim: line 1: no app is running (launch settings or launch springboard first)\n"
            "vorlan sim: line 3: nothing on screen shows \"Nowhere\"\n");
  EXPECT_TRUE(hasLine(kept.out, kAirplaneOff)) << kept.out;
}

TEST_F(SimulatorTest, AToggledSwitchIsStoredAndAReusedDeviceKeepsIt) {
  ScriptRun result = run("launch settings\ntoggle \"Airplane Mode\"\ncells\ntoggle \"General\"\n");
  EXPECT_EQ(result.err, "vorlan sim: line 4: the row \"General\" shows no switch\n");
  EXPECT_TRUE(hasLine(result.out, kAirplaneOn)) << result.out;
  EXPECT_EQ(stored("/var/mobile/Library/Preferences/com.apple.radios.plist")
                .get("AirplaneMode")
                .asBoolean(),
            true);

  // The device is used as it is: the switch is still on, and a model given changes the device.
  result = run("launch settings\ncells\n", "iPad");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(hasLine(result.out, kAirplaneOn)) << result.out;
  EXPECT_EQ(DeviceOptions::load(host::DeviceFileSystem(device)).model, "iPad");
}

TEST_F(SimulatorTest, DragsScrollAndMoveSlidersAndTypedTextIsStoredAsItIsTyped) {
  // Two flicks bring the apps' cells into view; the field's own text is what a tap finds.
  const ScriptRun result =
      run("launch settings\nwait 0.5\nback\ndrag \"Wallpaper\" 0 -550 0.3\ndrag \"Privacy\" 0 -550 "
          "0.3\n"
          "wait 1\n"
          "open \"Beacon\"\ntap \"beacon.example.com\"\ntype \".net\"\nback\n"
          "open \"Beacon\"\ntap \"beacon.example.com.net\"\nback\n"
          // Cadence's volume slider (a row without a title), its thumb at 0.8, dragged most of
          // the way left.
          "open \"Cadence\"\ndrag \"volume\" -172 0 0.5\n");
  ASSERT_EQ(result.code, 0) << result.err;
  const host::Plist server =
      stored("/var/mobile/Library/Preferences/com.signalhouse.beacon.plist").get("server");
  ASSERT_NE(server.asString(), nullptr);
  EXPECT_EQ(*server.asString(), "beacon.example.com.net");
  const auto volume =
      stored("/var/mobile/Library/Preferences/com.tempoapps.cadence.plist").get("volume").asReal();
  ASSERT_TRUE(volume.has_value());
  EXPECT_LT(*volume, 0.4);
}

TEST_F(SimulatorTest, TheHomeScreenOpensSettingsAndLogsAppsItCannotOpen) {
  const ScriptRun result =
      run("launch springboard\ntap \"Settings\"\nwait 0.5\ncells\nbackground settings\n"
          "tap \"Atlas\"\nlog\ntap \"Settings\"\ncells\n");
  ASSERT_EQ(result.code, 0) << result.err;
  // The main list was listed twice: when Settings opened, and when its icon brought it back.
  std::size_t shown = 0;
  for (auto at = result.out.find(kAirplaneOff); at != std::string::npos;
       at = result.out.find(kAirplaneOff, at + 1)) {
    ++shown;
  }
  EXPECT_EQ(shown, 2u) << result.out;
  EXPECT_TRUE(hasLine(result.out, "SpringBoard: com.cartograph.atlas is not simulated"));
}

TEST_F(SimulatorTest, AnIPadRuns) {
  const ScriptRun result =
      run("launch springboard\nlaunch settings\nwait 0.5\ncells\ndump\nlog\n", "iPad");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(hasLine(result.out, kAirplaneOff)) << result.out;
  EXPECT_TRUE(hasLine(result.out, "UIWindow (0, 0, 768, 1024)")) << result.out;
  EXPECT_FALSE(DeviceOptions::load(host::DeviceFileSystem(device)).forceTouch);
}

TEST_F(SimulatorTest, RotateTurnsTheScreenForRunningAndLaterApps) {
  const ScriptRun result = run(
      "launch settings\nrotate landscape\ndump\nlaunch settings\ndump\nrotate portrait\ndump\n");
  ASSERT_EQ(result.code, 0) << result.err;
  std::vector<std::string> windows;
  std::istringstream lines(result.out);
  for (std::string line; std::getline(lines, line);) {
    // The window's geometry (the extension clears its background).
    if (line.starts_with("UIWindow")) windows.push_back(line.substr(0, line.find(')') + 1));
  }
  ASSERT_EQ(windows.size(), 3u) << result.out;
  EXPECT_EQ(windows[0], "UIWindow (0, 0, 667, 375)");
  EXPECT_EQ(windows[1], "UIWindow (0, 0, 667, 375)");
  EXPECT_EQ(windows[2], "UIWindow (0, 0, 375, 667)");
  // An iPhone hides the status bar in landscape and compacts the navigation bar.
  EXPECT_NE(result.out.find("UINavigationBar (0, 0, 667, 32)"), std::string::npos);
  EXPECT_NE(result.out.find("UINavigationBar (0, 20, 375, 44)"), std::string::npos);
}

TEST_F(SimulatorTest, RespringRelaunchesTheAppsFromDisk) {
  const ScriptRun result =
      run("launch springboard\nlaunch settings\nopen \"General\"\nrespring\ncells\n");
  ASSERT_EQ(result.code, 0) << result.err;
  // The Settings app came back on its main list.
  EXPECT_TRUE(hasLine(result.out, kAirplaneOff)) << result.out;
}

TEST_F(SimulatorTest, AShotShowsTheList) {
  const std::string shot = (folder / "screen.png").string();
  const ScriptRun result =
      run("launch settings\nwait 0.5\nback\nwait 0.5\nshot \"" + shot + "\"\n");
  ASSERT_EQ(result.code, 0) << result.err;
  std::ifstream in(shot, std::ios::binary);
  const host::UIImage::Bytes png((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
  const auto image = host::UIImage::imageWithData(png);
  ASSERT_TRUE(image);
  ASSERT_EQ(image->pixelWidth(), 750u);
  ASSERT_EQ(image->pixelHeight(), 1334u);
  int white = 0, grey = 0, dark = 0;
  for (std::uint32_t y = 0; y < image->pixelHeight(); y += 2) {
    for (std::uint32_t x = 0; x < image->pixelWidth(); x += 2) {
      const auto p = image->pixelAt(x, y);
      if (p.red == 255 && p.green == 255 && p.blue == 255) ++white;
      if (p.red == p.green && p.red > 220 && p.red < 250 && p.blue >= p.red) ++grey;
      if (p.red < 80 && p.green < 80 && p.blue < 80) ++dark;
    }
  }
  const int total = static_cast<int>(image->pixelWidth() * image->pixelHeight() / 4);
  EXPECT_GT(white, total / 3);  // the rows
  EXPECT_GT(grey, total / 50);  // the background between the groups
  EXPECT_GT(dark, 200);         // the titles
}

TEST_F(SimulatorTest, AFaultStopsTheScriptNamingItsLine) {
  ScriptRun result = run("launch settings\ncells\n\ntap \"NO SUCH\"\ncells\n");
  EXPECT_EQ(result.code, 1);
  EXPECT_EQ(result.err, "vorlan sim: line 4: nothing on screen shows \"NO SUCH\"\n");
  result = run("cells\n");
  EXPECT_EQ(result.code, 1);
  EXPECT_NE(result.err.find("line 1: no app is running"), std::string::npos) << result.err;
  result = run("launch springboard\ntype \"x\"\n");
  EXPECT_EQ(result.err,
            "vorlan sim: line 2: nothing takes text: no text field is the first "
            "responder\n");
  result = run("launch settings\nalert \"OK\"\n");
  EXPECT_EQ(result.err, "vorlan sim: line 2: no alert on screen\n");
  result = run("launch settings\ncells\nbogus\n");
  EXPECT_EQ(result.err, "vorlan sim: line 3: unknown command \"bogus\"\n");
  EXPECT_EQ(result.out, "");  // nothing ran
}

TEST_F(SimulatorTest, TheExtensionSaysHelloOnceOnAFreshDevice) {
  if (!std::filesystem::exists(std::filesystem::path(VORLAN_SOURCE_DIR) /
                               "vorlan/module/Vorlan3Module.cpp")) {
    GTEST_SKIP() << "the extension is not built yet";
  }
  const ScriptRun result = run("launch springboard\nlaunch settings\nwait 1\nlog\nrespring\nlog\n");
  ASSERT_EQ(result.code, 0) << result.err;
  std::size_t count = 0;
  for (std::size_t at = result.out.find("<Vorlan3>Yeah!"); at != std::string::npos;
       at = result.out.find("<Vorlan3>Yeah!", at + 1)) {
    ++count;
  }
  EXPECT_EQ(count, 1u) << result.out;
}

// The main list's stage in the app as loaded: a swipe on a cell slides the app aside by the
// cell action menu's width (167.5 points); a tap on the dimmed app closes it; the gear, found by
// its label, opens the configuration page, whose title fades in at the right.
TEST_F(SimulatorTest, ASwipeRevealsTheCellMenuAndTheGearTheConfigurationPage) {
  const ScriptRun result = run(
      "launch springboard\nlaunch settings\nwait 0.5\nback\nwait 0.5\ndrag \"Wi-Fi\" -250 0 0.3\n"
      "wait 1\ntexts\n"
      "tap \"Close\"\nwait 1\ntap \"Vorlan\"\nwait 1\ntexts\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(hasLine(result.out, "-108.5\t143\t268\t44\tWi-Fi")) << result.out;
  EXPECT_TRUE(hasLine(result.out, "80\t20\t290\t60\tVorlan")) << result.out;
}

TEST_F(SimulatorTest, ADisabledRowStaysClosedAlsoWhenItIsMoved) {
  const auto byMain = [](const std::string& id, host::Plist value) {
    return host::Plist::dictionary(
        {{"PSUIPrefsListController", host::Plist::dictionary({{id, std::move(value)}})}});
  };
  copyDefaultDevice();
  Simulator simulator({device, "", false});
  std::string error;
  ASSERT_TRUE(simulator.boot(error)) << error;
  const auto xml = host::PropertyListSerialization::writeXml(host::Plist::dictionary(
      {{"enabled", byMain("DISPLAY", host::Plist::boolean(false))},
       {"position",
        byMain("DISPLAY", host::Plist::dictionary({{"section", host::Plist::string("0")},
                                                   {"row", host::Plist::string("0")}}))}}));
  ASSERT_TRUE(xml);
  ASSERT_TRUE(host::DeviceFileSystem(device).writeFileAtomically(
      VLPreferencesManager::kSettingsPath, *xml, &error))
      << error;

  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(
      simulator.run("launch settings\nwait 1\ncells\nopen \"Display & Brightness\"\n", out, err),
      1);
  // Moved to the very top, it is a group of its own, without a header.
  EXPECT_TRUE(hasLine(out.str(), "0.0\tDisplay & Brightness\tDISPLAY\tdisabled")) << out.str();
  EXPECT_FALSE(hasLine(out.str(), "0.-\t\t-\tgroup")) << out.str();
  EXPECT_TRUE(hasLine(out.str(), "1.-\t\t-\tgroup")) << out.str();
  EXPECT_NE(err.str().find("opened no page"), std::string::npos) << err.str();
}

// A protected row and a protected switch of the main list, behind the passcode 1234.
TEST_F(SimulatorTest, AProtectedRowAndSwitchWaitForThePasscodeTypedOnTheKeypad) {
  const auto byMain = [](host::Plist value) {
    return host::Plist::dictionary({{"General", value}, {"AIRPLANE_MODE", value}});
  };
  copyDefaultDevice();
  const auto xml = host::PropertyListSerialization::writeXml(host::Plist::dictionary(
      {{"password", host::Plist::string("1234")},
       {"tutorial", host::Plist::boolean(true)},  // the welcome screen was seen
       {"class", byMain(host::Plist::string("PSUIPrefsListController"))},
       {"passcode", host::Plist::dictionary(
                        {{"PSUIPrefsListController", byMain(host::Plist::boolean(true))}})}}));
  ASSERT_TRUE(xml);
  std::string error;
  ASSERT_TRUE(host::DeviceFileSystem(device).writeFileAtomically(
      VLPreferencesManager::kSettingsPath, *xml, &error))
      << error;
  const std::string code = "tap \"1\"\ntap \"2\"\ntap \"3\"\ntap \"4\"\nwait 1\n";

  ScriptRun result =
      run("launch settings\nwait 1\ntoggle \"Airplane Mode\"\nwait 1\ntexts\ncells\n" + code +
          "cells\n");
  ASSERT_EQ(result.code, 0) << result.err;
  const auto typed = result.out.find("Enter your passcode");
  ASSERT_NE(typed, std::string::npos) << result.out;
  const auto opened = result.out.find(kAirplaneOn);
  EXPECT_TRUE(hasLine(result.out.substr(0, opened), kAirplaneOff)) << result.out;
  EXPECT_NE(opened, std::string::npos) << result.out;
  EXPECT_EQ(stored("/var/mobile/Library/Preferences/com.apple.radios.plist")
                .get("AirplaneMode")
                .asBoolean(),
            true);

  result =
      run("launch settings\nwait 1\ntap \"General\"\nwait 1\ntexts\n"
          "tap \"9\"\ntap \"9\"\ntap \"9\"\ntap \"9\"\nwait 1\ncells\n" +
          code + "cells\n");
  ASSERT_EQ(result.code, 0) << result.err;
  const auto general = result.out.find("0.0\tAbout\tABOUT\t-");
  ASSERT_NE(general, std::string::npos) << result.out;
  const std::string before = result.out.substr(0, general);
  EXPECT_NE(before.find("\tEnter your passcode\n"), std::string::npos) << before;
  // The wrong code left the main list on screen.
  EXPECT_TRUE(hasLine(before, kAirplaneOn)) << before;
}

TEST_F(SimulatorTest, AMissingFontIsReportedOnStandardErrorAndInTheLog) {
  const std::vector<std::string> files = host::FontLibrary::fontFiles();
  host::FontLibrary::setFontFiles({"/nonexistent/vorlan-fonts/Missing-Regular.ttf", files.back()});
  const ScriptRun result = run("launch settings\ncells\nlog\n");
  host::FontLibrary::setFontFiles(files);
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  EXPECT_NE(result.err.find("Missing-Regular.ttf"), std::string::npos) << result.err;
  EXPECT_NE(result.out.find("Settings: The system font"), std::string::npos) << result.out;
}

TEST_F(SimulatorTest, TheCommandLineRunsScriptsAndTheTour) {
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(CommandLine::run({"sim", "--model", "Nokia"}, out, err), 2);
  EXPECT_EQ(CommandLine::run({"sim", "--script", (folder / "missing").string()}, out, err), 1);
  EXPECT_EQ(CommandLine::run({"sim", "extra"}, out, err), 2);

  std::filesystem::create_directories(folder);
  std::ofstream(folder / "script.txt") << "launch settings\ncells\n";
  copyDefaultDevice();
  out.str("");
  EXPECT_EQ(CommandLine::run(
                {"sim", "--device", device.string(), "--script", (folder / "script.txt").string()},
                out, err),
            0)
      << err.str();
  EXPECT_TRUE(hasLine(out.str(), kAirplaneOff)) << out.str();

  // The tour keeps its screenshots where it says; a file in the folder's place is refused.
  out.str("");
  const auto shots = folder / "tour \"shots\"";
  EXPECT_EQ(CommandLine::run({"sim", "--shots", shots.string()}, out, err), 0) << err.str();
  EXPECT_NE(out.str().find("> open \"General\""), std::string::npos) << out.str();
  EXPECT_TRUE(hasLine(out.str(), "3.0\tBackground App Refresh\tBACKGROUND_REFRESH\tswitch:off"));
  for (const char* name : std::span(Tour::kShots, Tour::kShotCount)) {
    EXPECT_TRUE(hasLine(out.str(), "wrote " + (shots / name).string())) << out.str();
    EXPECT_GT(std::filesystem::file_size(shots / name), 1000u) << name;
  }
  err.str("");
  EXPECT_EQ(CommandLine::run({"sim", "--shots", (folder / "script.txt").string()}, out, err), 1);
  EXPECT_NE(err.str().find("cannot make the screenshot folder"), std::string::npos) << err.str();
}

TEST_F(SimulatorTest, AFolderHoldingSomethingElseIsNotUsedAsADevice) {
  std::filesystem::create_directories(device / "photos");
  std::ofstream(device / "notes.txt") << "mine";
  Simulator simulator({device, "", false});
  std::string error;
  EXPECT_FALSE(simulator.boot(error));
  EXPECT_NE(error.find("holds no device"), std::string::npos) << error;
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(CommandLine::run({"sim", "--device", device.string(), "--script", "-"}, out, err), 1);
  EXPECT_NE(err.str().find("holds no device"), std::string::npos) << err.str();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(device), {}), 2);
}

TEST_F(SimulatorTest, ScriptsAndPicturesAreReadOnlyFromRegularFiles) {
  std::filesystem::create_directories(folder);
  for (const std::string& script : {std::string("/dev/zero"), folder.string()}) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(CommandLine::run({"sim", "--script", script}, out, err), 1) << script;
    EXPECT_NE(err.str().find("cannot read the script"), std::string::npos) << err.str();
  }
  const ScriptRun result = run("wallpaper /dev/zero\n");
  EXPECT_EQ(result.code, 1);
  EXPECT_NE(result.err.find("/dev/zero: it is not a regular file"), std::string::npos)
      << result.err;
}

TEST_F(SimulatorTest, ErrorsShowControlCharactersEscaped) {
  Simulator simulator({device, "", false});  // the script is refused before the device is used
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(simulator.run("cells\n\x1b]0;owned\x07\xff\n", out, err), 1);
  EXPECT_EQ(err.str(), "vorlan sim: line 2: unknown command \"\\x1B]0;owned\\x07\\xFF\"\n");
}

}  // namespace
}  // namespace vorlan
