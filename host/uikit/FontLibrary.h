#pragma once

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

  FontLibrary(const FontLibrary&) = delete;
  FontLibrary& operator=(const FontLibrary&) = delete;
  ~FontLibrary();

  // The context every layout is made in (owned by the library).
  PangoContext* context() const { return context_; }
  // A new description of `font` (absolute size in points); the caller frees it.
  PangoFontDescription* describe(const UIFont& font) const;
  // False when the font files are missing: text then measures with Pango's fallback glyphs.
  bool hasSystemFont() const { return loaded_; }

 private:
  FontLibrary();

  PangoFontMap* fontMap_ = nullptr;
  PangoContext* context_ = nullptr;
  bool loaded_ = false;
};

}  // namespace host
