#include "tools/skinview/skinview_form.h"

#include "skin/controls/skin_scrollbar.h"
#include "skin/forms/skin_data.h"
#include "tools/skinart/default_skin.h"
#include "ui/application.h"
#include "ui/bitmap.h"
#include "ui/com_controls.h"
#include "ui/core/shortcut.h"
#include "ui/core/stream.h"
#include "ui/core/text.h"
#include "ui/dialogs.h"
#include "ui/list_controls.h"
#include "ui/menus.h"

#include <commdlg.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace vela::skinview {

namespace {

constexpr wchar_t kTitle[] = L"Vela Skin Viewer";
// The default skin, packed by the build and carried as a resource of the program.
constexpr wchar_t kDefaultSkinResource[] = L"DEFAULTSKIN";
// Class-map lines for the framework's controls that no built-in rule gives a skinner, so that
// every control on the pages is painted from the skin.
constexpr const wchar_t* kFrameworkClassMap[] = {
    L"TCheckBox=checkbox", L"TRadioButton=radiobutton", L"TRadioGroup=radiogroup",
    L"TBitBtn=bitbtn",     L"TComboBox=combobox",       L"TPageControl=tab",
    L"TTabControl=tab",
};

// The bytes of the program's default skin; empty when it carries none.
std::vector<std::uint8_t> DefaultSkinBytes() {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, kDefaultSkinResource, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto* bytes = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
  if (!bytes)
    return {};
  return std::vector<std::uint8_t>(bytes, bytes + SizeofResource(module, found));
}

// A whole file; false with the reason when it cannot be read.
bool ReadWholeFile(const std::wstring& file, std::vector<std::uint8_t>& out, std::wstring& why) {
  std::error_code error;
  const std::filesystem::path path(file);
  if (!std::filesystem::is_regular_file(path, error)) {
    why = std::filesystem::exists(path, error) ? L"it is not a file" : L"it does not exist";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    why = L"it cannot be opened";
    return false;
  }
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    why = L"reading it failed";
    return false;
  }
  return true;
}

std::wstring SaveFileName(HWND owner) {
  wchar_t name[MAX_PATH] = L"skinview.bmp";
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = L"Bitmap (*.bmp)\0*.bmp\0";
  ofn.lpstrFile = name;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrDefExt = L"bmp";
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  return GetSaveFileNameW(&ofn) ? std::wstring(name) : std::wstring();
}

} // namespace

skin::TSkinData& TPageHost::SkinData() const {
  return form_.SkinData();
}

TSkinViewForm::TSkinViewForm(ui::TComponent* owner) : ui::TForm(owner) {
  SetCaption(kTitle);
  SetBounds(80, 60, 600, 400);
  skinData_ = new skin::TSkinData(this);
  for (const wchar_t* line : kFrameworkClassMap)
    skinData_->Skin3rd()->Add(line);
  // No mapping rule hands out the stand-alone scroll bar's skinner: an application asks for it.
  skinData_->OnSkinControl = [](ui::TComponent*, skin::TSkinData*, ui::TControl*, ui::TControl* control,
                                const std::string&, ui::TComponent*& skinned) {
    if (dynamic_cast<ui::TScrollBar*>(control))
      skinned = new skin::TSkinScControl(control);
  };
  BuildMenus();
  statusBar_ = new ui::TStatusBar(this);
  statusBar_->SetParent(this);
  statusBar_->SetAlign(ui::TAlign::alBottom);
  statusBar_->SetSimplePanel(true);
  BuildPages();
  SetClientWidth(kClientWidth);
  SetClientHeight(kClientHeight);
  if (!pageNames_.empty())
    ShowPage(pageNames_.front());
}

TSkinViewForm::~TSkinViewForm() = default;

// ---- menus

ui::TMenuItem* TSkinViewForm::AddItem(ui::TMenuItem* parent, const std::wstring& caption,
                                      std::function<void()> click, const std::wstring& shortcut) {
  auto* item = new ui::TMenuItem(this);
  item->SetCaption(caption);
  if (!shortcut.empty())
    item->SetShortCut(ui::TextToShortCut(shortcut));
  if (click)
    item->OnClick = [click](ui::TObject*) { click(); };
  parent->Add(item);
  return item;
}

void TSkinViewForm::BuildMenus() {
  mainMenu_ = new ui::TMainMenu(this);
  auto top = [this](const std::wstring& caption) {
    auto* item = new ui::TMenuItem(this);
    item->SetCaption(caption);
    mainMenu_->Items()->Add(item);
    return item;
  };
  ui::TMenuItem* file = top(L"&File");
  AddItem(
      file, L"&Open skin\x2026", [this] { OpenSkin(); }, L"Ctrl+O");
  AddItem(
      file, L"&Reload", [this] { UseSkin(skinFile_, false); }, L"F5");
  AddItem(
      file, L"&Save screenshot\x2026", [this] { SaveShotAs(); }, L"Ctrl+S");
  AddItem(file, L"-", nullptr);
  AddItem(
      file, L"E&xit", [this] { Close(); }, L"Alt+F4");
  viewMenu_ = top(L"&View");
  ui::TMenuItem* help = top(L"&Help");
  AddItem(help, L"&About", [this] { ShowAbout(); });
  SetMenu(mainMenu_);

  pageMenu_ = new ui::TPopupMenu(this);
  AddItem(pageMenu_->Items(), L"&Next page", [this] { StepPage(+1); });
  AddItem(pageMenu_->Items(), L"&Previous page", [this] { StepPage(-1); });
  AddItem(pageMenu_->Items(), L"-", nullptr);
  AddItem(pageMenu_->Items(), L"&Reload skin", [this] { UseSkin(skinFile_, false); });
  AddItem(pageMenu_->Items(), L"&Save screenshot\x2026", [this] { SaveShotAs(); });
}

// ---- pages

void TSkinViewForm::BuildPages() {
  for (const PageEntry& entry : Pages().Pages()) {
    Page page;
    page.name = entry.name;
    page.panel = new ui::TPanel(this);
    page.panel->SetParent(this);
    page.panel->SetAlign(ui::TAlign::alClient);
    page.panel->SetBevelOuter(ui::TBevelCut::bvNone);
    page.panel->SetCaption(L"");
    page.panel->SetVisible(false);
    page.panel->SetPopupMenu(pageMenu_);
    const std::string name = entry.name;
    page.viewItem =
        AddItem(viewMenu_, L"&" + ui::Utf8ToWide(name), [this, name] { ShowPage(name); });
    page.viewItem->SetRadioItem(true);
    page.host = std::make_unique<TPageHost>(*this, *page.panel);
    entry.fill(*page.host);
    pageNames_.push_back(name);
    pages_.push_back(std::move(page));
  }
}

bool TSkinViewForm::ShowPage(const std::string& name) {
  const PageEntry* entry = Pages().Find(name);
  if (!entry)
    return false;
  for (Page& page : pages_) {
    const bool shown = page.name == entry->name;
    const bool was = page.panel->Visible();
    page.panel->SetVisible(shown);
    page.viewItem->SetChecked(shown);
    if (was != shown && page.host->OnShowChanged)
      page.host->OnShowChanged(shown);
  }
  currentPage_ = entry->name;
  UpdateStatus();
  return true;
}

void TSkinViewForm::StepPage(int step) {
  const int count = int(pageNames_.size());
  for (int i = 0; i < count; ++i)
    if (pageNames_[std::size_t(i)] == currentPage_) {
      ShowPage(pageNames_[std::size_t((i + step + count) % count)]);
      return;
    }
}

// ---- the skin

void TSkinViewForm::Report(const std::wstring& text, bool quiet) {
  if (quiet)
    std::fprintf(stderr, "skinview: %s\n", ui::WideToUtf8(text).c_str());
  else
    ui::ShowMessage(text);
}

bool TSkinViewForm::UseSkin(const std::wstring& file, bool quiet) {
  skinFile_ = file;
  std::vector<std::uint8_t> bytes;
  std::wstring why;
  bool readable = true;
  if (file.empty()) {
    bytes = DefaultSkinBytes();
    if (bytes.empty()) {
      Report(L"This program carries no default skin.", quiet);
      readable = false;
    }
  } else if (!ReadWholeFile(file, bytes, why)) {
    Report(L"Cannot read the skin file " + file + L": " + why + L".", quiet);
    readable = false;
  }
  bool loaded = false;
  if (readable) {
    // The same reading as the update tool's stored skin: a package of another version is
    // reported with the engine's own message.
    bool reported = false;
    skinData_->ShowMessage = [this, quiet, &reported](const std::wstring& text) {
      reported = true;
      Report(text, quiet);
    };
    ui::TMemoryStream stream;
    stream.WriteInt32(std::int32_t(bytes.size()));
    if (!bytes.empty())
      stream.WriteBuffer(bytes.data(), bytes.size());
    stream.SetPosition(0);
    try {
      skinData_->ReadSkinStream(stream);
      loaded = !skinData_->SkinEmpty();
    } catch (const std::exception& e) {
      Report(ui::Utf8ToWide(e.what()), quiet);
      reported = true;
    }
    if (!loaded && !reported)
      Report(L"The skin file " + (file.empty() ? std::wstring(L"(default)") : file) +
                 L" is not a skin package this program can read.",
             quiet);
  }
  const bool wasLoaded = skinLoaded_;
  skinLoaded_ = loaded;
  if (loaded) {
    if (skinData_->Active())
      skinData_->ApplySkin();
    else
      skinData_->SetActive(true);
  } else if (wasLoaded) {
    skinData_->SetActive(false);
  }
  UpdateStatus();
  return loaded;
}

void TSkinViewForm::OpenSkin() {
  ui::TOpenDialog dialog(nullptr);
  dialog.SetFilter(L"Skin files (*.skn)|*.skn|All files (*.*)|*.*");
  dialog.SetTitle(L"Open skin");
  if (dialog.Execute())
    UseSkin(dialog.FileName(), false);
}

void TSkinViewForm::UpdateStatus() {
  std::wstring text;
  if (!skinLoaded_)
    text = L"No skin: the window shows unskinned";
  else
    text = L"Skin: " + ui::Utf8ToWide(skinData_->Elements().SkinName) + L" (" +
           (skinFile_.empty() ? std::wstring(L"default skin") : skinFile_) + L")";
  text += L"  |  Page: " + ui::Utf8ToWide(currentPage_);
  if (!said_.empty())
    text += L"  |  " + said_;
  statusBar_->SetSimpleText(text);
}

void TSkinViewForm::Say(const std::wstring& text) {
  said_ = text;
  UpdateStatus();
}

// ---- shots and the about box

bool TSkinViewForm::SaveShot(const std::wstring& file, std::wstring& error) {
  const skin::Bitmap shot = ui::CaptureWindow(Handle());
  if (shot.Empty()) {
    error = L"the window has no area to save";
    return false;
  }
  const std::vector<std::uint8_t> bytes = tools::EncodeBmp24(shot);
  std::ofstream out(std::filesystem::path(file), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  out.close();
  if (!out) {
    error = L"cannot write " + file;
    return false;
  }
  return true;
}

void TSkinViewForm::SaveShotAs() {
  const std::wstring file = SaveFileName(Handle());
  if (file.empty())
    return;
  std::wstring error;
  Say(SaveShot(file, error) ? L"Saved " + file : L"Not saved: " + error);
}

void TSkinViewForm::ShowAbout() {
  ui::Application->MessageBox(
      std::wstring(kTitle) +
          L"\n\nShows a skin applied to the controls the skin engine paints.\nVersion " +
          ui::Utf8ToWide(VELA_VERSION),
      L"About", MB_OK | MB_ICONINFORMATION);
}

} // namespace vela::skinview
