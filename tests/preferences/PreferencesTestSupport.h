#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Log.h"
#include "foundation/RunLoop.h"
#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"
#include "preferences/PSTableCell.h"
#include "runtime/Runtime.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIWindow.h"

namespace host {

// A settings page whose source is a list the test sets.
class TestListPage : public PSListController {
 public:
  static Class* objcClass() {
    static Class* const cls = Runtime::shared().defineClass(
        "TestListPage", PSListController::objcClass(), factoryFor<TestListPage>());
    return cls;
  }
  explicit TestListPage(Class* cls = objcClass()) : PSListController(cls) {}

  Specifiers source;

 protected:
  Specifiers loadSpecifiers() override { return source; }
};

inline std::shared_ptr<PSSpecifier> group(const std::string& title = "") {
  auto header = PSSpecifier::emptyGroupSpecifier();
  header->setName(title);
  return header;
}

inline std::shared_ptr<PSSpecifier> cell(const std::string& identifier) {
  return PSSpecifier::specifier(identifier, identifier);
}

// A fresh run loop, log and key window (tall enough that every row of a test page has a cell).
class PreferencesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().reset();
    Log::setEchoToStderr(false);
    Log::clear();
    window->setFrame(CGRectMake(0, 0, 375, 2000));
    window->makeKeyAndVisible();
  }
  void TearDown() override { RunLoop::main().reset(); }

  // Puts the page on screen in a navigation controller and lays it out.
  std::shared_ptr<UINavigationController> show(const std::shared_ptr<UIViewController>& page) {
    auto navigation = UINavigationController::withRootViewController(page);
    window->setRootViewController(navigation);
    window->layoutIfNeeded();
    return navigation;
  }

  // The identifiers of the cells the table shows, by section, "|" between sections.
  static std::string shownRows(PSListController& page) {
    const auto table = page.table();
    table->layoutIfNeeded();
    std::string out;
    for (long s = 0; s < table->numberOfSections(); ++s) {
      if (s > 0) out += "|";
      for (long r = 0; r < table->numberOfRowsInSection(s); ++r) {
        const auto shown =
            std::dynamic_pointer_cast<PSTableCell>(table->cellForRowAtIndexPath({s, r}));
        out += (r > 0 ? "," : "") +
               (shown && shown->specifier() ? shown->specifier()->identifier() : std::string("?"));
      }
    }
    return out;
  }

  // The identifiers of the page's cells by group, "|" between groups (headers left out).
  static std::string pageRows(PSListController& page) {
    std::string out;
    for (long g = 0; g < page.numberOfGroups(); ++g) {
      if (g > 0) out += "|";
      const auto members = page.specifiersInGroup(g);
      bool first = true;
      for (const auto& item : members) {
        if (item->isGroup()) continue;
        out += (first ? "" : ",") + item->identifier();
        first = false;
      }
    }
    return out;
  }

  static bool logMentions(const std::string& text) {
    const auto lines = Log::lines();
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
      return line.find(text) != std::string::npos;
    });
  }

  std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>();
};

}  // namespace host
