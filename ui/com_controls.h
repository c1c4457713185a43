#pragma once
// Common controls: progress bar, status bar with panels, track bar.
//
//   LoadProgressBar->SetMax(int(size));  LoadProgressBar->SetPosition(1024);
//   StatusBar1->Panels()->Items(0)->SetText(L"Connection is being established....");
//   for (int i = 0; i < StatusBar1->Panels()->Count(); ++i) StatusBar1->Panels()->Items(i)->SetText(L"");
//   TUpDown: Min, Max, Position, Increment, Wrap, Orientation, Associate (an edit), OnChange
#include "ui/core/collection.h"
#include "ui/win_control.h"

#include <memory>
#include <string>
#include <vector>

namespace vela::ui {

enum class TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
  VELA_CLASS_INFO
public:
  explicit TProgressBar(TComponent* owner);
  int Min() const { return min_; }
  void SetMin(int value);
  int Max() const { return max_; }
  void SetMax(int value);
  // Kept within [Min, Max].
  int Position() const;
  void SetPosition(int value);
  int Step() const { return step_; }
  void SetStep(int value);
  void StepIt();
  void StepBy(int delta);
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool value);
  TProgressBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TProgressBarOrientation value);

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;

private:
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  int step_ = 10;
  bool smooth_ = false;
  TProgressBarOrientation orientation_ = TProgressBarOrientation::pbHorizontal;
};

enum class TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum class TStatusPanelStyle { psText, psOwnerDraw };

class TStatusPanel : public TCollectionItem {
  VELA_CLASS_INFO
public:
  explicit TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}
  std::wstring Text() const { return text_; }
  void SetText(const std::wstring& text);
  int Width() const { return width_; }
  void SetWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TStatusPanelBevel Bevel() const { return bevel_; }
  void SetBevel(TStatusPanelBevel bevel);
  // An owner-drawn panel is painted by the bar's OnDrawPanel.
  TStatusPanelStyle Style() const { return style_; }
  void SetStyle(TStatusPanelStyle style);
  void Assign(const TPersistent* source) override;

private:
  std::wstring text_;
  int width_ = 50;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TStatusPanelBevel bevel_ = TStatusPanelBevel::pbLowered;
  TStatusPanelStyle style_ = TStatusPanelStyle::psText;
};

class TStatusPanels : public TTypedCollection<TStatusPanel> {
  VELA_CLASS_INFO
};

class TCustomStatusBar;
using TDrawPanelEvent = std::function<void(TCustomStatusBar* StatusBar, TStatusPanel* Panel, const RECT& Rect)>;

class TCustomStatusBar : public TWinControl {
  VELA_CLASS_INFO
public:
  explicit TCustomStatusBar(TComponent* owner);
  ~TCustomStatusBar() override;
  TStatusPanels* Panels() const { return panels_.get(); }
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool value);
  std::wstring SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::wstring& text);
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool value);
  // The text of panel `index` as the native control holds it (what the operator sees).
  std::wstring NativePanelText(int index);
  // Valid while OnDrawPanel runs.
  TCanvas* Canvas() { return &canvas_; }

  TDrawPanelEvent OnDrawPanel;

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void WndProc(TMessage& message) override;

private:
  TCanvas canvas_;
  void UpdatePanels();
  std::unique_ptr<TStatusPanels> panels_;
  std::vector<int> appliedParts_;
  std::vector<std::wstring> appliedTexts_;
  bool simplePanel_ = false;
  std::wstring simpleText_;
  bool sizeGrip_ = true;
};

class TStatusBar : public TCustomStatusBar {
  VELA_CLASS_INFO
public:
  explicit TStatusBar(TComponent* owner) : TCustomStatusBar(owner) {}
};

enum class TTrackBarOrientation { trHorizontal, trVertical };
enum class TTickStyle { tsNone, tsAuto, tsManual };

class TTrackBar : public TWinControl {
  VELA_CLASS_INFO
public:
  explicit TTrackBar(TComponent* owner);
  int Min() const { return min_; }
  void SetMin(int value);
  int Max() const { return max_; }
  void SetMax(int value);
  int Position() const;
  void SetPosition(int value);
  int Frequency() const { return frequency_; }
  void SetFrequency(int value);
  TTrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TTrackBarOrientation value);
  TTickStyle TickStyle() const { return tickStyle_; }
  void SetTickStyle(TTickStyle value);

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void WndProc(TMessage& message) override;

private:
  int min_ = 0;
  int max_ = 10;
  mutable int position_ = 0;
  int frequency_ = 1;
  TTrackBarOrientation orientation_ = TTrackBarOrientation::trHorizontal;
  TTickStyle tickStyle_ = TTickStyle::tsAuto;
};

enum class TUDOrientation { udHorizontal, udVertical };

// Up-down arrows (native "msctls_updown32"), optionally attached to an edit that shows the
// position.
class TUpDown : public TWinControl {
  VELA_CLASS_INFO
public:
  explicit TUpDown(TComponent* owner);
  int Min() const { return min_; }
  void SetMin(int value);
  int Max() const { return max_; }
  void SetMax(int value);
  int Position() const;
  void SetPosition(int value);
  int Increment() const { return increment_; }
  void SetIncrement(int value);
  bool Wrap() const { return wrap_; }
  void SetWrap(bool value);
  TUDOrientation Orientation() const { return orientation_; }
  void SetOrientation(TUDOrientation value);
  TWinControl* Associate() const { return associate_; }
  void SetAssociate(TWinControl* control);
  void Notification(TComponent* component, TOperation operation) override;

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void WndProc(TMessage& message) override;

private:
  int min_ = 0;
  int max_ = 100;
  mutable int position_ = 0;
  int increment_ = 1;
  bool wrap_ = false;
  TUDOrientation orientation_ = TUDOrientation::udVertical;
  TWinControl* associate_ = nullptr;
};

} // namespace vela::ui
