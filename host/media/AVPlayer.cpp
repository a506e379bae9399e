#include "media/AVPlayer.h"

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

}  // namespace host
