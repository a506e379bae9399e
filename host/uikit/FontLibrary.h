#pragma once

#include <string>
#include <vector>

typedef struct _PangoContext PangoContext;
typedef struct _PangoFontMap PangoFontMap;
typedef struct _PangoFontDescription PangoFontDescription;

namespace host {

class UIFont;

// The fonts text is measured and drawn with. The system font is Liberation Sans (regular and
// bold), loaded from its own files through a private fontconfig configuration that knows no other
// font, so text measures the same on every machine whatever else is installed. Hinting and metric
// hinting are off and glyph positions are not rounded: a point is a pixel at scale 1 and a layout
// scales linearly with the font size. One per process, used on the main thread only.
class FontLibrary {
 public:
  static FontLibrary& shared();

  // The font files of the system font (regular, then bold).
  static std::vector<std::string> fontFiles();
  // Loads the system font from other files; only before the library is first used (tests).
  static void setFontFiles(std::vector<std::string> files);
  // The font files that cannot be read, without loading anything.
  static std::vector<std::string> missingFontFiles();
  // The one line that reports missing font files (the library logs it when it cannot load them).
  static std::string missingFontMessage(const std::vector<std::string>& files);

  FontLibrary(const FontLibrary&) = delete;
  FontLibrary& operator=(const FontLibrary&) = delete;
  ~FontLibrary();

  // The context every layout is made in (owned by the library).
  PangoContext* context() const { return context_; }
  // A new description of `font` (absolute size in points); the caller frees it.
  PangoFontDescription* describe(const UIFont& font) const;
  // False when a font file is missing: text then measures with Pango's fallback glyphs, which
  // the library logs once, when it is first used.
  bool hasSystemFont() const { return loaded_; }

 private:
  FontLibrary();

  PangoFontMap* fontMap_ = nullptr;
  PangoContext* context_ = nullptr;
  bool loaded_ = false;
};

}  // namespace host
