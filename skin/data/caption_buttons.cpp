#include "skin/data/caption_buttons.h"

#include <algorithm>

namespace vela::skin {
namespace {

std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return out;
}

std::unique_ptr<TDataSkinSysButton> LoadCaptionButton(const ElementSource& s,
                                                      const std::string& section) {
  auto b = std::make_unique<TDataSkinSysButton>(section);
  const TQuickIni& ini = s.Ini;
  b->Action = ini.ReadInteger(section, "Action", 0);
  b->Align = ini.ReadInteger(section, "Align", 0);
  b->Xcoord = ini.ReadInteger(section, "Xcoord", 0);
  b->Ycoord = ini.ReadInteger(section, "Ycoord", 0);
  b->Visibility = ini.ReadInteger(section, "Visibility", 0);
  b->Visibility1 = ini.ReadInteger(section, "Visibility1", b->Action == -1 ? -1 : 0);
  b->CombineOp = ini.ReadInteger(section, "CombineOp", -1);
  b->FrameCount = ini.ReadInteger(section, "frame", 0);
  LoadSkinImage(s, b->Bitmap, section, "ButtonImage");
  if (b->FrameCount == 0) {
    b->FrameCount = CaptionButtonFrames(b->Bitmap, b->Action);
    // Without a cell count these two actions are drawn by the frame itself, not from a strip.
    if (b->Action == 3 || b->Action == 11) b->Bitmap.Clear();
  }
  return b;
}

// Columns [x, x + width) of `strip`, full height.
Bitmap CopyColumns(const Bitmap& strip, int x, int width) {
  Bitmap part;
  if (width <= 0 || !part.Resize(width, strip.Height())) return part;
  for (int y = 0; y < strip.Height(); ++y)
    for (int i = 0; i < width; ++i) part.At(i, y) = strip.At(x + i, y);
  return part;
}

// The MDI image holds the three buttons side by side, each four cells of width c = w / 12.
void AppendMdiButtons(const ElementSource& s, TCaptionButtons& buttons) {
  Bitmap scratch;
  LoadSkinImage(s, scratch, "MDICONTROLS", "Image");
  const int c = scratch.Width() / 12;
  for (int i = 0; i < 3; ++i) {
    auto b = std::make_unique<TDataSkinSysButton>("MDICONTROLS");
    b->Action = kMdiButtonActions[i];
    b->Align = b->Visibility = b->Visibility1 = 100;
    b->FrameCount = kMdiButtonFrames;
    if (!scratch.Empty()) {
      b->Bitmap = CopyColumns(scratch, 4 * c * i, 4 * c);
      b->Xcoord = (c + 4) * (3 - i);
    }
    buttons.push_back(std::move(b));
  }
}

} // namespace

bool IsCaptionButtonSection(const TQuickIni& ini, std::string_view upperName) {
  if (!upperName.starts_with("BUTTON")) return false;
  for (std::string_view pushButton : {"BUTTON", "BUTTONS", "BUTTON.RADIO", "BUTTON.CHECKBOX"})
    if (upperName == pushButton) return false;
  const bool switchedOff = ini.ReadInteger(upperName, "Action", 0) == -1 &&
                           ini.ReadInteger(upperName, "Visibility", -1) != 0;
  return !switchedOff;
}

std::int32_t CaptionButtonFrames(const Bitmap& strip, std::int32_t action) {
  std::int32_t frames = 6;
  if (!strip.Empty()) frames = double(strip.Width()) / double(strip.Height()) <= 3.8 ? 3 : 6;
  if (action < 0) frames = 6;
  return frames;
}

void LoadCaptionButtons(const ElementSource& source, const std::vector<std::string>& sections,
                        TCaptionButtons& buttons) {
  buttons.clear();
  for (const std::string& name : sections) {
    const std::string upper = UpperAscii(name);
    if (IsCaptionButtonSection(source.Ini, upper))
      buttons.push_back(LoadCaptionButton(source, upper));
  }
  AppendMdiButtons(source, buttons);
}

} // namespace vela::skin
