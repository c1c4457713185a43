// The skins skinart draws ("Vela Calm", the default, and "Vela Dusk") through the whole loading
// path: the packed file expands, its package and description read, and every element the
// update tool paints with comes out usable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "skin/data/skin_elements.h"
#include "tests/unit/default_skin/contact_sheet.h"
#include "tests/unit/default_skin/png_writer.h"
#include "tools/skinart/default_skin.h"
#include "tools/skinart/palette.h"

namespace vela::test {
namespace {

using skin::Bitmap;
using skin::Pixel;
using skin::Rect;

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

int CountMagenta(const Bitmap& image, Rect area) {
  int n = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      n += image.At(x, y) == skin::kMagenta ? 1 : 0;
    }
  }
  return n;
}

// Relative luminance contrast of two colours, 1 (none) to 21 (black on white).
double Contrast(Pixel a, Pixel b) {
  auto luminance = [](Pixel p) {
    auto lin = [](int c) {
      const double v = c / 255.0;
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(skin::PixelRed(p)) + 0.7152 * lin(skin::PixelGreen(p)) +
           0.0722 * lin(skin::PixelBlue(p));
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::string ToLower(std::string text) {
  for (char& c : text)
    c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

Pixel Explicit(skin::ColourCode code) {
  EXPECT_FALSE(skin::IsSystemColour(code)) << "the skin leaves a colour to the system";
  return skin::PixelFromColorRef(std::uint32_t(code));
}

// A skin skinart draws: its packed file, its committed folder and its palette.
struct DrawnSkinCase {
  const char* name;
  const char* packed;
  const char* folder;
  const tools::palette::Palette& (*colours)();
};

void PrintTo(const DrawnSkinCase& drawn, std::ostream* out) {
  *out << drawn.name;
}

const DrawnSkinCase kDrawnSkins[] = {
    {"Calm", VELA_DEFAULT_SKN, VELA_DEFAULT_SKIN_DIR, &tools::palette::Calm},
    {"Dusk", VELA_DUSK_SKN, VELA_DUSK_SKIN_DIR, &tools::palette::Dusk},
};

// Each skin is read once, through the same path the update tool reads its stored skin.
class DrawnSkin : public ::testing::TestWithParam<DrawnSkinCase> {
protected:
  struct Loaded {
    skin::TSkinElements elements;
    skin::SkinLoadResult result = skin::SkinLoadResult::Damaged;
  };
  static void TearDownTestSuite() { loaded_.clear(); }
  void SetUp() override {
    std::unique_ptr<Loaded>& entry = loaded_[GetParam().name];
    if (!entry) {
      entry = std::make_unique<Loaded>();
      entry->result = skin::LoadSkinFile(ReadFile(GetParam().packed), entry->elements);
    }
    skin_ = entry.get();
    ASSERT_EQ(skin_->result, skin::SkinLoadResult::Loaded) << GetParam().packed;
  }

  const skin::TSkinElements& Skin() const { return skin_->elements; }

private:
  static inline std::map<std::string, std::unique_ptr<Loaded>> loaded_;
  Loaded* skin_ = nullptr;
};

INSTANTIATE_TEST_SUITE_P(Skins, DrawnSkin, ::testing::ValuesIn(kDrawnSkins),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(DrawnSkin, EveryElementIsPresentWithWholeCells) {
  const skin::TSkinElements& s = Skin();
  EXPECT_EQ(s.SkinName, GetParam().colours().skinName);
  struct Expect {
    const skin::TDataSkinObject* element;
    const char* name;
    int cells;
  };
  const Expect optional[] = {
      {s.Progress.get(), "Progress", 2},          {s.MenuBar.get(), "menu bar", 2},
      {s.GroupBoxEdge.get(), "GroupBoxEdge", 2},  {s.GroupBox.get(), "GroupBox", 1},
      {s.Toolbars.get(), "Toolbars", 5},          {s.Tabs.get(), "Tabs", 5},
      {s.StatusBarEdges.get(), "StatusBarEdges", 3}, {s.ComboButton.get(), "ComboButton", 4},
      {s.SunkEdge.get(), "SunkEdge", 4},          {s.ExtraImages.get(), "ExtraImages", 5},
      {s.Headerbar.get(), "Headerbar", 5},        {s.MenuItem.get(), "MenuItem", 5},
      {s.MenuBackground.get(), "MenuBackground", 1}, {s.Scrollbar.get(), "Scrollbar", 23},
      {s.HorzScroll.get(), "HorzScroll", 4},      {s.VertScroll.get(), "VertScroll", 4},
      {s.HorzScrollThumb.get(), "HorzScrollThumb", 3},
      {s.VertScrollThumb.get(), "VertScrollThumb", 3},
      {s.UpDownHorz.get(), "UpDown.Horz", 8},     {s.UpDownVert.get(), "UpDown.Vert", 8},
  };
  for (const Expect& e : optional) {
    ASSERT_NE(e.element, nullptr) << e.name << " is missing";
    EXPECT_EQ(e.element->FrameCount, e.cells) << e.name;
    EXPECT_FALSE(e.element->Bitmap.Empty()) << e.name;
  }
  for (const auto& thumb : s.TrackbarThumbs) {
    ASSERT_NE(thumb, nullptr);
    EXPECT_EQ(thumb->FrameCount, 5) << thumb->Name;
  }
  EXPECT_FALSE(s.Progress->Bitmap2.Empty()) << "progress chunk";
  EXPECT_FALSE(s.Tabs->Bitmap2.Empty()) << "tab border";
  EXPECT_FALSE(s.UpDownHorz->Bitmap2.Empty()) << "horizontal up-down glyphs";
  EXPECT_FALSE(s.UpDownVert->Bitmap2.Empty()) << "vertical up-down glyphs";
  EXPECT_FALSE(s.Title.Bitmap.Empty()) << "title backing";
  EXPECT_EQ(s.Buttons.CheckButtonFrame, 12);
  EXPECT_EQ(s.Buttons.RadioButtonFrame, 8);
  EXPECT_EQ(s.Buttons.HasNormalColour2, 1);

  // Every strip divides into its cells without a remainder, so no cell shows a sliver of its
  // neighbour.
  for (const SheetEntry& e : SheetEntries(s)) {
    const int length = e.vertical ? e.image->Height() : e.image->Width();
    EXPECT_EQ(length % e.cells, 0) << e.label << ": " << length << " pixels for " << e.cells;
  }
}

TEST_P(DrawnSkin, CaptionButtonsAreCloseMaximiseRestoreMinimiseAndIconThenMdi) {
  const skin::TCaptionButtons& buttons = Skin().CaptionButtons;
  ASSERT_EQ(buttons.size(), 8u);
  const int actions[8] = {0, 1, 1, 2, 3, 7, 8, 9};
  const int cells[8] = {4, 4, 4, 4, 1, 4, 4, 4};
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(buttons[i]->Action, actions[i]) << buttons[i]->Name;
    EXPECT_EQ(buttons[i]->FrameCount, cells[i]) << buttons[i]->Name;
    EXPECT_FALSE(buttons[i]->Bitmap.Empty()) << buttons[i]->Name;
  }
  // Maximise and restore share a place and are never shown together.
  EXPECT_EQ(buttons[1]->Xcoord, buttons[2]->Xcoord);
  EXPECT_EQ(buttons[1]->Visibility, 2); // not maximised
  EXPECT_EQ(buttons[2]->Visibility, 1); // maximised
  // Every state cell of a caption button shows its glyph.
  for (std::size_t i = 0; i < 4; ++i) {
    const Bitmap& strip = buttons[i]->Bitmap;
    const int w = strip.Width() / 4;
    for (int c = 0; c < 4; ++c) {
      const Rect cell{c * w, 0, (c + 1) * w, strip.Height()};
      EXPECT_LT(CountMagenta(strip, cell), cell.Width() * cell.Height())
          << buttons[i]->Name << " cell " << c + 1 << " is empty";
    }
  }
}

TEST_P(DrawnSkin, CaptionLayoutLeavesTheTitleClearOfTheButtons) {
  const skin::TSkinElements& s = Skin();
  const int width = 738;
  const int top = s.Top.Bitmap.Height() / s.Top.FrameCount;
  const int left = s.Left.Bitmap.Width() / s.Left.FrameCount;
  const int right = s.Right.Bitmap.Width() / s.Right.FrameCount;
  std::vector<Rect> shown;
  int leftmostButton = width, iconRight = 0;
  for (const auto& b : s.CaptionButtons) {
    if (b->Visibility == 1 || b->Visibility == 100) {
      continue; // maximised-only and MDI buttons
    }
    const int w = b->Bitmap.Width() / b->FrameCount, h = b->Bitmap.Height();
    const int x = b->Align == 1 ? width - b->Xcoord : b->Xcoord;
    const Rect r{x, b->Ycoord, x + w, b->Ycoord + h};
    EXPECT_GE(r.left, left) << b->Name;
    EXPECT_LE(r.right, width - right) << b->Name;
    EXPECT_GE(r.top, 1) << b->Name;
    EXPECT_LE(r.bottom, top - 1) << b->Name;
    for (const Rect& other : shown) {
      const bool apart = r.right <= other.left || other.right <= r.left;
      EXPECT_TRUE(apart) << b->Name << " overlaps another caption button";
    }
    shown.push_back(r);
    if (b->Align == 1) {
      leftmostButton = std::min(leftmostButton, r.left);
    } else {
      iconRight = std::max(iconRight, r.right);
    }
  }
  EXPECT_EQ(shown.size(), 4u);
  EXPECT_GE(left + s.Title.LeftWidth, iconRight) << "the title starts over the icon";
  EXPECT_LE(width - right - s.Title.RightWidth, leftmostButton) << "the title runs under the buttons";
}

TEST_P(DrawnSkin, FrameIsCutOnlyAtItsRoundedTopCorners) {
  for (bool active : {true, false}) {
    const Bitmap frame = ComposeWindowFrame(Skin(), 738, 519, active);
    const int w = frame.Width(), h = frame.Height();
    constexpr int kCorner = 12;
    const int topLeft = CountMagenta(frame, Rect{0, 0, kCorner, kCorner});
    const int topRight = CountMagenta(frame, Rect{w - kCorner, 0, w, kCorner});
    EXPECT_GT(topLeft, 0) << "active " << active;
    EXPECT_EQ(topLeft, topRight) << "active " << active;
    EXPECT_EQ(CountMagenta(frame, Rect{0, 0, w, h}), topLeft + topRight)
        << "the frame has holes away from its corners (active " << active << ")";
    // The very corner pixel is cut, the pixel on the diagonal well inside is not.
    EXPECT_EQ(frame.At(0, 0), skin::kMagenta);
    EXPECT_NE(frame.At(4, 4), skin::kMagenta);
  }
}

TEST_P(DrawnSkin, OpaqueImagesHoldNoMagentaAndTextStaysReadable) {
  for (const SheetEntry& e : SheetEntries(Skin())) {
    if (!e.transparent) {
      EXPECT_EQ(CountMagenta(*e.image, Rect{0, 0, e.image->Width(), e.image->Height()}), 0)
          << e.label << " is drawn opaque, so magenta would show";
    }
  }
  const skin::TSkinColours& c = Skin().Colours;
  const Pixel caption = Skin().Top.Bitmap.At(Skin().Top.Bitmap.Width() / 2, 10);
  const std::pair<skin::ColourCode, Pixel> pairs[] = {
      {c.ButtonText, Explicit(c.ButtonFace)},   {c.WindowText, Explicit(c.ButtonFace)},
      {c.MenuText, Explicit(c.Menu)},           {c.HilightText, Explicit(c.Hilight)},
      {c.MenuBarText, Explicit(c.Menubar)},     {c.TitleTextActive, caption},
  };
  for (const auto& [text, background] : pairs) {
    EXPECT_GE(Contrast(Explicit(text), background), 4.5)
        << std::hex << text << " on " << background;
  }
}

TEST_P(DrawnSkin, NoImageHasPinkFringesAroundItsTransparentPixels) {
  // A smoothed edge mixed with magenta would be neither cut out nor the intended colour.
  for (const SheetEntry& e : SheetEntries(Skin())) {
    int fringe = 0;
    for (int y = 0; y < e.image->Height(); ++y) {
      for (int x = 0; x < e.image->Width(); ++x) {
        const Pixel p = e.image->At(x, y);
        const bool pinkish = skin::PixelRed(p) > 160 && skin::PixelBlue(p) > 160 &&
                             skin::PixelGreen(p) + 60 < std::min(skin::PixelRed(p), skin::PixelBlue(p));
        fringe += pinkish && p != skin::kMagenta ? 1 : 0;
      }
    }
    EXPECT_EQ(fringe, 0) << e.label;
  }
}

TEST_P(DrawnSkin, ComboCompositeShowsAnArrowInEveryState) {
  const skin::TDataSkinBorder& combo = *Skin().ComboButton;
  ASSERT_EQ(combo.Style, 2);
  ASSERT_EQ(combo.Bitmap.Width(), 50 * combo.FrameCount);
  for (int f = 0; f < combo.FrameCount; ++f) {
    const int x0 = 50 * f;
    EXPECT_EQ(combo.Bitmap.At(x0 + 10, 10), skin::kMagenta) << "text area of cell " << f + 1;
    const int b = combo.RightWidth - 2;
    const Rect button{x0 + 50 - b + 2, 4, x0 + 48, 17};
    const Pixel background = combo.Bitmap.At(button.left, button.top);
    int inked = 0;
    for (int y = button.top; y < button.bottom; ++y) {
      for (int x = button.left; x < button.right; ++x) {
        inked += combo.Bitmap.At(x, y) != background ? 1 : 0;
      }
    }
    EXPECT_GT(inked, 4) << "no arrow in cell " << f + 1;
  }
}

TEST_P(DrawnSkin, CommittedFilesAreWhatTheGeneratorDraws) {
  const std::filesystem::path dir = GetParam().folder;
  const tools::DefaultSkin skin = tools::BuildSkin(GetParam().colours());
  std::set<std::string> drawn;
  for (const tools::SkinImage& image : skin.images) {
    EXPECT_TRUE(drawn.insert(image.file).second) << image.file << " is named twice";
    EXPECT_EQ(ReadFile(dir / image.file), tools::EncodeBmp24(image.image.Image()))
        << image.file << " differs from the generator's drawing; run regenerate_default_skin or regenerate_dusk_skin";
  }
  const std::vector<std::uint8_t> bytes = ReadFile(dir / tools::kSkinIniName);
  const std::vector<std::string> committedLines = Lines(std::string(bytes.begin(), bytes.end()));
  const std::vector<std::string> drawnLines = Lines(skin.ini);
  const auto [a, b] = std::mismatch(committedLines.begin(), committedLines.end(),
                                    drawnLines.begin(), drawnLines.end());
  EXPECT_TRUE(a == committedLines.end() && b == drawnLines.end())
      << "skin.ini differs at line " << (a - committedLines.begin()) + 1 << ": committed \""
      << (a != committedLines.end() ? *a : "(end)") << "\", generator \""
      << (b != drawnLines.end() ? *b : "(end)") << "\"";
  std::set<std::string> committed;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() == ".bmp") {
      committed.insert(entry.path().filename().string());
    }
  }
  EXPECT_EQ(committed, drawn) << "the folder holds images the description does not name";
}

TEST_P(DrawnSkin, ContactSheetIsWritten) {
  const Bitmap sheet = RenderContactSheet(Skin());
  ASSERT_FALSE(sheet.Empty());
  const std::string path = std::string(VELA_CONTACT_SHEET_DIR) + "/" +
                           ToLower(GetParam().name) + "_skin_contact_sheet.png";
  ASSERT_TRUE(WritePng(path, sheet.View())) << path;
  std::printf("contact sheet of the %s skin: %s\n", GetParam().name, path.c_str());
}

// The variants are the same drawings: every image has the same size in both, and none is
// merely copied, since each takes its colours from its own palette.
TEST(DrawnSkins, TheVariantsHaveTheSameImagesInOtherColoursAndTheirOwnNames) {
  const tools::DefaultSkin calm = tools::BuildSkin(tools::palette::Calm());
  const tools::DefaultSkin dusk = tools::BuildSkin(tools::palette::Dusk());
  ASSERT_EQ(calm.images.size(), dusk.images.size());
  for (std::size_t i = 0; i < calm.images.size(); ++i) {
    const Bitmap& a = calm.images[i].image.Image();
    const Bitmap& b = dusk.images[i].image.Image();
    EXPECT_EQ(calm.images[i].file, dusk.images[i].file);
    EXPECT_EQ(a.Width(), b.Width()) << calm.images[i].file;
    EXPECT_EQ(a.Height(), b.Height()) << calm.images[i].file;
    EXPECT_FALSE(a == b) << calm.images[i].file << " is the same in both";
  }
  EXPECT_NE(calm.ini.find("SkinName=Vela Calm"), std::string::npos);
  EXPECT_NE(dusk.ini.find("SkinName=Vela Dusk"), std::string::npos);
  // Drawing one variant leaves the other as the one in use afterwards.
  EXPECT_EQ(&tools::palette::Current(), &tools::palette::Calm());
}

TEST(DrawnSkins, PalettesAreFoundByNameInAnyLetterCase) {
  EXPECT_EQ(tools::palette::ByName("dusk"), &tools::palette::Dusk());
  EXPECT_EQ(tools::palette::ByName("CALM"), &tools::palette::Calm());
  EXPECT_EQ(tools::palette::ByName("dawn"), nullptr);
  EXPECT_EQ(tools::palette::ByName(""), nullptr);
}

} // namespace
} // namespace vela::test
