#pragma once
// The one socket through which the tool talks to a device's bootloader, opened in the link
// mode fixed at build time, with its events delivered as window messages to the main window.
//
//   slot 0: the main socket (datagram, connected client, or listening)  -> message 1106
//   slot 1: the accepted connection in server mode                      -> message 1107
//
// Everything runs on the window's thread; no method is called from anywhere else.
#include <winsock2.h>
#include <windows.h>

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "app/link_mode.h"

namespace vela::app {

inline constexpr UINT WM_LINK_EVENT = WM_USER + 82;           // 1106, the main socket
inline constexpr UINT WM_LINK_PEER_EVENT = WM_LINK_EVENT + 1; // 1107, the accepted connection
inline constexpr u_short kLocalPort = 50000;

// What the endpoint reports to the connection control and the protocol receiver.
class LinkEvents {
public:
  // A chunk of 1 to 10240 bytes and the address of the slot it arrived on.
  virtual void LinkChunkReceived(std::span<const std::uint8_t> chunk, const sockaddr_in& from) = 0;
  virtual void LinkClosedByPeer() = 0;

protected:
  ~LinkEvents() = default;
};

// Owns one socket handle and closes it.
class OwnedSocket {
public:
  OwnedSocket() = default;
  explicit OwnedSocket(SOCKET s) : s_(s) {}
  OwnedSocket(const OwnedSocket&) = delete;
  OwnedSocket& operator=(const OwnedSocket&) = delete;
  ~OwnedSocket() { Close(); }

  SOCKET Get() const { return s_; }
  bool Valid() const { return s_ != INVALID_SOCKET; }
  void Reset(SOCKET s) {
    Close();
    s_ = s;
  }
  void Close() {
    if (s_ != INVALID_SOCKET) closesocket(s_);
    s_ = INVALID_SOCKET;
  }

private:
  SOCKET s_ = INVALID_SOCKET;
};

enum class SendOutcome {
  Sent,     // handed to the socket (errors on the wire are not reported)
  NoClient, // server mode without a connected client: nothing was sent
};

template <LinkMode Mode>
class LinkEndpoint {
public:
  explicit LinkEndpoint(LinkEvents& events) : events_(events) {}
  LinkEndpoint(const LinkEndpoint&) = delete;
  LinkEndpoint& operator=(const LinkEndpoint&) = delete;
  ~LinkEndpoint();

  // Filled by the connection control before OpenLink.
  sockaddr_in LocalAddress{};
  sockaddr_in RemoteAddress{};
  sockaddr_in PeerAddress{};

  // Opens the main socket in the build's mode and registers it for notifications to `window`.
  bool OpenLink(HWND window);
  // Closes the accepted connection and the main socket, and releases the socket library.
  void CloseLink();
  // Closes slot 0's socket and nothing else (the reconnection tick does this).
  void CloseMainSocket() { slots_[0].socket.Close(); }

  // A text message of the update link, bytes as they go on the wire.
  SendOutcome SendText(std::string_view bytes);
  // A block frame; the result is not examined.
  void SendFrame(std::span<const std::uint8_t> frame);

  // Handles messages 1106 and 1107 and returns true; any other message returns false.
  bool HandleLinkMessage(UINT msg, LPARAM lParam);

  int ClientCount() const { return clientCount_; }
  void ResetClientCount() { clientCount_ = 0; }
  bool AcceptedSlotInUse() const { return slots_[1].inUse; }
  void FreeAcceptedSlot() { slots_[1].inUse = false; }
  bool MainSocketOpen() const { return slots_[0].socket.Valid(); }
  SOCKET MainSocket() const { return slots_[0].socket.Get(); }

private:
  struct Slot {
    OwnedSocket socket;
    sockaddr_in* address;
    bool inUse = false;
    UINT message;
  };

  bool ConnectOrListen();
  void OnRead(Slot& slot);
  void OnAccept();
  void OnClose(int index);
  SOCKET SendSocket() const;
  void SendAll(SOCKET s, const std::uint8_t* data, std::size_t size, const sockaddr_in* to);

  LinkEvents& events_;
  HWND window_ = nullptr;
  int clientCount_ = 0;
  int libraryStarts_ = 0;
  std::array<Slot, 2> slots_{Slot{OwnedSocket{}, &RemoteAddress, false, WM_LINK_EVENT},
                             Slot{OwnedSocket{}, &PeerAddress, false, WM_LINK_PEER_EVENT}};
};

extern template class LinkEndpoint<kStreamClientMode>;
extern template class LinkEndpoint<kStreamServerMode>;
extern template class LinkEndpoint<kDatagramMode>;
extern template class LinkEndpoint<kBoundDatagramMode>;

// The endpoint the program is built with.
using BuiltLinkEndpoint = LinkEndpoint<kBuiltLinkMode>;

// An IPv4 socket address from dotted text and a port. Text that is not a dotted address gives
// the all-ones address, which then fails to connect like any other unreachable address.
sockaddr_in MakeSocketAddress(const char* dotted, u_short port);

} // namespace vela::app
