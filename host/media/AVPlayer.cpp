#include "media/AVPlayer.h"

#include "runtime/Runtime.h"

namespace host {

Class* AVPlayer::objcClass() {
  static Class* const cls =
      Runtime::shared().defineClass("AVPlayer", Object::objcClass(), factoryFor<AVPlayer>());
  return cls;
}

AVPlayer::AVPlayer(Class* cls) : Object(cls) {}

std::shared_ptr<AVPlayer> AVPlayer::playerWithURL(std::string url) {
  auto player = std::make_shared<AVPlayer>();
  player->url_ = std::move(url);
  return player;
}

}  // namespace host
