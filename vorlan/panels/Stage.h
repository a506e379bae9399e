#pragma once

#include <memory>

namespace host {
class PSListController;
}  // namespace host

namespace vorlan {

// What the views shown over the Settings app's main list (side pages, panels, keypads) ask of
// the stage they are shown on, without knowing the hooks that build it.
class Stage {
 public:
  virtual ~Stage() = default;

  // Closes the side page that is open (the configuration page or the cell action menu), if any.
  virtual void closeSidePage() = 0;
  // The list page that came on screen last; nothing before the first one did.
  virtual std::shared_ptr<host::PSListController> currentListPage() const = 0;

  // The stage of this process, once the extension has entered it; nullptr before.
  static Stage* current();

 protected:
  static void setCurrent(Stage* stage);
};

}  // namespace vorlan
