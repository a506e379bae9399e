#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Plist.h"
#include "foundation/PropertyListSerialization.h"

namespace pugi {
class xml_node;
}

namespace host {

// Reads an XML property list. pugixml does the XML parsing with its entity decoding turned off;
// this reader decodes the five predefined entities and numeric character references itself, so
// that nothing is ever expanded from a DTD and an unknown entity is an error, not a pass-through.
// Nesting is checked before every level is entered, so hostile depth cannot exhaust the stack.
class PlistXmlReader {
 public:
  static PropertyListSerialization::ReadResult read(std::string_view bytes);
  // The same, parsing inside `bytes` instead of a copy of them (pugixml's in-place parse), and
  // freeing them once they are read: `bytes` is left empty.
  static PropertyListSerialization::ReadResult readInPlace(std::string& bytes);

 private:
  explicit PlistXmlReader(std::string_view bytes) : input_(bytes) {}

  bool readDocument(Plist& out);
  // The document read into a result: its value, or the reason it cannot be read.
  PropertyListSerialization::ReadResult readResult();
  bool readValue(const pugi::xml_node& element, int depth, Plist& out);
  bool readDictionary(const pugi::xml_node& element, int depth, Plist& out);
  bool readArray(const pugi::xml_node& element, int depth, Plist& out);
  bool readScalar(const pugi::xml_node& element, std::string_view name, Plist& out);
  // The text content of an element that may hold only text (character data and CDATA sections),
  // with references decoded: a view into the document where possible, else into `storage`.
  bool textOf(const pugi::xml_node& element, std::string& storage, std::string_view& text);
  // Appends `text` with its references decoded; `where` is the node it came from.
  bool decodeReferences(std::string_view text, const pugi::xml_node& where, std::string& out);
  // False, with an error, when a container holds text of its own before its first element.
  bool textBetweenElements(const pugi::xml_node& element);
  // The next child element, skipping white space; false (with an error) on other text.
  bool nextElement(const pugi::xml_node& parent, pugi::xml_node& cursor);

  bool fail(std::ptrdiff_t offset, const std::string& message);
  bool fail(const pugi::xml_node& where, const std::string& message);
  std::string location(std::ptrdiff_t offset) const;

  std::string_view input_;
  // Set when parsing in place. The parse overwrites the input, so the places of its line feeds
  // are noted first, for errors to name their line and column as in the text read.
  char* inPlace_ = nullptr;
  std::vector<std::uint32_t> lineFeeds_;
  std::string error_;
};

}  // namespace host
