#include "app/link_endpoint.h"

#include <vector>

#include "link/protocol.h"

namespace vela::app {
namespace {

constexpr int kAddressLength = sizeof(sockaddr_in);
constexpr WORD kSocketVersion = 0x0002; // 2.0
constexpr int kSendRetryMs = 5;
constexpr int kSendRetries = 400;

} // namespace

sockaddr_in MakeSocketAddress(const char* dotted, u_short port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  a.sin_addr.s_addr = inet_addr(dotted);
  return a;
}

template <LinkMode Mode>
LinkEndpoint<Mode>::~LinkEndpoint() {
  // The window may go away with the link still open; sockets must not outlive it.
  for (Slot& s : slots_) s.socket.Close();
  for (; libraryStarts_ > 0; --libraryStarts_) WSACleanup();
}

template <LinkMode Mode>
bool LinkEndpoint<Mode>::OpenLink(HWND window) {
  WSADATA data;
  if (WSAStartup(kSocketVersion, &data) != 0) return false;
  ++libraryStarts_;
  window_ = window;
  SOCKET s = socket(AF_INET, Mode.UseStream ? SOCK_STREAM : SOCK_DGRAM, 0);
  if (s == INVALID_SOCKET) return false;
  slots_[0].socket.Reset(s);
  if (Mode.Binds() &&
      bind(s, reinterpret_cast<const sockaddr*>(&LocalAddress), kAddressLength) == SOCKET_ERROR) {
    CloseLink();
    return false;
  }
  if (!ConnectOrListen()) {
    CloseLink();
    return false;
  }
  WSAAsyncSelect(s, window, WM_LINK_EVENT, Mode.NotifyMask());
  return true;
}

template <LinkMode Mode>
bool LinkEndpoint<Mode>::ConnectOrListen() {
  SOCKET s = slots_[0].socket.Get();
  if constexpr (!Mode.UseStream) {
    return true;
  } else if constexpr (Mode.IsServer) {
    return listen(s, 1) != SOCKET_ERROR;
  } else {
    // Blocks the window's thread until the device accepts or refuses.
    return connect(s, reinterpret_cast<const sockaddr*>(&RemoteAddress), kAddressLength) !=
           SOCKET_ERROR;
  }
}

template <LinkMode Mode>
void LinkEndpoint<Mode>::CloseLink() {
  if (slots_[1].inUse) {
    slots_[1].socket.Close();
    slots_[1].inUse = false;
  }
  slots_[0].socket.Close();
  if (libraryStarts_ > 0) {
    WSACleanup();
    --libraryStarts_;
  }
}

// Stream server mode sends on the accepted connection: the listening socket cannot carry data.
template <LinkMode Mode>
SOCKET LinkEndpoint<Mode>::SendSocket() const {
  if constexpr (Mode.UseStream && Mode.IsServer)
    return slots_[1].inUse ? slots_[1].socket.Get() : INVALID_SOCKET;
  else
    return slots_[0].socket.Get();
}

template <LinkMode Mode>
SendOutcome LinkEndpoint<Mode>::SendText(std::string_view bytes) {
  if constexpr (Mode.UseStream && Mode.IsServer) {
    if (clientCount_ == 0 || !slots_[1].inUse) return SendOutcome::NoClient;
  }
  if (bytes.size() > link::kSendBufferSize) bytes = bytes.substr(0, link::kSendBufferSize);
  SendAll(SendSocket(), reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
          &RemoteAddress);
  return SendOutcome::Sent;
}

template <LinkMode Mode>
void LinkEndpoint<Mode>::SendFrame(std::span<const std::uint8_t> frame) {
  SendAll(SendSocket(), frame.data(), frame.size(), &RemoteAddress);
}

// A non-blocking stream socket may take only part of a message when its buffer is full; the
// rest follows after a short wait so that no message reaches the device cut in two. Errors end
// the attempt silently, as the link does not report send failures.
template <LinkMode Mode>
void LinkEndpoint<Mode>::SendAll(SOCKET s, const std::uint8_t* data, std::size_t size,
                                 const sockaddr_in* to) {
  if (s == INVALID_SOCKET) return;
  if constexpr (!Mode.UseStream) {
    sendto(s, reinterpret_cast<const char*>(data), int(size), 0,
           reinterpret_cast<const sockaddr*>(to), kAddressLength);
  } else {
    std::size_t done = 0;
    for (int retries = 0; done < size && retries < kSendRetries;) {
      int n = send(s, reinterpret_cast<const char*>(data + done), int(size - done), 0);
      if (n > 0) {
        done += std::size_t(n);
      } else if (n == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) {
        ++retries;
        Sleep(kSendRetryMs);
      } else {
        return;
      }
    }
  }
}

template <LinkMode Mode>
bool LinkEndpoint<Mode>::HandleLinkMessage(UINT msg, LPARAM lParam) {
  if (msg != WM_LINK_EVENT && msg != WM_LINK_PEER_EVENT) return false;
  int index = int(msg - WM_LINK_EVENT);
  switch (WSAGETSELECTEVENT(lParam)) {
  case FD_READ: OnRead(slots_[index]); break;
  case FD_ACCEPT: OnAccept(); break;
  case FD_CLOSE: OnClose(index); break;
  default: break;
  }
  return true;
}

template <LinkMode Mode>
void LinkEndpoint<Mode>::OnRead(Slot& slot) {
  if (!slot.socket.Valid()) return;
  // Each notification gets its own zero-filled buffer: a handler further down may open a modal
  // box that dispatches the next notification before this chunk has been scanned. The slack
  // past the receive size keeps the scan's look-ahead inside zeroed memory.
  std::vector<std::uint8_t> buffer(link::kReceiveBufferSize + 16, 0);
  char* into = reinterpret_cast<char*>(buffer.data());
  int n;
  if constexpr (Mode.UseStream) {
    n = recv(slot.socket.Get(), into, int(link::kReceiveBufferSize), 0);
  } else {
    // The sender of every datagram becomes the destination of what follows.
    sockaddr_in from{};
    int length = kAddressLength;
    n = recvfrom(slot.socket.Get(), into, int(link::kReceiveBufferSize), 0,
                 reinterpret_cast<sockaddr*>(&from), &length);
    if (n > 0) *slot.address = from;
  }
  if (n <= 0) return;
  sockaddr_in from = *slot.address;
  events_.LinkChunkReceived(std::span<const std::uint8_t>(buffer.data(), std::size_t(n)), from);
}

template <LinkMode Mode>
void LinkEndpoint<Mode>::OnAccept() {
  if (slots_[1].inUse) return; // one connection at a time; the next stays pending
  int length = kAddressLength;
  SOCKET s = accept(slots_[0].socket.Get(), reinterpret_cast<sockaddr*>(&PeerAddress), &length);
  if (s == INVALID_SOCKET) return;
  slots_[1].socket.Reset(s);
  WSAAsyncSelect(s, window_, WM_LINK_PEER_EVENT, FD_READ | FD_CLOSE);
  slots_[1].inUse = true;
  ++clientCount_;
}

template <LinkMode Mode>
void LinkEndpoint<Mode>::OnClose(int index) {
  Slot& slot = slots_[index];
  if (slot.socket.Valid()) WSAAsyncSelect(slot.socket.Get(), window_, 0, 0);
  if (index == 1) {
    slot.socket.Close();
    slot.inUse = false;
    --clientCount_;
  }
  events_.LinkClosedByPeer();
}

template class LinkEndpoint<kStreamClientMode>;
template class LinkEndpoint<kStreamServerMode>;
template class LinkEndpoint<kDatagramMode>;
template class LinkEndpoint<kBoundDatagramMode>;

} // namespace vela::app
