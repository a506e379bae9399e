#include "SettingsChecker.h"

#include <algorithm>
#include <map>
#include <set>

#include "foundation/NSString.h"
#include "store/SettingsValues.h"

using host::Plist;
using host::PlistType;

namespace vorlan {

namespace {

const char* typeName(const Plist& v) {
  switch (v.type()) {
    case PlistType::None:
      return "nothing";
    case PlistType::Dictionary:
      return "a dictionary";
    case PlistType::Array:
      return "an array";
    case PlistType::String:
      return "a string";
    case PlistType::Boolean:
      return "a boolean";
    case PlistType::Integer:
      return "an integer";
    case PlistType::Real:
      return "a real";
    case PlistType::Data:
      return "data";
    case PlistType::Date:
      return "a date";
  }
  return "?";
}

bool isDigits(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

class Checker {
 public:
  std::vector<std::string> problems;

  void wrongType(const std::string& where, const Plist& value, const char* expected) {
    problems.push_back(where + ": is " + typeName(value) + ", expected " + expected);
  }
  bool expect(const std::string& where, const Plist& value, PlistType type, const char* expected) {
    if (value.type() == type) return true;
    wrongType(where, value, expected);
    return false;
  }

  // A "" key stands for no cell: the store answers a cell without an identifier with the
  // defaults, so whatever is stored under it has no effect.
  bool identifierKey(const std::string& where, const std::string& identifier) {
    if (!identifier.empty()) return true;
    problems.push_back(where + "/\"\": an empty identifier names no cell");
    return false;
  }

  void cellSection(const Plist& root, const std::string& section) {
    Plist table = root.get(section);
    if (table.isNone() || !expect(section, table, PlistType::Dictionary, "a dictionary")) return;
    for (const auto& [page, cells] : table.entries()) {
      const std::string pagePath = section + "/" + page;
      if (!expect(pagePath, cells, PlistType::Dictionary, "a dictionary")) continue;
      for (const auto& [identifier, value] : cells.entries()) {
        if (identifierKey(pagePath, identifier))
          cellValue(section, pagePath + "/" + identifier, value);
      }
    }
  }

  void cellValue(const std::string& section, const std::string& where, const Plist& value) {
    if (section == "enabled" || section == "hidden") {
      expect(where, value, PlistType::Boolean, "a boolean");
    } else if (section == "passcode") {
      auto flag = value.asInteger();
      if (!value.isBoolean() && !(flag && (*flag == 0 || *flag == 1))) {
        wrongType(where, value, "the integer 0 or 1");
      }
    } else if (section == "tag") {
      if (!expect(where, value, PlistType::Dictionary, "a dictionary")) return;
      for (const auto& [tag, assigned] : value.entries()) {
        expect(where + "/" + tag, assigned, PlistType::Boolean, "a boolean");
      }
    } else if (section == "position") {
      if (!expect(where, value, PlistType::Dictionary, "a dictionary")) return;
      for (const char* key : {"section", "row"}) {
        const std::string* digits = value.get(key).asString();
        if (digits == nullptr || !isDigits(*digits)) {
          wrongType(where + "/" + key, value.get(key), "a string of decimal digits");
        }
      }
    }
  }

  // Tags are keyed "0".."n-1", folders "1".."n"; each record holds the given string fields and
  // names are unique ignoring case.
  void table(const Plist& root, const std::string& name, int firstKey,
             std::initializer_list<const char*> fields) {
    Plist records = root.get(name);
    if (records.isNone() || !expect(name, records, PlistType::Dictionary, "a dictionary")) return;
    std::set<int> keys;
    std::map<std::string, std::string> seen;
    for (const auto& [key, record] : records.entries()) {
      const std::string where = name + "/" + key;
      if (!isDigits(key) || key.size() > 9 || (key.size() > 1 && key[0] == '0')) {
        problems.push_back(where + ": key is not a decimal number");
      } else {
        keys.insert(std::stoi(key));
      }
      if (!expect(where, record, PlistType::Dictionary, "a dictionary")) continue;
      for (const char* field : fields) {
        if (!record.get(field).isString()) {
          wrongType(where + "/" + field, record.get(field), "a string");
        }
      }
      if (const std::string* recordName = record.get("name").asString()) {
        const std::string folded = host::NSString::lowercaseString(*recordName);
        if (auto [it, fresh] = seen.emplace(folded, key); !fresh) {
          problems.push_back(where + ": name \"" + *recordName + "\" repeats " + name + "/" +
                             it->second + " (ignoring case)");
        }
      }
    }
    int expected = firstKey;
    for (int key : keys) {
      if (key != expected) {
        problems.push_back(name + ": keys are not dense from \"" + std::to_string(firstKey) +
                           "\" (\"" + std::to_string(expected) + "\" is missing)");
        break;
      }
      ++expected;
    }
  }

  void stringMap(const Plist& root, const std::string& name) {
    Plist map = root.get(name);
    if (map.isNone() || !expect(name, map, PlistType::Dictionary, "a dictionary")) return;
    for (const auto& [key, value] : map.entries()) {
      if (identifierKey(name, key)) expect(name + "/" + key, value, PlistType::String, "a string");
    }
  }

  void folderPositions(const Plist& root) {
    Plist folders = root.get("positionInFolders");
    if (folders.isNone() ||
        !expect("positionInFolders", folders, PlistType::Dictionary, "a dictionary")) {
      return;
    }
    for (const auto& [folder, cells] : folders.entries()) {
      const std::string where = "positionInFolders/" + folder;
      if (!expect(where, cells, PlistType::Dictionary, "a dictionary")) continue;
      std::vector<int> positions;
      for (const auto& [identifier, value] : cells.entries()) {
        identifierKey(where, identifier);
        auto position = SettingsValues::position(value);
        const std::string* text = value.asString();
        if (!position || (text && !isDigits(*text))) {
          wrongType(where + "/" + identifier, value, "an integer or a string of decimal digits");
        } else {
          positions.push_back(*position);
        }
      }
      std::sort(positions.begin(), positions.end());
      for (std::size_t i = 0; i < positions.size(); ++i) {
        if (positions[i] != static_cast<int>(i)) {
          problems.push_back(where + ": positions are not 0.." +
                             std::to_string(static_cast<int>(positions.size()) - 1));
          break;
        }
      }
    }
  }

  void records(const Plist& root) {
    Plist specs = root.get("specs");
    if (!specs.isNone() && expect("specs", specs, PlistType::Dictionary, "a dictionary")) {
      for (const auto& [identifier, record] : specs.entries()) {
        const std::string where = "specs/" + identifier;
        if (!identifierKey("specs", identifier)) continue;
        if (!expect(where, record, PlistType::Dictionary, "a dictionary")) continue;
        if (record.contains("name"))
          expect(where + "/name", record.get("name"), PlistType::String, "a string");
        if (record.contains("icon"))
          expect(where + "/icon", record.get("icon"), PlistType::Data, "data");
      }
    }
    Plist bundles = root.get("bundles");
    if (!bundles.isNone() && expect("bundles", bundles, PlistType::Dictionary, "a dictionary")) {
      for (const auto& [key, record] : bundles.entries()) {
        const std::string where = "bundles/" + key;
        const std::string* empty = record.asString();
        if (!record.isDictionary() && !(empty && empty->empty())) {
          wrongType(where, record, "a dictionary or the empty string");
        }
        // Every field of a bundle record is optional; those present must have their type.
        for (const char* field : {"path", "identifier", "dataSourceClass", "specifier", "name"}) {
          if (record.contains(field))
            expect(where + "/" + field, record.get(field), PlistType::String, "a string");
        }
        if (record.contains("icon"))
          expect(where + "/icon", record.get("icon"), PlistType::Data, "data");
      }
    }
  }
};

}  // namespace

std::vector<std::string> SettingsChecker::check(const Plist& root) {
  Checker c;
  if (!root.isDictionary()) {
    c.wrongType("root", root, "a dictionary");
    return c.problems;
  }
  for (const char* flag : {"firstTime", "firstTime_folder", "tutorial"}) {
    if (root.contains(flag)) c.expect(flag, root.get(flag), PlistType::Boolean, "a boolean");
  }
  if (root.contains("name")) c.expect("name", root.get("name"), PlistType::String, "a string");
  if (root.contains("password")) {
    c.expect("password", root.get("password"), PlistType::String, "a string");
  }
  for (const char* section : {"enabled", "passcode", "hidden", "tag", "position"}) {
    c.cellSection(root, section);
  }
  c.table(root, "tags", 0, {"name", "fill_color", "border_color"});
  c.table(root, "folders", 1, {"name", "image", "settings_image"});
  c.stringMap(root, "class");
  c.stringMap(root, "folder");
  c.folderPositions(root);
  c.records(root);
  return c.problems;
}

}  // namespace vorlan
