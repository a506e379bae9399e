#pragma once

#include <memory>

#include "runtime/Method.h"

namespace host {
class PSSpecifier;
class UIViewController;
}  // namespace host

namespace vorlan {

// Builds the page a main-list cell opens, for a peek, the way the Settings app would build it,
// without opening it. The peek hook has already refused disabled and protected cells.
class PeekPreview {
 public:
  // What a page answers when the page to show is another class, named by the answer.
  using SettingsClassName = host::Method<"settingsClassName", std::string()>;

  static constexpr const char* kAppPage = "PSAppListController";
  static constexpr const char* kPasscodePage = "PSUITouchIDPasscodeController";

  // The name of the page class a cell names as its detail page; empty when it names none.
  static std::string detailClassName(const host::PSSpecifier& cell);

  // The preview page of a link-like cell; nothing when the cell gives none (no bundle on the
  // device, a page class that cannot be found, a page the system never previews).
  static std::shared_ptr<host::UIViewController> pageFor(
      const std::shared_ptr<host::PSSpecifier>& cell);

 private:
  // An app's settings page: the system's part for the app, then its settings bundle's cells.
  static std::shared_ptr<host::UIViewController> appPage(
      const std::shared_ptr<host::PSSpecifier>& cell);
  // A page provided by a preference bundle, or a page class named by the cell.
  static std::shared_ptr<host::UIViewController> bundlePage(
      const std::shared_ptr<host::PSSpecifier>& cell, std::string pageClass);
};

}  // namespace vorlan
