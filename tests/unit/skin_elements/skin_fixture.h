#pragma once
// A skin assembled in the test: an INI text and bitmap members, packed and loaded through the
// real package and INI readers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/data/package_writer.h"
#include "skin/data/skin_elements.h"
#include "tests/unit/skin_elements/bmp_builder.h"

namespace vela::skin::testing {

// A strip of `cells` cells, each `cellWidth` x `height`, cell k (from 1) filled with
// CellColour(k); column 0 of each cell is marked with 0x010101 * k so that mirroring shows.
inline Pixel CellColour(int k) { return MakePixel(std::uint8_t(40 * k), 0x20, std::uint8_t(200 - 30 * k)); }
inline Bitmap Strip(int cells, int cellWidth, int height) {
  Bitmap b(cells * cellWidth, height);
  for (int k = 1; k <= cells; ++k)
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < cellWidth; ++x)
        b.At((k - 1) * cellWidth + x, y) = x == 0 ? Pixel(0x010101 * k) : CellColour(k);
  return b;
}

class SkinFixture : public ::testing::Test {
protected:
  SkinFixture() {
    options_.Report = [this](const SkinLoadProblem& p) { problems_.push_back(p.Where + ": " + p.What); };
  }

  void AddBitmap(const std::string& name, const Bitmap& bitmap) {
    members_.push_back({name, EncodeBmp24(bitmap)});
  }
  void AddMember(const std::string& name, std::vector<std::uint8_t> bytes) {
    members_.push_back({name, std::move(bytes)});
  }

  // Packs the members with `ini` and loads every element.
  void Load(const std::string& ini) {
    package_ = std::make_unique<TSkinReader>();
    std::vector<PackageMember> all = members_;
    all.push_back({"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())});
    ASSERT_TRUE(package_->LoadExpanded(BuildPackage(all)));
    ini_.LoadFromText(ini);
    LoadSkinElements(*package_, ini_, elements_, options_);
  }

  ElementSource Source(ColourCode buttonText = 0x123456) const {
    return ElementSource{*package_, ini_, buttonText};
  }

  std::vector<PackageMember> members_;
  std::unique_ptr<TSkinReader> package_;
  TQuickIni ini_;
  TSkinElements elements_;
  SkinLoadOptions options_;
  // What the loads reported, as "where: what".
  std::vector<std::string> problems_;
};

} // namespace vela::skin::testing
