#include "media/AVPlayer.h"

#include "foundation/PlatformEvents.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"

namespace host {

HOST_CLASS(AVPlayer, Object)

AVPlayer::AVPlayer(Class* cls) : Object(cls) {}

std::shared_ptr<AVPlayer> AVPlayer::playerWithURL(std::string url) {
  auto player = std::make_shared<AVPlayer>();
  player->url_ = std::move(url);
  return player;
}

void AVPlayer::setRate(float rate) {
  if (rate_ == 0 && rate != 0) PlatformEvents::record("play", url_);
  rate_ = rate;
}

}  // namespace host
