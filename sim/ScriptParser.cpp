#include "ScriptParser.h"

#include <cmath>
#include <cstdlib>

namespace vorlan {

namespace {

using Kind = ScriptCommand::Kind;

// Coordinates further out than this are certainly typing slips.
constexpr double kMaxCoordinate = 100000;

// A decimal number, as a person types one: digits, a sign, a point and an exponent. Hexadecimal
// forms ("0x10"), which strtod would also take, are refused.
bool number(const std::string& text, double& value) {
  if (text.empty() || text.find_first_not_of("0123456789+-.eE") != std::string::npos) {
    return false;
  }
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return *end == '\0' && std::isfinite(value);
}

}  // namespace

std::optional<std::vector<ScriptCommand>> ScriptParser::parse(std::string_view script,
                                                              std::string* error) {
  std::vector<ScriptCommand> commands;
  // Editors may start a file with a UTF-8 byte-order mark and end lines with CR LF or CR alone.
  if (script.starts_with("\xEF\xBB\xBF")) script.remove_prefix(3);
  int lineNumber = 0;
  std::size_t start = 0;
  while (start <= script.size()) {
    const std::size_t end = std::min(script.find_first_of("\r\n", start), script.size());
    const std::string_view line = script.substr(start, end - start);
    start = end + (script.substr(end).starts_with("\r\n") ? 2 : 1);
    ++lineNumber;
    std::vector<Word> words;
    std::string reason;
    ScriptCommand command;
    command.line = lineNumber;
    if (!split(line, words, reason) || (!words.empty() && !decode(words, command, reason))) {
      if (error) *error = "line " + std::to_string(lineNumber) + ": " + reason;
      return std::nullopt;
    }
    if (!words.empty()) commands.push_back(std::move(command));
    if (end == script.size()) break;
  }
  return commands;
}

bool ScriptParser::split(std::string_view line, std::vector<Word>& words, std::string& reason) {
  std::size_t i = 0;
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (i < line.size()) {
    if (blank(line[i])) {
      ++i;
      continue;
    }
    if (line[i] == '#') break;
    Word word;
    if (line[i] == '"') {
      word.quoted = true;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        const char c = line[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c != '\\') {
          word.text += c;
          continue;
        }
        const char escaped = i < line.size() ? line[i] : '\0';
        if (escaped == 'n') {
          word.text += '\n';
        } else if (escaped == 'b') {
          word.text += '\b';
        } else if (escaped == '"' || escaped == '\\') {
          word.text += escaped;
        } else {
          reason = "unknown escape in quoted text (only \\\", \\\\, \\n and \\b)";
          return false;
        }
        ++i;
      }
      if (!closed) {
        reason = "quoted text is not closed";
        return false;
      }
      if (i < line.size() && !blank(line[i]) && line[i] != '#') {
        reason = "a blank must follow quoted text";
        return false;
      }
    } else {
      while (i < line.size() && !blank(line[i]) && line[i] != '#') {
        if (line[i] == '"') {
          reason = "a quote inside a word";
          return false;
        }
        word.text += line[i++];
      }
    }
    words.push_back(std::move(word));
  }
  return true;
}

bool ScriptParser::decode(const std::vector<Word>& words, ScriptCommand& command,
                          std::string& reason) {
  const std::string& verb = words[0].text;
  const std::size_t argc = words.size() - 1;
  const auto usage = [&](const char* form) {
    reason = std::string("usage: ") + form;
    return false;
  };
  // Reads words[from..] as numbers: coordinates, and a trailing duration when `seconds`.
  const auto numbers = [&](std::size_t from, std::size_t count, bool seconds) {
    for (std::size_t k = from; k < from + count; ++k) {
      double value = 0;
      if (words[k].quoted || !number(words[k].text, value)) {
        reason = "not a number: \"" + words[k].text + "\"";
        return false;
      }
      const bool duration = seconds && k == from + count - 1;
      if (duration && (value < 0 || value > kMaxSeconds)) {
        reason = "seconds must be between 0 and " + std::to_string(static_cast<int>(kMaxSeconds));
        return false;
      }
      if (!duration && std::fabs(value) > kMaxCoordinate) {
        reason = "coordinate out of range: " + words[k].text;
        return false;
      }
      command.numbers.push_back(value);
    }
    return true;
  };
  const auto one = [&](const std::string& text, std::initializer_list<const char*> allowed) {
    for (const char* word : allowed) {
      if (text == word) return true;
    }
    return false;
  };

  if (verb == "launch") {
    if (argc != 1 || !one(words[1].text, {"settings", "springboard"}))
      return usage("launch settings|springboard");
    command.kind = Kind::Launch;
    command.text = words[1].text;
  } else if (verb == "background" || verb == "activate") {
    if (argc != 1 || words[1].text != "settings") return usage("background|activate settings");
    command.kind = verb == "background" ? Kind::Background : Kind::Activate;
    command.text = words[1].text;
  } else if (verb == "wallpaper" || verb == "shot") {
    if (argc != 1 || words[1].text.empty())
      return usage(verb == "shot" ? "shot FILE" : "wallpaper FILE");
    command.kind = verb == "shot" ? Kind::Shot : Kind::Wallpaper;
    command.text = words[1].text;
  } else if (verb == "rotate") {
    if (argc != 1 || !one(words[1].text, {"landscape", "portrait"}))
      return usage("rotate landscape|portrait");
    command.kind = Kind::Rotate;
    command.text = words[1].text;
  } else if (verb == "tap") {
    if (argc == 1 && words[1].quoted) {
      command.kind = Kind::TapText;
      command.text = words[1].text;
    } else {
      if (argc != 2) return usage("tap X Y  or  tap \"TEXT\"");
      command.kind = Kind::Tap;
      return numbers(1, 2, false);
    }
  } else if (verb == "drag") {
    if (argc >= 1 && words[1].quoted) {
      if (argc != 3 && argc != 4) return usage("drag \"TEXT\" DX DY [SECONDS]");
      command.kind = Kind::DragText;
      command.text = words[1].text;
      if (!numbers(2, argc - 1, argc == 4)) return false;
    } else {
      if (argc != 4 && argc != 5) return usage("drag X1 Y1 X2 Y2 [SECONDS]");
      command.kind = Kind::Drag;
      if (!numbers(1, argc, argc == 5)) return false;
    }
    if (command.numbers.size() == (command.kind == Kind::Drag ? 4u : 2u))
      command.numbers.push_back(0.3);
  } else if (verb == "hold") {
    if (argc >= 1 && words[1].quoted) {
      if (argc != 2) return usage("hold X Y SECONDS  or  hold \"TEXT\" SECONDS");
      command.kind = Kind::HoldText;
      command.text = words[1].text;
      return numbers(2, 1, true);
    }
    if (argc != 3) return usage("hold X Y SECONDS  or  hold \"TEXT\" SECONDS");
    command.kind = Kind::Hold;
    return numbers(1, 3, true);
  } else if (verb == "press") {
    if (argc == 1 && words[1].quoted) {
      command.kind = Kind::PressText;
      command.text = words[1].text;
      return true;
    }
    if (argc != 2) return usage("press X Y  or  press \"TEXT\"");
    command.kind = Kind::Press;
    return numbers(1, 2, false);
  } else if (verb == "touch") {
    if (argc != 3 || !one(words[1].text, {"down", "move", "up"}))
      return usage("touch down|move|up X Y");
    command.kind = Kind::Touch;
    command.text = words[1].text;
    return numbers(2, 2, false);
  } else if (verb == "wait") {
    if (argc != 1) return usage("wait SECONDS");
    command.kind = Kind::Wait;
    return numbers(1, 1, true);
  } else if (one(verb, {"type", "alert", "open", "toggle", "scroll"})) {
    if (argc != 1 || !words[1].quoted) return usage((verb + " \"TEXT\"").c_str());
    command.kind = verb == "type"     ? Kind::Type
                   : verb == "alert"  ? Kind::Alert
                   : verb == "open"   ? Kind::Open
                   : verb == "scroll" ? Kind::Scroll
                                      : Kind::Toggle;
    command.text = words[1].text;
  } else if (verb == "reorder") {
    if (argc != 2 || !words[1].quoted || !words[2].quoted)
      return usage("reorder \"TITLE\" \"OTHER TITLE\"");
    command.kind = Kind::Reorder;
    command.text = words[1].text;
    command.other = words[2].text;
  } else if (one(verb, {"respring", "back", "cells", "dump", "prefs", "log", "texts", "events",
                        "dismiss", "pages"})) {
    if (argc != 0) return usage(verb.c_str());
    command.kind = verb == "respring"  ? Kind::Respring
                   : verb == "back"    ? Kind::Back
                   : verb == "cells"   ? Kind::Cells
                   : verb == "dump"    ? Kind::Dump
                   : verb == "prefs"   ? Kind::Prefs
                   : verb == "texts"   ? Kind::Texts
                   : verb == "events"  ? Kind::Events
                   : verb == "dismiss" ? Kind::Dismiss
                   : verb == "pages"   ? Kind::Pages
                                       : Kind::Log;
  } else {
    reason = "unknown command \"" + verb + "\"";
    return false;
  }
  return true;
}

}  // namespace vorlan
