// The "Progress" page: progress bars in both orientations, smooth and in blocks, at several
// positions; track bars, enabled and disabled; stand-alone scroll bars.
#include "tools/skinview/skinview_form.h"
#include "ui/com_controls.h"
#include "ui/list_controls.h"

#include <iterator>
#include <string>

namespace vela::skinview {
namespace {

using ui::TProgressBarOrientation;
using ui::TTrackBarOrientation;

void AddHeading(TPageHost& host, int left, int top, const wchar_t* text) {
  auto* label = host.Add<ui::TLabel>(left, top, 300, 16);
  label->SetCaption(text);
}

// A track bar paints its background in its own colour; following the page's colour, it takes
// the skin's face colour when the skin recolours the page.
ui::TTrackBar* AddTrackBar(TPageHost& host, int left, int top, int width, int height) {
  auto* bar = host.Add<ui::TTrackBar>(left, top, width, height);
  bar->SetParentColor(true);
  return bar;
}

void FillProgressPage(TPageHost& host) {
  TSkinViewForm& form = host.Form();

  // Horizontal bars: the same positions smooth (left column) and in blocks (right column), so
  // the two fills can be compared at equal lengths.
  AddHeading(host, 16, 10, L"Progress, smooth");
  AddHeading(host, 236, 10, L"Progress, in blocks");
  constexpr int kPositions[] = {0, 10, 50, 90, 100};
  for (int i = 0; i < int(std::size(kPositions)); ++i) {
    for (const bool smooth : {true, false}) {
      // The smooth bar at 50 % lies at places::kHalfProgress, which the shot test checks.
      auto* bar = host.Add<ui::TProgressBar>(smooth ? 16 : 236, 30 + i * 26, 200, 18);
      bar->SetSmooth(smooth);
      bar->SetPosition(kPositions[i]);
    }
  }

  // Vertical bars fill from the bottom.
  AddHeading(host, 456, 10, L"Vertical");
  constexpr int kVertical[] = {25, 60, 100};
  for (int i = 0; i < int(std::size(kVertical)); ++i) {
    for (const bool smooth : {true, false}) {
      const int column = i * 2 + (smooth ? 0 : 1);
      auto* bar = host.Add<ui::TProgressBar>(456 + column * 28, 30, 18, 126);
      bar->SetOrientation(TProgressBarOrientation::pbVertical);
      bar->SetSmooth(smooth);
      bar->SetPosition(kVertical[i]);
    }
  }

  // Track bars: moving the enabled ones says where they are.
  AddHeading(host, 16, 170, L"Track bars");
  auto* horizontal = AddTrackBar(host, 16, 190, 260, 36);
  horizontal->SetMax(20);
  horizontal->SetFrequency(2);
  horizontal->SetPosition(7);
  horizontal->OnChange = [&form, horizontal](ui::TObject*) {
    form.Say(L"Track bar at " + std::to_wstring(horizontal->Position()));
  };
  auto* disabled = AddTrackBar(host, 16, 232, 260, 36);
  disabled->SetMax(20);
  disabled->SetFrequency(5);
  disabled->SetPosition(15);
  disabled->SetEnabled(false);

  auto* vertical = AddTrackBar(host, 290, 176, 36, 130);
  vertical->SetOrientation(TTrackBarOrientation::trVertical);
  vertical->SetMax(10);
  vertical->SetPosition(3);
  vertical->OnChange = [&form, vertical](ui::TObject*) {
    form.Say(L"Vertical track bar at " + std::to_wstring(vertical->Position()));
  };
  auto* verticalOff = AddTrackBar(host, 334, 176, 36, 130);
  verticalOff->SetOrientation(TTrackBarOrientation::trVertical);
  verticalOff->SetMax(10);
  verticalOff->SetPosition(8);
  verticalOff->SetEnabled(false);

  // Stand-alone scroll bars, each with its position in the status bar as it moves.
  AddHeading(host, 390, 170, L"Scroll bars");
  auto* across = host.Add<ui::TScrollBar>(390, 190, 230, 17);
  across->SetMax(100);
  across->SetPageSize(20);
  across->SetPosition(30);
  across->OnChange = [&form, across](ui::TObject*) {
    form.Say(L"Scroll bar at " + std::to_wstring(across->Position()));
  };
  auto* acrossOff = host.Add<ui::TScrollBar>(390, 214, 230, 17);
  acrossOff->SetMax(100);
  acrossOff->SetPageSize(40);
  acrossOff->SetPosition(60);
  acrossOff->SetEnabled(false);

  // Changing the kind turns the bar's width and height round: it is placed across first.
  // This one lies at places::kVerticalScrollBar once turned, which the shot test checks.
  auto* down = host.Add<ui::TScrollBar>(390, 240, 130, 17);
  down->SetKind(ui::TScrollBarKind::sbVertical);
  down->SetMax(50);
  down->SetPageSize(10);
  down->SetPosition(12);
  down->OnChange = [&form, down](ui::TObject*) {
    form.Say(L"Vertical scroll bar at " + std::to_wstring(down->Position()));
  };
  auto* downOff = host.Add<ui::TScrollBar>(416, 240, 130, 17);
  downOff->SetKind(ui::TScrollBarKind::sbVertical);
  downOff->SetMax(50);
  downOff->SetPageSize(25);
  downOff->SetPosition(20);
  downOff->SetEnabled(false);
}

[[maybe_unused]] const bool registered = RegisterPage("Progress", 60, &FillProgressPage);

} // namespace
} // namespace vela::skinview
