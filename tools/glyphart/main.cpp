// Writes the glyph, icon and menu-glyph files of the update tool into a directory:
//   glyphart <output-directory>
#include <cstdio>
#include <string>

#include "tools/glyphart/art.h"
#include "tools/glyphart/image_files.h"

using namespace vela::tools;

namespace {

struct Named {
  Glyph glyph;
  const char* name;
};

constexpr Named kGlyphs[] = {{Glyph::Connect, "connect"},
                             {Glyph::Close, "close"},
                             {Glyph::Application, "application"},
                             {Glyph::Upgrade, "upgrade"}};

// Buttons draw a glyph with its bottom-left colour as the transparent one, so the glyphs carry
// no alpha: their edges are blended into the usual face colour, which is also the key.
constexpr std::uint32_t kGlyphBackground = 0xF0F0F0;

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: glyphart <output-directory>\n");
    return 2;
  }
  std::string dir = argv[1];
  bool ok = true;
  for (const Named& g : kGlyphs) {
    Image img = DrawGlyph(g.glyph, 32);
    ok &= WriteFile(dir + "/glyph_" + g.name + ".bmp", Bmp24(img, kGlyphBackground));
  }
  Image i16 = DrawIcon(16), i24 = DrawIcon(24), i32 = DrawIcon(32), i48 = DrawIcon(48),
        i64 = DrawIcon(64);
  ok &= WriteFile(dir + "/vela_update.ico", Ico({&i16, &i24, &i32, &i48, &i64}));
  // The skinned window menu's glyphs: restore, maximise, minimise, close; white is the mask.
  Image restore = DrawMenuGlyph(MenuGlyph::Restore, 16), maximize = DrawMenuGlyph(MenuGlyph::Maximize, 16),
        minimize = DrawMenuGlyph(MenuGlyph::Minimize, 16), close = DrawMenuGlyph(MenuGlyph::Close, 16);
  ok &= WriteFile(dir + "/menu_glyphs.bmp", Bmp1Strip({&restore, &maximize, &minimize, &close}));
  if (!ok) {
    std::fprintf(stderr, "glyphart: could not write into %s\n", dir.c_str());
    return 1;
  }
  return 0;
}
