// Loading a whole skin: from the stored (compressed) skin file to every element record, and
// the steps inside it, on the default skin and on one grown to the size of a large stored skin.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/data/bmp.h"
#include "skin/data/package_writer.h"
#include "skin/data/skin_elements.h"
#include "skin/data/transforms.h"
#include "tests/unit/skin_elements/bmp_builder.h"

namespace {

using namespace vela::skin;

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The members of the default skin, sorted by name as the packer stores them.
const std::vector<PackageMember>& DefaultMembers() {
  static const std::vector<PackageMember> members = [] {
    std::vector<PackageMember> m;
    for (const auto& entry : std::filesystem::directory_iterator(VELA_DEFAULT_SKIN_DIR)) {
      const std::string ext = entry.path().extension().string();
      if (ext == ".bmp" || ext == ".ini")
        m.push_back({entry.path().filename().string(), ReadFile(entry.path())});
    }
    std::sort(m.begin(), m.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return m;
  }();
  return members;
}

// The default skin with every bitmap widened (its rows repeated sideways) so that the members
// add up to about the size of a large stored skin (550 kB).
std::vector<PackageMember> GrownMembers() {
  std::vector<PackageMember> m = DefaultMembers();
  for (auto& member : m) {
    if (!member.name.ends_with(".bmp")) continue;
    Bitmap b = DecodeBmp(member.bytes);
    if (b.Empty()) continue;
    Bitmap wide(b.Width() * 3, b.Height());
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < wide.Width(); ++x) wide.At(x, y) = b.At(x % b.Width(), y);
    // 24-bit file of the widened image.
    const int stride = (wide.Width() * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> f(54 + std::size_t(stride) * std::size_t(wide.Height()), 0);
    const auto put32 = [&f](std::size_t at, std::uint32_t v) {
      for (int k = 0; k < 4; ++k) f[at + std::size_t(k)] = std::uint8_t(v >> (8 * k));
    };
    f[0] = 'B';
    f[1] = 'M';
    put32(2, std::uint32_t(f.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, std::uint32_t(wide.Width()));
    put32(22, std::uint32_t(wide.Height()));
    f[26] = 1;
    f[28] = 24;
    for (int y = 0; y < wide.Height(); ++y) {
      std::uint8_t* row = f.data() + 54 + std::size_t(stride) * std::size_t(wide.Height() - 1 - y);
      for (int x = 0; x < wide.Width(); ++x) {
        const Pixel p = wide.At(x, y);
        row[3 * x] = PixelBlue(p);
        row[3 * x + 1] = PixelGreen(p);
        row[3 * x + 2] = PixelRed(p);
      }
    }
    member.bytes = std::move(f);
  }
  return m;
}

void LoadWholeSkin(benchmark::State& state, const std::vector<PackageMember>& members) {
  const std::vector<std::uint8_t> file = BuildSkinFile(members);
  std::size_t memberBytes = 0;
  for (const auto& m : members) memberBytes += m.bytes.size();
  for (auto _ : state) {
    TSkinElements elements;
    if (LoadSkinFile(file, elements) != SkinLoadResult::Loaded) state.SkipWithError("not loaded");
    benchmark::DoNotOptimize(elements.Title.Bitmap.Width());
  }
  state.counters["skin_file_bytes"] = double(file.size());
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(memberBytes));
}

void BM_LoadDefaultSkinFile(benchmark::State& state) { LoadWholeSkin(state, DefaultMembers()); }
BENCHMARK(BM_LoadDefaultSkinFile)->Unit(benchmark::kMillisecond);

void BM_LoadLargeSkinFile(benchmark::State& state) {
  static const std::vector<PackageMember> grown = GrownMembers();
  LoadWholeSkin(state, grown);
}
BENCHMARK(BM_LoadLargeSkinFile)->Unit(benchmark::kMillisecond);

// The element step alone: package expanded and description parsed beforehand.
void BM_LoadElementsOnly(benchmark::State& state) {
  TSkinReader package;
  package.LoadExpanded(BuildPackage(DefaultMembers()));
  MemoryStream description;
  std::string name;
  package.ExtractFirstMatching(".ini", description, name);
  TQuickIni ini;
  ini.LoadFromStream(description);
  for (auto _ : state) {
    TSkinElements elements;
    LoadSkinElements(package, ini, elements);
    benchmark::DoNotOptimize(elements.Buttons.Bitmap.Width());
  }
}
BENCHMARK(BM_LoadElementsOnly)->Unit(benchmark::kMicrosecond);

void BM_DecodeLargestBitmap(benchmark::State& state) {
  const auto& members = DefaultMembers();
  const auto largest = std::max_element(members.begin(), members.end(), [](const auto& a, const auto& b) {
    return a.bytes.size() < b.bytes.size();
  });
  for (auto _ : state) benchmark::DoNotOptimize(DecodeBmp(largest->bytes));
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(largest->bytes.size()));
}
BENCHMARK(BM_DecodeLargestBitmap);

// A hostile member: 17 MB of RLE8 runs that all ask for columns past the right edge of a
// 16 x 16 image. The decoder's cost must follow the stream's length, not the columns it asks for.
void BM_DecodeRunsPastTheRowEnd(benchmark::State& state) {
  const std::vector<std::uint8_t> file =
      vela::skin::testing::Rle8RunsPastTheRowEnd(16, 16, 8'500'000);
  for (auto _ : state) benchmark::DoNotOptimize(DecodeBmp(file));
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(file.size()));
}
BENCHMARK(BM_DecodeRunsPastTheRowEnd)->Unit(benchmark::kMillisecond);

void BM_MirrorFrameStrip(benchmark::State& state) {
  Bitmap strip(1920, 30, 0x123456);
  for (auto _ : state) {
    MirrorBitmap(strip);
    benchmark::DoNotOptimize(strip.At(0, 0));
  }
}
BENCHMARK(BM_MirrorFrameStrip);

} // namespace

BENCHMARK_MAIN();
