#include "PreviewArt.h"

#include <string>

#include "GlyphPen.h"
#include "GlyphSymbols.h"

namespace vorlan {

namespace {

constexpr double kWidth = 240, kHeight = 150;

// The grouped-table background every sketch sits on; the corners stay transparent.
void card(GlyphPen& pen) {
  pen.color(239, 239, 244);
  pen.fillRoundedRect(0, 0, kWidth, kHeight, 12);
}

void textBar(GlyphPen& pen, double x, double y, double width, double alpha) {
  pen.color(60, 60, 67, alpha);
  pen.fillRoundedRect(x, y, width, 7, 3.5);
}

// One settings row: icon, title and disclosure chevron; a disabled row is grey.
void settingsRow(GlyphPen& pen, double x, double y, const int (&icon)[3], double titleWidth,
                 bool disabled) {
  disabled ? pen.color(190, 190, 195) : pen.color(255, 255, 255);
  pen.fillRect(x, y, 216, 34);
  pen.color(icon[0], icon[1], icon[2], disabled ? 0.5 : 1.0);
  pen.fillRoundedRect(x + 8, y + 6, 22, 22, 5);
  textBar(pen, x + 40, y + 13.5, titleWidth, disabled ? 0.3 : 0.7);
  pen.color(199, 199, 204);
  pen.polyline({{x + 200, y + 11}, {x + 206, y + 17}, {x + 200, y + 23}}, 2);
}

void rows(GlyphPen& pen, bool middleDisabled) {
  card(pen);
  settingsRow(pen, 12, 22, {255, 149, 0}, 70, false);
  settingsRow(pen, 12, 58, {52, 199, 89}, 96, middleDisabled);
  settingsRow(pen, 12, 94, {0, 122, 255}, 58, false);
}

void keypad(GlyphPen& pen) {
  card(pen);
  pen.color(255, 255, 255);
  pen.fillRoundedRect(50, 8, 140, 134, 10);
  textBar(pen, 85, 16, 70, 0.7);
  pen.color(0, 0, 0);
  for (int i = 0; i < 4; ++i) {
    const double x = 96 + i * 16;
    if (i < 2) pen.fillCircle(x, 36, 4.5);
    pen.strokeCircle(x, 36, 4.5, 1);
  }
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 3; ++column) {
      if (row == 3 && column != 1) continue;
      const double x = 70 + column * 34, y = 48 + row * 23;
      pen.color(0, 0, 0);
      pen.strokeRoundedRect(x, y, 30, 19, 5, 1);
      pen.fillCircle(x + 15, y + 9.5, 2.5);
    }
  }
  pen.inBox(142, 113, 22, [&] { GlyphSymbols::backspace(pen); });
}

void tagPanel(GlyphPen& pen) {
  static const int kColors[][3] = {
      {252, 99, 84}, {252, 158, 81}, {254, 213, 88}, {134, 223, 106}, {84, 190, 247}};
  card(pen);
  pen.color(255, 255, 255);
  pen.fillRoundedRect(24, 8, 192, 134, 10);
  pen.color(235, 235, 240);
  pen.fillRoundedRect(32, 16, 176, 34, 8);
  for (int chip = 0; chip < 2; ++chip) {
    const double x = 38 + chip * 84;
    const int(&color)[3] = kColors[chip * 4];
    pen.color(210, 210, 215);
    pen.fillRoundedRect(x, 22, 78, 22, 11);
    pen.color(color[0], color[1], color[2]);
    pen.fillCircle(x + 11, 33, 5);
    textBar(pen, x + 20, 29.5, 34, 0.6);
    pen.color(60, 60, 67, 0.6);
    pen.inBox(x + 60, 27, 12, [&] { GlyphSymbols::crossDisc(pen); });
  }
  for (int i = 0; i < 5; ++i) {
    const double y = 62 + i * 16;
    pen.color(kColors[i][0], kColors[i][1], kColors[i][2]);
    pen.fillCircle(44, y, 5);
    textBar(pen, 56, y - 3.5, 50 + (i % 3) * 14, 0.7);
  }
}

// A folder tile: name, icon in its bordered frame, and the button below.
void folderTile(GlyphPen& pen, double x, double alpha, const int (&color)[3]) {
  pen.color(255, 255, 255, alpha);
  pen.fillRoundedRect(x, 14, 70, 122, 8);
  textBar(pen, x + 17, 21, 36, 0.7 * alpha);
  pen.color(64, 64, 64, alpha);
  pen.strokeRoundedRect(x + 8, 34, 54, 54, 8, 2);
  pen.color(color[0], color[1], color[2], alpha);
  pen.fillRoundedRect(x + 17, 43, 36, 36, 8);
  pen.color(255, 255, 255, alpha);
  pen.inBox(x + 24, 50, 22, [&] { GlyphSymbols::folder(pen); });
  pen.color(51, 51, 51, alpha);
  pen.fillRoundedRect(x + 8, 104, 54, 18, 6);
}

void folderStrip(GlyphPen& pen) {
  card(pen);
  folderTile(pen, 6, 0.35, {52, 199, 89});
  folderTile(pen, 164, 0.35, {255, 59, 48});
  folderTile(pen, 85, 1, {0, 122, 255});
}

void movedRow(GlyphPen& pen) {
  card(pen);
  settingsRow(pen, 12, 14, {255, 149, 0}, 70, false);
  settingsRow(pen, 12, 102, {0, 122, 255}, 58, false);
  pen.color(0, 0, 0, 0.12);
  pen.fillRoundedRect(22, 61, 210, 34, 4);
  settingsRow(pen, 18, 56, {52, 199, 89}, 96, false);
  pen.color(0, 122, 255);
  pen.strokeRoundedRect(18, 56, 216, 34, 3, 2);
  pen.inBox(186, 63, 20, [&] { GlyphSymbols::upDownArrows(pen); });
}

// The swipe hint: a row outline, a fingertip at its right end and an arrow pointing left.
void swipeHint(GlyphPen& pen) {
  pen.color(170, 170, 175);
  pen.strokeRoundedRect(6, 24, 108, 32, 8, 1.5);
  pen.color(190, 190, 195);
  pen.fillCircle(92, 40, 9);
  pen.color(120, 120, 125);
  pen.line(76, 40, 28, 40, 3);
  pen.polyline({{38, 32}, {28, 40}, {38, 48}}, 3);
}

SupportImageRecipe sketch(const char* file, void (*draw)(GlyphPen&)) {
  return {std::string("specifier_settings/preview/") + file, kWidth, kHeight, 2, draw};
}

}  // namespace

std::vector<SupportImageRecipe> PreviewArt::recipes() {
  return {
      sketch("enabled_preview.png", [](GlyphPen& pen) { rows(pen, false); }),
      sketch("disabled_preview.png", [](GlyphPen& pen) { rows(pen, true); }),
      sketch("passcode_preview.png", keypad),
      sketch("tag_preview.png", tagPanel),
      sketch("folder_preview.png", folderStrip),
      sketch("position_preview.png", movedRow),
      {"specifier_settings/preview/preview.png", 120, 80, 1, swipeHint},
  };
}

}  // namespace vorlan
