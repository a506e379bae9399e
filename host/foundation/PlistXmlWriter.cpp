#include "foundation/PlistXmlWriter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "foundation/PlistBase64.h"
#include "foundation/PlistDate.h"
#include "foundation/PlistUtf8.h"
#include "foundation/PlistWriteFailure.h"
#include "foundation/PlistXmlSize.h"
#include "foundation/PropertyListSerialization.h"

namespace host {

namespace {

// The first character of `text` that XML 1.0 does not allow in a document, not even as a
// character reference: controls other than tab, line feed and carriage return, and U+FFFE and
// U+FFFF. Surrogates cannot occur in valid UTF-8.
std::optional<std::uint32_t> forbiddenCharacter(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') return byte;
    if (byte == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBF &&
        (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xBE) {
      return 0xFFFEu | (static_cast<unsigned char>(text[i + 2]) & 1u);
    }
  }
  return std::nullopt;
}

// Bytes that text can carry as they are: all but controls other than tab and line feed, the
// characters that are escaped, and 0xEF, which may start U+FFFE or U+FFFF.
constexpr std::array<bool, 256> makePlainTable() {
  std::array<bool, 256> plain{};
  for (std::size_t byte = 0; byte < plain.size(); ++byte) {
    plain[byte] = (byte >= 0x20 || byte == '\t' || byte == '\n') && byte != '&' && byte != '<' &&
                  byte != '>' && byte != 0xEF;
  }
  return plain;
}

constexpr std::array<bool, 256> kPlain = makePlainTable();

bool isPlain(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return kPlain[static_cast<unsigned char>(c)]; });
}

std::string codePointName(std::uint32_t codePoint) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", codePoint);
  return buffer;
}

// A real whose XML text reads back as the very same bits: every finite normal number (the
// shortest form round-trips), zeros of either sign, infinities, and the quiet NaN the reader
// makes of "nan".
bool realReadsBackExactly(double number) {
  if (std::isnan(number)) {
    return std::bit_cast<std::uint64_t>(number) ==
           std::bit_cast<std::uint64_t>(std::numeric_limits<double>::quiet_NaN());
  }
  return std::fpclassify(number) != FP_SUBNORMAL;
}

// A date whose text, kept to the second, reads back as the very same bits.
bool dateReadsBackExactly(double seconds) {
  return std::floor(seconds) == seconds && !(seconds == 0 && std::signbit(seconds));
}

}  // namespace

std::optional<std::string> PlistXmlWriter::write(const Plist& root, std::string* error) {
  bool exact = true;
  return write(root, error,
               PlistXmlSize::ofDocument(root, PropertyListSerialization::kMaxInputBytes), &exact);
}

std::optional<std::string> PlistXmlWriter::write(const Plist& root, std::string* error,
                                                 std::uint64_t measuredSize,
                                                 bool* readsBackExactly) {
  PlistXmlWriter writer;
  // Too large a document is refused while it is written, at the place that passes the limit.
  if (measuredSize <= PropertyListSerialization::kMaxInputBytes) {
    writer.out_.reserve(static_cast<std::size_t>(measuredSize));
  }
  writer.out_.append(kHeader);
  if (!writer.writeValue(root, 0)) {
    if (error) *error = PlistWriteFailure::describe(writer.reason_, writer.path_);
    return std::nullopt;
  }
  writer.out_.append(kFooter);
  if (!writer.withinSizeLimit()) {
    if (error) *error = "cannot write the property list: " + writer.reason_;
    return std::nullopt;
  }
  if (error) error->clear();
  *readsBackExactly = writer.exact_;
  return std::move(writer.out_);
}

bool PlistXmlWriter::writeValue(const Plist& value, int indent) {
  switch (value.type()) {
    case PlistType::None:
      return fail("a None value has no property-list form");
    case PlistType::Dictionary:
    case PlistType::Array:
      if (indent + 1 > PropertyListSerialization::kMaxDepth) {
        return fail("nested deeper than " + std::to_string(PropertyListSerialization::kMaxDepth) +
                    " levels");
      }
      return value.isDictionary() ? writeDictionary(value, indent) : writeArray(value, indent);
    case PlistType::String:
      return writeText("string", *value.asString(), indent);
    case PlistType::Boolean:
      writeIndent(indent);
      out_.append(*value.asBoolean() ? "<true/>\n" : "<false/>\n");
      return true;
    case PlistType::Integer: {
      char buffer[24];
      auto [end, status] =
          value.isLargeUnsigned()
              ? std::to_chars(buffer, buffer + sizeof buffer, *value.asUnsignedInteger())
              : std::to_chars(buffer, buffer + sizeof buffer, *value.asInteger());
      (void)status;  // 24 bytes hold every 64-bit integer
      writeIndent(indent);
      out_.append("<integer>").append(buffer, end).append("</integer>\n");
      return true;
    }
    case PlistType::Real: {
      const double number = *value.asReal();
      exact_ = exact_ && realReadsBackExactly(number);
      char buffer[32];
      std::string_view text;
      if (std::isnan(number)) {
        text = "nan";
      } else if (std::isinf(number)) {
        text = number > 0 ? "+infinity" : "-infinity";
      } else {
        auto [end, status] = std::to_chars(buffer, buffer + sizeof buffer, number);
        (void)status;  // 32 bytes hold the shortest form of every double
        text = std::string_view(buffer, static_cast<std::size_t>(end - buffer));
      }
      writeIndent(indent);
      out_.append("<real>").append(text).append("</real>\n");
      return true;
    }
    case PlistType::Date: {
      const auto text = PlistDate::format(*value.asDate());
      if (!text) return fail("date outside the years 1 to 9999");
      exact_ = exact_ && dateReadsBackExactly(*value.asDate());
      writeIndent(indent);
      out_.append("<date>").append(*text).append("</date>\n");
      return true;
    }
    case PlistType::Data:
      writeData(*value.asData(), indent);
      return true;
  }
  return fail("unknown value type");
}

bool PlistXmlWriter::writeDictionary(const Plist& value, int indent) {
  writeIndent(indent);
  if (value.size() == 0) {
    out_.append("<dict/>\n");
    return true;
  }
  out_.append("<dict>\n");
  for (const auto& [key, child] : value.entries()) {
    if (!writeText("key", key, indent + 1) || !writeValue(child, indent + 1)) {
      path_.push_back(key);
      return false;
    }
    if (!withinSizeLimit()) return false;
  }
  writeIndent(indent);
  out_.append("</dict>\n");
  return true;
}

bool PlistXmlWriter::withinSizeLimit() {
  if (out_.size() <= PropertyListSerialization::kMaxInputBytes) return true;
  return fail("the XML would exceed " + std::to_string(PropertyListSerialization::kMaxInputBytes) +
              " bytes, more than can be read back");
}

bool PlistXmlWriter::writeArray(const Plist& value, int indent) {
  writeIndent(indent);
  if (value.size() == 0) {
    out_.append("<array/>\n");
    return true;
  }
  out_.append("<array>\n");
  const auto items = value.items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!writeValue(items[i], indent + 1)) {
      path_.push_back(std::to_string(i));
      return false;
    }
    if (!withinSizeLimit()) return false;
  }
  writeIndent(indent);
  out_.append("</array>\n");
  return true;
}

bool PlistXmlWriter::writeText(std::string_view tag, std::string_view text, int indent) {
  if (!PlistUtf8::isValid(text)) return fail(std::string(tag) + " is not valid UTF-8");
  if (isPlain(text)) {
    // Most keys and strings: nothing to refuse, nothing to escape.
    writeIndent(indent);
    out_.append("<").append(tag).append(">").append(text);
    out_.append("</").append(tag).append(">\n");
    return true;
  }
  if (const auto forbidden = forbiddenCharacter(text)) {
    return fail(std::string(tag) + " holds the character " + codePointName(*forbidden) +
                (*forbidden == 0 ? " (NUL)" : "") + ", which XML 1.0 cannot carry");
  }
  writeIndent(indent);
  out_.append("<").append(tag).append(">");
  writeEscaped(text);
  out_.append("</").append(tag).append(">\n");
  return true;
}

void PlistXmlWriter::writeEscaped(std::string_view text) {
  std::size_t start = 0;
  while (true) {
    const std::size_t special = text.find_first_of("&<>\r", start);
    out_.append(text.substr(start, special - start));
    if (special == std::string_view::npos) return;
    switch (text[special]) {
      case '&':
        out_.append("&amp;");
        break;
      case '<':
        out_.append("&lt;");
        break;
      case '>':
        out_.append("&gt;");
        break;
      default:
        // A raw carriage return would come back as a line feed after end-of-line handling.
        out_.append("&#13;");
        break;
    }
    start = special + 1;
  }
}

// CoreFoundation's layout: the base64 text is cut into lines of 76 characters less 8 for every
// level of indentation (counting at most 8 levels), each line indented by those levels, and the
// last line padded. CoreFoundation ends a line once it holds that many characters; the length is
// a multiple of 4 and a line can only reach it at the end of a 4-character group, so every line
// but the last encodes exactly lineLength / 4 * 3 bytes, which is how it is written here.
void PlistXmlWriter::writeData(const Plist::Bytes& bytes, int indent) {
  writeIndent(indent);
  out_.append("<data>\n");
  const int lineIndent = indent > 8 ? 8 : indent;
  const auto bytesPerLine = static_cast<std::size_t>(76 - 8 * lineIndent) / 4 * 3;
  // Each line is made whole on the stack and appended once: indentation, text, line feed.
  char line[8 + 76 + 1];
  std::memset(line, '\t', static_cast<std::size_t>(lineIndent));
  for (std::size_t at = 0; at < bytes.size(); at += bytesPerLine) {
    char* end = PlistBase64::encodeTo(line + lineIndent, bytes.data() + at,
                                      std::min(bytesPerLine, bytes.size() - at));
    *end++ = '\n';
    out_.append(line, end);
  }
  writeIndent(indent);
  out_.append("</data>\n");
}

void PlistXmlWriter::writeIndent(int indent) {
  static constexpr std::string_view kTabs = "\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t";
  auto left = static_cast<std::size_t>(indent);
  for (; left > kTabs.size(); left -= kTabs.size())
    out_.append(kTabs);
  out_.append(kTabs.substr(0, left));
}

bool PlistXmlWriter::fail(std::string reason) {
  reason_ = std::move(reason);
  return false;
}

}  // namespace host
