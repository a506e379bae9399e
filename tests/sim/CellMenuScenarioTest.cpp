// The cell action menu as a user reaches it in the simulator: a swipe to the left on a row, then
// a tap or a hold on one of the menu's buttons.
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "SimulatorFixture.h"
#include "store/VLPreferencesManager.h"
#include "support/Snapshot.h"
#include "uikit/UIImage.h"

namespace vorlan {
namespace {

constexpr const char* kOpenSettings = "launch springboard\ntap \"Settings\"\nwait 0.5\n";
constexpr const char* kMenuTitles[] = {"Disable", "Passcode", "Tag",     "Folder",
                                       "Hide",    "Remove",   "Position"};

class CellMenuScenario : public SimulatorTest {
 protected:
  // Swipes the row showing `title` far enough to open the menu, and lets it settle.
  static std::string swipe(const std::string& title) {
    return "drag \"" + title + "\" -250 0 0.3\nwait 1\n";
  }

  // Whether `texts` output lists a view showing exactly `text`.
  static bool showsText(const std::string& texts, const std::string& text) {
    return texts.find("\t" + text + "\n") != std::string::npos;
  }

  static bool listsCell(const std::string& cells, const std::string& title) {
    return cells.find("\t" + title + "\t") != std::string::npos;
  }

  std::shared_ptr<host::UIImage> picture(const std::string& name) const {
    std::ifstream in(folder / name, std::ios::binary);
    return host::UIImage::imageWithData(
        host::UIImage::Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()},
        2);
  }

  host::Plist settings() const { return stored(VLPreferencesManager::kSettingsPath); }

  // The settings of a user who has seen the welcome screen.
  void SetUp() override { storeSettings(host::Plist::dictionary({})); }

  void storeSettings(const host::Plist& value) {
    if (!std::filesystem::exists(device)) copyDefaultDevice();
    const auto xml = host::PropertyListSerialization::writeXml(
        value.with("tutorial", host::Plist::boolean(true)));
    ASSERT_TRUE(xml);
    std::string error;
    ASSERT_TRUE(host::DeviceFileSystem(device).writeFileAtomically(
        VLPreferencesManager::kSettingsPath, *xml, &error))
        << error;
  }
};

TEST_F(CellMenuScenario, HideFromTheMenuKeepsTheRowHiddenOnItsPageAcrossARespring) {
  ScriptRun result = run(std::string(kOpenSettings) + swipe("Wi-Fi") +
                         "texts\ntap \"Hide\"\nwait 1\ncells\nrespring\ntap \"Settings\"\n"
                         "wait 0.5\ncells\n");
  ASSERT_EQ(result.code, 0) << result.err;
  for (const char* title : kMenuTitles)
    EXPECT_TRUE(showsText(result.out, title)) << title;
  EXPECT_FALSE(listsCell(result.out, "Wi-Fi")) << result.out;
  EXPECT_TRUE(listsCell(result.out, "Bluetooth")) << result.out;
  EXPECT_EQ(settings().get("hidden").get("PSUIPrefsListController").get("WIFI").asBoolean(), true);

  // A row of a page below the main list: hidden there, and still after the page loads again.
  result = run(std::string(kOpenSettings) + "open \"General\"\n" + swipe("About") +
               "tap \"Hide\"\nwait 1\nback\nopen \"General\"\ncells\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_FALSE(listsCell(result.out, "About")) << result.out;
  EXPECT_TRUE(listsCell(result.out, "Software Update")) << result.out;
  bool recorded = false;
  const host::Plist hidden = settings().get("hidden");
  for (const auto& entry : hidden.entries()) {
    if (entry.first != "PSUIPrefsListController" && entry.second.get("ABOUT").asBoolean() == true) {
      recorded = true;
    }
  }
  EXPECT_TRUE(recorded) << "the About row is not recorded as hidden under its page";
}

TEST_F(CellMenuScenario, RemoveTakesTheRowOffUntilThePageLoadsAgain) {
  ScriptRun result =
      run(std::string(kOpenSettings) + swipe("Bluetooth") + "tap \"Remove\"\nwait 1\ncells\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_FALSE(listsCell(result.out, "Bluetooth")) << result.out;
  EXPECT_TRUE(listsCell(result.out, "Wi-Fi")) << result.out;
  EXPECT_FALSE(settings().contains("hidden")) << "Remove stores nothing";

  result = run(std::string(kOpenSettings) + "cells\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(listsCell(result.out, "Bluetooth")) << result.out;
}

TEST_F(CellMenuScenario, HoldingAButtonShowsItsHelpWithPicturesAndAShortHoldRunsIt) {
  const ScriptRun result =
      run(std::string(kOpenSettings) + swipe("Wi-Fi") +
          "hold \"Hide\" 1\nwait 1\ntexts\ndismiss\nwait 1\nhold \"Position\" 1\nwait 1\nshot " +
          (folder / "help.png").string() + "\ndismiss\nwait 1\nprefs\nhold \"Hide\" 0.2\nwait 1\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_NE(result.out.find("You can hide a preference cell by tapping on 'Hide' button."),
            std::string::npos)
      << result.out;
  // The long hold showed the help and ran nothing; the short one hid the row.
  EXPECT_EQ(result.out.find("\"hidden\""), std::string::npos) << result.out;
  EXPECT_EQ(settings().get("hidden").get("PSUIPrefsListController").get("WIFI").asBoolean(), true);
  // The Position help carries its picture.
  EXPECT_TRUE(testing::imageMatchesSnapshot(picture("help.png"), "position_help"));
}

TEST_F(CellMenuScenario, TheMainListWithTheMenuOpenAndWithTheSidePageOpen) {
  const ScriptRun result =
      run(std::string(kOpenSettings) + swipe("Wi-Fi") + "shot " + (folder / "menu.png").string() +
          "\ntap \"Remove\"\nwait 1\ntap \"Vorlan\"\nwait 1\nshot " +
          (folder / "side.png").string() + "\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(testing::imageMatchesSnapshot(picture("menu.png"), "main_list_menu_open"));
  EXPECT_TRUE(testing::imageMatchesSnapshot(picture("side.png"), "main_list_side_page_open"));
}

TEST_F(CellMenuScenario, DisableAsksForTheStoredPasscodeAndAWrongOneChangesNothing) {
  storeSettings(host::Plist::dictionary({{"password", host::Plist::string("1234")}}));
  const std::string wrong = "tap \"9\"\ntap \"9\"\ntap \"9\"\ntap \"9\"\nwait 1\n";
  const std::string right = "tap \"1\"\ntap \"2\"\ntap \"3\"\ntap \"4\"\nwait 1.5\n";
  const ScriptRun result =
      run(std::string(kOpenSettings) + "events\n" + swipe("General") +
          "tap \"Disable\"\nwait 1.5\ntexts\nevents\n" + wrong + "events\nprefs\n" + right +
          "cells\ntap \"General\"\nwait 1\ncells\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(showsText(result.out, "Enter your passcode")) << result.out;
  // A wrong code vibrates and stores nothing.
  EXPECT_NE(result.out.find("sound 4095"), std::string::npos) << result.out;
  EXPECT_EQ(result.out.find("\"enabled\""), std::string::npos) << result.out;
  // The right one stores the row as disabled; it turns grey and does not open.
  EXPECT_EQ(settings().get("enabled").get("PSUIPrefsListController").get("General").asBoolean(),
            false);
  EXPECT_NE(result.out.find("2.0\tGeneral\tGeneral\tdisabled"), std::string::npos) << result.out;
  EXPECT_EQ(result.out.find("\tAbout\tABOUT\t"), std::string::npos) << result.out;
}

}  // namespace
}  // namespace vorlan
