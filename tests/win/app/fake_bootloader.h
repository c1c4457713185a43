#pragma once
// A device bootloader on 127.0.0.1 for the window's tests. It runs on its own thread with
// blocking sockets, so that the window's thread can keep pumping messages: it answers the
// query with its announcements, acknowledges every block frame (or misbehaves as told), keeps
// the image it received, and can drop the link or stop listening to play a lost device.
#include <winsock2.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vela::testing {

class FakeBootloader {
public:
  FakeBootloader();
  ~FakeBootloader();

  // Starts listening on 127.0.0.1; `port` 0 picks a free one. Returns the port, 0 on failure.
  int Listen(int port = 0);
  // Stops listening; an open connection is closed too. Connects to the port are refused.
  void StopListening();
  // Closes the current connection from the device's side; listening goes on.
  void DropConnection();

  // The bytes sent in one piece in answer to "!Bootloader:\r\n".
  void SetAnnouncement(std::string bytes);
  // The acknowledgement for the frame of `block` carries `ack` instead of its own number.
  void AnswerBlockWith(int block, int ack);
  // Off: frames are recorded but not acknowledged; the test answers with Send().
  void SetAutoAck(bool on) { autoAck_ = on; }
  // Sends raw bytes to the tool on the open connection.
  void Send(const std::string& bytes);

  int Port() const { return port_; }
  int Connections() const { return connections_; }
  bool Connected() const { return connected_; }

  // What arrived. Thread-safe copies.
  std::vector<std::string> Texts() const;        // text messages, CR LF included
  std::vector<int> FrameBlocks() const;          // block numbers in arrival order
  std::vector<int> FrameLengths() const;         // data lengths in arrival order
  std::vector<std::uint8_t> Image() const;       // data of all frames, placed by block number
  std::size_t FrameCount() const;

private:
  void Run();
  void Serve(SOCKET s);
  bool HandleBytes(SOCKET s, std::vector<std::uint8_t>& pending);
  void OnFrame(SOCKET s, int block, const std::uint8_t* data, int length);
  static void SendAll(SOCKET s, const void* data, int size);

  mutable std::mutex mutex_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<SOCKET> listener_{INVALID_SOCKET};
  std::atomic<SOCKET> client_{INVALID_SOCKET};
  std::atomic<int> port_{0};
  std::atomic<int> connections_{0};
  std::atomic<bool> connected_{false};
  std::atomic<bool> autoAck_{true};
  std::string announcement_;
  std::map<int, int> ackOverride_;
  std::vector<std::string> texts_;
  std::vector<int> blocks_;
  std::vector<int> lengths_;
  std::vector<std::uint8_t> image_;
};

} // namespace vela::testing
