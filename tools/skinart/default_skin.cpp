// Puts the default skin together: each section of the description with the images it names.
#include "tools/skinart/default_skin.h"

#include <string_view>

#include "tools/skinart/art.h"
#include "tools/skinart/palette.h"

namespace vela::tools {

namespace {

// Collects the description text and the images in the order they are named.
class SkinWriter {
public:
  explicit SkinWriter(DefaultSkin& skin) : skin_(skin) {}

  void Comment(std::string_view text) { Line("; " + std::string(text)); }

  void Section(std::string_view name) {
    if (!skin_.ini.empty()) {
      Line("");
    }
    Line("[" + std::string(name) + "]");
  }

  void Key(std::string_view key, std::string_view value) {
    Line(std::string(key) + "=" + std::string(value));
  }
  void Key(std::string_view key, int value) { Key(key, std::to_string(value)); }
  void Colour(std::string_view key, Pixel p) {
    Key(key, std::to_string(skin::PixelRed(p)) + " " + std::to_string(skin::PixelGreen(p)) + " " +
                 std::to_string(skin::PixelBlue(p)));
  }
  void Image(std::string_view key, std::string_view file, Canvas image) {
    Key(key, file);
    skin_.images.push_back(SkinImage{std::string(file), std::move(image)});
  }
  void Margins(int left, int top, int right, int bottom) {
    Key("LeftWidth", left);
    Key("TopHeight", top);
    Key("RightWidth", right);
    Key("BottomHeight", bottom);
  }

private:
  void Line(const std::string& text) { skin_.ini += text + "\r\n"; }

  DefaultSkin& skin_;
};

void WriteIdentity(SkinWriter& w) {
  if (&pal() == &palette::Calm())
    w.Comment("Default skin of the Vela System Firmware Update Tool.");
  else
    w.Comment("\"" + pal().skinName + "\", a skin of the Vela System Firmware Update Tool.");
  w.Comment("Drawn by tools/skinart; change the program and run it again rather than editing.");
  w.Section("TitlebarSkin");
  w.Key("SkinName", pal().skinName);
  w.Section("Fonts");
  w.Key("FontHeight", 14);
}

void WriteBorder(SkinWriter& w, std::string_view name, std::string_view file, Canvas image,
                 int fixedStart, int fixedEnd) {
  const std::string n(name);
  w.Image(n, file, std::move(image));
  w.Key(n + "Frame", 2);
  w.Key(n + "TopHeight", fixedStart);
  w.Key(n + "BotHeight", fixedEnd);
  w.Key(n + "Stretch", 1);
  w.Key(n + "Trans", 1);
}

void WritePersonality(SkinWriter& w) {
  using namespace art;
  w.Section("Personality");
  WriteBorder(w, "Top", "frametop.bmp", FrameTop(), kTopEnd, kTopEnd);
  WriteBorder(w, "Bottom", "framebottom.bmp", FrameBottom(), 0, 0);
  WriteBorder(w, "Left", "frameleft.bmp", FrameLeft(), kCaptionHeight, kBottomHeight);
  WriteBorder(w, "Right", "frameright.bmp", FrameRight(), kCaptionHeight, kBottomHeight);
  // The title follows the window icon, left aligned, and stops short of the three buttons.
  w.Image("TextBack", "titleback.bmp", TitleBack());
  w.Key("TextAlignment", 0);
  w.Key("TextShift", 30);
  w.Key("TextShiftVert", 0);
  w.Key("TextRightClip", 3 * kCaptionButtonWidth + 14);
  w.Key("Textbackground", 0);
  w.Key("TXTBackleft", kTitleBackEnd);
  w.Key("TXTBackRight", kTitleBackEnd);
  w.Key("ActiveTextR", skin::PixelRed(pal().CaptionText));
  w.Key("ActiveTextG", skin::PixelGreen(pal().CaptionText));
  w.Key("ActiveTextB", skin::PixelBlue(pal().CaptionText));
  w.Key("InActiveTextR", skin::PixelRed(pal().CaptionTextOff));
  w.Key("InActiveTextG", skin::PixelGreen(pal().CaptionTextOff));
  w.Key("InActiveTextB", skin::PixelBlue(pal().CaptionTextOff));
  w.Image("menuBar", "menubar.bmp", MenuBar());
  w.Key("TileMenu", 1);
  w.Key("TileLeftMenu", 2);
  w.Key("TileRightMenu", 2);
}

void WriteColours(SkinWriter& w) {
  w.Section("Colours");
  w.Colour("WindowText", pal().Text);
  w.Colour("ButtonFace", pal().Face);
  w.Colour("Scrollbar", pal().Track);
  w.Colour("HilightText", pal().Field);
  w.Colour("Hilight", pal().Accent);
  w.Colour("Menubar", pal().Face);
  w.Colour("Menu", pal().Field);
  w.Colour("MenuText", pal().Text);
  w.Colour("ButtonText", pal().Text);
  w.Colour("ButtonHilight", pal().Light);
  w.Colour("Buttonlight", pal().Raised);
  w.Colour("ButtonShadow", pal().Shadow);
  w.Colour("ButtonDkShadow", pal().DkShadow);
  w.Colour("MenuBarText", pal().Text);
  w.Colour("TitleTextActive", pal().CaptionText);
  w.Colour("TitleTextNoActive", pal().CaptionTextOff);

  w.Section("Customcolors");
  const Pixel custom[10] = {pal().Accent, pal().AccentDark, pal().AccentSoft, pal().AccentTint,
                            pal().Text,   pal().TextSoft,   pal().Shadow,     pal().Border,
                            pal().Face,   pal().Field};
  for (int i = 0; i < 10; ++i) {
    w.Colour("Color" + std::to_string(i), custom[i]);
  }
}

struct CaptionButtonDef {
  const char* file;
  art::CaptionGlyph glyph;
  int action, xcoord, visibility, visibility1;
};

void WriteCaptionButtons(SkinWriter& w) {
  using namespace art;
  // Right-aligned from the window's right edge: close, then maximise or restore (whichever the
  // window state calls for), then minimise.
  constexpr int step = kCaptionButtonWidth;
  constexpr int ycoord = (kCaptionHeight - kCaptionButtonHeight) / 2;
  const CaptionButtonDef defs[4] = {
      {"closebutton.bmp", CaptionGlyph::Close, 0, kSideWidth + step, 0, 0},
      {"maxbutton.bmp", CaptionGlyph::Maximize, 1, kSideWidth + 2 * step, 2, 6},
      {"restorebutton.bmp", CaptionGlyph::Restore, 1, kSideWidth + 2 * step, 1, 6},
      {"minbutton.bmp", CaptionGlyph::Minimize, 2, kSideWidth + 3 * step, 0, 8},
  };
  for (int i = 0; i < 4; ++i) {
    w.Section("BUTTON" + std::to_string(i));
    w.Image("ButtonImage", defs[i].file, CaptionButton(defs[i].glyph));
    w.Key("frame", 4);
    w.Key("Action", defs[i].action);
    w.Key("Align", 1);
    w.Key("Xcoord", defs[i].xcoord);
    w.Key("Ycoord", ycoord);
    w.Key("Visibility", defs[i].visibility);
    w.Key("Visibility1", defs[i].visibility1);
  }
  // The system-menu place shows the window's own icon; the skin's mark only sizes it.
  w.Section("BUTTON4");
  w.Image("ButtonImage", "sysmenu.bmp", SystemIcon());
  w.Key("frame", 1);
  w.Key("Action", 3);
  w.Key("Align", 0);
  w.Key("Xcoord", 9);
  w.Key("Ycoord", (kCaptionHeight - 16) / 2);
  w.Key("Visibility", 0);
  w.Key("Visibility1", 0);

  w.Section("MDICONTROLS");
  w.Image("Image", "mdicontrols.bmp", MdiControls());
}

void WriteButtons(SkinWriter& w) {
  using namespace art;
  w.Section("Buttons");
  w.Image("Bitmap", "button.bmp", PushButton());
  w.Margins(kButtonMargin, kButtonMargin, kButtonMargin, kButtonMargin);
  w.Key("Trans", 1);
  w.Key("Tile", 0);
  w.Image("CheckButton", "check.bmp", CheckMarks());
  w.Key("CheckButtonFrame", kCheckCells);
  w.Image("RadioButton", "radio.bmp", RadioMarks());
  w.Key("RadioButtonFrame", kRadioCells);
  w.Colour("NormalColour2", pal().Text);
  w.Colour("MouseOverColour2", pal().AccentDark);
  w.Colour("PressedColour2", pal().AccentDark);

  w.Section("Progress");
  w.Image("Bitmap", "progress.bmp", Progress());
  w.Image("Chunk", "progresschunk.bmp", ProgressChunk());
  w.Key("Style", 0);
  w.Margins(kProgressMargin, kProgressMargin, kProgressMargin, kProgressMargin);
  w.Key("Trans", 1);
  w.Key("Tile", 0);
}

// A section of the usual shape: an image, its margins, and the transparency and tiling flags.
void WritePlain(SkinWriter& w, std::string_view section, std::string_view file, Canvas image,
                int left, int top, int right, int bottom, bool trans) {
  w.Section(section);
  w.Image("Image", file, std::move(image));
  w.Margins(left, top, right, bottom);
  w.Key("Trans", trans ? 1 : 0);
  w.Key("Tile", 0);
}

void WritePanels(SkinWriter& w) {
  using namespace art;
  WritePlain(w, "GroupBoxEdge", "groupboxedge.bmp", GroupBoxEdge(), kGroupMargin, kGroupMargin,
             kGroupMargin, kGroupMargin, true);
  WritePlain(w, "GroupBox", "groupboxlabel.bmp", GroupBoxLabel(), kGroupLabelMargin, 0,
             kGroupLabelMargin, 0, true);
  w.Key("BackgroundAlignment", 0);
  w.Key("BackgroundLeftShift", -4);
  w.Key("BackgroundRightShift", 4);
  WritePlain(w, "Toolbars", "toolbar.bmp", Toolbar(), kToolbarMargin, kToolbarMargin,
             kToolbarMargin, kToolbarMargin, true);
  WritePlain(w, "Tabs", "tabs.bmp", Tabs(), kTabSide, kTabTop, kTabSide, kTabBottom, true);
  w.Image("Border", "tabborder.bmp", TabBorder());
  w.Colour("NormalColour2", pal().TextSoft);
  w.Colour("MouseOverColour2", pal().Text);
  WritePlain(w, "StatusBarEdges", "statusbar.bmp", StatusPanels(), kStatusMargin, kStatusMargin,
             kStatusMargin, kStatusMargin, false);
  w.Colour("NormalColour2", pal().TextSoft);
  WritePlain(w, "ComboButton", "combobutton.bmp", ComboButton(), 2, 2, 2, 2, true);
  WritePlain(w, "SunkEdge", "sunkedge.bmp", SunkEdge(), kSunkMargin, kSunkMargin, kSunkMargin,
             kSunkMargin, true);
  WritePlain(w, "ExtraImages", "extraimages.bmp", ExtraImages(), 0, 0, 0, 0, true);
  WritePlain(w, "Headerbar", "header.bmp", Header(), kHeaderSide, kHeaderEnd, kHeaderSide,
             kHeaderEnd, false);
  w.Colour("NormalColour2", pal().TextSoft);
}

void WriteMenus(SkinWriter& w) {
  using namespace art;
  WritePlain(w, "MenuItem", "menuitem.bmp", MenuItem(), kMenuItemSide, kMenuItemEnd,
             kMenuItemSide, kMenuItemEnd, true);
  WritePlain(w, "MenuBackground", "menubackground.bmp", MenuBackground(), kMenuFrame, kMenuFrame,
             kMenuFrame, kMenuFrame, false);
}

void WriteScrolling(SkinWriter& w) {
  using namespace art;
  WritePlain(w, "Scrollbar", "scrollbar.bmp", ScrollArrows(), 0, 0, 0, 0, true);
  WritePlain(w, "HorzScroll", "horzscroll.bmp", HorzTrack(), 0, 0, 0, 0, false);
  WritePlain(w, "VertScroll", "vertscroll.bmp", VertTrack(), 0, 0, 0, 0, false);
  WritePlain(w, "HorzScrollThumb", "horzthumb.bmp", HorzThumb(), kThumbEnd, 0, kThumbEnd, 0, true);
  w.Key("FrameCount", kThumbCells);
  WritePlain(w, "VertScrollThumb", "vertthumb.bmp", VertThumb(), 0, kThumbEnd, 0, kThumbEnd, true);
  w.Key("FrameCount", kThumbCells);
}

void WriteTrackAndUpDown(SkinWriter& w) {
  using namespace art;
  struct ThumbDef {
    const char* section;
    const char* file;
    ThumbShape shape;
  };
  const ThumbDef thumbs[6] = {
      {"Trackbar.ThumbHorz", "thumbhorz.bmp", ThumbShape::Horz},
      {"Trackbar.ThumbVert", "thumbvert.bmp", ThumbShape::Vert},
      {"Trackbar.ThumbLeft", "thumbleft.bmp", ThumbShape::Left},
      {"Trackbar.ThumbRight", "thumbright.bmp", ThumbShape::Right},
      {"Trackbar.ThumbUp", "thumbup.bmp", ThumbShape::Up},
      {"Trackbar.ThumbDown", "thumbdown.bmp", ThumbShape::Down},
  };
  for (const ThumbDef& t : thumbs) {
    WritePlain(w, t.section, t.file, TrackThumb(t.shape), 0, 0, 0, 0, true);
  }
  WritePlain(w, "UpDown.Horz", "updownhorz.bmp", UpDownHorz(), 3, 3, 3, 3, true);
  w.Image("GlyphImage", "updownhorzglyphs.bmp", UpDownHorzGlyphs());
  WritePlain(w, "UpDown.Vert", "updownvert.bmp", UpDownVert(), 3, 3, 3, 3, true);
  w.Image("GlyphImage", "updownvertglyphs.bmp", UpDownVertGlyphs());
}

} // namespace

DefaultSkin BuildDefaultSkin() {
  return BuildSkin(palette::Calm());
}

DefaultSkin BuildSkin(const palette::Palette& colours) {
  const palette::TUsePalette use(colours);
  DefaultSkin skin;
  SkinWriter w(skin);
  WriteIdentity(w);
  WritePersonality(w);
  WriteColours(w);
  WriteCaptionButtons(w);
  WriteButtons(w);
  WritePanels(w);
  WriteMenus(w);
  WriteScrolling(w);
  WriteTrackAndUpDown(w);
  return skin;
}

} // namespace vela::tools
