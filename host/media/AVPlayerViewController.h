#pragma once

#include <memory>

#include "uikit/UIViewController.h"

namespace host {

class AVPlayer;

// The platform's full-screen video page: a black view showing its player's video, with the
// playback controls unless they are turned off.
class AVPlayerViewController : public UIViewController {
 public:
  static Class* objcClass();
  explicit AVPlayerViewController(Class* cls = objcClass());

  const std::shared_ptr<AVPlayer>& player() const { return player_; }
  void setPlayer(std::shared_ptr<AVPlayer> player) { player_ = std::move(player); }
  bool showsPlaybackControls() const { return showsPlaybackControls_; }
  void setShowsPlaybackControls(bool shows) { showsPlaybackControls_ = shows; }

 protected:
  void loadViewImpl() override;

 private:
  std::shared_ptr<AVPlayer> player_;
  bool showsPlaybackControls_ = true;
};

}  // namespace host
