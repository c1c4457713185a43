// The "Buttons" page: push buttons, bitmap buttons in each glyph layout, speed buttons (flat and
// raised, held down, grouped), check boxes, radio buttons and a radio group, each in the states
// the skin has cells for. The "Focused" push button takes the focus when the page shows.
#include "tools/skinview/page_places.h"
#include "tools/skinview/skinview_form.h"
#include "ui/button_controls.h"
#include "ui/speed_button.h"

namespace vela::skinview {
namespace {

constexpr int kRowLabelHeight = 16;

// The program's glyphs, carried as bitmap resources (32 x 32, one cell each).
void LoadGlyph(ui::TBitmap* glyph, const wchar_t* resource) {
  glyph->LoadFromResourceName(GetModuleHandleW(nullptr), resource);
}

void AddRowLabel(TPageHost& host, int top, const wchar_t* text) {
  host.Add<ui::TLabel>(16, top, 600, kRowLabelHeight)->SetCaption(text);
}

// Every click says which control it was, so that a person trying the page sees it work.
template <class T> void Announce(TPageHost& host, T* control) {
  control->OnClick = [&host, control](ui::TObject*) {
    host.Form().Say(L"Clicked \"" + control->Caption() + L"\"");
  };
}

void AddPushButtons(TPageHost& host) {
  AddRowLabel(host, 8, L"Push buttons: normal, default, disabled, focused");
  const wchar_t* captions[] = {L"&Normal", L"&Default", L"Disabled", L"&Focused"};
  ui::TButton* buttons[4] = {};
  for (int i = 0; i < 4; ++i) {
    buttons[i] = host.Add<ui::TButton>(16 + 108 * i, 28, 100, 28);
    buttons[i]->SetCaption(captions[i]);
    Announce(host, buttons[i]);
  }
  static_assert(places::kDisabledPushButton.left == 16 + 108 * 2 &&
                places::kDisabledPushButton.top == 28);
  buttons[1]->SetDefault(true);
  buttons[2]->SetEnabled(false);
  host.OnShowChanged = [&host, focused = buttons[3]](bool shown) {
    if (shown)
      host.Form().SetActiveControl(focused);
  };
}

void AddBitmapButtons(TPageHost& host) {
  AddRowLabel(host, 64, L"Bitmap buttons: glyph left, right, top, bottom; disabled");
  struct Sample {
    const wchar_t* caption;
    const wchar_t* glyph;
    ui::TButtonLayout layout;
  };
  const Sample samples[] = {
      {L"&Connect", L"GLYPH_CONNECT", ui::TButtonLayout::blGlyphLeft},
      {L"Clos&e", L"GLYPH_CLOSE", ui::TButtonLayout::blGlyphRight},
      {L"&Run", L"GLYPH_APPLICATION", ui::TButtonLayout::blGlyphTop},
      {L"&Upgrade", L"GLYPH_UPGRADE", ui::TButtonLayout::blGlyphBottom},
      {L"Disabled", L"GLYPH_CONNECT", ui::TButtonLayout::blGlyphLeft},
  };
  int left = 16;
  ui::TBitBtn* last = nullptr;
  for (const Sample& sample : samples) {
    last = host.Add<ui::TBitBtn>(left, 84, 116, 60);
    last->SetCaption(sample.caption);
    LoadGlyph(last->Glyph(), sample.glyph);
    last->SetLayout(sample.layout);
    Announce(host, last);
    left += 124;
  }
  last->SetEnabled(false);
}

void AddSpeedButtons(TPageHost& host) {
  AddRowLabel(host, 150, L"Speed buttons: flat, raised, held down, a group of three, disabled");
  auto speed = [&host](int left, int width, const wchar_t* caption) {
    auto* button = host.Add<ui::TSpeedButton>(left, 168, width, 36);
    button->SetCaption(caption);
    Announce(host, button);
    return button;
  };
  auto* flat = speed(16, 40, L"");
  flat->SetFlat(true);
  LoadGlyph(flat->Glyph(), L"GLYPH_CLOSE");
  speed(64, 72, L"Flat")->SetFlat(true);
  speed(144, 72, L"Raised");
  auto* held = speed(224, 80, L"Held down");
  held->SetGroupIndex(1);
  held->SetAllowAllUp(true);
  held->SetDown(true);
  const wchar_t* group[] = {L"One", L"Two", L"Three"};
  for (int i = 0; i < 3; ++i) {
    auto* member = speed(312 + 56 * i, 56, group[i]);
    member->SetGroupIndex(2);
    member->SetDown(i == 1);
  }
  speed(488, 72, L"Disabled")->SetEnabled(false);
}

void AddCheckAndRadioButtons(TPageHost& host) {
  AddRowLabel(host, 208,
              L"Check boxes: unchecked, checked, grayed, disabled; radio buttons; a radio group");
  const struct {
    const wchar_t* caption;
    ui::TCheckBoxState state;
    bool enabled;
  } boxes[] = {
      {L"Unchecked", ui::TCheckBoxState::cbUnchecked, true},
      {L"Checked", ui::TCheckBoxState::cbChecked, true},
      {L"Grayed", ui::TCheckBoxState::cbGrayed, true},
      {L"Disabled", ui::TCheckBoxState::cbChecked, false},
      {L"Disabled", ui::TCheckBoxState::cbUnchecked, false},
  };
  int left = 16;
  for (const auto& sample : boxes) {
    auto* box = host.Add<ui::TCheckBox>(left, places::kCheckedBox.top, 110, 20);
    box->SetCaption(sample.caption);
    box->SetAllowGrayed(true);
    box->SetState(sample.state);
    box->SetEnabled(sample.enabled);
    Announce(host, box);
    left += 112;
  }
  static_assert(places::kCheckedBox.left == 16 + 112 &&
                places::kDisabledCheckedBox.left == 16 + 3 * 112);

  const struct {
    const wchar_t* caption;
    bool checked;
    bool enabled;
  } radios[] = {{L"First", false, true}, {L"Second", true, true}, {L"Disabled", false, false}};
  left = 16;
  for (const auto& sample : radios) {
    auto* radio = host.Add<ui::TRadioButton>(left, 250, 110, 20);
    radio->SetCaption(sample.caption);
    radio->SetChecked(sample.checked);
    radio->SetEnabled(sample.enabled);
    Announce(host, radio);
    left += 112;
  }

  auto* group = host.Add<ui::TRadioGroup>(16, 276, 336, 96);
  group->SetCaption(L"Radio group");
  group->SetColumns(2);
  for (const wchar_t* item : {L"Serial port", L"Network", L"USB", L"Bluetooth (disabled)"})
    group->Items()->Add(item);
  group->SetItemIndex(1);
  group->Buttons(3)->SetEnabled(false);
  group->OnClick = [&host, group](ui::TObject*) {
    host.Form().Say(L"Radio group: item " + std::to_wstring(group->ItemIndex()) + L" chosen");
  };
}

void FillButtonsPage(TPageHost& host) {
  AddPushButtons(host);
  AddBitmapButtons(host);
  AddSpeedButtons(host);
  AddCheckAndRadioButtons(host);
}

[[maybe_unused]] const bool registered = RegisterPage("Buttons", 30, &FillButtonsPage);

} // namespace
} // namespace vela::skinview
