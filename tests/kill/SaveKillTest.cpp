// Saves interrupted by SIGKILL at random moments, through the `vorlan` program: `vorlan prefs
// import`, the Settings app of `vorlan sim` in the middle of its saves, and the simulator itself.
// After every kill the settings file holds the old or the new content exactly, libplist reads it,
// and the next save leaves no temporary file beside it; a killed simulator leaves no app running.
//
// The number of import kills is VORLAN_KILL_ROUNDS (default 12), with a quarter as many kills of
// the Settings app and a tenth as many of the simulator (at least 4 and 3);
// scripts/killtest.sh runs the long form. VORLAN_KILL_SEED repeats a run's random moments.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "Processes.h"
#include "SettingsFileState.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const std::string kProgram = VORLAN_PROGRAM;

int rounds() {
  const char* text = std::getenv("VORLAN_KILL_ROUNDS");
  return text ? std::max(1, std::atoi(text)) : 12;
}

// Hidden rows in the settings files: the long form saves larger files, whose writes last long
// enough for kills to land in them even on a busy machine (a small save's write is over within a
// millisecond, less than it takes this process to be woken).
int cells() {
  return rounds() >= 100 ? 20000 : 2000;
}

// A settings file of `cells` hidden rows, large enough that a save takes a while.
std::string settingsXml(int cells, const std::string& title, bool withPasscode) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
      "<key>tutorial</key><true/>\n<key>name</key><string>" +
      title + "</string>\n";
  if (withPasscode) xml += "<key>password</key><string>1234</string>\n";
  xml += "<key>hidden</key><dict><key>PSUIPrefsListController</key><dict>\n";
  for (int i = 0; i < cells; ++i)
    xml += "<key>CELL_" + std::to_string(i) + "</key><" + (i % 3 ? "false" : "true") + "/>\n";
  return xml + "</dict></dict>\n</dict>\n</plist>\n";
}

void writeText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class SaveKill : public ::testing::Test {
 protected:
  void SetUp() override {
    Processes::becomeSubreaper();
    const char* seedText = std::getenv("VORLAN_KILL_SEED");
    const unsigned seed = seedText ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10))
                                   : std::random_device()();
    random.seed(seed);
    RecordProperty("seed", std::to_string(seed));
    std::printf("VORLAN_KILL_SEED=%u\n", seed);
    folder = workFolder("import");
    device = folder / "device";
  }
  void TearDown() override {
    Processes::killLeftovers();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }

  // A fresh folder on disk: there a save flushes its temporary file to disk before it replaces
  // the settings file, which gives the kills a window of milliseconds to land in.
  static fs::path workFolder(const std::string& name) {
    const fs::path made =
        fs::temp_directory_path() / ("vorlan-kill-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(made);
    fs::create_directories(made);
    return made;
  }

  int prefs(const std::vector<std::string>& args) {
    std::vector<std::string> all = {kProgram, "prefs", "--device", device.string()};
    all.insert(all.end(), args.begin(), args.end());
    return Processes::run(all);
  }

  // Imports `file` without interruption: a successful save. Answers the time it took.
  double importWhole(const fs::path& file) {
    const auto start = Clock::now();
    EXPECT_EQ(prefs({"import", file.string()}), 0) << file;
    return std::chrono::duration<double>(Clock::now() - start).count();
  }

  // A save of what the file holds now, which must leave no temporary file behind.
  void saveAgainAndExpectNoTemporaries(const SettingsFileState& state) {
    const fs::path copy = folder / "current.plist";
    fs::copy_file(state.path(), copy, fs::copy_options::overwrite_existing);
    const std::string before = state.bytes();
    importWhole(copy);
    EXPECT_EQ(state.bytes(), before);
    EXPECT_EQ(state.temporaries(), std::vector<std::string>());
  }

  // After a kill: one of the `allowed` contents exactly, and libplist reads it.
  void expectWhole(const SettingsFileState& state, const std::vector<std::string>& allowed,
                   const std::vector<long>& entries, int round) {
    const std::string bytes = state.bytes();
    bool known = false;
    for (std::size_t i = 0; i < allowed.size(); ++i) {
      if (bytes != allowed[i]) continue;
      known = true;
      EXPECT_EQ(state.entriesAsLibplistReadsThem(), entries[i]) << "round " << round;
    }
    EXPECT_TRUE(known) << "round " << round << ": the settings file is torn (" << bytes.size()
                       << " bytes)";
  }

  // Half the kills come at any moment, the other half once a save has begun (its temporary file
  // is there) and at most `window` seconds into it: the moments a kill can tear a file are few
  // milliseconds of a run.
  void waitForKillMoment(const SettingsFileState& state, double any, double window) {
    if (std::bernoulli_distribution(0.5)(random)) {
      sleepFor(uniform(0, any));
      return;
    }
    state.waitForSaveToBegin(any * 2 + 1);
    // A spin, as a sleep this short would overshoot.
    const auto until = Clock::now() + std::chrono::duration<double>(uniform(0, window));
    while (Clock::now() < until) {
    }
  }

  double uniform(double from, double to) {
    return std::uniform_real_distribution<double>(from, to)(random);
  }
  static void sleepFor(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  }

  // A simulator on the device running `script`, and its Settings app once both apps run (the
  // app started last); 0 if the simulator ended first.
  pid_t startSimulator(const fs::path& script, pid_t* settingsApp) {
    const pid_t simulator =
        Processes::spawn({kProgram, "sim", "--device", device.string(), "--script", script});
    *settingsApp = 0;
    const auto until = Clock::now() + std::chrono::seconds(30);
    while (Clock::now() < until) {
      const auto apps = Processes::childrenOf(simulator);
      if (apps.size() == 2) {
        *settingsApp = apps.front();
        break;
      }
      if (::waitpid(simulator, nullptr, WNOHANG) == simulator) return 0;
      sleepFor(0.001);
    }
    return simulator;
  }

  std::mt19937 random;
  fs::path folder;
  fs::path device;
};

TEST_F(SaveKill, ImportKilledAtRandomMomentsLeavesTheOldOrTheNewFile) {
  fs::create_directories(device / "Applications/Preferences.app");
  fs::create_directories(device / "var/mobile/Library/Preferences");
  const SettingsFileState state(device);
  const fs::path files[] = {folder / "a.plist", folder / "b.plist"};
  writeText(files[0], settingsXml(cells(), "A", false));
  writeText(files[1], settingsXml(cells(), "B", true));
  // The two contents as a save writes them, and how long a whole import takes.
  std::vector<std::string> saved(2);
  std::vector<long> entries = {3, 4};
  double longest = 0;
  for (int i : {0, 1, 0, 1}) {
    longest = std::max(longest, importWhole(files[i]));
    saved[i] = state.bytes();
  }

  int current = 1;
  int interrupted = 0;
  std::map<int, int> outcomes;
  for (int round = 0; round < rounds(); ++round) {
    const int other = 1 - current;
    const pid_t pid = Processes::spawn(
        {kProgram, "prefs", "--device", device.string(), "import", files[other].string()});
    waitForKillMoment(state, longest * 1.2, 0.003);
    ::kill(pid, SIGKILL);
    Processes::wait(pid);
    expectWhole(state, saved, entries, round);
    if (!state.temporaries().empty()) ++interrupted;
    const int now = state.bytes() == saved[other] ? other : current;
    ++outcomes[now == other];
    saveAgainAndExpectNoTemporaries(state);
    current = now;
    if (HasFailure()) break;
  }
  std::printf(
      "import kills: %d, of which %d during the write (a temporary left), %d with the "
      "new content, %d with the old\n",
      rounds(), interrupted, outcomes[1], outcomes[0]);
}

class SimulatorSaveKill : public SaveKill {
 protected:
  // A device whose Wi-Fi row is disabled and enabled again and again from the cell action menu
  // (each a save in the Settings app), and the two contents those saves write.
  void SetUp() override {
    SaveKill::SetUp();
    const fs::path empty = folder / "empty.txt";
    writeText(empty, "");
    ASSERT_EQ(Processes::run({kProgram, "sim", "--device", device.string(), "--script", empty}), 0);
    writeText(folder / "start.plist", settingsXml(cells(), "Settings", true));
    importWhole(folder / "start.plist");
    const std::string open = "launch springboard\nlaunch settings\nwait 0.5\n";
    const std::string code = "tap \"1\"\ntap \"2\"\ntap \"3\"\ntap \"4\"\nwait 1.5\n";
    const auto flip = [&](const char* button) {
      return "drag \"Wi-Fi\" -250 0 0.3\nwait 1\ntap \"" + std::string(button) + "\"\nwait 1.5\n" +
             code;
    };
    writeText(folder / "disable.txt", open + flip("Disable"));
    writeText(folder / "enable.txt", open + flip("Enable"));
    std::string loop = open;
    for (int i = 0; i < 400; ++i)
      loop += flip("Disable") + flip("Enable");
    writeText(folder / "loop.txt", loop);
    const SettingsFileState state(device);
    for (const char* script : {"disable.txt", "enable.txt"}) {
      const auto start = Clock::now();
      ASSERT_EQ(Processes::run({kProgram, "sim", "--device", device.string(), "--script",
                                (folder / script).string()}),
                0);
      simulatorRun =
          std::max(simulatorRun, std::chrono::duration<double>(Clock::now() - start).count());
      contents[script[0] == 'e'] = state.bytes();
      entries[script[0] == 'e'] = state.entriesAsLibplistReadsThem();
    }
    ASSERT_NE(contents[0], contents[1]);
  }

  std::vector<std::string> contents = {"", ""};
  std::vector<long> entries = {0, 0};
  double simulatorRun = 0;
};

// One case for both kinds of kill, as laying out the device and learning its two contents is most
// of the cost.
TEST_F(SimulatorSaveKill, SettingsAppOrSimulatorKilledInItsSavesLeavesAWholeFileAndNoApp) {
  const SettingsFileState state(device);
  const int appKills = std::max(4, rounds() / 4);
  int interrupted = 0;
  for (int round = 0; round < appKills && !HasFailure(); ++round) {
    pid_t app = 0;
    const pid_t simulator = startSimulator(folder / "loop.txt", &app);
    ASSERT_NE(simulator, 0);
    ASSERT_NE(app, 0);
    // Past the launch, into the saves (each disable or enable takes a few milliseconds).
    waitForKillMoment(state, simulatorRun * 2, 0.003);
    ::kill(app, SIGKILL);
    // The simulator sees its app gone and ends; nothing it started may outlive it.
    EXPECT_NE(Processes::wait(simulator), 0);
    EXPECT_TRUE(Processes::allEndWithin(10)) << "round " << round;
    expectWhole(state, contents, entries, round);
    if (!state.temporaries().empty()) ++interrupted;
    saveAgainAndExpectNoTemporaries(state);
  }
  std::printf("Settings app kills: %d, of which %d during a write (a temporary left)\n", appKills,
              interrupted);

  const int simulatorKills = std::max(3, rounds() / 10);
  interrupted = 0;
  for (int round = 0; round < simulatorKills && !HasFailure(); ++round) {
    const pid_t simulator = Processes::spawn(
        {kProgram, "sim", "--device", device.string(), "--script", (folder / "loop.txt")});
    // Anywhere from the simulator's start through its apps' launch and into their saves.
    waitForKillMoment(state, simulatorRun * 2, 0.003);
    ::kill(simulator, SIGKILL);
    Processes::wait(simulator);
    EXPECT_TRUE(Processes::allEndWithin(10)) << "round " << round << ": an app outlived it";
    expectWhole(state, contents, entries, round);
    if (!state.temporaries().empty()) ++interrupted;
    saveAgainAndExpectNoTemporaries(state);
  }
  std::printf("simulator kills: %d, of which %d during a write (a temporary left)\n",
              simulatorKills, interrupted);
}

}  // namespace
