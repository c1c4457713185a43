#pragma once
// Tab controls, page controls with their sheets, and tab sets.
//
//   TTabControl   native "SysTabControl32"; Tabs, TabIndex, TabPosition, Images, OnChange;
//                 children sit in the display area under the tabs; tab i shows image i
//   TPageControl  the same with one TTabSheet per tab; ActivePage shows its sheet, OnChange
//   TTabSheet     a page: nested in a page control's description, its Caption is the tab's text
//                 and its ImageIndex the tab's image in the page control's Images
//   TTabSet       a strip of tabs the framework draws itself (no native control): Tabs,
//                 TabIndex, FirstIndex, StartMargin, EndMargin, OnChange; arrows (a
//                 TTabScroller, the tab set's first component) appear when tabs are scrolled
//                 off or do not fit
//
// A click on a tab changes TabIndex (ActivePage) and then fires OnChange.
#include "ui/core/strings.h"
#include "ui/win_control.h"

#include <memory>
#include <vector>

namespace vela::ui {

class TImageList;

enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

class TCustomTabControl : public TWinControl {
  VELA_CLASS_INFO
public:
  explicit TCustomTabControl(TComponent* owner);
  TTabPosition TabPosition() const { return tabPosition_; }
  void SetTabPosition(TTabPosition value);
  // -1 when no tab is selected.
  int TabIndex() const;
  void SetTabIndex(int value);
  // The client area less the tabs, where pages and children go.
  RECT DisplayRect() const;
  // The rectangle of a tab in client coordinates; empty without a window.
  RECT TabRect(int index) const;
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  void Notification(TComponent* component, TOperation operation) override;

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void HandleDestroying() override;
  void WndProc(TMessage& message) override;
  void AdjustClientRect(RECT& rect) const override;
  // The texts of the tabs, in order.
  virtual std::vector<std::wstring> TabCaptions() const = 0;
  // The image of a tab in Images, -1 for none.
  virtual int TabImageIndex(int index) const { return index; }
  // The user picked another tab (TabIndex already tells which).
  virtual void Change();
  // Copies the tab texts to the window, keeping the selection.
  void UpdateTabs();

private:
  TTabPosition tabPosition_ = TTabPosition::tpTop;
  mutable int tabIndex_ = -1;
  TImageList* images_ = nullptr;
};

class TTabControl : public TCustomTabControl {
  VELA_CLASS_INFO
public:
  explicit TTabControl(TComponent* owner);
  ~TTabControl() override;
  TStrings* Tabs() const { return tabs_.get(); }

protected:
  std::vector<std::wstring> TabCaptions() const override;

private:
  std::unique_ptr<TStringList> tabs_;
};

class TPageControl;

class TTabSheet : public TWinControl {
  VELA_CLASS_INFO
public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;
  TPageControl* PageControl() const { return pageControl_; }
  void SetPageControl(TPageControl* control);
  // Its position among the pages; -1 outside a page control.
  int PageIndex() const;
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  void SetParent(TWinControl* parent) override;
  void SetText(const std::wstring& text) override;

protected:
  void CreateParams(TCreateParams& params) override;
  // A sheet fills itself with its colour: no native control paints it.
  bool PaintsItself() const override { return true; }

private:
  friend class TPageControl;
  TPageControl* pageControl_ = nullptr;
  int imageIndex_ = -1;
};

class TPageControl : public TCustomTabControl {
  VELA_CLASS_INFO
public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;
  int PageCount() const { return int(pages_.size()); }
  TTabSheet* Pages(int index) const { return pages_.at(std::size_t(index)); }
  TTabSheet* ActivePage() const { return activePage_; }
  // Shows the page and hides the others; nullptr or a sheet of another control is ignored.
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

protected:
  std::vector<std::wstring> TabCaptions() const override;
  int TabImageIndex(int index) const override;
  void Change() override;
  void AlignControls(RECT rect) override;

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void ShowActivePage();
  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
};

class TTabSet;

// The arrows of a tab set: a horizontal up-down whose position is the tab set's first visible
// tab.
class TTabScroller : public TWinControl {
  VELA_CLASS_INFO
public:
  explicit TTabScroller(TComponent* owner);
  void SetRange(int max, int position);

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
};

class TTabSet : public TCustomControl {
  VELA_CLASS_INFO
public:
  // Pixels a tab is wider than its caption.
  static constexpr int kTabPadding = 9;

  explicit TTabSet(TComponent* owner);
  ~TTabSet() override;
  TStrings* Tabs() const { return tabs_.get(); }
  int TabIndex() const { return tabIndex_; }
  // Selects a tab (-1 none) and scrolls it into view; OnChange fires when it changed.
  void SetTabIndex(int value);
  int FirstIndex() const { return firstIndex_; }
  void SetFirstIndex(int value);
  int StartMargin() const { return startMargin_; }
  void SetStartMargin(int value);
  int EndMargin() const { return endMargin_; }
  void SetEndMargin(int value);
  TTabScroller* Scroller() const { return scroller_; }
  // The tabs shown now, in client coordinates (the full height of the control).
  std::vector<RECT> VisibleTabRects();
  // The tab under a client point, -1 for none.
  int TabAt(POINT point);
  void Loaded() override;

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void BoundsChanged() override;
  void FontChanged() override;

private:
  std::vector<int> TabWidths();
  void UpdateScroller();
  std::unique_ptr<TStringList> tabs_;
  TTabScroller* scroller_ = nullptr;
  int tabIndex_ = -1;
  int firstIndex_ = 0;
  int startMargin_ = 5;
  int endMargin_ = 5;
};

} // namespace vela::ui
