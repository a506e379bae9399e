#include "foundation/PlistXmlSize.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "foundation/PlistXmlWriter.h"
#include "foundation/PropertyListSerialization.h"

namespace host {

namespace {

// Data lines stop getting shorter after this many levels; from there on a value's size grows by
// the same amount with every further level.
constexpr std::uint64_t kLastLayoutLevel = 8;

std::uint64_t escapedSize(std::string_view text) {
  std::uint64_t size = text.size();
  for (char c : text) {
    if (c == '&' || c == '\r') {
      size += 4;  // "&amp;", "&#13;"
    } else if (c == '<' || c == '>') {
      size += 3;  // "&lt;", "&gt;"
    }
  }
  return size;
}

std::uint64_t integerDigits(const Plist& value) {
  char buffer[24];
  auto [end, status] =
      value.isLargeUnsigned()
          ? std::to_chars(buffer, buffer + sizeof buffer, *value.asUnsignedInteger())
          : std::to_chars(buffer, buffer + sizeof buffer, *value.asInteger());
  (void)status;
  return static_cast<std::uint64_t>(end - buffer);
}

std::uint64_t realDigits(double number) {
  if (std::isnan(number)) return 3;  // "nan"
  if (std::isinf(number)) return 9;  // "+infinity", "-infinity"
  char buffer[32];
  auto [end, status] = std::to_chars(buffer, buffer + sizeof buffer, number);
  (void)status;
  return static_cast<std::uint64_t>(end - buffer);
}

}  // namespace

std::uint64_t PlistXmlSize::ofDocument(const Plist& root, std::uint64_t limit) {
  PlistXmlSize size(limit);
  const std::uint64_t frame = PlistXmlWriter::kHeader.size() + PlistXmlWriter::kFooter.size();
  return size.add(frame, size.measure(root, 0).bytes);
}

std::uint64_t PlistXmlSize::add(std::uint64_t a, std::uint64_t b) const {
  return std::min(cap_, std::min(a, cap_) + std::min(b, cap_));
}

PlistXmlSize::Measure PlistXmlSize::measure(const Plist& value, std::uint64_t indent) {
  // A node referred to from one place only is met once; only shared ones are remembered, per
  // level up to the last one where the layout changes and at that level for all deeper ones.
  if (!value.node_ || value.node_.use_count() < 2) return measureUncached(value, indent);
  const std::uint64_t level = std::min(indent, kLastLayoutLevel);
  const auto key = std::make_pair(static_cast<const void*>(value.node_.get()), level);
  auto found = shared_.find(key);
  if (found == shared_.end()) {
    found = shared_.emplace(key, measureUncached(value, level)).first;
  }
  Measure result = found->second;
  result.bytes = add(result.bytes, std::min(cap_, result.lines) * (indent - level));
  return result;
}

PlistXmlSize::Measure PlistXmlSize::measureUncached(const Plist& value, std::uint64_t indent) {
  // Deeper trees are refused by every writer and reader for their depth; not measuring them
  // keeps this recursion as shallow as theirs.
  if (indent > static_cast<std::uint64_t>(PropertyListSerialization::kMaxDepth)) return {};
  switch (value.type()) {
    case PlistType::None:
      return {};
    case PlistType::Boolean:
      return {indent + (*value.asBoolean() ? 8 : 9), 1};  // "<true/>\n", "<false/>\n"
    case PlistType::Integer:
      return {indent + 20 + integerDigits(value), 1};  // "<integer>" "</integer>\n"
    case PlistType::Real:
      return {indent + 14 + realDigits(*value.asReal()), 1};  // "<real>" "</real>\n"
    case PlistType::Date:
      return {indent + 34, 1};  // "<date>" YYYY-MM-DDTHH:MM:SSZ "</date>\n"
    case PlistType::String:
      return {add(indent + 18, escapedSize(*value.asString())), 1};  // "<string>" "</string>\n"
    case PlistType::Data: {
      const std::uint64_t size = value.asData()->size();
      const std::uint64_t lineIndent = std::min(indent, kLastLayoutLevel);
      const std::uint64_t bytesPerLine = (76 - 8 * lineIndent) / 4 * 3;
      const std::uint64_t lines = (size + bytesPerLine - 1) / bytesPerLine;
      // "<data>\n", each line indented and ended, the base64 text, "</data>\n"
      return {2 * indent + 15 + lines * (lineIndent + 1) + (size + 2) / 3 * 4, 2};
    }
    case PlistType::Dictionary:
    case PlistType::Array:
      break;
  }
  const bool dictionary = value.isDictionary();
  if (value.size() == 0) return {indent + (dictionary ? 8 : 9), 1};  // "<dict/>\n", "<array/>\n"
  // "<dict>\n" "</dict>\n" or "<array>\n" "</array>\n"
  Measure total{2 * indent + (dictionary ? 15 : 17), 2};
  auto include = [&](const Measure& part) {
    total.bytes = add(total.bytes, part.bytes);
    total.lines = add(total.lines, part.lines);
  };
  for (const auto& [key, child] : value.entries()) {
    include({add(indent + 13, escapedSize(key)), 1});  // "<key>" "</key>\n" one level deeper
    include(measure(child, indent + 1));
    if (total.bytes >= cap_) return total;
  }
  for (const Plist& item : value.items()) {
    include(measure(item, indent + 1));
    if (total.bytes >= cap_) return total;
  }
  return total;
}

}  // namespace host
