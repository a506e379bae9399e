#include "foundation/PlistXmlReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <pugixml.hpp>

#include "foundation/PlistBase64.h"
#include "foundation/PlistDate.h"
#include "foundation/PlistUtf8.h"

namespace host {

namespace {

// An element's text, when it comes first, is kept in the element itself (parse_embed_pcdata)
// rather than in a node of its own: half the nodes of a property list.
constexpr unsigned kParseOptions = pugi::parse_cdata | pugi::parse_eol | pugi::parse_doctype |
                                   pugi::parse_fragment | pugi::parse_embed_pcdata;

// White space is part of a string's text, so it must reach the reader. Where text can only come
// as one run per element, keeping just the runs that are an element's only child keeps every
// such string and drops the indentation between elements, most of a document's nodes. A
// comment, CDATA section or processing instruction can split a string's text into several
// runs, white space among them; documents with any of those keep every run.
unsigned parseOptionsFor(std::string_view input) {
  const bool textMayBeSplit = input.find("<!--") != std::string_view::npos ||
                              input.find("<![CDATA[") != std::string_view::npos ||
                              input.find("<?", 1) != std::string_view::npos;
  return kParseOptions | (textMayBeSplit ? pugi::parse_ws_pcdata : pugi::parse_ws_pcdata_single);
}

// Frees the children before `next` once they have been converted, so that the document shrinks
// while the value grows and the two are not held in full at the same time.
void releaseChildrenBefore(pugi::xml_node parent, const pugi::xml_node& next) {
  for (pugi::xml_node first = parent.first_child(); first && first != next;
       first = parent.first_child()) {
    parent.remove_child(first);
  }
}

// The number of child elements, so that containers are made at their final size.
std::size_t elementCount(const pugi::xml_node& parent) {
  std::size_t count = 0;
  for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_element) ++count;
  }
  return count;
}

bool isXmlSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), isXmlSpace);
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isXmlSpace(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isXmlSpace(text.back()))
    text.remove_suffix(1);
  return text;
}

// A short, printable quotation of input text for an error message.
std::string excerpt(std::string_view text) {
  constexpr std::size_t kLimit = 40;
  std::string out;
  std::size_t end = std::min(text.size(), kLimit);
  while (end < text.size() && end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
    --end;  // do not cut a UTF-8 sequence
  }
  for (char c : text.substr(0, end)) {
    out.push_back(static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c);
  }
  if (end < text.size()) out += "...";
  return "\"" + out + "\"";
}

std::string elementName(const pugi::xml_node& node) {
  return std::string("<") + node.name() + ">";
}

// Decimal or 0x hexadecimal with an optional sign, never clamped: anything outside int64 and
// uint64 is refused.
bool parseInteger(std::string_view text, Plist& out) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty() || text.front() == '+' || text.front() == '-') return false;
  std::uint64_t magnitude = 0;
  auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (status != std::errc() || end != text.data() + text.size()) return false;
  constexpr auto kMinMagnitude = std::uint64_t{1} << 63;
  if (negative) {
    if (magnitude > kMinMagnitude) return false;
    out = Plist::integer(magnitude == kMinMagnitude ? std::numeric_limits<std::int64_t>::min()
                                                    : -static_cast<std::int64_t>(magnitude));
  } else {
    out = Plist::unsignedInteger(magnitude);
  }
  return true;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return (x | 0x20) == (y | 0x20);
         });
}

// Decimal with an optional exponent, or the words Foundation writes for the special values.
// Overflow is an error; underflow rounds to zero as in every reader of decimal numbers.
bool parseReal(std::string_view text, double& out) {
  if (equalsIgnoringCase(text, "nan")) {
    out = std::numeric_limits<double>::quiet_NaN();
    return true;
  }
  bool negative = false;
  std::string_view unsignedText = text;
  if (!unsignedText.empty() && (unsignedText.front() == '+' || unsignedText.front() == '-')) {
    negative = unsignedText.front() == '-';
    unsignedText.remove_prefix(1);
  }
  if (equalsIgnoringCase(unsignedText, "inf") || equalsIgnoringCase(unsignedText, "infinity")) {
    out = negative ? -std::numeric_limits<double>::infinity()
                   : std::numeric_limits<double>::infinity();
    return true;
  }
  if (unsignedText.empty() || !(unsignedText.front() == '.' ||
                                (unsignedText.front() >= '0' && unsignedText.front() <= '9'))) {
    return false;
  }
  double value = 0;
  auto [end, status] =
      std::from_chars(unsignedText.data(), unsignedText.data() + unsignedText.size(), value);
  if (end != unsignedText.data() + unsignedText.size()) return false;
  if (status == std::errc::result_out_of_range) {
    const auto exponent = unsignedText.find_first_of("eE");
    const bool shrinking = exponent != std::string_view::npos &&
                           exponent + 1 < unsignedText.size() && unsignedText[exponent + 1] == '-';
    if (!shrinking) return false;
    value = 0;
  } else if (status != std::errc()) {
    return false;
  }
  out = negative ? -value : value;
  return true;
}

}  // namespace

PropertyListSerialization::ReadResult PlistXmlReader::read(std::string_view bytes) {
  PlistXmlReader reader(bytes);
  return reader.readResult();
}

PropertyListSerialization::ReadResult PlistXmlReader::readInPlace(std::string& bytes) {
  // pugixml overwrites the last byte of an in-place buffer with its terminator, so a NUL is
  // added for it to take: the document's own last byte is then parsed like any other.
  bytes.push_back('\0');
  PlistXmlReader reader(std::string_view(bytes.data(), bytes.size() - 1));
  reader.inPlace_ = bytes.data();
  auto result = reader.readResult();
  std::string().swap(bytes);
  return result;
}

PropertyListSerialization::ReadResult PlistXmlReader::readResult() {
  PropertyListSerialization::ReadResult result;
  result.format = PropertyListSerialization::Format::Xml;
  Plist value;
  if (readDocument(value)) {
    result.value = std::move(value);
  } else {
    result.error = "XML property list: " + error_;
  }
  return result;
}

bool PlistXmlReader::readDocument(Plist& out) {
  // In place, the text is overwritten as it is parsed: the line ends that errors are placed by
  // are noted first, before any error can be reported.
  if (inPlace_ != nullptr) {
    for (const char *at = input_.data(), *end = at + input_.size();
         (at = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at))));
         ++at) {
      lineFeeds_.push_back(static_cast<std::uint32_t>(at - input_.data()));
    }
  }
  if (const void* nul = std::memchr(input_.data(), 0, input_.size())) {
    return fail(static_cast<const char*>(nul) - input_.data(), "NUL byte in the document");
  }
  if (auto bad = PlistUtf8::findInvalid(input_)) {
    return fail(static_cast<std::ptrdiff_t>(*bad), "invalid UTF-8");
  }
  pugi::xml_document document;
  const unsigned options = parseOptionsFor(input_);
  pugi::xml_parse_result parsed;
  if (inPlace_ != nullptr) {
    parsed =
        document.load_buffer_inplace(inPlace_, input_.size() + 1, options, pugi::encoding_utf8);
  } else {
    parsed = document.load_buffer(input_.data(), input_.size(), options, pugi::encoding_utf8);
  }
  if (!parsed) return fail(parsed.offset, std::string("malformed XML: ") + parsed.description());

  pugi::xml_node root;
  for (pugi::xml_node child = document.first_child(); child; child = child.next_sibling()) {
    switch (child.type()) {
      case pugi::node_doctype:
        // An internal subset is where entities would be declared; none are expanded here, and
        // rather than ignore declarations silently, documents carrying them are refused.
        if (std::strchr(child.value(), '[') != nullptr) {
          return fail(child, std::strstr(child.value(), "<!ENTITY") != nullptr
                                 ? "entity declarations are not supported"
                                 : "a DOCTYPE with an internal subset is not supported");
        }
        break;
      case pugi::node_element:
        if (root) return fail(child, "more than one root element");
        root = child;
        break;
      case pugi::node_pcdata:
      case pugi::node_cdata:
        if (!isBlank(child.value())) return fail(child, "text outside the root element");
        break;
      default:
        break;
    }
  }
  if (!root) return fail(0, "no root element");
  if (std::strcmp(root.name(), "plist") != 0) return readValue(root, 0, out);

  if (!textBetweenElements(root)) return false;
  pugi::xml_node value = root.first_child();
  if (!nextElement(root, value)) return false;
  if (!value) return fail(root, "<plist> holds no value");
  pugi::xml_node extra = value.next_sibling();
  if (!nextElement(root, extra)) return false;
  if (extra) return fail(extra, "<plist> holds more than one value");
  return readValue(value, 0, out);
}

bool PlistXmlReader::readValue(const pugi::xml_node& element, int depth, Plist& out) {
  const std::string_view name = element.name();
  if (name == "dict" || name == "array") {
    if (depth + 1 > PropertyListSerialization::kMaxDepth) {
      return fail(element, "nested deeper than " +
                               std::to_string(PropertyListSerialization::kMaxDepth) + " levels");
    }
    return name == "dict" ? readDictionary(element, depth + 1, out)
                          : readArray(element, depth + 1, out);
  }
  return readScalar(element, name, out);
}

bool PlistXmlReader::textBetweenElements(const pugi::xml_node& element) {
  const std::string_view text = element.value();
  if (isBlank(text)) return true;
  return fail(element, "text " + excerpt(trimmed(text)) + " in " + elementName(element));
}

bool PlistXmlReader::readDictionary(const pugi::xml_node& element, int depth, Plist& out) {
  if (!textBetweenElements(element)) return false;
  std::vector<Plist::Entry> entries;
  entries.reserve(elementCount(element) / 2);
  pugi::xml_node child = element.first_child();
  while (true) {
    if (!nextElement(element, child)) return false;
    if (!child) break;
    if (std::strcmp(child.name(), "key") != 0) {
      return fail(child, "expected <key> in <dict>, found " + elementName(child));
    }
    std::string storage;
    std::string_view keyText;
    if (!textOf(child, storage, keyText)) return false;
    std::string key(keyText);
    const pugi::xml_node keyElement = child;
    child = child.next_sibling();
    if (!nextElement(element, child)) return false;
    if (!child) return fail(keyElement, "key " + excerpt(key) + " has no value");
    Plist value;
    if (!readValue(child, depth, value)) return false;
    entries.emplace_back(std::move(key), std::move(value));
    child = child.next_sibling();
    releaseChildrenBefore(element, child);
  }
  if (const std::string* duplicate = Plist::sortEntries(entries)) {
    return fail(element, "duplicate key " + excerpt(*duplicate) + " in <dict>");
  }
  out = Plist::dictionary(std::move(entries));
  return true;
}

bool PlistXmlReader::readArray(const pugi::xml_node& element, int depth, Plist& out) {
  if (!textBetweenElements(element)) return false;
  std::vector<Plist> items;
  items.reserve(elementCount(element));
  for (pugi::xml_node child = element.first_child();;) {
    if (!nextElement(element, child)) return false;
    if (!child) break;
    Plist item;
    if (!readValue(child, depth, item)) return false;
    items.push_back(std::move(item));
    child = child.next_sibling();
    releaseChildrenBefore(element, child);
  }
  out = Plist::array(std::move(items));
  return true;
}

bool PlistXmlReader::readScalar(const pugi::xml_node& element, std::string_view name, Plist& out) {
  std::string storage;
  std::string_view text;
  if (name == "string") {
    if (!textOf(element, storage, text)) return false;
    out = Plist::string(std::string(text));
    return true;
  }
  if (name == "true" || name == "false") {
    if (!textOf(element, storage, text)) return false;
    if (!isBlank(text)) return fail(element, elementName(element) + " must be empty");
    out = Plist::boolean(name == "true");
    return true;
  }
  if (name == "integer") {
    if (!textOf(element, storage, text)) return false;
    if (!parseInteger(trimmed(text), out)) {
      return fail(element, "<integer> " + excerpt(text) +
                               " is not a decimal or 0x hexadecimal integer within the 64-bit "
                               "signed or unsigned range");
    }
    return true;
  }
  if (name == "real") {
    if (!textOf(element, storage, text)) return false;
    double value = 0;
    if (!parseReal(trimmed(text), value)) {
      return fail(element, "<real> " + excerpt(text) +
                               " is not a finite decimal number, nan or "
                               "infinity");
    }
    out = Plist::real(value);
    return true;
  }
  if (name == "date") {
    if (!textOf(element, storage, text)) return false;
    std::string why;
    const auto seconds = PlistDate::parse(trimmed(text), &why);
    if (!seconds) return fail(element, "<date> " + excerpt(text) + ": " + why);
    out = Plist::date(*seconds);
    return true;
  }
  if (name == "data") {
    if (!textOf(element, storage, text)) return false;
    Plist::Bytes bytes;
    std::string why;
    if (!PlistBase64::decode(text, bytes, &why)) return fail(element, "<data>: " + why);
    out = Plist::data(std::move(bytes));
    return true;
  }
  if (name == "key") return fail(element, "<key> outside a <dict> key position");
  return fail(element, "unknown element " + excerpt(name));
}

bool PlistXmlReader::textOf(const pugi::xml_node& element, std::string& storage,
                            std::string_view& text) {
  // The common case, one run of character data without references, is used where it lies.
  const std::string_view embedded = element.value();
  if (!element.first_child() && embedded.find('&') == std::string_view::npos) {
    text = embedded;
    return true;
  }
  std::string& out = storage;
  out.clear();
  if (!decodeReferences(embedded, element, out)) return false;
  for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
    switch (child.type()) {
      case pugi::node_pcdata:
        if (!decodeReferences(child.value(), child, out)) return false;
        break;
      case pugi::node_cdata:
        out += child.value();
        break;
      case pugi::node_element:
        return fail(child, elementName(element) + " may hold only text, not " + elementName(child));
      default:
        break;
    }
  }
  text = out;
  return true;
}

bool PlistXmlReader::decodeReferences(std::string_view text, const pugi::xml_node& where,
                                      std::string& out) {
  const pugi::xml_node element = where.type() == pugi::node_element ? where : where.parent();
  std::size_t position = 0;
  while (position < text.size()) {
    const std::size_t ampersand = text.find('&', position);
    out.append(text.substr(position, ampersand - position));
    if (ampersand == std::string_view::npos) break;
    constexpr std::size_t kLongestReference = 10;  // "#x10FFFF" with room for leading zeros
    const std::size_t semicolon = text.find(';', ampersand + 1);
    if (semicolon == std::string_view::npos || semicolon - ampersand - 1 > kLongestReference) {
      return fail(where,
                  "'&' that does not start a reference (write &amp;) in " + elementName(element));
    }
    const std::string_view name = text.substr(ampersand + 1, semicolon - ampersand - 1);
    if (name == "lt") {
      out.push_back('<');
    } else if (name == "gt") {
      out.push_back('>');
    } else if (name == "amp") {
      out.push_back('&');
    } else if (name == "quot") {
      out.push_back('"');
    } else if (name == "apos") {
      out.push_back('\'');
    } else if (name.size() >= 2 && name[0] == '#') {
      const bool hex = name[1] == 'x';
      const std::string_view digits = name.substr(hex ? 2 : 1);
      std::uint32_t codePoint = 0;
      auto [end, status] =
          std::from_chars(digits.data(), digits.data() + digits.size(), codePoint, hex ? 16 : 10);
      if (digits.empty() || status != std::errc() || end != digits.data() + digits.size() ||
          codePoint == 0 || !PlistUtf8::isScalarValue(codePoint)) {
        return fail(where,
                    "character reference &" + std::string(name) + "; is not a valid character");
      }
      PlistUtf8::append(out, codePoint);
    } else {
      return fail(where, "unknown entity &" + std::string(name) +
                             "; (entities are not "
                             "expanded)");
    }
    position = semicolon + 1;
  }
  return true;
}

bool PlistXmlReader::nextElement(const pugi::xml_node& parent, pugi::xml_node& cursor) {
  for (; cursor; cursor = cursor.next_sibling()) {
    switch (cursor.type()) {
      case pugi::node_element:
        return true;
      case pugi::node_pcdata:
      case pugi::node_cdata:
        if (!isBlank(cursor.value())) {
          return fail(cursor,
                      "text " + excerpt(trimmed(cursor.value())) + " in " + elementName(parent));
        }
        break;
      default:
        break;
    }
  }
  return true;
}

bool PlistXmlReader::fail(std::ptrdiff_t offset, const std::string& message) {
  error_ = location(offset) + message;
  return false;
}

bool PlistXmlReader::fail(const pugi::xml_node& where, const std::string& message) {
  return fail(where.offset_debug(), message);
}

std::string PlistXmlReader::location(std::ptrdiff_t offset) const {
  if (offset < 0 || static_cast<std::size_t>(offset) > input_.size()) return "";
  if (inPlace_ != nullptr) {
    const auto before =
        std::lower_bound(lineFeeds_.begin(), lineFeeds_.end(), static_cast<std::uint32_t>(offset));
    const auto line = 1 + (before - lineFeeds_.begin());
    const std::size_t lineStart = before == lineFeeds_.begin() ? 0 : *(before - 1) + 1;
    return "line " + std::to_string(line) + ", column " +
           std::to_string(static_cast<std::size_t>(offset) - lineStart + 1) + ": ";
  }
  const std::string_view before = input_.substr(0, static_cast<std::size_t>(offset));
  const auto line = 1 + std::count(before.begin(), before.end(), '\n');
  const std::size_t lineStart = before.rfind('\n');
  const std::size_t column =
      before.size() - (lineStart == std::string_view::npos ? 0 : lineStart + 1) + 1;
  return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": ";
}

}  // namespace host
