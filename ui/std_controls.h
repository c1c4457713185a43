#pragma once
// The standard controls: labels, edits, memos, push buttons, panels and group boxes.
//
//   TLabel      graphic; Caption, AutoSize, Alignment, Layout, WordWrap, Transparent
//   TEdit       native "EDIT"; Text, ReadOnly, MaxLength, OnChange
//   TMemo       native multi-line "EDIT"; Lines, ScrollBars, WordWrap, ReadOnly
//   TButton     native "BUTTON"; Caption, Default, Cancel, OnClick
//   TPanel      own painting; BevelInner, BevelOuter, BevelWidth, BorderWidth, Caption, Alignment
//   TGroupBox   own painting; an etched frame with the caption in its top edge
#include "ui/core/strings.h"
#include "ui/win_control.h"

#include <memory>

namespace vela::ui {

enum class TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
  VELA_CLASS_INFO
public:
  explicit TLabel(TComponent* owner);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  void SetText(const std::wstring& text) override;
  void Loaded() override;

protected:
  void Paint() override;
  void FontChanged() override;

private:
  UINT TextFormat() const;
  void AdjustSize();
  bool autoSize_ = true;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool wordWrap_ = false;
  bool transparent_ = false;
};

class TCustomEdit : public TWinControl {
  VELA_CLASS_INFO
public:
  explicit TCustomEdit(TComponent* owner);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  void SelectAll();
  void Clear() { SetText(L""); }

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void WndProc(TMessage& message) override;

private:
  bool readOnly_ = false;
  int maxLength_ = 0;
};

class TEdit : public TCustomEdit {
  VELA_CLASS_INFO
public:
  explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo : public TCustomEdit {
  VELA_CLASS_INFO
public:
  explicit TCustomMemo(TComponent* owner);
  ~TCustomMemo() override;
  // The lines; while the window exists they are read from and written to it.
  TStrings* Lines() const;
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);

protected:
  void CreateParams(TCreateParams& params) override;

private:
  class TMemoStrings;
  std::unique_ptr<TMemoStrings> lines_;
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
  bool wordWrap_ = true;
};

class TMemo : public TCustomMemo {
  VELA_CLASS_INFO
public:
  explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
};

class TButtonControl : public TWinControl {
  VELA_CLASS_INFO
public:
  explicit TButtonControl(TComponent* owner);
};

class TButton : public TButtonControl {
  VELA_CLASS_INFO
public:
  explicit TButton(TComponent* owner);
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

private:
  bool default_ = false;
  bool cancel_ = false;
};

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
  VELA_CLASS_INFO
public:
  explicit TCustomPanel(TComponent* owner);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  void SetText(const std::wstring& text) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void AdjustClientRect(RECT& rect) const override;
  void Paint() override;

private:
  TBevelCut bevelInner_ = TBevelCut::bvNone;
  TBevelCut bevelOuter_ = TBevelCut::bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TAlignment alignment_ = TAlignment::taCenter;
};

class TPanel : public TCustomPanel {
  VELA_CLASS_INFO
public:
  explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};

class TCustomGroupBox : public TCustomControl {
  VELA_CLASS_INFO
public:
  explicit TCustomGroupBox(TComponent* owner);
  void SetText(const std::wstring& text) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void AdjustClientRect(RECT& rect) const override;
  void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
  VELA_CLASS_INFO
public:
  explicit TGroupBox(TComponent* owner) : TCustomGroupBox(owner) {}
};

} // namespace vela::ui
