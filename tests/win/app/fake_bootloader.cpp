#include "tests/win/app/fake_bootloader.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <chrono>
#include <cstring>

#include "link/protocol.h"

namespace vela::testing {
namespace {

constexpr timeval kPoll{0, 20000};

bool Readable(SOCKET s) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval t = kPoll;
  return select(0, &set, nullptr, nullptr, &t) == 1;
}

void WaitUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 500 && !done(); ++i) Sleep(5);
}

} // namespace

FakeBootloader::FakeBootloader() {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  thread_ = std::thread([this] { Run(); });
}

FakeBootloader::~FakeBootloader() {
  stop_ = true;
  thread_.join();
  if (listener_ != INVALID_SOCKET) closesocket(listener_);
  WSACleanup();
}

int FakeBootloader::Listen(int port) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  BOOL yes = TRUE;
  setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&yes), sizeof yes);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(u_short(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(s, 4) != 0) {
    closesocket(s);
    return 0;
  }
  int len = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  port_ = ntohs(a.sin_port);
  listener_ = s;
  return port_;
}

void FakeBootloader::StopListening() {
  SOCKET s = listener_.exchange(INVALID_SOCKET);
  // The serving thread may be inside select() on it; give it one poll period to leave.
  Sleep(2 * kPoll.tv_usec / 1000);
  if (s != INVALID_SOCKET) closesocket(s);
  DropConnection();
}

void FakeBootloader::DropConnection() {
  SOCKET s = client_.exchange(INVALID_SOCKET);
  if (s == INVALID_SOCKET) return;
  Sleep(2 * kPoll.tv_usec / 1000);
  closesocket(s);
  WaitUntil([this] { return !connected_; });
}

void FakeBootloader::SetAnnouncement(std::string bytes) {
  std::lock_guard lock(mutex_);
  announcement_ = std::move(bytes);
}

void FakeBootloader::AnswerBlockWith(int block, int ack) {
  std::lock_guard lock(mutex_);
  ackOverride_[block] = ack;
}

void FakeBootloader::Send(const std::string& bytes) {
  SOCKET s = client_;
  if (s != INVALID_SOCKET) SendAll(s, bytes.data(), int(bytes.size()));
}

void FakeBootloader::Run() {
  while (!stop_) {
    SOCKET l = listener_;
    if (l == INVALID_SOCKET || !Readable(l) || listener_ != l) {
      if (l == INVALID_SOCKET) Sleep(5);
      continue;
    }
    SOCKET c = accept(l, nullptr, nullptr);
    if (c == INVALID_SOCKET) continue;
    client_ = c;
    connected_ = true;
    ++connections_;
    Serve(c);
    connected_ = false;
  }
}

void FakeBootloader::Serve(SOCKET s) {
  std::vector<std::uint8_t> pending;
  char buf[8192];
  while (!stop_ && client_ == s) {
    if (!Readable(s)) continue;
    if (client_ != s) break;
    int n = recv(s, buf, sizeof buf, 0);
    if (n <= 0) break;
    pending.insert(pending.end(), buf, buf + n);
    while (HandleBytes(s, pending)) {
    }
  }
  // The tool closed first, or DropConnection closes it.
  SOCKET expected = s;
  if (client_.compare_exchange_strong(expected, INVALID_SOCKET)) closesocket(s);
}

// Consumes one message from the front of `pending`; false when it holds no whole message.
bool FakeBootloader::HandleBytes(SOCKET s, std::vector<std::uint8_t>& pending) {
  if (pending.empty()) return false;
  link::ParsedFrame f = link::ParseBlockFrame(pending);
  if (f.status == link::FrameParseStatus::kIncomplete) return false;
  if (f.status == link::FrameParseStatus::kFrame) {
    OnFrame(s, f.block, f.data.data(), f.length);
    pending.erase(pending.begin(), pending.begin() + std::ptrdiff_t(f.consumed));
    return true;
  }
  auto end = std::search(pending.begin(), pending.end(), link::kLineEnd.begin(), link::kLineEnd.end());
  if (end == pending.end()) return false;
  std::string text(pending.begin(), end + 2);
  pending.erase(pending.begin(), end + 2);
  std::string reply;
  {
    std::lock_guard lock(mutex_);
    texts_.push_back(text);
    if (text == link::kBootloaderQuery) reply = announcement_;
  }
  if (!reply.empty()) SendAll(s, reply.data(), int(reply.size()));
  return true;
}

void FakeBootloader::OnFrame(SOCKET s, int block, const std::uint8_t* data, int length) {
  int ack = block;
  {
    std::lock_guard lock(mutex_);
    blocks_.push_back(block);
    lengths_.push_back(length);
    std::size_t at = std::size_t(block - 1) * link::kBlockSize;
    if (block >= 1 && length > 0) {
      if (image_.size() < at + std::size_t(length)) image_.resize(at + std::size_t(length));
      std::memcpy(image_.data() + at, data, std::size_t(length));
    }
    auto o = ackOverride_.find(block);
    if (o != ackOverride_.end()) {
      ack = o->second;
      ackOverride_.erase(o); // only the first frame of that block is answered wrongly
    }
  }
  if (!autoAck_) return;
  auto bytes = link::BuildAcknowledgement(std::uint16_t(ack));
  SendAll(s, bytes.data(), int(bytes.size()));
}

void FakeBootloader::SendAll(SOCKET s, const void* data, int size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    int n = send(s, p, size, 0);
    if (n <= 0) return;
    p += n;
    size -= n;
  }
}

std::vector<std::string> FakeBootloader::Texts() const {
  std::lock_guard lock(mutex_);
  return texts_;
}
std::vector<int> FakeBootloader::FrameBlocks() const {
  std::lock_guard lock(mutex_);
  return blocks_;
}
std::vector<int> FakeBootloader::FrameLengths() const {
  std::lock_guard lock(mutex_);
  return lengths_;
}
std::vector<std::uint8_t> FakeBootloader::Image() const {
  std::lock_guard lock(mutex_);
  return image_;
}
std::size_t FakeBootloader::FrameCount() const {
  std::lock_guard lock(mutex_);
  return blocks_.size();
}

} // namespace vela::testing
