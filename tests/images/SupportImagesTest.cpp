#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "BakedImages.h"
#include "DeviceIconArt.h"
#include "SupportImageArt.h"
#include "SupportImages.h"
#include "foundation/DeviceFileSystem.h"
#include "support/TempDevice.h"
#include "uikit/UIImage.h"

using host::UIImage;
using vorlan::SupportImages;

namespace {

const std::string kDir = SupportImages::kDirectory;

bool endsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Size in points as the product loads the file, and its pixel scale.
struct Expected {
  double width, height, scale;
};

Expected expectedSize(const std::string& path) {
  if (endsWith(path, "_icon@2x.png") && path.find("/folder_icons/") != std::string::npos)
    return {29, 29, 2};
  if (path.find("/folder_icons/") != std::string::npos)
    return endsWith(path, "_icon.png") ? Expected{29, 29, 1} : Expected{100, 100, 1};
  if (endsWith(path, "/preview/preview.png")) return {120, 80, 1};
  if (path.find("/preview/") != std::string::npos) return {480, 300, 1};
  if (path.find("/specifier_settings/") != std::string::npos) return {26, 26, 1};
  if (endsWith(path, "settings_icon.png")) return {30, 30, 1};
  if (endsWith(path, "settings_icon@2x.png")) return {30, 30, 2};
  if (endsWith(path, "cancel.png")) return {44, 30, 1};
  if (endsWith(path, "close_button.png")) return {20, 20, 1};
  if (endsWith(path, "trash.png")) return {36, 36, 1};
  if (endsWith(path, "dot.png")) return {12, 12, 1};
  if (endsWith(path, "creator.png")) return {200, 200, 1};
  return {0, 0, 0};
}

// The chunk types of a PNG file, in order.
std::vector<std::string> chunkTypes(const std::string& png) {
  std::vector<std::string> types;
  std::size_t at = 8;
  while (at + 8 <= png.size()) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(png[at + i]); };
    const std::size_t length =
        (std::size_t{byte(0)} << 24) | (byte(1) << 16) | (byte(2) << 8) | byte(3);
    types.push_back(png.substr(at + 4, 4));
    at += 12 + length;
  }
  return types;
}

}  // namespace

TEST(SupportImages, EveryImageTheProductNamesIsWrittenAtItsSize) {
  TempDevice device;
  std::string error;
  ASSERT_TRUE(SupportImages::install(device.fs(), &error)) << error;

  const auto paths = SupportImages::paths();
  std::vector<std::string> named = {
      "main_images/settings_icon.png", "main_images/cancel.png",   "main_images/close_button.png",
      "main_images/trash.png",         "main_images/dot.png",      "main_images/creator.png",
      "folder_icons/reset.png",        "folder_icons/default.png", "folder_icons/add.png"};
  for (const char* folder :
       {"settings", "cydia", "apps", "connectivity", "accessibility", "protected"}) {
    named.push_back(std::string("folder_icons/") + folder + ".png");
    named.push_back(std::string("folder_icons/") + folder + "_icon.png");
  }
  for (const char* icon : {"enable", "disable", "passcode_locked", "passcode_unlocked", "tag",
                           "folder", "visibility", "remove", "position"})
    named.push_back(std::string("specifier_settings/") + icon + "_icon.png");
  for (const char* picture : {"enabled_preview", "disabled_preview", "passcode_preview",
                              "tag_preview", "folder_preview", "position_preview", "preview"})
    named.push_back(std::string("specifier_settings/preview/") + picture + ".png");
  for (const auto& name : named)
    EXPECT_NE(std::find(paths.begin(), paths.end(), kDir + "/" + name), paths.end()) << name;

  for (const auto& path : paths) {
    SCOPED_TRACE(path);
    auto image = UIImage::imageWithContentsOfFile(path);
    ASSERT_NE(image, nullptr);
    const Expected expected = expectedSize(path);
    EXPECT_EQ(image->width(), expected.width);
    EXPECT_EQ(image->height(), expected.height);
    EXPECT_EQ(image->scale(), expected.scale);
  }
}

TEST(SupportImages, EveryIconThePickerOffersHasItsListIcon) {
  TempDevice device;
  ASSERT_TRUE(SupportImages::install(device.fs(), nullptr));
  const auto names = device.fs().contentsOfDirectory(kDir + "/folder_icons");
  ASSERT_FALSE(names.empty());
  for (const auto& name : names) {
    if (name.find("_icon") != std::string::npos) continue;
    // Large icons come in one resolution only, so the picker lists each once.
    EXPECT_EQ(name.find("@2x"), std::string::npos) << name;
    const std::string listIcon = name.substr(0, name.size() - 4) + "_icon.png";
    EXPECT_NE(UIImage::imageWithContentsOfFile(kDir + "/folder_icons/" + listIcon), nullptr)
        << listIcon;
  }
}

TEST(SupportImages, InstallsAreByteForByteReproducibleAndRepairDamage) {
  TempDevice first, second;
  ASSERT_TRUE(SupportImages::install(first.fs(), nullptr));
  ASSERT_TRUE(SupportImages::install(second.fs(), nullptr));
  for (const auto& path : SupportImages::paths()) {
    const std::string bytes = first.readRaw(path);
    EXPECT_EQ(bytes, second.readRaw(path)) << path;
    const auto types = chunkTypes(bytes);
    EXPECT_EQ(std::count(types.begin(), types.end(), "tIME"), 0) << path;
    EXPECT_EQ(types.back(), "IEND") << path;
  }

  // A damaged image is rewritten on the next install; an icon the user added stays.
  const std::string apps = kDir + "/folder_icons/apps.png";
  const std::string original = first.readRaw(apps);
  first.writeRaw(apps, "scribbled over");
  first.writeRaw(kDir + "/folder_icons/mine.png", "user icon");
  ASSERT_TRUE(SupportImages::install(first.fs(), nullptr));
  EXPECT_EQ(first.readRaw(apps), original);
  EXPECT_EQ(first.readRaw(kDir + "/folder_icons/mine.png"), "user icon");
}

// The pictures are drawn once per build; what a device is given is what the code draws: the
// device's pictures from the program, the support images from the package's files.
TEST(SupportImages, TheBuiltPicturesAreWhatTheDrawingCodeDraws) {
  const auto deviceArtwork = vorlan::BakedImages::deviceArtwork();
  const auto drawnArtwork = vorlan::DeviceIconArt::pictures();
  ASSERT_EQ(deviceArtwork.size(), drawnArtwork.size());
  for (std::size_t i = 0; i < drawnArtwork.size(); ++i) {
    EXPECT_EQ(deviceArtwork[i].path, drawnArtwork[i].path);
    EXPECT_FALSE(drawnArtwork[i].png.empty()) << drawnArtwork[i].path;
    EXPECT_TRUE(deviceArtwork[i].png == drawnArtwork[i].png) << drawnArtwork[i].path;
  }
  TempDevice device;
  ASSERT_TRUE(SupportImages::install(device.fs(), nullptr));
  const auto drawn = vorlan::SupportImageArt::pictures();
  EXPECT_EQ(SupportImages::paths().size(), drawn.size());
  for (const auto& picture : drawn) {
    EXPECT_FALSE(picture.png.empty()) << picture.path;
    EXPECT_TRUE(device.readRaw(picture.path) == picture.png) << picture.path;
  }
}

TEST(SupportImages, AnUnusableDeviceRootIsReportedNotFatal) {
  TempDevice device;
  std::string error;

  // The root is a plain file.
  const auto fileRoot = device.root() / "not-a-directory";
  std::ofstream(fileRoot) << "x";
  host::DeviceFileSystem onFile(fileRoot);
  EXPECT_FALSE(SupportImages::install(onFile, &error));
  EXPECT_FALSE(error.empty());

  // A file stands where one of the image directories belongs.
  error.clear();
  device.writeRaw(kDir + "/main_images", "in the way");
  EXPECT_FALSE(SupportImages::install(device.fs(), &error));
  EXPECT_NE(error.find("main_images"), std::string::npos) << error;
  EXPECT_EQ(device.readRaw(kDir + "/main_images"), "in the way");

  // A root on a file system nobody can write to.
  error.clear();
  host::DeviceFileSystem readOnly("/proc/self");
  EXPECT_FALSE(SupportImages::install(readOnly, &error));
  EXPECT_FALSE(error.empty());

  if (::geteuid() != 0) {  // permissions do not stop the superuser
    TempDevice locked;
    std::filesystem::permissions(
        locked.root(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    error.clear();
    EXPECT_FALSE(SupportImages::install(locked.fs(), &error));
    EXPECT_FALSE(error.empty());
    std::filesystem::permissions(locked.root(), std::filesystem::perms::owner_all);
  }
}

TEST(SupportImages, GlyphsAreDrawnOnTransparentCorners) {
  TempDevice device;
  ASSERT_TRUE(SupportImages::install(device.fs(), nullptr));
  for (const auto& path : SupportImages::paths()) {
    SCOPED_TRACE(path);
    auto image = UIImage::imageWithContentsOfFile(path);
    ASSERT_NE(image, nullptr);
    const std::uint32_t w = image->pixelWidth(), h = image->pixelHeight();
    std::uint32_t opaque = 0;
    for (std::uint32_t y = 0; y < h; ++y)
      for (std::uint32_t x = 0; x < w; ++x)
        opaque += image->pixelAt(x, y).alpha == 255;
    EXPECT_GT(opaque, w * h / 50);  // not blank, not a speck
    const UIImage::Pixel corners[] = {image->pixelAt(0, 0), image->pixelAt(w - 1, 0),
                                      image->pixelAt(0, h - 1), image->pixelAt(w - 1, h - 1)};
    // The maker's picture is a photo, clipped to a circle by the page that shows it.
    const std::uint8_t cornerAlpha = endsWith(path, "creator.png") ? 255 : 0;
    for (const auto& corner : corners)
      EXPECT_EQ(corner.alpha, cornerAlpha);
  }
  // Holes are knocked out, so template images show them in any tint.
  auto gear = UIImage::imageWithContentsOfFile(kDir + "/main_images/settings_icon.png");
  EXPECT_EQ(gear->pixelAt(15, 15).alpha, 0);
  EXPECT_EQ(gear->pixelAt(15, 6).alpha, 255);
  auto close = UIImage::imageWithContentsOfFile(kDir + "/main_images/close_button.png");
  EXPECT_EQ(close->pixelAt(10, 10).alpha, 0);
}
