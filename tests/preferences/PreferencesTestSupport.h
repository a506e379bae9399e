#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"
#include "preferences/PSTableCell.h"
#include "runtime/Runtime.h"
#include "support/HostTest.h"
#include "support/PageListing.h"
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

using vorlan::test::cell;
using vorlan::test::group;
using vorlan::test::logMentions;
using vorlan::test::rows;

// A key window (tall enough that every row of a test page has a cell).
class PreferencesTest : public vorlan::test::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    window->setFrame(CGRectMake(0, 0, 375, 2000));
    window->makeKeyAndVisible();
  }

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

  std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>();
};

}  // namespace host
