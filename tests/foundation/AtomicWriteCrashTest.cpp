#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <random>
#include <string>

#include "foundation/DeviceFileSystem.h"

namespace host {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kCounterOffset = 4;  // "seq " then ten digits and a newline
constexpr std::size_t kHeaderSize = 15;

std::string content(char fill, std::size_t size) {
  return "seq 0000000000\n" + std::string(size, fill);
}

// Writes the counter into the header in place: the child must not allocate for it.
void setCounter(std::string& text, std::uint64_t counter) {
  for (std::size_t i = 0; i < 10; ++i) {
    text[kCounterOffset + 9 - i] = static_cast<char>('0' + counter % 10);
    counter /= 10;
  }
}

// A writer killed at a random moment, again and again, leaves the file holding one complete
// content, and the leftovers of the killed writers never get in the way of the next one.
TEST(AtomicWriteCrashTest, KilledWriterNeverLeavesATornFile) {
  std::string pattern = (fs::temp_directory_path() / "vorlan-crash-XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  const fs::path root = pattern;
  const std::shared_ptr<void> removeRoot(nullptr, [&](void*) { fs::remove_all(root); });
  const DeviceFileSystem device(root);
  const std::string path = "/var/mobile/Library/Preferences/settings.plist";
  ASSERT_TRUE(device.createDirectory("/var/mobile/Library/Preferences", true));
  ASSERT_TRUE(device.writeFileAtomically(path, "initial"));

  std::string small = content('A', 64 * 1024);   // even counters
  std::string large = content('B', 200 * 1024);  // odd counters
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> delayMicroseconds(0, 3000);
  constexpr int kRounds = 200;
  int largeSeen = 0;

  for (int round = 1; round <= kRounds; ++round) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // Counters grow across rounds, so the parent can tell that no older content comes back.
      for (std::uint64_t counter = std::uint64_t(round) * 1'000'000;; ++counter) {
        std::string& next = counter % 2 == 0 ? small : large;
        setCounter(next, counter);
        if (!device.writeFileAtomically(path, next)) ::_exit(1);
        if (counter % 1'000'000 == 0 && ::write(ready[1], "r", 1) != 1) ::_exit(2);
      }
    }
    ::close(ready[1]);
    char byte = 0;
    // Once the first write of the round is complete, kill somewhere in one of the next ones.
    const bool started = ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    ::usleep(static_cast<useconds_t>(delayMicroseconds(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(started && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "the writer failed in round " << round << ", status " << status;

    std::string error;
    const auto text = device.readFile(path, 1 << 20, &error);
    ASSERT_TRUE(text) << error;
    ASSERT_GE(text->size(), kHeaderSize) << "round " << round;
    const std::uint64_t counter = std::stoull(text->substr(kCounterOffset, 10));
    std::string expected = counter % 2 == 0 ? small : large;
    setCounter(expected, counter);
    ASSERT_TRUE(*text == expected) << "torn or mixed content in round " << round << ", size "
                                   << text->size() << ", counter " << counter;
    ASSERT_GE(counter, std::uint64_t(round) * 1'000'000) << "older content came back";
    largeSeen += counter % 2;
  }

  // Each killed writer may have left one temporary file; none of them blocks a later write,
  // and the next successful write removes them all.
  const auto names = device.contentsOfDirectory("/var/mobile/Library/Preferences");
  EXPECT_LE(names.size(), std::size_t{kRounds} + 1);
  EXPECT_TRUE(device.writeFileAtomically(path, "final"));
  EXPECT_EQ(device.readFile(path), "final");
  EXPECT_EQ(device.contentsOfDirectory("/var/mobile/Library/Preferences"),
            std::vector<std::string>{"settings.plist"});
  std::cout << "rounds ending on the large content: " << largeSeen << "/" << kRounds
            << ", temporary files left before the last write: " << names.size() - 1 << "\n";
}

}  // namespace
}  // namespace host
