#include "media/AudioServices.h"

#include <mutex>
#include <string>

#include "foundation/PlatformEvents.h"

namespace host {

namespace {
struct Played {
  std::mutex mutex;
  std::vector<SystemSoundID> sounds;
};

Played& played() {
  static Played list;
  return list;
}
}  // namespace

std::vector<SystemSoundID> AudioServices::playedSounds() {
  std::lock_guard lock(played().mutex);
  return played().sounds;
}

void AudioServices::clearPlayedSounds() {
  std::lock_guard lock(played().mutex);
  played().sounds.clear();
}

void AudioServices::record(SystemSoundID sound) {
  std::lock_guard lock(played().mutex);
  played().sounds.push_back(sound);
  PlatformEvents::record("sound", std::to_string(sound));
}

void AudioServicesPlaySystemSound(SystemSoundID sound) {
  AudioServices::record(sound);
}

}  // namespace host
