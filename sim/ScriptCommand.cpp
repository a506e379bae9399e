#include "ScriptCommand.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vorlan {

namespace {

constexpr int kKindCount = static_cast<int>(ScriptCommand::Kind::Quit) + 1;

constexpr std::string_view kVerbs[kKindCount] = {
    "launch", "background", "activate", "wallpaper", "respring", "rotate",  "tap",
    "tap",    "drag",       "drag",     "hold",      "press",    "wait",    "type",
    "alert",  "back",       "open",     "cells",     "dump",     "prefs",   "log",
    "shot",   "hold",       "texts",    "events",    "toggle",   "reorder", "dismiss",
    "press",  "scroll",     "pages",    "touch",     "screen",   "quit",
};

bool parseInt(const std::string& text, int& value) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end;
}

}  // namespace

std::string_view ScriptCommand::verb(Kind kind) {
  const int index = static_cast<int>(kind);
  return index >= 0 && index < kKindCount ? kVerbs[index] : std::string_view("?");
}

std::vector<std::string> ScriptCommand::encode() const {
  std::vector<std::string> fields{std::to_string(static_cast<int>(kind)), std::to_string(line),
                                  text, other};
  for (const double number : numbers) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", number);
    fields.emplace_back(buffer);
  }
  return fields;
}

bool ScriptCommand::decode(const std::vector<std::string>& fields, ScriptCommand& command) {
  int kind = 0;
  if (fields.size() < 4 || !parseInt(fields[0], kind) || kind < 0 || kind >= kKindCount ||
      !parseInt(fields[1], command.line)) {
    return false;
  }
  command.kind = static_cast<Kind>(kind);
  command.text = fields[2];
  command.other = fields[3];
  command.numbers.clear();
  for (std::size_t i = 4; i < fields.size(); ++i) {
    char* end = nullptr;
    const double value = std::strtod(fields[i].c_str(), &end);
    if (fields[i].empty() || *end != '\0' || !std::isfinite(value)) return false;
    command.numbers.push_back(value);
  }
  return true;
}

std::string ScriptCommand::scriptLine() const {
  std::string written(verb(kind));
  const auto quote = [](const std::string& word) {
    std::string out = " \"";
    for (const char c : word) {
      out += c == '\n'   ? "\\n"
             : c == '\b' ? "\\b"
             : c == '"'  ? "\\\""
             : c == '\\' ? "\\\\"
                         : std::string(1, c);
    }
    return out + "\"";
  };
  const bool quoted = kind == Kind::TapText || kind == Kind::DragText || kind == Kind::HoldText ||
                      kind == Kind::PressText || kind == Kind::Type || kind == Kind::Alert ||
                      kind == Kind::Open || kind == Kind::Toggle || kind == Kind::Reorder ||
                      kind == Kind::Scroll;
  if (quoted || !text.empty()) written += quoted ? quote(text) : " " + text;
  if (kind == Kind::Reorder) written += quote(other);
  for (const double number : numbers) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, " %g", number);
    written += buffer;
  }
  return written;
}

}  // namespace vorlan
