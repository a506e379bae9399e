#pragma once

#include <cstdint>
#include <vector>

namespace host {

using SystemSoundID = std::uint32_t;

inline constexpr SystemSoundID kSystemSoundID_Vibrate = 4095;
inline constexpr SystemSoundID kSystemSoundID_KeyPressClick = 1104;

// AudioToolbox's system sounds. Nothing is heard here: every sound played is recorded, in order,
// in a process-wide list that the simulator and the tests read.
class AudioServices {
 public:
  static std::vector<SystemSoundID> playedSounds();
  static void clearPlayedSounds();

 private:
  friend void AudioServicesPlaySystemSound(SystemSoundID sound);
  static void record(SystemSoundID sound);
};

void AudioServicesPlaySystemSound(SystemSoundID sound);

}  // namespace host
