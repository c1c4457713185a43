// LZH decoding speed: the real decoder against the plain bit-by-bit one on the same streams,
// and the encoder for reference. Compare the bytes_per_second of the pairs in one run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/lzh/bitwise_decoder.h"
#include "skin/data/lzh.h"
#include "skin/data/lzh_encoder.h"
#include "skin/data/package_writer.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<fs::path> SortedFiles(const fs::path& dir, const std::vector<std::string>& extensions) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file())
      continue;
    const std::string ext = it->path().extension().string();
    if (std::find(extensions.begin(), extensions.end(), ext) != extensions.end())
      files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The default skin's package, compressed as the build packs it.
const Bytes& DefaultSkinStream() {
  static const Bytes stream = [] {
    std::vector<vela::skin::PackageMember> members;
    for (const fs::path& f :
         SortedFiles(fs::path(VELA_SOURCE_DIR) / "assets/skin/default", {".bmp", ".ini"})) {
      members.push_back({f.filename().string(), ReadFile(f)});
    }
    return vela::skin::BuildSkinFile(members);
  }();
  return stream;
}

// About 549 kB of bitmap-like rows (flat areas, gradients, magenta corners), the size a main
// window's stored skin expands to.
const Bytes& SkinLikeStream() {
  static const Bytes stream = [] {
    Bytes data(549 * 1024);
    for (std::size_t i = 0; i < data.size(); ++i) {
      const std::size_t x = (i / 3) % 400, y = i / 1200;
      const int channel = int(i % 3);
      if (x < 6 && y % 50 < 6)
        data[i] = channel == 1 ? 0 : 255;
      else if (y % 40 < 20)
        data[i] = std::uint8_t(200 + channel * 10);
      else
        data[i] = std::uint8_t((x / 4 + y + std::size_t(channel) * 7) & 0xFF);
    }
    return vela::skin::LzhCompress(data);
  }();
  return stream;
}

// About 200 kB of text: this project's own sources.
const Bytes& TextStream() {
  static const Bytes stream = [] {
    Bytes text;
    for (const char* dir : {"skin", "link", "tools", "ui", "app"}) {
      for (const fs::path& f : SortedFiles(fs::path(VELA_SOURCE_DIR) / dir, {".cpp", ".h"})) {
        const Bytes b = ReadFile(f);
        text.insert(text.end(), b.begin(), b.end());
        if (text.size() >= 200 * 1024)
          break;
      }
      if (text.size() >= 200 * 1024)
        break;
    }
    text.resize(std::min<std::size_t>(text.size(), 200 * 1024));
    return vela::skin::LzhCompress(text);
  }();
  return stream;
}

std::int32_t ExpandedSize(const Bytes& stream) {
  std::int32_t size = 0;
  vela::skin::LzhExpandedSize(stream, size);
  return size;
}

void Decode(benchmark::State& state, const Bytes& stream) {
  for (auto _ : state) {
    Bytes out;
    vela::skin::LzhExpand(stream, out, 1 << 30);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * ExpandedSize(stream));
  state.counters["compressed_bytes"] = double(stream.size());
}

void DecodeBitwise(benchmark::State& state, const Bytes& stream) {
  for (auto _ : state) {
    Bytes out = vela::bench::BitwiseExpand(stream);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * ExpandedSize(stream));
}

void Compress(benchmark::State& state, const Bytes& stream) {
  const Bytes data = vela::bench::BitwiseExpand(stream);
  for (auto _ : state) {
    Bytes out = vela::skin::LzhCompress(data);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(data.size()));
}

void BM_DecodeDefaultSkin(benchmark::State& s) {
  Decode(s, DefaultSkinStream());
}
void BM_DecodeDefaultSkinBitwise(benchmark::State& s) {
  DecodeBitwise(s, DefaultSkinStream());
}
void BM_DecodeSkinLike549k(benchmark::State& s) {
  Decode(s, SkinLikeStream());
}
void BM_DecodeSkinLike549kBitwise(benchmark::State& s) {
  DecodeBitwise(s, SkinLikeStream());
}
void BM_DecodeText200k(benchmark::State& s) {
  Decode(s, TextStream());
}
void BM_DecodeText200kBitwise(benchmark::State& s) {
  DecodeBitwise(s, TextStream());
}
void BM_CompressDefaultSkin(benchmark::State& s) {
  Compress(s, DefaultSkinStream());
}
void BM_CompressText200k(benchmark::State& s) {
  Compress(s, TextStream());
}

BENCHMARK(BM_DecodeDefaultSkin)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeDefaultSkinBitwise)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeSkinLike549k)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeSkinLike549kBitwise)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeText200k)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeText200kBitwise)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CompressDefaultSkin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompressText200k)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
