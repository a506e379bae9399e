#pragma once

#include <algorithm>
#include <memory>
#include <string>

#include "foundation/Log.h"
#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"

namespace vorlan::test {

// A plain cell whose identifier is also its name unless a name is given.
inline std::shared_ptr<host::PSSpecifier> cell(const std::string& identifier,
                                               const std::string& name = "") {
  return host::PSSpecifier::specifier(identifier, name.empty() ? identifier : name);
}

// A group header, with a title if one is given.
inline std::shared_ptr<host::PSSpecifier> group(const std::string& title = "") {
  auto header = host::PSSpecifier::emptyGroupSpecifier();
  header->setName(title);
  return header;
}

// The identifiers (else "<name>") of a page's cells by group, "|" between groups; headers are
// left out, so a header alone shows as an empty group.
inline std::string rows(host::PSListController& page) {
  std::string out;
  for (long g = 0; g < page.numberOfGroups(); ++g) {
    if (g > 0) out += "|";
    bool first = true;
    for (const auto& item : page.specifiersInGroup(g)) {
      if (item->isGroup()) continue;
      out += (first ? "" : ",") +
             (item->identifier().empty() ? "<" + item->name() + ">" : item->identifier());
      first = false;
    }
  }
  return out;
}

// How many platform log lines mention the text.
inline long logCount(const std::string& text) {
  const auto lines = host::Log::lines();
  return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.find(text) != std::string::npos;
  });
}

inline bool logMentions(const std::string& text) {
  return logCount(text) > 0;
}

}  // namespace vorlan::test
