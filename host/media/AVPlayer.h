#pragma once

#include <memory>
#include <string>

#include "runtime/Object.h"

namespace host {

// The platform's media player, as far as this host needs it: the URL it streams and whether it
// plays. Nothing is fetched or decoded; `rate` is 1 while playing and 0 while paused.
class AVPlayer : public Object {
 public:
  static Class* objcClass();
  explicit AVPlayer(Class* cls = objcClass());

  static std::shared_ptr<AVPlayer> playerWithURL(std::string url);

  const std::string& url() const { return url_; }
  // Starting to play is recorded as a platform event ("play URL").
  void play() { setRate(1); }
  void pause() { rate_ = 0; }
  float rate() const { return rate_; }
  // A rate other than 0 plays; a negative one plays backwards.
  void setRate(float rate);
  bool isPlaying() const { return rate_ != 0; }

 private:
  std::string url_;
  float rate_ = 0;
};

}  // namespace host
