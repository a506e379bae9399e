#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/Plist.h"
#include "foundation/PropertyListSerialization.h"

// The property every fuzzer checks: whatever a reader accepts, write() writes (as XML, or in the
// binary form where XML cannot carry it), the reader reads back equal, and writing that again
// gives the same bytes.
class PlistRoundTrip {
 public:
  enum class Source { Xml, Binary };

  static void check(const host::PropertyListSerialization::ReadResult& result, Source source) {
    using host::PropertyListSerialization;
    if (!result.ok()) {
      if (!result.value.isNone()) die("a refused input left a value", result.error);
      return;
    }
    // Binary files can share objects, so a tiny file can stand for a large tree; the readers
    // refuse what is too large to write, and writing what is merely large is slow, not wrong.
    std::size_t budget = 100000;
    if (!fitsBudget(result.value, budget)) return;

    const auto written = PropertyListSerialization::write(result.value);
    if (!written.ok()) die("an accepted value was not written", written.error);
    const auto again = PropertyListSerialization::read(written.bytes);
    if (!again.ok()) die("the written file was not read back", again.error + "\n" + written.bytes);
    // XML dates have whole seconds; the writer truncates toward the earlier time.
    const bool floored =
        source == Source::Binary && written.format == PropertyListSerialization::Format::Xml;
    const host::Plist expected = floored ? flooredDates(result.value) : result.value;
    if (!(again.value == expected)) die("the value read back differs", written.bytes);
    const auto rewritten = PropertyListSerialization::write(again.value);
    if (rewritten.bytes != written.bytes) die("writing again gave other bytes", written.bytes);
  }

  // The value with every date rounded down to whole seconds, as the XML form carries them.
  static host::Plist flooredDates(const host::Plist& value) {
    using host::Plist;
    if (value.isDate()) return Plist::date(std::floor(*value.asDate()));
    if (value.isArray()) {
      std::vector<Plist> items;
      for (const auto& item : value.items())
        items.push_back(flooredDates(item));
      return Plist::array(std::move(items));
    }
    if (value.isDictionary()) {
      std::vector<Plist::Entry> entries;
      for (const auto& [key, item] : value.entries())
        entries.emplace_back(key, flooredDates(item));
      return Plist::dictionary(std::move(entries));
    }
    return value;
  }

  [[noreturn]] static void die(const char* what, const std::string& detail) {
    std::fprintf(stderr, "round trip failed: %s\n%s\n", what, detail.c_str());
    std::abort();
  }

 private:
  // Counts the values of the tree as written out (shared ones as often as they appear), giving
  // up once the budget is spent.
  static bool fitsBudget(const host::Plist& value, std::size_t& budget) {
    if (budget == 0) return false;
    --budget;
    for (const auto& entry : value.entries()) {
      if (!fitsBudget(entry.second, budget)) return false;
    }
    for (const auto& item : value.items()) {
      if (!fitsBudget(item, budget)) return false;
    }
    return true;
  }
};
