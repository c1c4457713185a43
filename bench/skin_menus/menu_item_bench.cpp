// One menu item painted with the skin (MenuItem cell, caption, shortcut) against the same item
// drawn plainly by the framework, in microseconds per item, and the live GDI objects before and
// after many skinned paints (goal: the same count).
#include "bench/common/win_bench.h"
#include "skin/data/skin_elements.h"
#include "skin/forms/menu_item_painter.h"
#include "ui/application.h"
#include "ui/bitmap.h"
#include "ui/control.h"
#include "ui/graphics.h"
#include "ui/menus.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

using namespace vela;
using namespace vela::bench;

int main() {
  ui::Application->Initialize();
  std::ifstream in(VELA_DEFAULT_SKN, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
  skin::TSkinElements elements;
  if (skin::LoadSkinFile(bytes, elements) != skin::SkinLoadResult::Loaded) {
    std::printf("menu_item_bench: the default skin did not load from %s\n", VELA_DEFAULT_SKN);
    return 1;
  }
  constexpr int kWidth = 180, kHeight = 20;
  const RECT rect{0, 0, kWidth, kHeight};
  ui::TBitmap target;
  target.SetSize(kWidth, kHeight);

  skin::MenuItemContent content;
  content.caption = L"&Close";
  content.shortcut = L"Shift+F4";
  ui::TPopupMenu menu(nullptr);
  auto* item = new ui::TMenuItem(&menu);
  item->SetCaption(L"&Close");
  item->SetShortCut(ui::TextToShortCut(L"Shift+F4"));
  menu.Items()->Add(item);
  ui::TCanvas canvas;
  ui::TCanvasBinding binding(canvas, target.Dc());

  bool selected = false;
  auto skinned = [&](int) {
    selected = !selected;
    skin::PaintSkinnedMenuItem(target.Dc(), rect, content, selected, elements);
  };
  auto plain = [&](int) {
    selected = !selected;
    item->DrawItem(&canvas, rect, selected);
  };
  skinned(0);
  plain(0);
  const double skinnedUs = MedianMicros(skinned, 400, 7);
  const double plainUs = MedianMicros(plain, 400, 7);
  std::printf("skinned item: %.1f us\n", skinnedUs);
  std::printf("plain item:   %.1f us\n", plainUs);
  std::printf("ratio skinned/plain: %.2f\n", skinnedUs / plainUs);

  // Every kind of item in turn: caption and shortcut, check mark, radio bullet, separator.
  skin::MenuItemContent checked = content, radio = content, line;
  checked.checked = true;
  radio.checked = radio.radio = true;
  line.caption = L"-";
  const skin::MenuItemContent* kinds[] = {&content, &checked, &radio, &line};
  const long before = ui::LiveGdiObjects();
  for (int i = 0; i < 5000; ++i)
    skin::PaintSkinnedMenuItem(target.Dc(), rect, *kinds[i % 4], i % 3 == 0, elements);
  const long after = ui::LiveGdiObjects();
  std::printf("live GDI objects before/after 5000 skinned paints: %ld/%ld\n", before, after);
  return 0;
}
