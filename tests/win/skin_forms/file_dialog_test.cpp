// The system's file-open dialog, opened from a skinned form, comes up skinned: the manager
// attaches it as a bare window and its frame skinner maps its child windows by class. A skin
// file chosen in it is one the skin data can read.
//
// Relies on what the dialog is made of (probed under Wine, and documented for Windows' classic
// explorer-style dialog, which the framework's dialog always is because it has a hook): a
// top-level "#32770" holding "Button" windows (Open = IDOK, Cancel = IDCANCEL), "ComboBox"
// windows (Look in, Files of type), a "ComboBoxEx32" file-name box with a combo box inside, a
// size grip ("ScrollBar") and the child dialog of the hook ("#32770").
#include "skin/controls/skin_box.h"
#include "skin/controls/skin_buttons.h"
#include "skin/controls/skin_combo.h"
#include "skin/forms/skin_manager.h"
#include "skin/forms/skin_messages.h"
#include "skin/forms/win_skin_form.h"
#include "tests/win/skin_forms/skin_forms_test_util.h"
#include "tools/skinart/default_skin.h"
#include "ui/bitmap.h"
#include "ui/core/text.h"
#include "ui/dialogs.h"

#include <commdlg.h>
#include <dlgs.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace vela::skin::test {
namespace {

// Everything the test finds out inside the dialog's own message loop.
struct DialogLook {
  HWND dialog = nullptr;
  bool answersSkinned = false;
  bool openButton = false, cancelButton = false;
  int comboBoxes = 0;
  bool fileNameCombo = false;
  bool sizeGrip = false;
  bool hookDialog = false;
  skin::Bitmap shot;
};

// The dialog, frame included, as the screen shows it.
skin::Bitmap Capture(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  HDC screen = GetDC(nullptr);
  skin::Bitmap shot = ui::CaptureDc(screen, skin::Rect{r.left, r.top, r.right, r.bottom});
  ReleaseDC(nullptr, screen);
  return shot;
}

HWND ChildOfClass(HWND parent, const wchar_t* className) {
  return FindWindowExW(parent, nullptr, className, nullptr);
}

void Inspect(HWND dialog, TWinSkinForm& skinner, DialogLook& look) {
  look.answersSkinned = SendMessageW(dialog, SKM_ISSKINNED, 0, 0) == 1;
  look.openButton =
      dynamic_cast<TSkinButton*>(skinner.FindControlSkinner(GetDlgItem(dialog, IDOK)));
  look.cancelButton =
      dynamic_cast<TSkinButton*>(skinner.FindControlSkinner(GetDlgItem(dialog, IDCANCEL)));
  for (HWND c = ChildOfClass(dialog, L"ComboBox"); c;
       c = FindWindowExW(dialog, c, L"ComboBox", nullptr))
    look.comboBoxes += dynamic_cast<TSkinComBox*>(skinner.FindControlSkinner(c)) ? 1 : 0;
  if (HWND extended = ChildOfClass(dialog, L"ComboBoxEx32"))
    look.fileNameCombo =
        dynamic_cast<TSkinComBox*>(skinner.FindControlSkinner(GetTopWindow(extended)));
  look.sizeGrip =
      dynamic_cast<TSkinSizer*>(skinner.FindControlSkinner(ChildOfClass(dialog, L"ScrollBar")));
  look.hookDialog =
      dynamic_cast<TSkinBoxH*>(skinner.FindControlSkinner(ChildOfClass(dialog, L"#32770")));
}

// What to do inside the dialog's loop once its children have been mapped (then the dialog is
// cancelled unless the action closed it).
std::function<void(HWND dialog, TWinSkinForm& skinner)> whenMapped;
HWND shownDialog;
bool timedOut;
int ticks;

class FileDialog : public SkinFormsTest {
protected:
  void SetUp() override {
    SkinFormsTest::SetUp();
    form = ReadForm("    Active = True\n", DefaultSkinFile());
    form->Show();
    SetActiveWindow(form->Handle());
    ASSERT_TRUE(
        PumpUntil([&] { return SkinManager && SkinManager->FindFormSkinner(form->Handle()); }));
  }

  // Runs the dialog; a timer of this thread looks at it from inside its loop until its children
  // have been mapped (the Open button has a skinner), or 30 s have passed.
  bool Execute(ui::TOpenDialog& dialog) {
    shownDialog = nullptr;
    timedOut = false;
    ticks = 0;
    dialog.OnShow = [&dialog](ui::TObject*) { shownDialog = dialog.Handle(); };
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
      constexpr int kLimit = 600;
      HWND d = shownDialog;
      TWinSkinForm* skinner =
          d && IsWindowVisible(d) && SkinManager ? SkinManager->FindFormSkinner(d) : nullptr;
      const bool mapped = skinner && skinner->FindControlSkinner(GetDlgItem(d, IDOK));
      if (!mapped && ++ticks <= kLimit)
        return;
      if (ticks <= kLimit) {
        ticks = kLimit + 1; // from now on, only closing
        timedOut = !mapped;
        if (mapped) {
          whenMapped(d, *skinner);
          return;
        }
      }
      // Whatever is still open (the dialog, or a message box of it) is cancelled.
      KillTimer(nullptr, id);
      if (HWND active = GetActiveWindow();
          active && active != d && GetWindow(active, GW_OWNER) == d)
        PostMessageW(active, WM_COMMAND, IDCANCEL, 0);
      if (d && IsWindow(d))
        PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    });
    const bool chosen = dialog.Execute();
    KillTimer(nullptr, timer);
    return chosen;
  }

  ui::TForm* form = nullptr;
};

TEST_F(FileDialog, OpenedFromASkinnedFormItComesUpSkinnedWithItsChildWindowsMapped) {
  DialogLook look;
  whenMapped = [&look](HWND d, TWinSkinForm& skinner) {
    look.dialog = d;
    Inspect(d, skinner, look);
    RedrawWindow(d, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    look.shot = Capture(d);
  };
  ui::TOpenDialog dialog(form);
  dialog.SetFilter(L"Skin files (*.skn)|*.skn|All files (*.*)|*.*");
  dialog.SetTitle(L"Open skin");
  const bool chosen = Execute(dialog);

  EXPECT_FALSE(chosen);
  EXPECT_EQ(dialog.Handle(), nullptr) << "the handle is only there while the dialog shows";
  ASSERT_NE(shownDialog, nullptr) << "OnShow was not called";
  ASSERT_FALSE(timedOut) << "the dialog was not skinned within 30 s";
  EXPECT_TRUE(look.answersSkinned);
  EXPECT_TRUE(look.openButton);
  EXPECT_TRUE(look.cancelButton);
  EXPECT_EQ(look.comboBoxes, 2) << "Look in and Files of type";
  EXPECT_TRUE(look.fileNameCombo) << "the combo box inside the extended combo box";
  EXPECT_TRUE(look.sizeGrip);
  EXPECT_TRUE(look.hookDialog) << "the child dialog of the hook";

  // The shot, for people to look at.
  ASSERT_FALSE(look.shot.Empty());
  const std::vector<std::uint8_t> bytes = tools::EncodeBmp24(look.shot);
  std::ofstream(std::filesystem::path(SHOT_DIR) / "file_dialog.bmp", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

TEST_F(FileDialog, TheSkinFileChosenInTheSkinnedDialogIsTheOneTheSkinDataReads) {
  static std::wstring dusk;
  dusk = ui::Utf8ToWide(DUSK_SKN);
  for (wchar_t& c : dusk)
    c = c == L'/' ? L'\\' : c;
  whenMapped = [](HWND d, TWinSkinForm&) {
    // The file-name box, by its documented control id, then Open.
    SendMessageW(d, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(dusk.c_str()));
    PostMessageW(d, WM_COMMAND, IDOK, 0);
  };
  ui::TOpenDialog dialog(form);
  dialog.SetFilter(L"Skin files (*.skn)|*.skn");
  ASSERT_TRUE(Execute(dialog));
  ASSERT_FALSE(timedOut);
  EXPECT_EQ(std::filesystem::path(dialog.FileName()).filename(), L"dusk.skn");
  auto* data = dynamic_cast<TSkinData*>(form->FindComponent("SkinData1"));
  ASSERT_NE(data, nullptr);
  data->SetSkinFile(dialog.FileName());
  EXPECT_EQ(data->Elements().SkinName, "Vela Dusk");
}

} // namespace
} // namespace vela::skin::test
