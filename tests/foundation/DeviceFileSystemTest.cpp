#include "foundation/DeviceFileSystem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace host {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using Names = std::vector<std::string>;

class DeviceFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "vorlan-fs-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    device_ = std::make_unique<DeviceFileSystem>(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  bool write(std::string_view path, std::string_view bytes) {
    return device_->writeFileAtomically(path, bytes);
  }
  mode_t modeOf(std::string_view path) {
    struct stat info {};
    EXPECT_EQ(::stat(device_->hostPath(path)->c_str(), &info), 0);
    return info.st_mode & 07777;
  }

  fs::path root_;
  std::unique_ptr<DeviceFileSystem> device_;
  std::string error;
};

TEST_F(DeviceFileSystemTest, MapsDevicePathsUnderTheRootAndRefusesEscapes) {
  EXPECT_EQ(device_->hostPath("/Library/Application Support/Vorlan3/folder_icons"),
            root_ / "Library/Application Support/Vorlan3/folder_icons");
  EXPECT_EQ(device_->hostPath("//a/./b/../c//"), root_ / "a/c");
  EXPECT_EQ(device_->hostPath("/a/.."), root_);
  EXPECT_EQ(DeviceFileSystem(root_.string() + "/").root(), root_);
  for (std::string_view bad : {"", "relative/x", "./x", "/..", "/a/../../etc/passwd"}) {
    EXPECT_FALSE(device_->hostPath(bad)) << bad;
  }
  EXPECT_FALSE(device_->hostPath(std::string_view("/a\0b", 4)));

  // Refused paths are never touched, and the message says why.
  EXPECT_FALSE(device_->writeFileAtomically("/a/../../escaped", "x", &error));
  EXPECT_FALSE(fs::exists(root_.parent_path() / "escaped"));
  EXPECT_THAT(error, HasSubstr("\"/a/../../escaped\" is not a usable device path: it leads above"));
  EXPECT_FALSE(device_->removeItem("/", &error));
  EXPECT_TRUE(fs::exists(root_));
}

TEST_F(DeviceFileSystemTest, CreatesListsAndRemoves) {
  EXPECT_FALSE(device_->createDirectory("/a/b", false));
  EXPECT_TRUE(device_->createDirectory("/a/b", true));
  EXPECT_TRUE(device_->createDirectory("/a/b", true));
  EXPECT_FALSE(device_->createDirectory("/a/b", false));
  ASSERT_TRUE(write("/a/file", "x"));
  EXPECT_FALSE(device_->createDirectory("/a/file", true));
  EXPECT_FALSE(device_->createDirectory("/a/file/below", true));
  bool isDirectory = true;
  EXPECT_TRUE(device_->fileExists("/a/file", &isDirectory));
  EXPECT_FALSE(isDirectory);

  for (std::string_view name : {"/a/b/zeta", "/a/b/Beta", "/a/b/alpha", "/a/b/\xc3\xa4"}) {
    ASSERT_TRUE(write(name, "1"));
  }
  ASSERT_TRUE(device_->createDirectory("/a/b/dir", false));
  EXPECT_EQ(device_->contentsOfDirectory("/a/b"),
            (Names{"Beta", "alpha", "dir", "zeta", "\xc3\xa4"}));

  EXPECT_TRUE(device_->removeItem("/a/b"));
  EXPECT_FALSE(device_->fileExists("/a/b"));
  EXPECT_FALSE(device_->removeItem("/a/b", &error));
  EXPECT_THAT(error, HasSubstr("\"/a/b\": No such file or directory"));
  EXPECT_TRUE(device_->contentsOfDirectory("/a/b", &error).empty());
  EXPECT_THAT(error, HasSubstr("\"/a/b\""));
  EXPECT_EQ(device_->contentsOfDirectory("/a"), Names{"file"});
}

TEST_F(DeviceFileSystemTest, CopyAndMoveNeverReplaceAnything) {
  ASSERT_TRUE(device_->createDirectory("/src/sub", true));
  ASSERT_TRUE(write("/src/sub/f", "content"));
  ASSERT_TRUE(device_->copyItem("/src", "/copy"));
  EXPECT_EQ(device_->readFile("/copy/sub/f"), "content");

  ASSERT_TRUE(write("/other", "keep"));
  EXPECT_FALSE(device_->copyItem("/src/sub/f", "/other", &error));
  EXPECT_THAT(error, HasSubstr("\"/other\": File exists"));
  EXPECT_FALSE(device_->moveItem("/src/sub/f", "/other"));
  EXPECT_EQ(device_->readFile("/other"), "keep");
  EXPECT_EQ(device_->readFile("/src/sub/f"), "content");

  EXPECT_FALSE(device_->copyItem("/src", "/src/sub/again"));
  EXPECT_FALSE(device_->moveItem("/src", "/src/sub/again"));
  EXPECT_FALSE(device_->fileExists("/src/sub/again"));
  EXPECT_FALSE(device_->copyItem("/src", "/no/such/dir"));

  // Setting a damaged file aside before replacing it.
  ASSERT_TRUE(device_->moveItem("/other", "/copy/other.bad"));
  EXPECT_EQ(device_->readFile("/copy/other.bad"), "keep");
  EXPECT_FALSE(device_->moveItem("/other", "/x", &error));
  EXPECT_THAT(error, HasSubstr("\"/other\": No such file or directory"));
}

TEST_F(DeviceFileSystemTest, WritesKeepPermissionsAndReadBackExactly) {
  const mode_t oldMask = ::umask(0077);  // the mode of a new file must not depend on the umask
  ASSERT_TRUE(write("/default", ""));
  EXPECT_EQ(modeOf("/default"), 0644);
  EXPECT_EQ(device_->readFile("/default"), "");
  ASSERT_TRUE(device_->writeFileAtomically("/private", "x", nullptr, 0600));
  EXPECT_EQ(modeOf("/private"), 0600);

  ASSERT_EQ(::chmod(device_->hostPath("/default")->c_str(), 0640), 0);
  const std::string binary("a\0b\xff\n", 5);
  ASSERT_TRUE(device_->writeFileAtomically("/default", binary, nullptr, 0600));
  EXPECT_EQ(modeOf("/default"), 0640);
  EXPECT_EQ(device_->readFile("/default"), binary);
  ::umask(oldMask);
  EXPECT_EQ(device_->contentsOfDirectory("/"), (Names{"default", "private"}));  // no leftovers
}

TEST_F(DeviceFileSystemTest, RefusesUnsuitableTargetsNamingThePath) {
  EXPECT_FALSE(device_->writeFileAtomically("/no/dir/file", "x", &error));
  EXPECT_THAT(error, HasSubstr("\"/no/dir/file\": its directory does not exist"));
  ASSERT_TRUE(device_->createDirectory("/dir", false));
  EXPECT_FALSE(device_->writeFileAtomically("/dir", "x", &error));
  EXPECT_THAT(error, HasSubstr("\"/dir\": Is a directory"));
  EXPECT_FALSE(device_->readFile("/dir", 100, &error));
  EXPECT_THAT(error, HasSubstr("\"/dir\": Is a directory"));
  EXPECT_FALSE(device_->readFile("/missing\n", 100, &error));
  EXPECT_THAT(error, HasSubstr("\"/missing\\x0a\": No such file or directory"));

  ASSERT_TRUE(write("/big", std::string(1000, 'x')));
  EXPECT_TRUE(device_->readFile("/big", 1000));
  EXPECT_FALSE(device_->readFile("/big", 999, &error));
  EXPECT_THAT(error, HasSubstr("\"/big\": it holds 1000 bytes, more than the limit of 999"));

  // A FIFO would block a plain open; it is refused at once.
  ASSERT_EQ(::mkfifo(device_->hostPath("/fifo")->c_str(), 0644), 0);
  EXPECT_FALSE(device_->readFile("/fifo", 100, &error));
  EXPECT_THAT(error, HasSubstr("\"/fifo\": it is not a regular file"));
}

// A link or special file at the target is replaced by a regular file: its target is neither
// followed nor read, and its mode never leaks into the new file.
TEST_F(DeviceFileSystemTest, WritesReplaceLinksAndSpecialFilesAndKeepTheOwnerAbleToRead) {
  const fs::path outside = root_ / "outside";
  std::ofstream(outside) << "secret";
  ASSERT_EQ(::chmod(outside.c_str(), 0644), 0);
  ASSERT_EQ(::symlink(outside.c_str(), device_->hostPath("/link")->c_str()), 0);
  ASSERT_EQ(::mkfifo(device_->hostPath("/fifo")->c_str(), 0666), 0);
  for (const char* path : {"/link", "/fifo"}) {
    EXPECT_EQ(device_->entryType(path), path == std::string("/link")
                                            ? DeviceFileSystem::EntryType::SymbolicLink
                                            : DeviceFileSystem::EntryType::Other);
    ASSERT_TRUE(device_->writeFileAtomically(path, "new", &error, 0600)) << error;
    EXPECT_EQ(device_->entryType(path), DeviceFileSystem::EntryType::Regular) << path;
    EXPECT_EQ(modeOf(path), 0600) << path;
    EXPECT_EQ(device_->readRegularFile(path, 100), "new");
  }
  EXPECT_EQ(device_->readFile("/outside"), "secret");
  EXPECT_EQ(modeOf("/outside"), 0644);

  // A file its owner cannot read or write stays the owner's to read after a write.
  ASSERT_TRUE(write("/locked", "old"));
  ASSERT_EQ(::chmod(device_->hostPath("/locked")->c_str(), 0), 0);
  ASSERT_TRUE(device_->writeFileAtomically("/locked", "new", nullptr, 0600));
  EXPECT_EQ(modeOf("/locked"), 0600);
  ASSERT_EQ(::chmod(device_->hostPath("/locked")->c_str(), 0444), 0);
  ASSERT_TRUE(device_->writeFileAtomically("/locked", "newer", nullptr, 0600));
  EXPECT_EQ(modeOf("/locked"), 0644);
}

// Writes for a device being laid out go in place, with the same permissions as atomic ones, and
// never through a link or into a special file.
TEST_F(DeviceFileSystemTest, UnsyncedWritesFollowTheAtomicRulesInPlace) {
  const mode_t oldMask = ::umask(0077);
  ASSERT_TRUE(device_->writeFileUnsynced("/new", "a longer first content", &error)) << error;
  EXPECT_EQ(modeOf("/new"), 0644);
  ASSERT_TRUE(device_->writeFileUnsynced("/tool", "x", nullptr, 0755));
  EXPECT_EQ(modeOf("/tool"), 0755);
  ::umask(oldMask);
  ASSERT_EQ(::chmod(device_->hostPath("/new")->c_str(), 0440), 0);
  ASSERT_TRUE(device_->writeFileUnsynced("/new", "short", nullptr, 0600));
  EXPECT_EQ(device_->readFile("/new"), "short");
  EXPECT_EQ(modeOf("/new"), 0640);

  const fs::path outside = root_ / "outside";
  std::ofstream(outside) << "secret";
  ASSERT_EQ(::symlink(outside.c_str(), device_->hostPath("/link")->c_str()), 0);
  ASSERT_EQ(::mkfifo(device_->hostPath("/fifo")->c_str(), 0666), 0);
  for (const char* path : {"/link", "/fifo"}) {
    EXPECT_FALSE(device_->writeFileUnsynced(path, "new", &error)) << path;
    EXPECT_THAT(error, HasSubstr(std::string("\"") + path + "\": it is not a regular file"));
  }
  EXPECT_EQ(device_->readFile("/outside"), "secret");
  ASSERT_TRUE(device_->createDirectory("/dir", false));
  EXPECT_FALSE(device_->writeFileUnsynced("/dir", "x", &error));
  EXPECT_THAT(error, HasSubstr("\"/dir\": Is a directory"));
  EXPECT_FALSE(device_->writeFileUnsynced("/no/dir/file", "x", &error));
  EXPECT_THAT(error, HasSubstr("\"/no/dir/file\": its directory does not exist"));

  EXPECT_TRUE(device_->syncAll(&error)) << error;
  EXPECT_FALSE(DeviceFileSystem(root_ / "missing").syncAll(&error));
  EXPECT_THAT(error, HasSubstr("could not flush to disk"));
}

TEST_F(DeviceFileSystemTest, RegularFileReadsNeverOpenLinksOrSpecialFiles) {
  ASSERT_TRUE(write("/plain", "text"));
  ASSERT_EQ(::symlink(device_->hostPath("/plain")->c_str(), device_->hostPath("/link")->c_str()),
            0);
  ASSERT_EQ(::mkfifo(device_->hostPath("/fifo")->c_str(), 0644), 0);
  ASSERT_TRUE(device_->createDirectory("/dir", false));
  EXPECT_EQ(device_->readRegularFile("/plain", 100), "text");
  EXPECT_EQ(device_->readFile("/link", 100), "text") << "readFile follows links";
  EXPECT_FALSE(device_->readRegularFile("/link", 100, &error));
  EXPECT_THAT(error, HasSubstr("\"/link\": it is a symbolic link"));
  for (const char* path : {"/fifo", "/dir"}) {
    EXPECT_FALSE(device_->readRegularFile(path, 100, &error));
    EXPECT_THAT(error, HasSubstr("it is not a regular file")) << path;
  }
  EXPECT_FALSE(device_->readRegularFile("/missing", 100, &error));
  EXPECT_THAT(error, HasSubstr("No such file or directory"));
  EXPECT_EQ(device_->entryType("/missing"), DeviceFileSystem::EntryType::None);
  EXPECT_EQ(device_->entryType("/dir"), DeviceFileSystem::EntryType::Directory);
}

// Temporary files of writers that died are removed by the next successful write beside them;
// anything that may belong to a live writer, or is not exactly our naming, stays.
TEST_F(DeviceFileSystemTest, ASuccessfulWriteRemovesTemporaryFilesOfDeadWriters) {
  const pid_t dead = ::fork();
  ASSERT_GE(dead, 0);
  if (dead == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(dead, nullptr, 0), dead);
  const std::string deadPid = std::to_string(dead);
  const std::string ownPid = std::to_string(::getpid());
  const std::string livePid = std::to_string(::getppid());
  const Names stale{".s.plist.tmp." + deadPid + ".0", ".s.plist.tmp." + ownPid + ".999999"};
  const Names kept{".s.plist.tmp." + livePid + ".0",  ".other.plist.tmp." + deadPid + ".0",
                   ".s.plist.tmp." + deadPid + ".0~", ".s.plist.tmp." + deadPid,
                   "s.plist.tmp." + deadPid + ".0",   ".s.plist.tmp.-" + deadPid + ".0"};
  for (const auto& names : {stale, kept}) {
    for (const std::string& name : names)
      std::ofstream(root_ / name) << "partial";
  }
  ASSERT_TRUE(device_->createDirectory("/.s.plist.tmp." + deadPid + ".1", false));
  ASSERT_EQ(::symlink("s.plist", (root_ / (".s.plist.tmp." + deadPid + ".2")).c_str()), 0);

  ASSERT_TRUE(device_->writeFileAtomically("/missing/s.plist", "x") == false);
  EXPECT_EQ(device_->contentsOfDirectory("/").size(), stale.size() + kept.size() + 2)
      << "a failed write removes nothing";
  ASSERT_TRUE(write("/s.plist", "saved"));
  Names expected = kept;
  expected.push_back(".s.plist.tmp." + deadPid + ".1");
  expected.push_back(".s.plist.tmp." + deadPid + ".2");
  expected.push_back("s.plist");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(device_->contentsOfDirectory("/"), expected);
}

}  // namespace
}  // namespace host
