#include "load_client.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "host/memorystream.h"
#include "host/messagetypes.h"
#include "host/records.h"
#include "platform/frame.h"
#include "platform/windowfiles.h"

namespace {

constexpr int kTimeoutMs = 10000;

sockaddr_un AddressOf(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), std::min(path.size() + 1, sizeof address.sun_path - 1));
  return address;
}

// Reads exactly size bytes, waiting at most the timeout for each piece.
bool ReadExactly(int fd, char* into, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, kTimeoutMs) <= 0) return false;
    const ssize_t count = recv(fd, into + done, size - done, 0);
    if (count <= 0) return false;
    done += static_cast<std::size_t>(count);
  }
  return true;
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t count = send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (count <= 0) return false;
    done += static_cast<std::size_t>(count);
  }
  return true;
}

}  // namespace

TLoadClient::TLoadClient(const std::string& runtimeDirectory, std::uint32_t serverWindow, std::uint32_t index)
    : runtime_directory_(runtimeDirectory), server_window_(serverWindow), index_(index) {
  window_ = 0x60000000u + index;
  socket_path_ = platform::WindowSocketPath(runtime_directory_, window_);
  unlink(socket_path_.c_str());
  listener_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const sockaddr_un address = AddressOf(socket_path_);
  if (bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || listen(listener_, 16) != 0) {
    close(listener_);
    listener_ = -1;
  }
}

TLoadClient::~TLoadClient() {
  if (listener_ >= 0) close(listener_);
  unlink(socket_path_.c_str());
}

std::optional<std::string> TLoadClient::TakeReply() {
  const int fd = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
  if (fd < 0) return std::nullopt;
  char header[platform::kFrameHeaderSize];
  std::optional<std::string> data;
  if (ReadExactly(fd, header, sizeof header)) {
    if (const auto decoded = platform::DecodeFrameHeader(std::string_view(header, sizeof header))) {
      std::string bytes(decoded->Count, '\0');
      if (ReadExactly(fd, bytes.data(), bytes.size()) && WriteAll(fd, platform::EncodeAck(0))) data = std::move(bytes);
    }
  }
  close(fd);
  return data;
}

std::optional<std::string> TLoadClient::GetVariable(const std::string& name) {
  const TTimeStamp stamp{static_cast<std::int32_t>(index_), ++sequence_};
  TMemoryStream payload;
  WriteStringRecord(payload, name);
  const std::string frame =
      platform::EncodeFrame(platform::WM_COPYDATA, window_, msgGetVariable, EncodeTransportBlock(stamp, payload.Bytes()));
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const sockaddr_un address = AddressOf(platform::WindowSocketPath(runtime_directory_, server_window_));
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || !WriteAll(fd, frame)) {
    close(fd);
    return std::nullopt;
  }
  // The reply comes to our window while the server still holds our request; then its ack.
  std::optional<std::string> answer;
  while (true) {
    pollfd fds[2] = {pollfd{fd, POLLIN, 0}, pollfd{listener_, POLLIN, 0}};
    if (poll(fds, 2, kTimeoutMs) <= 0) break;
    if (fds[1].revents != 0) {
      const auto reply = TakeReply();
      if (reply && reply->size() >= kTimeStampBytes) {
        const TTransportBlock block = DecodeTransportBlock(*reply);
        if (block.Stamp == stamp) {
          TMemoryStream stream;
          stream.Write(block.Payload);
          stream.SetPosition(0);
          answer = ReadStringRecord(stream);
        }
      }
    }
    if (fds[0].revents != 0) {
      char ack[platform::kAckSize];
      const bool acked = ReadExactly(fd, ack, sizeof ack) && platform::DecodeAck(std::string_view(ack, sizeof ack));
      close(fd);
      return acked ? answer : std::nullopt;
    }
  }
  close(fd);
  return std::nullopt;
}
