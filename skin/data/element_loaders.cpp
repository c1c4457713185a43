#include "skin/data/element_loaders.h"

#include "skin/data/bmp.h"
#include "skin/data/memory_stream.h"
#include "skin/data/transforms.h"

namespace vela::skin {
namespace {

std::int32_t ReadInt(const ElementSource& s, std::string_view section, std::string_view key,
                     std::int32_t fallback) {
  return s.Ini.ReadInteger(section, key, fallback);
}

std::string ReadText(const ElementSource& s, std::string_view section, std::string_view key) {
  return s.Ini.ReadString(section, key, "");
}

void ReadMargins(const ElementSource& s, std::string_view section, TDataSkinObject& e) {
  e.LeftWidth = ReadInt(s, section, "LeftWidth", 0);
  e.RightWidth = ReadInt(s, section, "RightWidth", 0);
  e.TopHeight = ReadInt(s, section, "TopHeight", 0);
  e.BottomHeight = ReadInt(s, section, "BottomHeight", 0);
}

void ReadColourSelectors(const ElementSource& s, std::string_view section, TDataSkinObject& e) {
  e.NormalColour = ReadInt(s, section, "NormalColour", -1);
  e.MouseOverColour = ReadInt(s, section, "MouseOverColour", -1);
  e.PressedColour = ReadInt(s, section, "PressedColour", -1);
}

void ReadTextColours(const ElementSource& s, std::string_view section, TDataSkinObject& e) {
  e.NormalColour2 = ParseColour(ReadText(s, section, "NormalColour2"), s.ButtonText);
  e.MouseOverColour2 = ParseColour(ReadText(s, section, "MouseOverColour2"), s.ButtonText);
  e.PressedColour2 = ParseColour(ReadText(s, section, "PressedColour2"), s.ButtonText);
}

// Only 0 and 1 are fill modes of the middle; a skin's larger value means the default.
std::int32_t ClampTile(std::int32_t tile) { return tile > 1 ? 0 : tile; }

// What the plain, bordered and box-label loaders share, "Style" aside.
void ReadCommonFields(const ElementSource& s, std::string_view section, TDataSkinObject& e) {
  LoadSkinImage(s, e.Bitmap, section, "Image");
  ReadMargins(s, section, e);
  e.Trans = ReadInt(s, section, "Trans", 0);
  e.Tile = ClampTile(ReadInt(s, section, "Tile", 0));
  ReadColourSelectors(s, section, e);
  ReadTextColours(s, section, e);
}

std::string_view FileNamePart(std::string_view value) {
  const std::size_t cut = value.find_last_of("\\:");
  return cut == std::string_view::npos ? value : value.substr(cut + 1);
}

} // namespace

std::string SkinImageMember(std::string_view value) {
  const std::string_view name = FileNamePart(value);
  const std::size_t dot = name.rfind('.');
  if (name.empty() || dot == std::string_view::npos || name.substr(dot) != ".bmp") return {};
  return std::string(name);
}

namespace {

std::string BudgetSpent(const PixelBudget& budget) {
  return "beyond the pixels left for this skin (" + std::to_string(budget.Remaining()) + ")";
}

// Extracts and decodes one member. An image that cannot fit what is left of the budget is
// refused from its headers, before its pixels are decoded.
DecodedMember DecodeMember(const TSkinReader& package, const std::string& member,
                           const PixelBudget* budget) {
  DecodedMember out;
  MemoryStream bytes;
  if (!package.ExtractMember(member, bytes)) {
    out.Problem = package.HasMember(member) ? "member \"" + member + "\" runs past the package end"
                                            : "no member \"" + member + "\" in the package";
    return out;
  }
  if (bytes.Size() == 0) {
    out.Problem = "member \"" + member + "\" is empty";
    return out;
  }
  int width = 0, height = 0;
  if (budget && ReadBmpSize(bytes.View(), width, height) &&
      std::int64_t(width) * height > budget->Remaining()) {
    out.Problem = "member \"" + member + "\": " + BudgetSpent(*budget);
    return out;
  }
  std::string why;
  if (!LoadBitmapFromBmp(bytes.View(), out.Image, &why))
    out.Problem = "member \"" + member + "\" does not decode: " + why;
  return out;
}

} // namespace

std::string LoadSkinBitmap(const TSkinReader& package, Bitmap& bitmap, std::string_view value,
                           PixelBudget* budget, DecodedMembers* decoded) {
  bitmap.Clear();
  if (value.empty()) return {};
  const std::string member = SkinImageMember(value);
  if (member.empty()) return "\"" + std::string(value) + "\" does not name a .bmp member";
  // Without the load's cache the member is decoded for this call alone.
  DecodedMembers once;
  DecodedMembers& cache = decoded ? *decoded : once;
  const std::string key = TSkinReader::MemberKey(member);
  auto it = cache.find(key);
  if (it == cache.end()) it = cache.emplace(key, DecodeMember(package, member, budget)).first;
  DecodedMember& found = it->second;
  if (!found.Problem.empty()) return found.Problem;
  if (budget && !budget->Take(found.Image)) return "member \"" + member + "\": " + BudgetSpent(*budget);
  bitmap = decoded ? found.Image : std::move(found.Image);
  return {};
}

void LoadSkinImage(const ElementSource& source, Bitmap& bitmap, std::string_view section,
                   std::string_view key) {
  const std::string value = ReadText(source, section, key);
  const std::string problem =
      LoadSkinBitmap(source.Package, bitmap, value, source.Budget, source.Decoded);
  if (!problem.empty() && source.Report && *source.Report) {
    (*source.Report)(SkinLoadProblem{
        "[" + std::string(section) + "] " + std::string(key) + "=" + value, problem});
  }
}

void LoadPlainElement(const ElementSource& source, std::string_view section,
                      std::unique_ptr<TDataSkinObject>& slot) {
  slot.reset();
  const std::string image = ReadText(source, section, "Image");
  if (image.empty()) return;
  auto e = std::make_unique<TDataSkinObject>(std::string(section));
  e->Style = ReadInt(source, section, "Style", 0);
  ReadCommonFields(source, section, *e);
  slot = std::move(e);
}

void LoadBorderedElement(const ElementSource& source, std::string_view section,
                         std::string_view secondImageKey, std::unique_ptr<TDataSkinBorder>& slot) {
  slot.reset();
  const std::string image = ReadText(source, section, "Image");
  if (image.empty()) return;
  auto e = std::make_unique<TDataSkinBorder>(std::string(section));
  ReadCommonFields(source, section, *e);
  if (!secondImageKey.empty()) LoadSkinImage(source, e->Bitmap2, section, secondImageKey);
  slot = std::move(e);
}

void LoadProgressElement(const ElementSource& source, std::string_view section,
                         std::unique_ptr<TDataSkinBorder>& slot) {
  slot.reset();
  const std::string image = ReadText(source, section, "Bitmap");
  if (image.empty()) return;
  auto e = std::make_unique<TDataSkinBorder>(std::string(section));
  LoadSkinImage(source, e->Bitmap, section, "Bitmap");
  LoadSkinImage(source, e->Bitmap2, section, "Chunk");
  e->Style = ReadInt(source, section, "Style", 0);
  ReadMargins(source, section, *e);
  e->Trans = ReadInt(source, section, "Trans", 0);
  e->Tile = ReadInt(source, section, "Tile", 0);
  slot = std::move(e);
}

void LoadBoxLabelElement(const ElementSource& source, std::string_view section,
                         std::unique_ptr<TDataSkinBoxLabel>& slot) {
  slot.reset();
  const std::string image = ReadText(source, section, "Image");
  if (image.empty()) return;
  auto e = std::make_unique<TDataSkinBoxLabel>(std::string(section));
  e->Style = ReadInt(source, section, "Style", 0);
  ReadCommonFields(source, section, *e);
  e->BackgroundAlignment = ReadInt(source, section, "BackgroundAlignment", 0);
  e->BackgroundLeftShift = ReadInt(source, section, "BackgroundLeftShift", 0);
  e->BackgroundRightShift = ReadInt(source, section, "BackgroundRightShift", 0);
  slot = std::move(e);
}

void LoadMenuBarElement(const ElementSource& source, std::unique_ptr<TDataSkinObject>& slot) {
  constexpr std::string_view kSection = "Personality";
  slot.reset();
  const std::string image = ReadText(source, kSection, "menuBar");
  if (image.empty()) return;
  auto e = std::make_unique<TDataSkinObject>(std::string(kSection));
  LoadSkinImage(source, e->Bitmap, kSection, "menuBar");
  e->TopHeight = e->BottomHeight = 0;
  e->Tile = ReadInt(source, kSection, "TileMenu", 0);
  e->LeftWidth = ReadInt(source, kSection, "TileLeftMenu", 1);
  e->RightWidth = ReadInt(source, kSection, "TileRightMenu", 1);
  slot = std::move(e);
}

void LoadFrameBorder(const ElementSource& source, TDataSkinBorder& border) {
  constexpr std::string_view kSection = "Personality";
  const std::string& name = border.Name;
  const auto key = [&name](std::string_view suffix) { return name + std::string(suffix); };
  const std::int32_t first = ReadInt(source, kSection, key("TopHeight"), 0);
  const std::int32_t last = ReadInt(source, kSection, key("BotHeight"), 0);
  if (name == "Top" || name == "Bottom") {
    // Horizontal strips: the "TopHeight" key is the fixed part at the left end.
    border.SetMargins(Margins{first, 0, last, 0});
  } else {
    border.SetMargins(Margins{0, first, 0, last});
  }
  border.FrameCount = ReadInt(source, kSection, key("Frame"), 1);
  border.Tile = ReadInt(source, kSection, key("Stretch"), 1);
  border.Trans = ReadInt(source, kSection, key("Trans"), 1);
  LoadSkinImage(source, border.Bitmap, kSection, name);
}

void LoadPushButton(const ElementSource& source, TDataSkinButton& b) {
  constexpr std::string_view kSection = "Buttons";
  ReadMargins(source, kSection, b);
  b.Trans = ReadInt(source, kSection, "Trans", 0);
  LoadSkinImage(source, b.Bitmap, kSection, "Bitmap");
  b.Tile = ReadInt(source, kSection, "Tile", 0);
  LoadSkinImage(source, b.CheckBitmap, kSection, "CheckButton");
  LoadSkinImage(source, b.RadioBitmap, kSection, "RadioButton");
  ReadColourSelectors(source, kSection, b);
  b.RadioButtonFrame = ReadInt(source, kSection, "RadioButtonFrame", 0);
  b.CheckButtonFrame = ReadInt(source, kSection, "CheckButtonFrame", 0);
  b.HasNormalColour2 = !ReadText(source, kSection, "NormalColour2").empty();
  b.HasMouseOverColour2 = !ReadText(source, kSection, "MouseOverColour2").empty();
  b.HasPressedColour2 = !ReadText(source, kSection, "PressedColour2").empty();
  ReadTextColours(source, kSection, b);
}

namespace {

// A caption colour counts only when all three of its channel keys are given (0 or more).
ColourCode ReadCaptionColour(const ElementSource& s, std::string_view prefix) {
  const std::string p(prefix);
  const std::int32_t r = ReadInt(s, "Personality", p + "R", -1);
  const std::int32_t g = ReadInt(s, "Personality", p + "G", -1);
  const std::int32_t b = ReadInt(s, "Personality", p + "B", -1);
  if (r < 0 || g < 0 || b < 0) return kColourNotGiven;
  return RgbColour(r % 256, g % 256, b % 256);
}

} // namespace

void LoadTitle(const ElementSource& source, TDataSkinTitle& t) {
  constexpr std::string_view kSection = "Personality";
  LoadSkinImage(source, t.Bitmap, kSection, "TextBack");
  t.LeftWidth = ReadInt(source, kSection, "TextShift", 0);
  t.TopHeight = ReadInt(source, kSection, "TextShiftVert", 0);
  t.RightWidth = ReadInt(source, kSection, "TextRightClip", 0);
  t.BottomHeight = 0;
  t.TextAlignment = ReadInt(source, kSection, "TextAlignment", 0);
  t.Textbackground = ReadInt(source, kSection, "Textbackground", 0);
  t.FontHeight = ReadInt(source, "Fonts", "FontHeight", 14);
  t.TXTBackleft = ReadInt(source, kSection, "TXTBackleft", 0);
  t.TXTBackRight = ReadInt(source, kSection, "TXTBackRight", 0);
  t.ActiveText = ReadCaptionColour(source, "ActiveText");
  t.InActiveText = ReadCaptionColour(source, "InActiveText");
}

void MirrorComboButton(TDataSkinBorder& comboButton) {
  if (comboButton.Bitmap.Empty()) return;
  comboButton.Bitmap2 = comboButton.Bitmap;
  MirrorBitmapCells(comboButton.Bitmap2, kComboButtonFrames);
}

} // namespace vela::skin
