// Forms over their life: the main form's close ending the loop, release, close actions,
// dialog characters, menus, fonts handed down, scrolling.
#include "tests/win/ui/ui_test_util.h"
#include "ui/form.h"
#include "ui/menus.h"
#include "ui/std_controls.h"

#include <gtest/gtest.h>

namespace vela::ui::test {
namespace {

// Hears when a component goes away.
class TDeathWatch : public TComponent {
public:
  explicit TDeathWatch(TComponent* watched) : TComponent(nullptr) { FreeNotification(watched); }
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == TOperation::opRemove) gone.push_back(c);
  }
  std::vector<TComponent*> gone;
};

TEST(FormLife, ClosingTheMainFormEndsRunWhichFreesTheForms) {
  Application->Initialize();
  TForm* main = nullptr;
  Application->CreateForm(main);
  ASSERT_EQ(Application->MainForm(), main);
  main->SetBounds(30, 30, 200, 120);
  std::vector<std::string> events;
  main->OnShow = [&](TObject*) {
    events.push_back("show");
    PostMessageW(main->Handle(), WM_CLOSE, 0, 0);
  };
  main->OnClose = [&](TObject*, TCloseAction&) { events.push_back("close"); };
  main->OnDestroy = [&](TObject* sender) {
    // The form is still whole: its class and its controls can be used.
    events.push_back("destroy " + static_cast<TComponent*>(sender)->ClassName());
  };
  TDeathWatch watch(main);
  Application->Run();
  EXPECT_EQ(events, (std::vector<std::string>{"show", "close", "destroy TForm"}));
  EXPECT_EQ(watch.gone, (std::vector<TComponent*>{main}));
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(FormLife, ReleaseFreesTheFormOnlyAfterItsHandlerHasReturned) {
  Application->Initialize();
  auto* form = new TForm(nullptr);
  auto* button = new TButton(form);
  button->SetParent(form);
  // The recorder stays installed: the button goes with the form.
  std::vector<UINT> releaseSeen;
  TWndMethod saved = button->WindowProc;
  button->WindowProc = [&releaseSeen, saved](TMessage& m) {
    if (m.Msg == CM_RELEASE) releaseSeen.push_back(m.Msg);
    saved(m);
  };
  bool aliveAfterRelease = false;
  TDeathWatch watch(form);
  button->OnClick = [&](TObject*) {
    form->Release();
    aliveAfterRelease = watch.gone.empty() && IsWindow(form->Handle());
  };
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(aliveAfterRelease);
  Application->ProcessMessages(); // the application frees released forms between messages
  EXPECT_EQ(watch.gone, (std::vector<TComponent*>{form}));
  EXPECT_EQ(releaseSeen, (std::vector<UINT>{CM_RELEASE}));
}

TEST(FormLife, CloseActionsOfASecondaryForm) {
  Application->Initialize();
  auto* form = new TForm(nullptr);
  form->SetBounds(50, 50, 200, 100);
  TCloseAction next = TCloseAction::caNone;
  form->OnClose = [&](TObject*, TCloseAction& action) { action = next; };
  bool mayClose = false;
  form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = mayClose; };
  form->Show();
  form->Close();
  EXPECT_TRUE(IsWindowVisible(form->Handle())); // refused by OnCloseQuery
  mayClose = true;
  form->Close();
  EXPECT_TRUE(IsWindowVisible(form->Handle())); // caNone
  next = TCloseAction::caHide;
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_FALSE(form->Visible());
  TDeathWatch watch(form);
  next = TCloseAction::caFree;
  form->Close();
  Application->ProcessMessages();
  EXPECT_EQ(watch.gone.size(), 1u);
}

TEST(FormLife, FocusGoesToTheFirstControlInTabOrderAndComesBackAfterDeactivation) {
  Application->Initialize();
  TForm form(nullptr);
  form.SetBounds(120, 120, 260, 140);
  auto* second = new TEdit(&form);
  second->SetParent(&form);
  second->SetBounds(8, 8, 100, 21);
  second->SetTabOrder(1);
  auto* first = new TEdit(&form);
  first->SetParent(&form);
  first->SetBounds(8, 40, 100, 21);
  first->SetTabOrder(0);
  form.Show();
  PumpMessages();
  EXPECT_EQ(GetFocus(), first->Handle());
  second->SetFocus();
  TForm other(nullptr);
  other.SetBounds(400, 120, 200, 100);
  other.Show();
  PumpMessages();
  ASSERT_NE(GetFocus(), second->Handle());
  SetActiveWindow(form.Handle());
  PumpMessages();
  EXPECT_EQ(GetFocus(), second->Handle());
}

TEST(FormLife, AltKeysReachTheFormAsDialogCharacters) {
  Application->Initialize();
  TForm form(nullptr);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  std::vector<WPARAM> chars;
  TWndMethod saved = form.WindowProc;
  form.WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_DIALOGCHAR) {
      chars.push_back(m.WParam);
      m.Result = m.WParam == 'f' ? 1 : 0; // only Alt+F is taken
      return;
    }
    saved(m);
  };
  MessageRecorder editSaw(edit, {WM_SYSCHAR});
  PostMessageW(edit->Handle(), WM_SYSCHAR, 'f', 1 << 29);
  PostMessageW(edit->Handle(), WM_SYSCHAR, 'x', 1 << 29);
  Application->ProcessMessages();
  form.WindowProc = saved;
  EXPECT_EQ(chars, (std::vector<WPARAM>{'f', 'x'}));
  EXPECT_EQ(editSaw.seen, (std::vector<UINT>{WM_SYSCHAR})); // only the one not taken
}

TEST(FormLife, MainMenuCommandsAndChangesReachTheForm) {
  Application->Initialize();
  TForm form(nullptr);
  auto* menu = new TMainMenu(&form);
  auto* file = new TMenuItem(&form);
  file->SetCaption(L"&File");
  auto* open = new TMenuItem(&form);
  open->SetCaption(L"&Open");
  int opened = 0;
  open->OnClick = [&](TObject*) { ++opened; };
  file->Add(open);
  menu->Items()->Add(file);
  form.SetMenu(menu);
  HMENU bar = GetMenu(form.Handle());
  ASSERT_EQ(bar, menu->Handle());
  EXPECT_EQ(GetMenuItemCount(bar), 1);
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 1);
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(open->Command(), 0), 0);
  EXPECT_EQ(opened, 1);
  // A drop-down handle stays valid while its items change.
  HMENU dropDown = file->Handle();
  auto* line = new TMenuItem(&form);
  line->SetCaption(L"-");
  file->Add(line);
  EXPECT_EQ(GetMenuItemCount(dropDown), 2);
  line->SetVisible(false);
  EXPECT_TRUE(IsMenu(dropDown));
  EXPECT_EQ(GetMenuItemCount(dropDown), 1);
  EXPECT_EQ(GetSubMenu(GetMenu(form.Handle()), 0), dropDown);

  MessageRecorder rec(&form, {CM_MENUCHANGED});
  auto* help = new TMenuItem(&form);
  help->SetCaption(L"&Help");
  menu->Items()->Add(help);
  EXPECT_EQ(rec.seen, (std::vector<UINT>{CM_MENUCHANGED}));
  EXPECT_EQ(GetMenuItemCount(GetMenu(form.Handle())), 2);
  menu->SetOwnerDraw(true);
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE;
  GetMenuItemInfoW(GetMenu(form.Handle()), 1, TRUE, &mii);
  EXPECT_NE(mii.fType & MFT_OWNERDRAW, 0u);
  delete help; // a freed item leaves the menu
  EXPECT_EQ(GetMenuItemCount(GetMenu(form.Handle())), 1);
}

TEST(FormLife, FontIsHandedDownToChildrenThatFollowTheirParent) {
  Application->Initialize();
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  auto* follows = new TEdit(&form);
  follows->SetParent(panel);
  auto* own = new TEdit(&form);
  own->SetParent(panel);
  own->Font()->SetHeight(-20);
  EXPECT_FALSE(own->ParentFont());
  form.Font()->SetName(L"Tahoma");
  form.Font()->SetHeight(-13);
  EXPECT_EQ(follows->Font()->Height(), -13);
  EXPECT_EQ(follows->Font()->Name(), L"Tahoma");
  EXPECT_TRUE(follows->ParentFont());
  EXPECT_EQ(own->Font()->Height(), -20);
  EXPECT_EQ(HFONT(SendMessageW(follows->Handle(), WM_GETFONT, 0, 0)), follows->Font()->Handle());
}

TEST(FormLife, AutoScrollShowsScrollBarsAndMovesControlsWithThem) {
  Application->Initialize();
  TForm form(nullptr);
  form.SetBounds(60, 60, 220, 160);
  auto* distant = new TEdit(&form);
  distant->SetParent(&form);
  distant->SetBounds(20, 400, 100, 21);
  form.SetAutoScroll(true);
  form.Show();
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(form.Handle(), SB_VERT, &si));
  EXPECT_EQ(si.nMax, 420);
  SendMessageW(form.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(distant->Top(), 392);
  SendMessageW(form.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(distant->Top() + distant->Height(), form.ClientHeight());
  form.SetAutoScroll(false); // controls go back where they were
  EXPECT_EQ(distant->Top(), 400);
}

} // namespace
} // namespace vela::ui::test
