#include "MonkeyScreen.h"

#include <algorithm>
#include <cstdlib>

namespace vorlan {

namespace {

std::vector<std::string> fields(std::string_view line) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1)
    out.emplace_back(line.substr(start, tab - start));
  out.emplace_back(line.substr(start));
  return out;
}

template <class F>
void eachLine(std::string_view output, F&& body) {
  std::size_t start = 0;
  while (start < output.size()) {
    std::size_t end = output.find('\n', start);
    if (end == std::string_view::npos) end = output.size();
    if (end > start) body(fields(output.substr(start, end - start)));
    start = end + 1;
  }
}

}  // namespace

std::vector<MonkeyScreen::Text> MonkeyScreen::parseTexts(std::string_view output) {
  std::vector<Text> texts;
  eachLine(output, [&](const std::vector<std::string>& f) {
    if (f.size() < 5) return;
    Text text;
    text.x = std::strtod(f[0].c_str(), nullptr);
    text.y = std::strtod(f[1].c_str(), nullptr);
    text.w = std::strtod(f[2].c_str(), nullptr);
    text.h = std::strtod(f[3].c_str(), nullptr);
    text.text = f[4];
    texts.push_back(std::move(text));
  });
  return texts;
}

std::vector<MonkeyScreen::Cell> MonkeyScreen::parseCells(std::string_view output) {
  std::vector<Cell> cells;
  eachLine(output, [&](const std::vector<std::string>& f) {
    if (f.size() < 4 || f[0].ends_with(".-")) return;
    cells.push_back({f[1], f[2], f[3]});
  });
  return cells;
}

std::vector<MonkeyScreen::Page> MonkeyScreen::parsePages(std::string_view output) {
  std::vector<Page> pages;
  eachLine(output, [&](const std::vector<std::string>& f) {
    if (f.size() < 4) return;
    pages.push_back({f[0], f[1], f[2], f[3]});
  });
  return pages;
}

bool MonkeyScreen::shows(std::string_view text) const {
  return std::any_of(texts.begin(), texts.end(), [&](const Text& t) { return t.text == text; });
}

bool MonkeyScreen::keypad() const {
  static constexpr std::string_view kMarks[] = {"Delete",
                                                "Enter your passcode",
                                                "Enter your old passcode",
                                                "Wrong password",
                                                "Enter your new passcode",
                                                "Enter your new password",
                                                "Re enter your password"};
  for (const auto& text : texts) {
    if (text.text.size() == 1 && text.text[0] >= '0' && text.text[0] <= '9') return true;
    if (std::find(std::begin(kMarks), std::end(kMarks), text.text) != std::end(kMarks)) return true;
  }
  return false;
}

}  // namespace vorlan
