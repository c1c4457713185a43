// Scanning full 10,240-byte chunks, the most one receive returns. The card-dense chunk is
// also split the naive way (every field of the rest of the chunk per announcement) to show
// what limiting the split to three fields saves.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "link/chunk_receiver.h"
#include "link/device_stream.h"

namespace {

using namespace vela::link;

class CountingHandler : public ChunkHandler {
public:
  void SetTrafficStatus(std::string_view text) override { count += text.size(); }
  void OnDeviceAnnouncement(std::span<const std::string> fields) override {
    count += fields.size();
  }
  void OnCardAnnouncement(std::span<const std::string> fields) override { count += fields.size(); }
  void OnAcknowledgement(std::uint16_t block) override { count += block; }
  void AppendReceiveLog(std::string_view own, std::string_view wire) override {
    count += own.size() + wire.size();
  }
  std::size_t count = 0;
};

// Fills a chunk of exactly 10240 bytes with copies of `message`, padding the end with
// blanks before a final CR LF.
std::vector<std::uint8_t> FullChunk(const std::string& message) {
  std::string chunk;
  while (chunk.size() + message.size() + 2 <= kReceiveBufferSize)
    chunk += message;
  chunk.append(kReceiveBufferSize - 2 - chunk.size(), ' ');
  chunk += "\r\n";
  return {chunk.begin(), chunk.end()};
}

std::vector<std::uint8_t> AcknowledgementChunk() {
  const auto ack = BuildAcknowledgement(513);
  return FullChunk(std::string(ack.begin(), ack.end()));
}

std::vector<std::uint8_t> CardChunk() {
  const std::vector<std::string> fields = {"CPU01", "HW 1.0", "SW2.3"};
  return FullChunk(BuildAnnouncement(AnnouncementKind::kCard, fields, IsCp936LeadByte));
}

std::vector<std::uint8_t> TextChunk() {
  return FullChunk("the quick brown fox jumps over the lazy dog; no keyword here ");
}

void ScanChunk(benchmark::State& state, const std::vector<std::uint8_t>& chunk) {
  ChunkReceiver receiver(IsCp936LeadByte);
  CountingHandler handler;
  const Ipv4Endpoint from{{192, 168, 0, 10}, 50000};
  for (auto _ : state) {
    receiver.Receive(chunk, from, handler);
    benchmark::DoNotOptimize(handler.count);
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(chunk.size()));
}

void BM_ScanAcknowledgementChunk(benchmark::State& state) {
  ScanChunk(state, AcknowledgementChunk());
}
void BM_ScanTextChunk(benchmark::State& state) {
  ScanChunk(state, TextChunk());
}
void BM_ScanCardChunk(benchmark::State& state) {
  ScanChunk(state, CardChunk());
}

// The same card chunk with every announcement's whole field text split.
void BM_SplitCardChunkUnlimited(benchmark::State& state) {
  const auto chunk = CardChunk();
  std::size_t count = 0;
  for (auto _ : state) {
    for (std::size_t i = 0; i + 1 < chunk.size(); ++i) {
      if (chunk[i] == '!' && chunk[i + 1] == 'C') {
        count += SplitFields(ChunkText(chunk, i + 6), IsCp936LeadByte).size();
      }
    }
    benchmark::DoNotOptimize(count);
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(chunk.size()));
}

BENCHMARK(BM_ScanAcknowledgementChunk);
BENCHMARK(BM_ScanTextChunk);
BENCHMARK(BM_ScanCardChunk);
BENCHMARK(BM_SplitCardChunkUnlimited);

} // namespace

BENCHMARK_MAIN();
