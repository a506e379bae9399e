#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vorlan {

// One end of the connection between the simulator and an app process: messages of strings,
// each sent whole (a count, then every string with its length). The end owns its descriptor.
class MessageChannel {
 public:
  // A connected pair of ends; nothing when the system has no descriptors left.
  static std::optional<std::pair<MessageChannel, MessageChannel>> pair();

  MessageChannel() = default;
  explicit MessageChannel(int fd) : fd_(fd) {}
  ~MessageChannel();
  MessageChannel(MessageChannel&& other) noexcept;
  MessageChannel& operator=(MessageChannel&& other) noexcept;
  MessageChannel(const MessageChannel&) = delete;
  MessageChannel& operator=(const MessageChannel&) = delete;

  bool isOpen() const { return fd_ >= 0; }
  int descriptor() const { return fd_; }
  void close();

  // False when the other end is gone.
  bool send(const std::vector<std::string>& fields);
  // Nothing when the other end is gone or sent something that is not a message, or when no
  // message came within the receive timeout (timedOut() then tells).
  std::optional<std::vector<std::string>> receive();
  // How long receive waits for each part of a message; 0 waits for ever.
  bool setReceiveTimeout(double seconds);
  bool timedOut() const { return timedOut_; }

 private:
  bool writeAll(const void* data, std::size_t size);
  bool readAll(void* data, std::size_t size);

  int fd_ = -1;
  bool timedOut_ = false;
};

}  // namespace vorlan
