#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "PlistJson.h"
#include "SimulatorFixture.h"
#include "foundation/DeviceFileSystem.h"
#include "foundation/PropertyListSerialization.h"
#include "store/VLPreferencesManager.h"

namespace vorlan {
namespace {

using host::Plist;

constexpr const char* kStart = "launch springboard\nlaunch settings\nwait 1\n";
// The gear opens the configuration page, its "Tags" entry the tag list.
constexpr const char* kOpenTags = "tap \"Vorlan\"\nwait 1\ntap \"Tags\"\nwait 1.5\n";
// The list shows its first six tags; this brings the last tags, "Add" and "Reset" into view.
constexpr const char* kScrollTags = "drag \"Blue\" 0 -300 0.5\nwait 1\n";

Plist tagRecord(const std::string& name, const std::string& fill, const std::string& border) {
  return Plist::dictionary({{"name", Plist::string(name)},
                            {"fill_color", Plist::string(fill)},
                            {"border_color", Plist::string(border)}});
}

// The tag names in key order; a gap in the keys is a failure.
std::vector<std::string> tagNames(const Plist& tags) {
  std::vector<std::string> names;
  for (std::size_t key = 0; key < tags.size(); ++key) {
    const Plist record = tags.get(std::to_string(key));
    if (!record.isDictionary()) {
      ADD_FAILURE() << "no tag under the key " << key;
      continue;
    }
    const std::string* name = record.get("name").asString();
    names.push_back(name ? *name : "?");
  }
  return names;
}

// The settings file as each `prefs` in the output printed it.
std::vector<std::string> printedFiles(const std::string& out) {
  std::vector<std::string> files;
  std::istringstream lines(out);
  std::string file;
  bool inside = false;
  for (std::string line; std::getline(lines, line);) {
    if (line == "{") inside = true;
    if (inside) file += line + "\n";
    if (inside && line == "}") {
      files.push_back(file);
      file.clear();
      inside = false;
    }
  }
  return files;
}

// Whether a printed settings file holds `key` at its top level with exactly `value`.
bool holds(const std::string& file, const std::string& key, const Plist& value) {
  // Through the file format first, so that its keys come in the order a read gives them.
  const auto xml = host::PropertyListSerialization::writeXml(Plist::dictionary({{key, value}}));
  if (!xml) return false;
  const auto rendered = PlistJson::render(host::PropertyListSerialization::read(*xml).value);
  if (!rendered) return false;
  // "{\n  "key": ...\n}" less its braces is the entry as it appears inside the whole file.
  const std::string entry = rendered->substr(1, rendered->rfind("\n}") - 1);
  return file.find(entry + ",\n") != std::string::npos ||
         file.find(entry + "\n}") != std::string::npos;
}

class TagScenarioTest : public SimulatorTest {
 protected:
  // A user past the welcome screen whose Wi-Fi row carries Work and Orange and whose General
  // page's About row carries Work.
  void SetUp() override {
    copyDefaultDevice();
    const Plist settings = Plist::dictionary(
        {{"tutorial", Plist::boolean(true)},
         {"tag", Plist::dictionary(
                     {{"PSUIPrefsListController",
                       Plist::dictionary(
                           {{"WIFI", Plist::dictionary({{"Work", Plist::boolean(true)},
                                                        {"Orange", Plist::boolean(true)}})}})},
                      {"PSUIGeneralController",
                       Plist::dictionary(
                           {{"ABOUT", Plist::dictionary({{"Work", Plist::boolean(true)}})}})}})}});
    const auto xml = host::PropertyListSerialization::writeXml(settings);
    ASSERT_TRUE(xml);
    std::string error;
    ASSERT_TRUE(host::DeviceFileSystem(device).writeFileAtomically(
        VLPreferencesManager::kSettingsPath, *xml, &error))
        << error;
  }

  Plist settings() const { return stored(VLPreferencesManager::kSettingsPath); }
  Plist assignments(const std::string& page, const std::string& cell) const {
    return settings().getPath({"tag", page, cell});
  }
  ScriptRun expectRun(const std::string& script) {
    ScriptRun result = run(script);
    EXPECT_EQ(result.code, 0) << result.err << result.out;
    return result;
  }
};

// Types over a tag's name in the editor: as many deletes as it has letters, then the new name.
std::string retype(const std::string& from, const std::string& to) {
  std::string keys;
  for (std::size_t i = 0; i < from.size(); ++i)
    keys += "\\b";
  return "tap \"" + from + "\"\nwait 1\ntap \"" + from + "\"\nwait 0.5\ntype \"" + keys + to +
         "\"\ntap \"Save\"\nwait 1\n";
}

// Add, rename, a refused rename, delete: each through the list on the configuration page, the
// settings file read after each, with the panel still open.
TEST_F(TagScenarioTest, AddRenameAndDeleteFromTheTagListReachTheFileAndCarryTheAssignments) {
  ScriptRun result =
      expectRun(std::string(kStart) + kOpenTags + kScrollTags + "tap \"Add\"\nwait 1\ntexts\n");
  EXPECT_NE(result.out.find("\tNew\n"), std::string::npos) << result.out;
  EXPECT_EQ(tagNames(settings().get("tags")),
            (std::vector<std::string>{"Red", "Orange", "Yellow", "Green", "Blue", "Violet", "Home",
                                      "Important", "Work", "New"}));
  EXPECT_EQ(settings().getPath({"tags", "9"}), tagRecord("New", "FFFFFF", "ABABAB"));

  // A rename moves every assignment of the tag to the new name.
  expectRun(std::string(kStart) + kOpenTags + kScrollTags + retype("Work", "Office"));
  EXPECT_EQ(settings().getPath({"tags", "8"}), tagRecord("Office", "#FFFFFF", "#ABABAB"));
  EXPECT_EQ(
      assignments("PSUIPrefsListController", "WIFI"),
      Plist::dictionary({{"Office", Plist::boolean(true)}, {"Orange", Plist::boolean(true)}}));
  EXPECT_EQ(assignments("PSUIGeneralController", "ABOUT"),
            Plist::dictionary({{"Office", Plist::boolean(true)}}));

  // "home" is taken by "Home": the alert answers, nothing is written and the editor stays.
  const Plist beforeRefusal = settings();
  result = expectRun(std::string(kStart) + kOpenTags + kScrollTags + retype("Office", "home") +
                     "alert \"OK\"\nwait 0.5\ntexts\n");
  EXPECT_NE(result.out.find("\tSave\n"), std::string::npos) << result.out;
  EXPECT_EQ(settings(), beforeRefusal);

  // A deleted tag leaves the keys dense and no cell carrying it.
  result = expectRun(std::string(kStart) + kOpenTags +
                     "drag \"Orange\" -100 0\nwait 0.5\ntap \"Delete\"\nwait 1\ntexts\n");
  EXPECT_EQ(result.out.find("\tOrange\n"), std::string::npos) << result.out;
  EXPECT_EQ(tagNames(settings().get("tags")),
            (std::vector<std::string>{"Red", "Yellow", "Green", "Blue", "Violet", "Home",
                                      "Important", "Office", "New"}));
  EXPECT_EQ(assignments("PSUIPrefsListController", "WIFI"),
            Plist::dictionary({{"Office", Plist::boolean(true)}}));
}

// "No" keeps every tag; "Yes" erases tags and assignments and restarts SpringBoard, and the list
// opened again shows and stores the nine defaults.
TEST_F(TagScenarioTest, ResetBehindItsAlertRestoresTheNineDefaults) {
  expectRun(std::string(kStart) + kOpenTags + kScrollTags + "tap \"Add\"\nwait 1\n" +
            "drag \"Important\" -100 0\nwait 0.5\ntap \"Delete\"\nwait 1\n");
  const Plist changed = settings();
  ASSERT_EQ(tagNames(changed.get("tags")).size(), 9u);

  ScriptRun result = expectRun(std::string(kStart) + kOpenTags + kScrollTags +
                               "tap \"Reset\"\nwait 0.5\nalert \"No\"\nwait 0.5\nevents\n");
  EXPECT_EQ(settings(), changed);
  EXPECT_FALSE(hasLine(result.out, "system killall -HUP SpringBoard")) << result.out;

  result = expectRun(std::string(kStart) + kOpenTags + kScrollTags +
                     "tap \"Reset\"\nwait 0.5\nalert \"Yes\"\nwait 1\nevents\nprefs\n" + kStart +
                     kOpenTags + kScrollTags + "texts\n");
  EXPECT_TRUE(hasLine(result.out, "system killall -HUP SpringBoard")) << result.out;
  const auto files = printedFiles(result.out);
  ASSERT_EQ(files.size(), 1u) << result.out;
  EXPECT_EQ(files[0].find("\"tag\""), std::string::npos) << files[0];
  EXPECT_EQ(files[0].find("\"tags\""), std::string::npos) << files[0];
  for (const char* name : {"Home", "Important", "Work"})
    EXPECT_NE(result.out.find(std::string("\t") + name + "\n"), std::string::npos) << name;
  EXPECT_EQ(result.out.find("\tNew\n"), std::string::npos) << result.out;
  EXPECT_EQ(settings().get("tags"), VLPreferencesManager::defaultTags());
  EXPECT_FALSE(settings().contains("tag"));
}

// The assignment panel and the editor write each change before anything closes: the file read
// between the taps already holds it.
TEST_F(TagScenarioTest, EveryChangeInATagPanelIsInTheFileAtOnce) {
  const ScriptRun result = expectRun(
      std::string(kStart) + "drag \"Bluetooth\" -250 0 0.3\nwait 1\ntap \"Tag\"\nwait 1\n" +
      "tap \"Red\"\nwait 0.5\nprefs\ntap \"Red\"\nwait 0.5\nprefs\n" + kStart + kOpenTags +
      "tap \"Green\"\nwait 1\ntap \"Blue colour\"\nwait 0.5\ntap \"Save\"\nwait 1\nprefs\n");
  const auto files = printedFiles(result.out);
  ASSERT_EQ(files.size(), 3u) << result.out;
  const auto onMainList = [](bool red) {
    return Plist::dictionary(
        {{"PSUIPrefsListController",
          Plist::dictionary({{"Bluetooth", Plist::dictionary({{"Red", Plist::boolean(red)}})},
                             {"WIFI", Plist::dictionary({{"Orange", Plist::boolean(true)},
                                                         {"Work", Plist::boolean(true)}})}})},
         {"PSUIGeneralController",
          Plist::dictionary({{"ABOUT", Plist::dictionary({{"Work", Plist::boolean(true)}})}})}});
  };
  EXPECT_TRUE(holds(files[0], "tag", onMainList(true))) << files[0];
  EXPECT_TRUE(holds(files[1], "tag", onMainList(false))) << files[1];
  Plist recoloured =
      VLPreferencesManager::defaultTags().with("3", tagRecord("Green", "#54BEF7", "#34B1F5"));
  EXPECT_TRUE(holds(files[2], "tags", recoloured)) << files[2];
}

}  // namespace
}  // namespace vorlan
