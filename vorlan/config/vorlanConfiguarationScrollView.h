#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "menu/VLScrollView.h"
#include "uikit/CGGeometry.h"

namespace host {
class UILabel;
}  // namespace host

namespace vorlan {

class VLButtonSpecifier;
class disabledSkyView;
class folderSkyView;
class infoSkyView;
class hiddenSkyView;
class passcodeSkyView;
class positionConfigurationSkyView;
class skyView;
class tagsConfigurationSkyView;

// The extension's own configuration page, behind the Settings app's root view at the right of
// the key window: the title "Vorlan" and a column of seven entries, each opening the panel that
// manages one kind of stored state. Like every side page it starts transparent and fades in when
// shown.
//
// Every panel is made the first time its entry is tapped and kept for later openings. It covers
// the area of the app's root view and its balloon is centred on the screen, half the page high,
// its top at the middle of the entry as seen on screen (the page may be scrolled). The list of
// disabled cells opens only once the passcode has been typed right.
class vorlanConfiguarationScrollView : public VLScrollView {
 public:
  enum Entry : std::size_t { Hidden, Passcode, Tags, Folders, Position, Disabled, Credit, Count };

  static constexpr const char* kTitle = "Vorlan";
  static constexpr float kEntryHeight = 135;

  static host::Class* objcClass();
  explicit vorlanConfiguarationScrollView(host::Class* cls = objcClass());

  static std::shared_ptr<vorlanConfiguarationScrollView> make(const host::CGRect& frame);

  // The entries' actions.
  void hiddenClicked();
  void passcodeClicked();
  void tagsClicked();
  void foldersClicked();
  void positionClicked();
  void disabledClicked();
  void creditClicked();

  // Where the balloon of a panel opened from `entry` goes, as the panel's to-rectangle: centred
  // in an area `areaWidth` wide, 20 points narrower than the page (Info: as wide as the page),
  // half the page high, pulled up over the entry by half its height and by the page's scroll.
  host::CGRect placementFor(Entry entry, float areaWidth) const;

  const std::shared_ptr<host::UILabel>& title() const { return title_; }
  const std::shared_ptr<VLButtonSpecifier>& entry(Entry which) const { return entries_[which]; }
  const std::shared_ptr<hiddenSkyView>& hiddenSky() const { return hiddenSky_; }
  const std::shared_ptr<passcodeSkyView>& passcodeSky() const { return passcodeSky_; }
  const std::shared_ptr<passcodeSkyView>& disabledPasscode() const { return disabledPasscode_; }
  const std::shared_ptr<disabledSkyView>& disabledSky() const { return disabledSky_; }
  const std::shared_ptr<tagsConfigurationSkyView>& tagsSkyView() const { return tagsSkyView_; }
  const std::shared_ptr<folderSkyView>& folderSky() const { return folderSky_; }
  const std::shared_ptr<positionConfigurationSkyView>& positionSky() const { return positionSky_; }
  const std::shared_ptr<infoSkyView>& infoSky() const { return infoSky_; }

 protected:
  void initWithFrame(const host::CGRect& frame);

 private:
  void addEntry(Entry which, const host::CGRect& frame);
  // Adds `panel` to the key window, shows it from `which` and brings it to the front.
  void present(const std::shared_ptr<skyView>& panel, Entry which);

  std::shared_ptr<host::UILabel> title_;
  std::array<std::shared_ptr<VLButtonSpecifier>, Count> entries_;

  std::shared_ptr<hiddenSkyView> hiddenSky_;
  std::shared_ptr<passcodeSkyView> passcodeSky_;
  std::shared_ptr<passcodeSkyView> disabledPasscode_;
  std::shared_ptr<disabledSkyView> disabledSky_;
  std::shared_ptr<tagsConfigurationSkyView> tagsSkyView_;
  std::shared_ptr<folderSkyView> folderSky_;
  std::shared_ptr<positionConfigurationSkyView> positionSky_;
  std::shared_ptr<infoSkyView> infoSky_;
};

}  // namespace vorlan
