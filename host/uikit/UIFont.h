#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "runtime/Object.h"

namespace host {

class Class;

// A font: a face of the system family (regular or bold) at a size in points. Every font of this
// platform is a face of the system font (Liberation Sans); a named font picks the bold face when
// its name says "Bold" and the regular face otherwise, so an unknown name still gives a usable
// font. Metrics are real, read from the font files (see FontLibrary). Fonts are immutable.
class UIFont : public Object {
 public:
  static constexpr std::string_view kSystemFontName = ".SFUIText";
  static constexpr std::string_view kBoldSystemFontName = ".SFUIText-Bold";

  static Class* objcClass();
  // The regular system font at 17 points, as an object made by name starts out.
  explicit UIFont(Class* cls = objcClass());

  static std::shared_ptr<UIFont> systemFontOfSize(double pointSize);
  static std::shared_ptr<UIFont> boldSystemFontOfSize(double pointSize);
  static std::shared_ptr<UIFont> fontWithName(std::string_view name, double pointSize);
  // The same face at another size.
  std::shared_ptr<UIFont> fontWithSize(double pointSize) const;

  const std::string& fontName() const { return name_; }
  bool isBold() const { return bold_; }
  double pointSize() const { return pointSize_; }

  // Distance from the baseline to the top of the line (positive) and to its bottom (negative,
  // as on the device); lineHeight is the height of one laid-out line, ascender - descender.
  double ascender() const;
  double descender() const;
  double lineHeight() const;

  bool isEqual(const UIFont& other) const {
    return bold_ == other.bold_ && pointSize_ == other.pointSize_ && name_ == other.name_;
  }

 private:
  static std::shared_ptr<UIFont> make(std::string name, bool bold, double pointSize);
  void loadMetrics() const;

  std::string name_{kSystemFontName};
  bool bold_ = false;
  double pointSize_ = 17;
  // Read from the font on first use.
  mutable bool measured_ = false;
  mutable double ascender_ = 0;
  mutable double descender_ = 0;
};

}  // namespace host
