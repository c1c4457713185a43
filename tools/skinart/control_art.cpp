// Buttons, marks, fields, bars and panels of the default skin.
#include "tools/skinart/art.h"
#include "tools/skinart/palette.h"

namespace vela::tools::art {


namespace {

struct Look {
  Pixel line;
  Pixel fill;
};

Canvas Panel(int w, int h, double radius, Look look, Pixel under) {
  Canvas c(w, h);
  c.RoundPanel(Box{0, 0, double(w), double(h)}, radius, look.line, look.fill, under);
  return c;
}

// A check mark or a radio dot in a 13 x 13 box.
enum class Mark { None, Check, Dot, Dash };

Canvas MarkCell(bool round, Look box, Mark mark, Pixel ink) {
  constexpr int kSize = 13;
  Canvas c(kSize, kSize);
  c.RoundPanel(Box{0, 0, kSize, kSize}, round ? kSize / 2.0 : 2.5, box.line, box.fill, pal().Face);
  switch (mark) {
  case Mark::Check:
    c.Stroke(3.2, 6.8, 5.4, 9.0, 1.5, ink);
    c.Stroke(5.4, 9.0, 9.8, 4.0, 1.5, ink);
    break;
  case Mark::Dot:
    c.RoundFill(Box{3.5, 3.5, 9.5, 9.5}, 3, ink);
    break;
  case Mark::Dash:
    c.RoundFill(Box{3, 5.5, 10, 7.5}, 1, ink);
    break;
  case Mark::None:
    break;
  }
  return c;
}

// The four states of one group of marks: normal, hot, pressed, disabled.
void MarkGroup(std::vector<Canvas>& cells, bool round, bool filled, Mark mark) {
  // A ticked box is filled with the accent and carries a white mark.
  const Look normal = filled ? Look{pal().Accent, pal().Accent} : Look{pal().Shadow, pal().Field};
  const Look hot = filled ? Look{pal().AccentDark, pal().AccentDark} : Look{pal().Accent, pal().Field};
  const Look down = filled ? Look{pal().AccentDark, pal().AccentDark} : Look{pal().Accent, pal().AccentTint};
  const Look off = filled ? Look{pal().Border, pal().Border} : Look{pal().Border, pal().Face};
  const Pixel ink = filled ? pal().Field : pal().Accent;
  cells.push_back(MarkCell(round, normal, mark, ink));
  cells.push_back(MarkCell(round, hot, mark, ink));
  cells.push_back(MarkCell(round, down, mark, ink));
  cells.push_back(MarkCell(round, off, mark, filled ? pal().Field : pal().TextOff));
}

Canvas Chevron(int w, int h, double dx, double dy, Pixel ink, Pixel under) {
  Canvas c(w, h);
  c.Chevron(w / 2.0, h / 2.0, dx, dy, 3.0, ink, under);
  return c;
}

} // namespace

Canvas PushButton() {
  constexpr int w = 24, h = 24;
  const double r = 3.5;
  Canvas defaults = Panel(w, h, r, {pal().Accent, pal().Field}, pal().Face);
  defaults.RoundPanel(Box{1, 1, w - 1.0, h - 1.0}, r - 1, pal().Accent, pal().Field);
  return Strip({Panel(w, h, r, {pal().Border, pal().Field}, pal().Face),
                Panel(w, h, r, {pal().AccentDark, pal().AccentSoft}, pal().Face),
                Panel(w, h, r, {pal().Line, pal().Face}, pal().Face),
                Panel(w, h, r, {pal().Accent, pal().AccentTint}, pal().Face), defaults});
}

Canvas CheckMarks() {
  std::vector<Canvas> cells;
  MarkGroup(cells, false, false, Mark::None);
  MarkGroup(cells, false, true, Mark::Check);
  MarkGroup(cells, false, true, Mark::Dash);
  return Strip(cells);
}

Canvas RadioMarks() {
  std::vector<Canvas> cells;
  MarkGroup(cells, true, false, Mark::None);
  MarkGroup(cells, true, false, Mark::Dot);
  return Strip(cells);
}

Canvas Progress() {
  constexpr int w = 24, h = 14;
  Canvas track = Panel(w, h, 3.5, {pal().Line, pal().Track}, pal().Face);
  Canvas fill(w, h);
  fill.RoundFill(Box{0, 0, w, h}, 3.5, pal().Accent, pal().Face);
  fill.HLine(3, w - 4, 1, Mix(pal().Accent, pal().Field, 0.18));
  return Strip({track, fill});
}

Canvas ProgressChunk() {
  Canvas c(9, 10, pal().Track);
  c.Fill(Rect{0, 0, 7, 10}, pal().Accent);
  return c;
}

Canvas SunkEdge() {
  constexpr int w = 16, h = 21;
  const double r = 3;
  Canvas focused = Panel(w, h, r, {pal().Accent, pal().Field}, pal().Face);
  return Strip({Panel(w, h, r, {pal().Border, pal().Field}, pal().Face),
                Panel(w, h, r, {pal().AccentDark, pal().Field}, pal().Face),
                Panel(w, h, r, {pal().Line, pal().Face}, pal().Face), focused});
}

Canvas ComboButton() {
  constexpr int w = kComboButtonWidth, h = 21;
  auto cell = [&](Pixel fill, Pixel line) {
    Canvas c(w, h);
    if (fill != kMagenta) {
      // Fills the inside of the field's rounded right end.
      c.RoundFill(Box{-4, 1, w - 1.0, h - 1.0}, 2, fill, pal().Field);
    }
    c.VLine(0, 4, h - 5, line);
    return c;
  };
  return Strip({cell(kMagenta, pal().Line), cell(pal().AccentSoft, pal().AccentSoft),
                cell(kMagenta, pal().Line), cell(pal().AccentTint, pal().AccentTint)});
}

Canvas ExtraImages() {
  constexpr int s = 12;
  Canvas grip(s, s);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j <= i; ++j) {
      const int x = s - 3 - 3 * j, y = s - 3 - 3 * (i - j);
      grip.Fill(Rect{x, y, x + 2, y + 2}, pal().Border);
    }
  }
  return Strip({Chevron(s, s, 0, 1, pal().TextSoft, pal().Field),
                Chevron(s, s, 0, 1, pal().AccentDark, pal().AccentSoft),
                Chevron(s, s, 0, 1, pal().TextOff, pal().Face),
                Chevron(s, s, 0, 1, pal().Accent, pal().AccentTint), grip});
}

Canvas GroupBoxEdge() {
  constexpr int s = 16;
  auto cell = [&](Pixel line) {
    Canvas c(s, s);
    c.RoundPanel(Box{0, 0, s, s}, 4, line, pal().Face, pal().Face);
    // Only the outline belongs to the edge; the inside shows what lies under it.
    c.Fill(Rect{2, 2, s - 2, s - 2}, kMagenta);
    return c;
  };
  return Strip({cell(pal().Border), cell(pal().Line)});
}

Canvas GroupBoxLabel() {
  Canvas c(24, 18);
  c.RoundFill(Box{0, 0, 24, 18}, 5, pal().Hover, pal().Face);
  return c;
}

Canvas Toolbar() {
  constexpr int s = 22;
  const double r = 3;
  Canvas rest(s, s);
  return Strip({rest, Panel(s, s, r, {pal().Border, pal().Press}, pal().Face), Canvas(s, s),
                Panel(s, s, r, {pal().Line, pal().Hover}, pal().Face),
                Panel(s, s, r, {pal().Accent, pal().AccentTint}, pal().Face)});
}

Canvas Tabs() {
  constexpr int w = 28, h = 24;
  auto tab = [&](Pixel line, Pixel fill, bool selected) {
    Canvas c(w, h);
    c.RoundPanel(Box{0, selected ? 0.0 : 2.0, w, h + 4.0}, 4, line, fill, pal().Face);
    if (selected) {
      c.RoundFill(Box{1, 1, w - 1.0, 3}, 1, pal().Accent);
      c.HLine(1, w - 2, h - 1, fill); // opens the tab into its pane
    } else {
      c.HLine(0, w - 1, h - 1, pal().Border);
    }
    return c;
  };
  return Strip({tab(pal().Line, pal().Raised, false), tab(pal().Border, pal().Field, true),
                tab(pal().Line, pal().Face, false), tab(pal().Border, pal().AccentTint, false),
                tab(pal().Accent, pal().Field, true)});
}

Canvas TabBorder() {
  Canvas c(16, 16, pal().Field);
  c.Frame(Rect{0, 0, 16, 16}, pal().Border);
  return c;
}

Canvas StatusPanels() {
  constexpr int w = 16, h = 20;
  auto cell = [&](bool separator, Pixel fill) {
    Canvas c(w, h, fill);
    c.HLine(0, w - 1, 0, pal().Line);
    if (separator) {
      c.VLine(w - 1, 4, h - 5, pal().Border);
    }
    return c;
  };
  return Strip({cell(true, pal().Face), cell(true, pal().Raised), cell(false, pal().Face)});
}

Canvas Header() {
  constexpr int w = 20, h = 22;
  auto cell = [&](Pixel fill, Pixel bottom) {
    Canvas c(w, h, fill);
    c.HLine(0, w - 1, h - 1, bottom);
    c.VLine(w - 1, kHeaderEnd, h - 1 - kHeaderEnd, pal().Line);
    return c;
  };
  return Strip({cell(pal().Raised, pal().Line), cell(pal().Press, pal().Border),
                cell(pal().Face, pal().Line), cell(pal().Hover, pal().Line),
                cell(pal().Raised, pal().Accent)});
}

Canvas MenuItem() {
  constexpr int w = 24, h = 20;
  Canvas separator(w, h);
  separator.HLine(kMenuItemSide, w - 1 - kMenuItemSide, h - 5, pal().Line);
  auto selection = [&](Pixel fill) {
    Canvas c(w, h);
    c.RoundFill(Box{2, 1, w - 2.0, h - 1.0}, 3, fill, pal().Field);
    return c;
  };
  return Strip({Canvas(w, h), separator, selection(pal().Hover), selection(pal().Accent),
                selection(pal().AccentDark)});
}

Canvas MenuBackground() {
  Canvas c(16, 16, pal().Field);
  c.Frame(Rect{0, 0, 16, 16}, pal().Border);
  return c;
}

} // namespace vela::tools::art
