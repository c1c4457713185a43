// The skinned list view and its header.
#include "skin/controls/skin_list_view.h"

#include "skin/controls/header_layout.h"
#include "skin/controls/image_text.h"
#include "ui/win_control.h"

#include <commctrl.h>

#include <algorithm>

namespace vela::skin {

// ---- TSkinHeader

const ui::TClassInfo& TSkinHeader::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinHeader>("TSkinHeader", &TSkinControl::StaticClassInfo(), {});
  return info;
}

TSkinHeader::TSkinHeader(ui::TComponent* owner) : TSkinControl(owner) {}

TSkinHeader::~TSkinHeader() {
  Destroying();
}

const TDataSkinObject* TSkinHeader::HeaderElement() const {
  const TSkinElements* e = Elements();
  return e && e->Headerbar && !e->Headerbar->Bitmap.Empty() ? e->Headerbar.get() : nullptr;
}

bool TSkinHeader::BeforeMessage(ui::TMessage& m) {
  if (!HeaderElement())
    return TSkinControl::BeforeMessage(m);
  switch (m.Msg) {
  case WM_ERASEBKGND:
    m.Result = 1;
    return false;
  case WM_PAINT: {
    // The whole header is ours: the sections come out of one back buffer without the native
    // ones showing first.
    PaintMessage(m, [this](HDC dc) { PaintWindow(dc); });
    return false;
  }
  default:
    return TSkinControl::BeforeMessage(m);
  }
}

void TSkinHeader::Draw(HDC dc, const RECT& rect) {
  const TDataSkinObject* element = HeaderElement();
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (!element || width <= 0 || height <= 0)
    return;
  if (buffer_.Width() != width || buffer_.Height() != height)
    buffer_.SetSize(width, height);
  HDC back = buffer_.Dc();
  HWND header = Handle();
  HGDIOBJ oldFont = nullptr;
  if (auto font = reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0)))
    oldFont = SelectObject(back, font);
  SetBkMode(back, TRANSPARENT);
  SetTextColor(back, GetSysColor(COLOR_BTNTEXT));
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(header, HDM_GETIMAGELIST, 0, 0));
  const int cells = std::max(1, int(element->FrameCount));
  const bool enabled = IsWindowEnabled(header) != FALSE;
  int itemsRight = 0;
  const int count = int(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT item{};
    if (!SendMessageW(header, HDM_GETITEMRECT, WPARAM(i), LPARAM(&item)))
      continue;
    wchar_t text[201] = {};
    HDITEMW info{};
    info.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    info.pszText = text;
    info.cchTextMax = int(std::size(text));
    SendMessageW(header, HDM_GETITEMW, WPARAM(i), LPARAM(&info));
    DrawSkinElement(back, item, cells, 1, *element);
    const auto format = std::uint32_t(info.fmt);
    DrawImageText(back, item, HeaderItemAlignment(format), text, HeaderItemImage(format, info.iImage), images,
                  enabled);
    itemsRight = std::max(itemsRight, int(item.right));
  }
  const Rect rest = HeaderRest(itemsRight, width, height);
  if (!rest.Empty())
    DrawSkinElement(back, RECT{rest.left, rest.top, rest.right, rest.bottom}, cells, 1, *element);
  BitBlt(dc, rect.left, rect.top, width, height, back, 0, 0, SRCCOPY);
  if (oldFont)
    SelectObject(back, oldFont);
}

// ---- TSkinListView

const ui::TClassInfo& TSkinListView::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinListView>("TSkinListView", &TSkinScrollbar::StaticClassInfo(), {});
  return info;
}

TSkinListView::TSkinListView(ui::TComponent* owner) : TSkinScrollbar(owner) {}

TSkinListView::~TSkinListView() {
  Destroying();
  if (header_)
    header_->RemoveFreeNotification(this);
}

void TSkinListView::AttachScrolling(TSkinHost* host, ui::TCanvas* canvas) {
  if (Attached())
    return;
  TSkinScrollbar::AttachScrolling(host, canvas);
  if (!Attached())
    return;
  HWND header = reinterpret_cast<HWND>(SendMessageW(Handle(), LVM_GETHEADER, 0, 0));
  if (!header)
    return;
  // The header skinner is listed with the frame skinner like any other and may be freed
  // there first: the notification forgets it.
  header_ = new TSkinHeader(Control());
  header_->FreeNotification(this);
  header_->AttachHandle(header, host, canvas);
}

void TSkinListView::Notification(ui::TComponent* component, ui::TOperation operation) {
  TSkinScrollbar::Notification(component, operation);
  if (operation == ui::TOperation::opRemove && component == header_)
    header_ = nullptr;
}

} // namespace vela::skin
