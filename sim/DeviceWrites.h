#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

#include "foundation/DeviceFileSystem.h"

namespace vorlan {

// How a device's files are written: each replaced atomically and flushed to disk on its own (a
// device that may be in use), or written in place and flushed once, with the whole device, when
// it is complete (a fresh device being laid out, which nothing uses yet; see FreshDevice).
enum class DeviceWrites { Atomic, FlushedAtEnd };

inline bool writeDeviceFile(const host::DeviceFileSystem& device, DeviceWrites writes,
                            std::string_view path, std::string_view bytes, std::string* error,
                            std::optional<mode_t> newFileMode = std::nullopt) {
  return writes == DeviceWrites::Atomic
             ? device.writeFileAtomically(path, bytes, error, newFileMode)
             : device.writeFileUnsynced(path, bytes, error, newFileMode);
}

}  // namespace vorlan
