#include "MessageChannel.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <utility>

namespace vorlan {

namespace {

// Bounds that no honest message comes near; a larger header means the stream is broken.
constexpr std::uint32_t kMaxFields = 1u << 16;
constexpr std::uint32_t kMaxFieldBytes = 1u << 28;

}  // namespace

std::optional<std::pair<MessageChannel, MessageChannel>> MessageChannel::pair() {
  int fds[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) return std::nullopt;
  return std::make_pair(MessageChannel(fds[0]), MessageChannel(fds[1]));
}

MessageChannel::~MessageChannel() {
  close();
}

MessageChannel::MessageChannel(MessageChannel&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)) {}

MessageChannel& MessageChannel::operator=(MessageChannel&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

void MessageChannel::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool MessageChannel::send(const std::vector<std::string>& fields) {
  if (fields.size() > kMaxFields) return false;
  std::string message;
  const auto put = [&message](std::uint32_t value) {
    message.append(reinterpret_cast<const char*>(&value), sizeof value);
  };
  put(static_cast<std::uint32_t>(fields.size()));
  for (const auto& field : fields) {
    if (field.size() > kMaxFieldBytes) return false;
    put(static_cast<std::uint32_t>(field.size()));
    message += field;
  }
  return writeAll(message.data(), message.size());
}

bool MessageChannel::setReceiveTimeout(double seconds) {
  timeval limit{};
  if (seconds > 0) {
    limit.tv_sec = static_cast<time_t>(seconds);
    limit.tv_usec = static_cast<suseconds_t>((seconds - static_cast<double>(limit.tv_sec)) * 1e6);
  }
  return fd_ >= 0 && ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit) == 0;
}

std::optional<std::vector<std::string>> MessageChannel::receive() {
  timedOut_ = false;
  std::uint32_t count = 0;
  if (!readAll(&count, sizeof count) || count > kMaxFields) return std::nullopt;
  std::vector<std::string> fields(count);
  for (auto& field : fields) {
    std::uint32_t size = 0;
    if (!readAll(&size, sizeof size) || size > kMaxFieldBytes) return std::nullopt;
    field.resize(size);
    if (size > 0 && !readAll(field.data(), size)) return std::nullopt;
  }
  return fields;
}

bool MessageChannel::writeAll(const void* data, std::size_t size) {
  const char* at = static_cast<const char*>(data);
  while (size > 0 && fd_ >= 0) {
    // MSG_NOSIGNAL: a peer that died is an answer, not a reason for SIGPIPE to end us.
    const ssize_t written = ::send(fd_, at, size, MSG_NOSIGNAL);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    at += written;
    size -= static_cast<std::size_t>(written);
  }
  return size == 0;
}

bool MessageChannel::readAll(void* data, std::size_t size) {
  char* at = static_cast<char*>(data);
  while (size > 0 && fd_ >= 0) {
    const ssize_t got = ::recv(fd_, at, size, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) timedOut_ = true;
    if (got <= 0) return false;
    at += got;
    size -= static_cast<std::size_t>(got);
  }
  return size == 0;
}

}  // namespace vorlan
