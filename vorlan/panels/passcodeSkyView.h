#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "panels/skyView.h"
#include "uikit/NSIndexPath.h"

namespace host {
class UIButton;
class UILabel;
class UITableView;
}  // namespace host

namespace vorlan {

// The passcode keypad: a panel whose balloon holds a status line, four dots, ten round keys and
// a delete key. Procedure 0 checks the stored four-digit passcode and, when it matches, runs the
// success action; any other procedure sets the passcode (after the old one, when there is one)
// and asks for it twice.
class passcodeSkyView : public skyView {
 public:
  static host::Class* objcClass();
  explicit passcodeSkyView(host::Class* cls = objcClass());

  static std::shared_ptr<passcodeSkyView> make(const host::CGRect& frame, std::uint64_t procedure);

  // Whether the keys show their digits and letters; takes effect at the next show.
  void setShowLabels(bool show) { showLabels_ = show; }
  // On success, selects `indexPath` of `table` again by sending
  // "tableView:didSelectRowAtIndexPath:" to `sender`.
  void setIndexPath(const host::NSIndexPath& indexPath, std::shared_ptr<host::UITableView> table,
                    std::shared_ptr<host::Object> sender);
  // On success, runs `action` instead (it holds its target strongly).
  void setCustomAction(std::function<void()> action);

  // Every show starts the procedure over. The plain form forgets a completion left from an
  // earlier show that did not succeed; the other form calls `completion` once, on success.
  void showFromRect(const host::CGRect& from, const host::CGRect& to) override;
  void showFromRect(const host::CGRect& from, const host::CGRect& to,
                    std::function<void()> completion);
  void dismissShape(bool animated) override;

  // True only while the success action runs, so that the selection it triggers is let through.
  bool canSegue() const { return success_; }

  // The side of a key: scales with the screen's height.
  static float buttonSize();

  // What the keypad shows, for the owners' and the simulator's inspection.
  const std::shared_ptr<host::UILabel>& status() const { return status_; }
  const std::array<std::shared_ptr<host::UIView>, 4>& dots() const { return dots_; }
  const std::array<std::shared_ptr<host::UIButton>, 10>& buttons() const { return buttons_; }
  const std::shared_ptr<host::UIButton>& cancel() const { return cancel_; }
  const std::shared_ptr<host::UILabel>& noPassword() const { return noPassword_; }

 protected:
  void layoutSubviewsImpl() override;

 private:
  void initWithFrame(const host::CGRect& frame, std::uint64_t procedure);
  void buildKeys(const std::shared_ptr<host::UIView>& container);
  void showStoredState();
  void setStatus(const std::string& text);

  void tapped(std::size_t key);
  void touchReleased(std::size_t key);
  void touchReleasedAndwrite(std::size_t key);
  void entryComplete();
  void cancelTapped();
  void error();
  void clear();
  void succeceded();

  void startAnimation();
  void setUpAnimation();

  std::uint64_t procedure_ = 0;
  std::string password_;
  std::string tempPass_;
  bool newPass_ = false;
  bool autenticated_ = false;
  bool success_ = false;
  bool customAction_ = false;
  std::function<void()> action_;
  std::shared_ptr<host::Object> target_;
  host::NSIndexPath indexPath_;
  std::shared_ptr<host::UITableView> tableView_;
  std::function<void()> handler_;
  bool showLabels_ = true;
  bool animating_ = false;

  std::shared_ptr<host::UILabel> status_;
  std::array<std::shared_ptr<host::UIView>, 4> dots_;
  std::array<std::shared_ptr<host::UIButton>, 10> buttons_;
  std::array<std::shared_ptr<host::UILabel>, 10> keyLabels_;
  std::shared_ptr<host::UIButton> cancel_;
  std::shared_ptr<host::UILabel> noPassword_;
};

}  // namespace vorlan
