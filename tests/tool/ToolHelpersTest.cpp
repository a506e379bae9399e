#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "PlistJson.h"
#include "PrintableText.h"
#include "RegularFile.h"

namespace vorlan {
namespace {

class RegularFileTest : public ::testing::Test {
 protected:
  ~RegularFileTest() override { std::filesystem::remove_all(folder); }
  const std::filesystem::path folder = [] {
    auto path = std::filesystem::temp_directory_path() /
                ("vorlan-regular-file-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
};

TEST_F(RegularFileTest, ReadsOnlyRegularFilesUpToTheLimit) {
  const auto file = folder / "ten";
  std::ofstream(file) << "0123456789";
  std::string error;
  EXPECT_EQ(RegularFile::read(file, 10, error), "0123456789");
  EXPECT_FALSE(RegularFile::read(file, 9, error));
  EXPECT_EQ(error, file.string() + ": it is larger than 9 bytes");
  // A device never ends; the limit stops it.
  EXPECT_FALSE(RegularFile::read("/dev/zero", 1 << 20, error));
  EXPECT_EQ(error, "/dev/zero: it is not a regular file");
  EXPECT_FALSE(RegularFile::read(folder, 1 << 20, error));
  EXPECT_EQ(error, folder.string() + ": it is a folder");

  const auto link = folder / "link";
  std::filesystem::create_symlink(file, link);
  EXPECT_EQ(RegularFile::read(link, 10, error), "0123456789");
  EXPECT_FALSE(RegularFile::read(link, 10, error, RegularFile::Links::Refuse));
  EXPECT_EQ(error, link.string() + ": it is a symbolic link");
}

TEST_F(RegularFileTest, PrivateWritesAreForTheOwnerOnlyAndNeverFollowALink) {
  const auto file = folder / "out";
  std::ofstream(file) << "a longer old content";
  std::filesystem::permissions(file, std::filesystem::perms::all);
  const mode_t before = ::umask(0);
  std::string error;
  EXPECT_TRUE(RegularFile::writePrivate(file, "new", error)) << error;
  EXPECT_TRUE(RegularFile::writePrivate(folder / "fresh", "x", error)) << error;
  ::umask(before);
  EXPECT_EQ(RegularFile::read(file, 100, error), "new");
  for (const auto& path : {file, folder / "fresh"}) {
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  }
  std::filesystem::create_symlink(file, folder / "link");
  EXPECT_FALSE(RegularFile::writePrivate(folder / "link", "through", error));
  EXPECT_EQ(RegularFile::read(file, 100, error), "new");
}

TEST(PrintableTextTest, EscapesControlsAndBrokenUtf8Only) {
  EXPECT_EQ(PrintableText::escape("Général \\ \"x\""), "Général \\ \"x\"");
  EXPECT_EQ(PrintableText::escape("\x1b[2J\x07\tok\x7f"), "\\x1B[2J\\x07\\x09ok\\x7F");
  EXPECT_EQ(PrintableText::escape("\xc2\x9b"
                                  "31m \xff\xfe \xe2\x82"),
            "\\xC2\\x9B31m \\xFF\\xFE \\xE2\\x82");
  const std::string once = PrintableText::escape("\x01\x80");
  EXPECT_EQ(PrintableText::escape(once), once);
}

TEST(PlistJsonTest, OutputPastTheLimitIsRefused) {
  // Shared children: a small tree whose JSON doubles with every level.
  host::Plist tree = host::Plist::string("leaf");
  for (int level = 0; level < 16; ++level)
    tree = host::Plist::array({tree, tree});
  std::string error;
  EXPECT_FALSE(PlistJson::render(tree, &error, 100000));
  EXPECT_EQ(error, "the JSON would exceed 100000 bytes");
  EXPECT_TRUE(PlistJson::render(host::Plist::array({tree.items()[0].items()[0]}), &error,
                                PlistJson::kMaxBytes));
}

}  // namespace
}  // namespace vorlan
