#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Plist.h"

namespace host {

// Writes a property list as Foundation writes XML: the three header lines, one tab per level,
// keys in the dictionaries' (UTF-16) order, `<dict/>` and `<array/>` when empty, base64 data in
// CoreFoundation's line lengths. Refuses what cannot be written faithfully, naming the path:
// among it every character that XML 1.0 does not allow, which other readers would refuse.
class PlistXmlWriter {
 public:
  static constexpr std::string_view kHeader =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
      "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
      "<plist version=\"1.0\">\n";
  static constexpr std::string_view kFooter = "</plist>\n";

  static std::optional<std::string> write(const Plist& root, std::string* error);
  // The same, for a caller that measured the document already (PlistXmlSize::ofDocument, which
  // is exact for every value written here): the output is allocated once at that size. Sets
  // *readsBackExactly to whether reading the XML is certain to give `root` to the bit; false
  // where the text rounds a value or might: a date with a fraction of a second (written to the
  // second) or of -0.0, a NaN other than the quiet one "nan" reads as, a subnormal real.
  static std::optional<std::string> write(const Plist& root, std::string* error,
                                          std::uint64_t measuredSize, bool* readsBackExactly);

 private:
  PlistXmlWriter() = default;

  bool writeValue(const Plist& value, int indent);
  bool writeDictionary(const Plist& value, int indent);
  bool writeArray(const Plist& value, int indent);
  bool writeText(std::string_view tag, std::string_view text, int indent);
  void writeData(const Plist::Bytes& bytes, int indent);
  void writeIndent(int indent);
  void writeEscaped(std::string_view text);
  bool fail(std::string reason);
  // False, with the reason recorded, once the output is larger than a reader accepts.
  bool withinSizeLimit();

  std::string out_;
  bool exact_ = true;
  std::string reason_;
  // The path to the value that could not be written, innermost component first.
  std::vector<std::string> path_;
};

}  // namespace host
