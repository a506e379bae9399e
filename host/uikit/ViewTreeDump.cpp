#include "uikit/ViewTreeDump.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "uikit/CALayer.h"
#include "uikit/UIButton.h"
#include "uikit/UIColor.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UITextField.h"
#include "uikit/UITextView.h"
#include "uikit/UIView.h"

namespace host {

namespace {

constexpr std::size_t kMaxTextCharacters = 40;

// Half points: "12", "12.5", "-3".
std::string number(double value) {
  if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value > 0 ? "inf" : "-inf");
  double rounded = std::round(value * 2) / 2;
  if (rounded == 0) rounded = 0;  // no "-0"
  char text[48];
  std::snprintf(text, sizeof text, rounded == std::floor(rounded) ? "%.0f" : "%.1f", rounded);
  return text;
}

// Up to two decimals, without trailing zeros.
std::string fraction(double value) {
  char text[48];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string out = text;
  if (out.find('.') != std::string::npos) {
    out.erase(out.find_last_not_of('0') + 1);
    if (out.back() == '.') out.pop_back();
  }
  return out == "-0" ? "0" : out;
}

std::string hexColor(const UIColor& color) {
  const auto byte = [](double component) {
    return static_cast<unsigned>(
        std::lround(std::clamp(std::isnan(component) ? 0 : component, 0.0, 1.0) * 255));
  };
  char text[16];
  std::snprintf(text, sizeof text, "#%02X%02X%02X%02X", byte(color.red()), byte(color.green()),
                byte(color.blue()), byte(color.alpha()));
  return text;
}

// Quoted and escaped, cut after kMaxTextCharacters characters (code points).
std::string quoted(const std::string& text) {
  std::string out = "\"";
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool startsCharacter = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (startsCharacter && characters++ == kMaxTextCharacters) {
      out += "\u2026";
      break;
    }
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
        break;
    }
  }
  return out + "\"";
}

std::optional<std::string> textOf(const UIView& view) {
  if (const auto* label = dynamic_cast<const UILabel*>(&view)) return label->text();
  if (const auto* button = dynamic_cast<const UIButton*>(&view)) return button->currentTitle();
  if (const auto* field = dynamic_cast<const UITextField*>(&view)) return field->text();
  if (const auto* textView = dynamic_cast<const UITextView*>(&view)) return textView->text();
  return std::nullopt;
}

void dumpInto(std::string& out, const UIView& view, std::size_t depth) {
  out.append(depth * 2, ' ');
  out += ViewTreeDump::describe(view);
  out += '\n';
  for (const auto& subview : view.subviews())
    dumpInto(out, *subview, depth + 1);
}

}  // namespace

std::string ViewTreeDump::describe(const UIView& view) {
  const CGRect frame = view.frame();
  std::string line = view.className() + " (" + number(frame.origin.x) + ", " +
                     number(frame.origin.y) + ", " + number(frame.size.width) + ", " +
                     number(frame.size.height) + ")";
  if (view.alpha() != 1) line += " alpha=" + fraction(view.alpha());
  if (view.isHidden()) line += " hidden";
  if (view.tag() != 0) line += " tag=" + std::to_string(view.tag());
  if (const auto background = view.backgroundColor()) line += " bg=" + hexColor(*background);
  if (!view.layer()->name().empty()) line += " name=" + quoted(view.layer()->name());
  if (const auto text = textOf(view); text && !text->empty()) line += " text=" + quoted(*text);
  if (const auto* imageView = dynamic_cast<const UIImageView*>(&view)) {
    if (const auto& image = imageView->displayedImage()) {
      line += " image=" + number(image->width()) + "x" + number(image->height());
    }
  }
  if (view.hasRunningAnimations()) line += " (animating)";
  return line;
}

std::string ViewTreeDump::dump(const UIView& view) {
  std::string out;
  dumpInto(out, view, 0);
  return out;
}

}  // namespace host
