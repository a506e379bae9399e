#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ScriptCommand.h"

namespace vorlan {

// Reads a simulator script: one command a line (lines end with LF, CR LF or CR; a leading
// UTF-8 byte-order mark is skipped), words separated by blanks, "#" starting a
// comment outside quotes, blank lines ignored. A quoted word ("TEXT") may hold blanks and "#";
// inside it \" stands for a quote, \\ for a backslash, \n for a line break and \b for the
// delete key (which `type` presses). The whole script is checked before
// anything runs; the first fault is reported as "line N: reason".
class ScriptParser {
 public:
  // Seconds a single command may span, so that a typing slip cannot run the clock for days.
  static constexpr double kMaxSeconds = 3600;

  static std::optional<std::vector<ScriptCommand>> parse(std::string_view script,
                                                         std::string* error);

 private:
  struct Word {
    std::string text;
    bool quoted = false;
  };
  static bool split(std::string_view line, std::vector<Word>& words, std::string& reason);
  static bool decode(const std::vector<Word>& words, ScriptCommand& command, std::string& reason);
};

}  // namespace vorlan
