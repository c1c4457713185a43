// The link endpoint in all of its build-time modes, against real sockets on 127.0.0.1. The
// program ships as a stream client; the other modes are only reachable from here.
#include <gtest/gtest.h>
#include <winsock2.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "app/link_endpoint.h"
#include "link/protocol.h"
#include "tests/win/app/fake_bootloader.h"

namespace vela::app {
namespace {

using Clock = std::chrono::steady_clock;

// Receives the socket notifications the endpoint asks for.
class NotifyWindow {
public:
  explicit NotifyWindow(std::function<bool(UINT, LPARAM)> handler) : handler_(std::move(handler)) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VelaLinkTestWindow";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                          nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~NotifyWindow() { DestroyWindow(hwnd_); }
  HWND Handle() const { return hwnd_; }

private:
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<NotifyWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (self && self->handler_(m, l)) return 0;
    return DefWindowProcW(h, m, w, l);
  }
  std::function<bool(UINT, LPARAM)> handler_;
  HWND hwnd_;
};

bool PumpUntil(const std::function<bool()>& done, int ms = 3000) {
  auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (Clock::now() > end) return false;
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    Sleep(2);
  }
  return true;
}

struct Recorder : LinkEvents {
  std::vector<std::string> chunks;
  std::vector<sockaddr_in> sources;
  int closes = 0;
  void LinkChunkReceived(std::span<const std::uint8_t> chunk, const sockaddr_in& from) override {
    chunks.emplace_back(chunk.begin(), chunk.end());
    sources.push_back(from);
  }
  void LinkClosedByPeer() override { ++closes; }
};

sockaddr_in Loopback(int port) {
  sockaddr_in a = MakeSocketAddress("127.0.0.1", u_short(port));
  return a;
}

int LocalPort(SOCKET s) {
  sockaddr_in a{};
  int len = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  return ntohs(a.sin_port);
}

// A UDP socket on 127.0.0.1 that waits at most a little for each datagram.
struct UdpPeer {
  SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
  UdpPeer() {
    sockaddr_in a = Loopback(0);
    bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    DWORD timeout = 300;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  }
  ~UdpPeer() { closesocket(s); }
  int Port() const { return LocalPort(s); }
  std::string Receive() {
    char buf[2048];
    int n = recv(s, buf, sizeof buf, 0);
    return n > 0 ? std::string(buf, std::size_t(n)) : std::string();
  }
  void SendTo(int port, const std::string& bytes) {
    sockaddr_in a = Loopback(port);
    sendto(s, bytes.data(), int(bytes.size()), 0, reinterpret_cast<sockaddr*>(&a), sizeof a);
  }
};

class SocketLibrary : public ::testing::Test {
protected:
  void SetUp() override {
    WSADATA d;
    WSAStartup(0x0202, &d);
  }
  void TearDown() override { WSACleanup(); }
};

template <LinkMode Mode>
struct Harness {
  Recorder events;
  LinkEndpoint<Mode> link{events};
  NotifyWindow window{[this](UINT m, LPARAM l) { return link.HandleLinkMessage(m, l); }};
};

using StreamClient = SocketLibrary;

TEST_F(StreamClient, RefusedConnectionFailsAndLeavesNoSocket) {
  testing::FakeBootloader device;
  int port = device.Listen();
  device.StopListening();
  Harness<kStreamClientMode> h;
  h.link.RemoteAddress = Loopback(port);
  EXPECT_FALSE(h.link.OpenLink(h.window.Handle()));
  EXPECT_FALSE(h.link.MainSocketOpen());
}

TEST_F(StreamClient, SendsTextAndFramesAndDeliversChunksWithTheRemoteAddress) {
  testing::FakeBootloader device;
  int port = device.Listen();
  device.SetAnnouncement("!Name:\"Dev\",V1,V2\r\n");
  Harness<kStreamClientMode> h;
  h.link.LocalAddress = MakeSocketAddress("0.0.0.0", kLocalPort);
  h.link.RemoteAddress = Loopback(port);
  ASSERT_TRUE(h.link.OpenLink(h.window.Handle()));
  EXPECT_NE(LocalPort(h.link.MainSocket()), kLocalPort) << "a client does not bind its local address";
  EXPECT_EQ(h.link.SendText(link::kBootloaderQuery), SendOutcome::Sent);
  ASSERT_TRUE(PumpUntil([&] { return !h.events.chunks.empty(); }));
  EXPECT_EQ(h.events.chunks[0], "!Name:\"Dev\",V1,V2\r\n");
  EXPECT_EQ(ntohs(h.events.sources[0].sin_port), port);
  EXPECT_EQ(h.events.sources[0].sin_addr.s_addr, inet_addr("127.0.0.1"));

  std::vector<std::uint8_t> image(1500, 0x5A);
  link::BlockFrameBuffer frame;
  h.link.SendFrame({frame.data(), link::BuildBlockFrame(image, 2, frame)});
  ASSERT_TRUE(PumpUntil([&] { return device.FrameCount() == 1; }));
  EXPECT_EQ(device.FrameBlocks(), std::vector<int>{2});
  EXPECT_EQ(device.FrameLengths(), std::vector<int>{476});
  h.link.CloseLink();
}

TEST_F(StreamClient, PeerCloseIsReportedOnceAndLeavesTheSocketToTheCaller) {
  testing::FakeBootloader device;
  int port = device.Listen();
  Harness<kStreamClientMode> h;
  h.link.RemoteAddress = Loopback(port);
  ASSERT_TRUE(h.link.OpenLink(h.window.Handle()));
  ASSERT_TRUE(PumpUntil([&] { return device.Connected(); }));
  device.DropConnection();
  ASSERT_TRUE(PumpUntil([&] { return h.events.closes > 0; }));
  PumpUntil([] { return false; }, 200);
  EXPECT_EQ(h.events.closes, 1);
  EXPECT_TRUE(h.link.MainSocketOpen());
  h.link.CloseLink();
  EXPECT_FALSE(h.link.MainSocketOpen());
}

using Datagram = SocketLibrary;

TEST_F(Datagram, AReplyFromAnotherHostRedirectsEveryLaterSend) {
  UdpPeer first, second;
  Harness<kDatagramMode> h;
  h.link.RemoteAddress = Loopback(first.Port());
  ASSERT_TRUE(h.link.OpenLink(h.window.Handle()));
  h.link.SendText("!Bootloader:\r\n");
  EXPECT_EQ(first.Receive(), "!Bootloader:\r\n");

  second.SendTo(LocalPort(h.link.MainSocket()), "~AData\x01\x02\r\n");
  ASSERT_TRUE(PumpUntil([&] { return !h.events.chunks.empty(); }));
  EXPECT_EQ(ntohs(h.events.sources[0].sin_port), second.Port());

  h.link.SendText("!GotoApp:\r\n");
  const std::uint8_t frame[] = {'!', 'A', 'D', 'a', 't', 'a', 0, 1, 0, 1, 7, '\r', '\n'};
  h.link.SendFrame(frame);
  EXPECT_EQ(second.Receive(), "!GotoApp:\r\n");
  EXPECT_EQ(second.Receive().size(), sizeof frame);
  EXPECT_EQ(first.Receive(), "");
  h.link.CloseLink();
}

TEST_F(Datagram, BoundModeReceivesOnTheLocalAddress) {
  UdpPeer probe;
  Harness<kBoundDatagramMode> h;
  // A port found free may be taken by someone else before the link binds it: try another.
  int port = 0;
  for (int attempt = 0; attempt < 50 && port == 0; ++attempt) {
    const int candidate = UdpPeer().Port();
    h.link.LocalAddress = Loopback(candidate);
    if (h.link.OpenLink(h.window.Handle())) // a failed open has closed what it opened
      port = candidate;
  }
  ASSERT_NE(port, 0) << "no free datagram port could be bound";
  EXPECT_EQ(LocalPort(h.link.MainSocket()), port);
  probe.SendTo(port, "!Card 1,2,3\r\n");
  ASSERT_TRUE(PumpUntil([&] { return !h.events.chunks.empty(); }));
  EXPECT_EQ(h.events.chunks[0], "!Card 1,2,3\r\n");
  // A datagram that fills the receive buffer exactly arrives whole, like any other.
  std::string full(link::kReceiveBufferSize - 2, 'x');
  full += "\r\n";
  probe.SendTo(port, full);
  ASSERT_TRUE(PumpUntil([&] { return h.events.chunks.size() == 2; }));
  EXPECT_EQ(h.events.chunks[1], full);
  h.link.CloseLink();
}

using StreamServer = SocketLibrary;

SOCKET ConnectTo(int port) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a = Loopback(port);
  connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  DWORD timeout = 300;
  setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  return s;
}

std::string ReceiveText(SOCKET s) {
  char buf[256];
  int n = recv(s, buf, sizeof buf, 0);
  return n > 0 ? std::string(buf, std::size_t(n)) : std::string();
}

TEST_F(StreamServer, AcceptsOneClientAtATimeAndSendsOnItsConnection) {
  Harness<kStreamServerMode> h;
  h.link.LocalAddress = Loopback(0);
  ASSERT_TRUE(h.link.OpenLink(h.window.Handle()));
  int port = LocalPort(h.link.MainSocket());
  EXPECT_EQ(h.link.SendText("!Bootloader:\r\n"), SendOutcome::NoClient);

  SOCKET first = ConnectTo(port);
  ASSERT_TRUE(PumpUntil([&] { return h.link.ClientCount() == 1; }));
  SOCKET second = ConnectTo(port);
  PumpUntil([] { return false; }, 200);
  EXPECT_EQ(h.link.ClientCount(), 1);
  EXPECT_TRUE(h.link.AcceptedSlotInUse());

  EXPECT_EQ(h.link.SendText("!GotoApp:\r\n"), SendOutcome::Sent);
  EXPECT_EQ(ReceiveText(first), "!GotoApp:\r\n");
  EXPECT_EQ(ReceiveText(second), "");

  send(first, "!Name A,B,C\r\n", 13, 0);
  ASSERT_TRUE(PumpUntil([&] { return !h.events.chunks.empty(); }));
  EXPECT_EQ(h.events.chunks[0], "!Name A,B,C\r\n");

  closesocket(first);
  ASSERT_TRUE(PumpUntil([&] { return h.events.closes == 1; }));
  EXPECT_EQ(h.link.ClientCount(), 0);
  EXPECT_FALSE(h.link.AcceptedSlotInUse());
  EXPECT_TRUE(h.link.MainSocketOpen());
  closesocket(second);
  h.link.CloseLink();
}

} // namespace
} // namespace vela::app
