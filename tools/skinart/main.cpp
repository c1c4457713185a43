// skinart: draws a skin and writes its images and description into a folder.
//
//   skinart [--palette NAME] OUTDIR              writes every .bmp and skin.ini into OUTDIR
//   skinart [--palette NAME] --preview FILE.bmp  writes a mock-up of the update tool's window
//
// NAME is "calm" (the default skin, also without --palette) or "dusk".
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tools/skinart/default_skin.h"
#include "tools/skinart/preview.h"

namespace {

bool WriteBytes(const std::string& path, const void* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), std::streamsize(size));
  out.close();
  if (!out) {
    std::fprintf(stderr, "skinart: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

int WriteSkin(const std::string& dir, const vela::tools::palette::Palette& colours) {
  const vela::tools::DefaultSkin skin = vela::tools::BuildSkin(colours);
  for (const auto& image : skin.images) {
    const auto bytes = vela::tools::EncodeBmp24(image.image.Image());
    if (!WriteBytes(dir + "/" + image.file, bytes.data(), bytes.size())) {
      return 1;
    }
  }
  if (!WriteBytes(dir + "/" + vela::tools::kSkinIniName, skin.ini.data(), skin.ini.size())) {
    return 1;
  }
  std::printf("skinart: wrote %zu images and %s to %s\n", skin.images.size(),
              vela::tools::kSkinIniName, dir.c_str());
  return 0;
}

int WritePreview(const std::string& path, const vela::tools::palette::Palette& colours) {
  const vela::tools::palette::TUsePalette use(colours);
  const vela::tools::DefaultSkin skin = vela::tools::BuildSkin(colours);
  const vela::tools::Canvas active = vela::tools::DrawPreview(skin, 730, 485, true);
  const auto bytes = vela::tools::EncodeBmp24(active.Image());
  return WriteBytes(path, bytes.data(), bytes.size()) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
  const char* usage = "usage: skinart [--palette calm|dusk] OUTDIR\n"
                      "       skinart [--palette calm|dusk] --preview FILE.bmp\n";
  try {
    std::vector<std::string> args(argv + 1, argv + argc);
    const vela::tools::palette::Palette* colours = &vela::tools::palette::Calm();
    if (args.size() >= 2 && args[0] == "--palette") {
      colours = vela::tools::palette::ByName(args[1]);
      if (!colours) {
        std::fprintf(stderr, "skinart: no palette named %s (calm, dusk)\n", args[1].c_str());
        return 2;
      }
      args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() == 2 && args[0] == "--preview") {
      return WritePreview(args[1], *colours);
    }
    if (args.size() == 1 && args[0][0] != '-') {
      return WriteSkin(args[0], *colours);
    }
    std::fputs(usage, stderr);
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skinart: %s\n", e.what());
    return 1;
  }
}
