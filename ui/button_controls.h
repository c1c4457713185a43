#pragma once
// Check boxes, radio buttons, radio groups and bitmap buttons.
//
//   TCheckBox     native "BUTTON" (three-state); Checked, State, AllowGrayed, Alignment, OnClick
//   TRadioButton  native "BUTTON"; Checked, Alignment; checking one unchecks its siblings
//   TRadioGroup   a group box of radio buttons made from Items, in Columns; ItemIndex, OnClick
//   TBitBtn       a push button drawn with a glyph; Glyph, NumGlyphs, Kind, Layout, Margin, Spacing
//
// The framework toggles check boxes and radio buttons itself (the native control never changes
// its own mark), so a click, the space bar and a change of Checked by code all go the same way:
// the state changes, the window shows it, and OnClick fires for the user's actions and for code
// that changes Checked, as the rest of the framework does.
#include "ui/core/strings.h"
#include "ui/speed_button.h"
#include "ui/std_controls.h"

#include <memory>
#include <vector>

namespace vela::ui {

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TButtonControl {
  VELA_CLASS_INFO
public:
  explicit TCheckBox(TComponent* owner);
  bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
  void SetChecked(bool value);
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState value);
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool value) { allowGrayed_ = value; }
  // taRightJustify (the default) puts the caption right of the box, taLeftJustify left of it.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  // Unchecked, checked, then grayed when AllowGrayed, then unchecked again.
  void Toggle();

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void WndProc(TMessage& message) override;

private:
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
  bool allowGrayed_ = false;
  TAlignment alignment_ = TAlignment::taRightJustify;
};

class TRadioButton : public TButtonControl {
  VELA_CLASS_INFO
public:
  explicit TRadioButton(TComponent* owner);
  bool Checked() const { return checked_; }
  // Checking unchecks every other radio button of the same parent.
  void SetChecked(bool value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void WndProc(TMessage& message) override;

private:
  bool checked_ = false;
  TAlignment alignment_ = TAlignment::taRightJustify;
};

class TCustomRadioGroup;

// One button of a radio group, owned and placed by the group.
class TGroupButton : public TRadioButton {
  VELA_CLASS_INFO
public:
  explicit TGroupButton(TComponent* owner) : TRadioButton(owner) {}
};

class TCustomRadioGroup : public TCustomGroupBox {
  VELA_CLASS_INFO
public:
  explicit TCustomRadioGroup(TComponent* owner);
  ~TCustomRadioGroup() override;
  // One button per line; changing the lines rebuilds the buttons.
  TStrings* Items() const { return items_.get(); }
  // -1 when no button is checked.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int value);
  int Columns() const { return columns_; }
  void SetColumns(int value);
  int ButtonCount() const { return int(buttons_.size()); }
  TGroupButton* Buttons(int index) const { return buttons_.at(std::size_t(index)); }
  void Loaded() override;

protected:
  void BoundsChanged() override;
  void FontChanged() override;

private:
  void UpdateButtons();
  void ArrangeButtons();
  void ButtonClicked(TGroupButton* button);
  std::unique_ptr<TStringList> items_;
  std::vector<TGroupButton*> buttons_;
  int itemIndex_ = -1;
  int columns_ = 1;
  bool updating_ = false;
};

class TRadioGroup : public TCustomRadioGroup {
  VELA_CLASS_INFO
public:
  explicit TRadioGroup(TComponent* owner) : TCustomRadioGroup(owner) {}
};

// The stock buttons: a kind gives the caption (when none is set) and the Default or Cancel role.
enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

// A push button that draws its glyph and caption itself (owner-drawn native button), laid out
// as a speed button's: Layout, Margin, Spacing; the glyph strip holds NumGlyphs cells (up,
// disabled, down).
class TBitBtn : public TButton {
  VELA_CLASS_INFO
public:
  explicit TBitBtn(TComponent* owner);
  ~TBitBtn() override;
  TBitmap* Glyph() const { return glyph_.get(); }
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int value);
  TBitBtnKind Kind() const { return kind_; }
  void SetKind(TBitBtnKind value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int Margin() const { return margin_; }
  void SetMargin(int value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

private:
  void DrawItem(const DRAWITEMSTRUCT& item);
  std::unique_ptr<TBitmap> glyph_;
  int numGlyphs_ = 1;
  TBitBtnKind kind_ = TBitBtnKind::bkCustom;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
};

// The caption a stock kind gives a button; empty for bkCustom.
std::wstring BitBtnKindCaption(TBitBtnKind kind);

} // namespace vela::ui
