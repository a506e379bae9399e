#include "DeviceIconArt.h"

#include <memory>
#include <string_view>

#include "springboard/SpringBoardApp.h"
#include "uikit/CGContext.h"
#include "uikit/PngWriter.h"
#include "uikit/UIBezierPath.h"
#include "uikit/UIColor.h"
#include "uikit/UIGraphics.h"

namespace vorlan {

namespace {

using host::CGContext;
using host::CGRectMake;
using host::UIBezierPath;
using host::UIColor;

// The white symbol on an icon.
enum class Symbol { Disc, Ring, Bars, Triangle, Square, Plus, Wave };

struct Icon {
  std::string_view path;
  int red, green, blue;
  Symbol symbol;
};

constexpr std::string_view kPrefs = "/Applications/Preferences.app/";

// Colours after the system's own icons; the symbols only tell the icons apart.
constexpr Icon kIcons[] = {
    {"AirplaneMode@2x.png", 255, 149, 0, Symbol::Triangle},
    {"WiFi@2x.png", 0, 122, 255, Symbol::Wave},
    {"Bluetooth@2x.png", 0, 122, 255, Symbol::Bars},
    {"Cellular@2x.png", 76, 217, 100, Symbol::Wave},
    {"PersonalHotspot@2x.png", 76, 217, 100, Symbol::Ring},
    {"Notifications@2x.png", 255, 59, 48, Symbol::Square},
    {"ControlCenter@2x.png", 142, 142, 147, Symbol::Bars},
    {"DoNotDisturb@2x.png", 88, 86, 214, Symbol::Disc},
    {"General@2x.png", 142, 142, 147, Symbol::Ring},
    {"Display@2x.png", 0, 122, 255, Symbol::Square},
    {"Wallpaper@2x.png", 52, 170, 220, Symbol::Disc},
    {"Sounds@2x.png", 255, 45, 85, Symbol::Wave},
    {"Siri@2x.png", 40, 40, 40, Symbol::Ring},
    {"TouchID@2x.png", 255, 59, 48, Symbol::Ring},
    {"Battery@2x.png", 76, 217, 100, Symbol::Bars},
    {"Privacy@2x.png", 90, 90, 96, Symbol::Triangle},
    {"iCloud@2x.png", 255, 255, 255, Symbol::Disc},
    {"AppStore@2x.png", 0, 122, 255, Symbol::Plus},
    {"Mail@2x.png", 0, 122, 255, Symbol::Square},
    {"Contacts@2x.png", 142, 142, 147, Symbol::Disc},
    {"Calendar@2x.png", 255, 255, 255, Symbol::Bars},
    {"Notes@2x.png", 255, 204, 0, Symbol::Bars},
    {"Reminders@2x.png", 255, 255, 255, Symbol::Ring},
    {"Phone@2x.png", 76, 217, 100, Symbol::Disc},
    {"Messages@2x.png", 76, 217, 100, Symbol::Square},
    {"FaceTime@2x.png", 76, 217, 100, Symbol::Triangle},
    {"Maps@2x.png", 90, 200, 250, Symbol::Plus},
    {"Safari@2x.png", 0, 122, 255, Symbol::Ring},
    {"Music@2x.png", 255, 45, 85, Symbol::Disc},
    {"Photos@2x.png", 255, 255, 255, Symbol::Plus},
    {"GameCenter@2x.png", 255, 255, 255, Symbol::Disc},
    {"TVProvider@2x.png", 40, 40, 40, Symbol::Square},
    {"/Library/PreferenceBundles/Chroma.bundle/Chroma@2x.png", 175, 82, 222, Symbol::Wave},
    {"/Applications/Atlas.app/Icon-Small@2x.png", 48, 176, 199, Symbol::Plus},
    {"/Applications/Beacon.app/Icon-Small@2x.png", 255, 149, 0, Symbol::Wave},
    {"/Applications/Cadence.app/Icon-Small@2x.png", 255, 45, 85, Symbol::Bars},
    {"/Applications/Driftwood.app/Icon-Small@2x.png", 162, 132, 94, Symbol::Square},
    {"/Applications/Ember.app/Icon-Small@2x.png", 255, 59, 48, Symbol::Triangle},
    {"/Applications/Fathom.app/Icon-Small@2x.png", 0, 64, 128, Symbol::Ring},
    {"/Applications/Glint.app/Icon-Small@2x.png", 255, 204, 0, Symbol::Disc},
    {"/Applications/Harbor.app/Icon-Small@2x.png", 52, 199, 89, Symbol::Plus},
};

constexpr double kIconSize = 29;
constexpr double kScale = 2;

void fill(CGContext& context, const UIBezierPath& path, const UIColor& color) {
  context.setFillColor(color);
  context.beginPath();
  context.addPath(path);
  context.fillPath();
}

void drawSymbol(CGContext& context, Symbol symbol, const UIColor& ink) {
  const double c = kIconSize / 2;
  switch (symbol) {
    case Symbol::Disc:
      fill(context, *UIBezierPath::bezierPathWithOvalInRect(CGRectMake(c - 7, c - 7, 14, 14)), ink);
      break;
    case Symbol::Ring: {
      auto ring = UIBezierPath::bezierPathWithOvalInRect(CGRectMake(c - 9, c - 9, 18, 18));
      ring->appendPath(*UIBezierPath::bezierPathWithOvalInRect(CGRectMake(c - 5, c - 5, 10, 10)));
      ring->setUsesEvenOddFillRule(true);
      context.setFillColor(ink);
      context.beginPath();
      context.addPath(*ring);
      context.eoFillPath();
      break;
    }
    case Symbol::Bars:
      for (int i = 0; i < 3; ++i) {
        fill(context, *UIBezierPath::bezierPathWithRect(CGRectMake(7, 8 + 5.5 * i, 15, 3)), ink);
      }
      break;
    case Symbol::Triangle: {
      auto path = UIBezierPath::bezierPath();
      path->moveToPoint({c, 6});
      path->addLineToPoint({c + 9, 22});
      path->addLineToPoint({c - 9, 22});
      path->closePath();
      fill(context, *path, ink);
      break;
    }
    case Symbol::Square:
      fill(context, *UIBezierPath::bezierPathWithRoundedRect(CGRectMake(8, 8, 13, 13), 3), ink);
      break;
    case Symbol::Plus:
      fill(context, *UIBezierPath::bezierPathWithRect(CGRectMake(c - 2, 7, 4, 15)), ink);
      fill(context, *UIBezierPath::bezierPathWithRect(CGRectMake(7, c - 2, 15, 4)), ink);
      break;
    case Symbol::Wave:
      for (int i = 0; i < 3; ++i) {
        auto arc = UIBezierPath::bezierPathWithArcCenter({c, 21}, 4.0 + 4.5 * i, -2.4, -0.74, true);
        arc->setLineWidth(2.2);
        context.setStrokeColor(ink);
        context.setLineWidth(2.2);
        context.beginPath();
        context.addPath(*arc);
        context.strokePath();
      }
      break;
  }
}

// Draws into a fresh image context and answers its PNG; empty when none could be made.
template <class Paint>
std::string paint(double width, double height, Paint&& body) {
  host::UIGraphicsBeginImageContextWithOptions({width, height}, false, kScale);
  const auto context = host::UIGraphicsGetCurrentContext();
  if (!context) return {};
  body(*context);
  std::string png = host::PngWriter::encode(context->surface());
  host::UIGraphicsEndImageContext();
  return png;
}

std::string iconPng(const Icon& icon) {
  return paint(kIconSize, kIconSize, [&](CGContext& context) {
    const auto background =
        UIColor::colorWithRed(icon.red / 255.0, icon.green / 255.0, icon.blue / 255.0, 1);
    fill(context,
         *UIBezierPath::bezierPathWithRoundedRect(CGRectMake(0, 0, kIconSize, kIconSize), 6.5),
         *background);
    const bool light = icon.red + icon.green + icon.blue > 600;
    const auto ink = light ? UIColor::colorWithRed(0, 122 / 255.0, 1, 1) : UIColor::whiteColor();
    drawSymbol(context, icon.symbol, *ink);
  });
}

// A dusk sky: a vertical blend from deep blue to warm orange, with a few soft lights.
std::string wallpaperPng() {
  constexpr double kWidth = 375;
  constexpr double kHeight = 667;
  return paint(kWidth, kHeight, [&](CGContext& context) {
    constexpr int kBands = 167;
    const double band = kHeight / kBands;
    for (int i = 0; i < kBands; ++i) {
      const double t = static_cast<double>(i) / (kBands - 1);
      const auto color =
          UIColor::colorWithRed(0.10 + 0.85 * t * t, 0.16 + 0.38 * t, 0.42 - 0.22 * t, 1);
      context.setFillColor(*color);
      context.fillRect(CGRectMake(0, i * band, kWidth, band + 0.5));
    }
    const double lights[][3] = {{80, 140, 60}, {290, 260, 90}, {150, 480, 120}, {330, 590, 50}};
    for (const auto& light : lights) {
      const auto color = UIColor::colorWithWhite(1, 0.08);
      fill(context,
           *UIBezierPath::bezierPathWithOvalInRect(
               CGRectMake(light[0] - light[2], light[1] - light[2], 2 * light[2], 2 * light[2])),
           *color);
    }
  });
}

}  // namespace

std::vector<DevicePicture> DeviceIconArt::pictures() {
  std::vector<DevicePicture> pictures;
  for (const Icon& icon : kIcons) {
    std::string path = icon.path.front() == '/' ? std::string(icon.path)
                                                : std::string(kPrefs) + std::string(icon.path);
    pictures.push_back({std::move(path), iconPng(icon)});
  }
  pictures.push_back({host::SpringBoardApp::kWallpaperPath, wallpaperPng()});
  return pictures;
}

}  // namespace vorlan
