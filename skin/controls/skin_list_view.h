#pragma once
// The skinned list view: its scroll bars are overlays (TSkinScrollbar) and its header window
// gets a TSkinHeader that paints every section from the skin's header element. The rows and
// their check boxes stay the list view's own.
#include "skin/controls/skin_scrollbar.h"
#include "ui/bitmap.h"

namespace vela::skin {

// The header window of a list view, taken over through its window procedure. It paints the
// whole header: each section from the first cell of the header element with its image and
// text, and the rest of the header after the last section from the same cell.
class TSkinHeader : public TSkinControl {
  VELA_CLASS_INFO
public:
  explicit TSkinHeader(ui::TComponent* owner);
  ~TSkinHeader() override;

protected:
  bool BeforeMessage(ui::TMessage& m) override;
  void Draw(HDC dc, const RECT& rect) override;

private:
  const TDataSkinObject* HeaderElement() const;
  ui::TBitmap buffer_;
};

class TSkinListView : public TSkinScrollbar {
  VELA_CLASS_INFO
public:
  explicit TSkinListView(ui::TComponent* owner);
  ~TSkinListView() override;

  // The scroll-bar overlays, then a header skinner owned by the list view.
  void AttachScrolling(TSkinHost* host, ui::TCanvas* canvas) override;
  TSkinHeader* Header() const { return header_; }

protected:
  void Notification(ui::TComponent* component, ui::TOperation operation) override;

private:
  TSkinHeader* header_ = nullptr;
};

} // namespace vela::skin
