// The "Panels" page: a tool bar of flat speed buttons, panels with each bevel, group boxes
// (enabled and disabled) and a status bar with several panels.
#include "skin/data/raster.h"
#include "tools/skinview/skinview_form.h"
#include "ui/bitmap.h"
#include "ui/com_controls.h"
#include "ui/speed_button.h"

#include <array>
#include <iterator>
#include <string>

namespace vela::skinview {
namespace {

// Tool-bar glyphs, 16 × 16, one character a pixel; '.' is the transparent background.
using GlyphArt = std::array<const char*, 16>;

constexpr GlyphArt kNewGlyph = {
    "................", "...kkkkkkkk.....", "...kwwwwwwkk....", "...kwwwwwwkwk...",
    "...kwwwwwwkkkk..", "...kwwwwwwwwwk..", "...kwggggggwwk..", "...kwwwwwwwwwk..",
    "...kwgggggggwk..", "...kwwwwwwwwwk..", "...kwggggggwwk..", "...kwwwwwwwwwk..",
    "...kwgggggggwk..", "...kwwwwwwwwwk..", "...kkkkkkkkkkk..", "................"};
constexpr GlyphArt kOpenGlyph = {
    "................", "................", "..kkkkk.........", ".kyyyyyk........",
    ".kyyyyyykkkkkk..", ".kyyyyyyyyyyyk..", ".kyykkkkkkkkkkkk", ".kyk0000000000k.",
    ".kyk000000000k..", ".kk000000000k...", ".kk00000000k....", ".k00000000k.....",
    ".kkkkkkkkkk.....", "................", "................", "................"};
constexpr GlyphArt kSaveGlyph = {
    "................", ".kkkkkkkkkkkkkk.", ".kbbwwwwwwwwbbk.", ".kbbwwwwwwwwbbk.",
    ".kbbwggggggwbbk.", ".kbbwwwwwwwwbbk.", ".kbbwggggggwbbk.", ".kbbwwwwwwwwbbk.",
    ".kbbbbbbbbbbbbk.", ".kbbbggggggbbbk.", ".kbbbgkkgggbbbk.", ".kbbbgkkgggbbbk.",
    ".kbbbgkkgggbbbk.", "..kbbggggggbbbk.", "...kkkkkkkkkkkk.", "................"};
constexpr GlyphArt kBoldGlyph = {
    "................", "................", "...kkkkkkkk.....", "....kkk..kkk....",
    "....kkk...kkk...", "....kkk...kkk...", "....kkk..kkk....", "....kkkkkkk.....",
    "....kkk...kkk...", "....kkk....kkk..", "....kkk....kkk..", "....kkk....kkk..",
    "....kkk...kkk...", "...kkkkkkkkk....", "................", "................"};
constexpr GlyphArt kLeftGlyph = {
    "................", "................", "..kkkkkkkkkkkk..", "................",
    "..kkkkkkkk......", "................", "..kkkkkkkkkkkk..", "................",
    "..kkkkkkkk......", "................", "..kkkkkkkkkkkk..", "................",
    "..kkkkkkkk......", "................", "................", "................"};
constexpr GlyphArt kCentreGlyph = {
    "................", "................", "..kkkkkkkkkkkk..", "................",
    "....kkkkkkkk....", "................", "..kkkkkkkkkkkk..", "................",
    "....kkkkkkkk....", "................", "..kkkkkkkkkkkk..", "................",
    "....kkkkkkkk....", "................", "................", "................"};

std::uint32_t GlyphColour(char c) {
  switch (c) {
  case 'k':
    return 0x202020;
  case 'w':
    return 0xFFFFFF;
  case 'g':
    return 0x909090;
  case 'y':
    return 0xE8C040;
  case '0':
    return 0xF8E088;
  case 'b':
    return 0x3060B0;
  default:
    return 0xFF00FF; // the transparent colour: the bottom-left pixel
  }
}

void PaintGlyph(ui::TSpeedButton& button, const GlyphArt& art) {
  skin::Bitmap pixels(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      pixels.At(x, y) = GlyphColour(art[std::size_t(y)][x]);
  button.Glyph()->CopyFrom(pixels.View());
  button.SetNumGlyphs(1);
}

void FillPanelsPage(TPageHost& host) {
  TSkinViewForm& form = host.Form();

  // A tool bar: a panel along the top holding flat speed buttons. Bold is a toggle; the two
  // alignment buttons are a group of which one is always down; Save is disabled.
  auto* bar = host.Add<ui::TPanel>(0, 0, 640, 30);
  bar->SetAlign(ui::TAlign::alTop);
  bar->SetCaption(L"");
  struct Tool {
    const GlyphArt* art;
    const wchar_t* hint;
    int group;
    bool down;
    bool enabled;
  };
  const Tool tools[] = {
      {&kNewGlyph, L"New", 0, false, true},        {&kOpenGlyph, L"Open", 0, false, true},
      {&kSaveGlyph, L"Save", 0, false, false},     {&kBoldGlyph, L"Bold", 1, true, true},
      {&kLeftGlyph, L"Align left", 2, true, true}, {&kCentreGlyph, L"Centre", 2, false, true}};
  int left = 4;
  int previousGroup = 0;
  for (const Tool& tool : tools) {
    if (tool.group != previousGroup)
      left += 8; // a gap between groups
    previousGroup = tool.group;
    auto* button = new ui::TSpeedButton(&form);
    button->SetParent(bar);
    button->SetBounds(left, 3, 24, 24);
    button->SetFlat(true);
    PaintGlyph(*button, *tool.art);
    button->SetGroupIndex(tool.group);
    if (tool.group == 1)
      button->SetAllowAllUp(true);
    button->SetDown(tool.down);
    button->SetEnabled(tool.enabled);
    button->SetHint(tool.hint);
    const std::wstring name = tool.hint;
    button->OnClick = [&form, name](ui::TObject*) { form.Say(name + L" pressed"); };
    left += 26;
  }

  // Panels, one per outer bevel, and two with an inner bevel as well.
  struct Bevels {
    ui::TBevelCut outer, inner;
    const wchar_t* caption;
  };
  const Bevels bevels[] = {{ui::TBevelCut::bvNone, ui::TBevelCut::bvNone, L"No bevel"},
                           {ui::TBevelCut::bvRaised, ui::TBevelCut::bvNone, L"Raised"},
                           {ui::TBevelCut::bvLowered, ui::TBevelCut::bvNone, L"Lowered"},
                           {ui::TBevelCut::bvSpace, ui::TBevelCut::bvNone, L"Space"},
                           {ui::TBevelCut::bvRaised, ui::TBevelCut::bvLowered, L"Raised, lowered"},
                           {ui::TBevelCut::bvLowered, ui::TBevelCut::bvRaised, L"Lowered, raised"}};
  for (int i = 0; i < int(std::size(bevels)); ++i) {
    auto* panel = host.Add<ui::TPanel>(16 + (i % 3) * 140, 44 + (i / 3) * 70, 128, 58);
    panel->SetBevelOuter(bevels[i].outer);
    panel->SetBevelInner(bevels[i].inner);
    panel->SetBevelWidth(2);
    panel->SetCaption(bevels[i].caption);
  }

  // Group boxes with a few controls, one enabled and one disabled.
  for (const bool enabled : {true, false}) {
    // The disabled box's button lies at places::kDisabledGroupButton, which the shot test checks.
    auto* box = host.Add<ui::TGroupBox>(16 + (enabled ? 0 : 220), 190, 200, 110);
    box->SetCaption(enabled ? L"Connection" : L"Disabled group");
    auto* label = new ui::TLabel(&form);
    label->SetParent(box);
    label->SetBounds(12, 24, 170, 16);
    label->SetCaption(enabled ? L"Port: COM1" : L"Nothing to choose here");
    auto* button = new ui::TButton(&form);
    button->SetParent(box);
    button->SetBounds(12, 60, 90, 28);
    button->SetCaption(enabled ? L"&Connect" : L"Connect");
    box->SetEnabled(enabled);
    button->SetEnabled(enabled);
    if (enabled)
      button->OnClick = [&form](ui::TObject*) { form.Say(L"Connect pressed"); };
  }

  // A status bar of several panels, each bevel once, along the bottom of the page.
  auto* status = host.Add<ui::TStatusBar>(0, 360, 640, 22);
  status->SetAlign(ui::TAlign::alBottom);
  struct Part {
    const wchar_t* text;
    int width;
    ui::TStatusPanelBevel bevel;
  };
  const Part parts[] = {{L"Ready", 160, ui::TStatusPanelBevel::pbLowered},
                        {L"COM1 115200", 120, ui::TStatusPanelBevel::pbRaised},
                        {L"No bevel", 100, ui::TStatusPanelBevel::pbNone},
                        {L"Block 12 of 40", 150, ui::TStatusPanelBevel::pbLowered}};
  for (const Part& part : parts) {
    ui::TStatusPanel* panel = status->Panels()->Add();
    panel->SetText(part.text);
    panel->SetWidth(part.width);
    panel->SetBevel(part.bevel);
  }
}

[[maybe_unused]] const bool registered = RegisterPage("Panels", 70, &FillPanelsPage);

} // namespace
} // namespace vela::skinview
