// skinart: draws the default skin and writes its images and description into a folder.
//
//   skinart OUTDIR                 writes every .bmp and skin.ini into OUTDIR
//   skinart --preview FILE.bmp     writes a mock-up of the update tool's window instead
#include <cstdio>
#include <fstream>
#include <string>

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

int WriteSkin(const std::string& dir) {
  const vela::tools::DefaultSkin skin = vela::tools::BuildDefaultSkin();
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

int WritePreview(const std::string& path) {
  const vela::tools::DefaultSkin skin = vela::tools::BuildDefaultSkin();
  const vela::tools::Canvas active = vela::tools::DrawPreview(skin, 730, 485, true);
  const auto bytes = vela::tools::EncodeBmp24(active.Image());
  return WriteBytes(path, bytes.data(), bytes.size()) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 3 && std::string(argv[1]) == "--preview") {
      return WritePreview(argv[2]);
    }
    if (argc == 2 && argv[1][0] != '-') {
      return WriteSkin(argv[1]);
    }
    std::fprintf(stderr, "usage: skinart OUTDIR\n       skinart --preview FILE.bmp\n");
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skinart: %s\n", e.what());
    return 1;
  }
}
