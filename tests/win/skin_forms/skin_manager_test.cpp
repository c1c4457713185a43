// The skin manager: deferred actions, choosing a skin data component for a window, the checks
// before a frame skinner is attached, and the thread hook.
#include "tests/win/skin_forms/skin_forms_test_util.h"

#include "skin/forms/skin_messages.h"
#include "skin/forms/win_skin_form.h"
#include "ui/application.h"

namespace vela::skin::test {
namespace {

// A bare top-level window of a class of our own; its procedure answers SKM_ISSKINNED with
// `answer`.
class BareWindow {
public:
  explicit BareWindow(int width = 200, int height = 120, const wchar_t* className = L"VelaBareProbe",
                      DWORD style = WS_OVERLAPPEDWINDOW) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassW(&wc);
    window_ = CreateWindowExW(0, className, L"Probe", style, 50, 50, width, height, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~BareWindow() {
    if (IsWindow(window_)) DestroyWindow(window_);
  }
  HWND Handle() const { return window_; }
  static inline LRESULT answer = 0;

private:
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == SKM_ISSKINNED) return answer;
    return DefWindowProcW(w, msg, wp, lp);
  }
  HWND window_;
};

class ManagerTest : public SkinFormsTest {
protected:
  void SetUp() override {
    SkinFormsTest::SetUp();
    BareWindow::answer = 0;
  }
  // A shown form with a main-form skin data component holding the default skin. With the
  // component switched on, the hook skins the form as it is activated by showing it.
  ui::TForm* SkinnableForm(const std::string& lines = "    Active = False\n") {
    ui::TForm* form = ReadForm(lines, DefaultSkinFile());
    form->Show();
    return form;
  }
  // A shown form not yet skinned, with the manager ready to attach skinners.
  ui::TForm* FormReadyToAttach(const std::string& lines = "    Active = False\n") {
    ui::TForm* form = SkinnableForm(lines);
    SkinManager->Active = true;
    return form;
  }
  TSkinData* DataOf(ui::TForm* form) { return dynamic_cast<TSkinData*>(form->FindComponent("SkinData1")); }
};

// ---- deferred actions

using DeferredActions = ManagerTest;

TEST_F(DeferredActions, BeforeAnyActivationSchedulingOnlySwitchesActive) {
  SkinManager = new TSkinManage;
  SkinManager->ScheduleAction(saSkin, 250);
  EXPECT_TRUE(SkinManager->Active);
  EXPECT_FALSE(SkinManager->ActionTimerRunning());
  SkinManager->ScheduleAction(saUnskin, 250);
  EXPECT_FALSE(SkinManager->Active);
  SkinManager->ScheduleAction(saSkinChanged, 250);
  EXPECT_FALSE(SkinManager->Active) << "only skin and unskin switch it";
  EXPECT_FALSE(SkinManager->ActionTimerRunning());
}

TEST_F(DeferredActions, TwoRequestsWithinTheDelayRunOnlyTheLaterOne) {
  ui::TForm* form = SkinnableForm("    Active = False\n");
  TSkinData* data = DataOf(form);
  int notified = 0;
  data->OnSkinChanged = [&](ui::TObject* sender) {
    EXPECT_EQ(sender, data);
    ++notified;
  };
  SkinManager->ActivationState = asActivated;
  data->SetActive(true);  // skin all ...
  data->SetActive(false); // ... then unskin, before the first has run
  ASSERT_TRUE(PumpUntil([] { return !SkinManager->ActionTimerRunning(); }));
  EXPECT_EQ(notified, 1);
  EXPECT_FALSE(SkinManager->Active) << "the unskin request ran";
  EXPECT_EQ(SkinManager->FindFormSkinner(form->Handle()), nullptr) << "the skin request did not";
  EXPECT_EQ(SkinManager->PendingSkinData, nullptr);
}

TEST_F(DeferredActions, SkinAllAttachesEveryShownFormAndUnskinAllLetsThemGo) {
  ui::TForm* form = SkinnableForm("    Active = False\n");
  TSkinData* data = DataOf(form);
  SkinManager->ActivationState = asActivated;
  data->SetActive(true);
  ASSERT_TRUE(PumpUntil([&] { return SkinManager->FindFormSkinner(form->Handle()) != nullptr; }));
  EXPECT_FALSE(SkinManager->BulkPass) << "the bulk pass ends with the action";
  EXPECT_EQ(SendMessageW(form->Handle(), SKM_ISSKINNED, 0, 0), 1);
  data->SetActive(false);
  ASSERT_TRUE(PumpUntil([] { return SkinManager->FormSkinners().empty(); }));
  EXPECT_NE(SendMessageW(form->Handle(), SKM_ISSKINNED, 0, 0), 1);
}

TEST_F(DeferredActions, ThePurgeActionFreesSkinnersOfDestroyedWindowsAndReportsTheChange) {
  ui::TForm* form = FormReadyToAttach();
  SkinManager->ActivationState = asActivated;
  auto* window = new BareWindow;
  ASSERT_TRUE(SkinManager->AttachWindow(window->Handle()));
  ASSERT_TRUE(SkinManager->AttachWindow(form->Handle()));
  delete window;
  int notified = 0;
  DataOf(form)->OnSkinChanged = [&](ui::TObject*) { ++notified; };
  SkinManager->PendingSkinData = DataOf(form);
  SkinManager->ScheduleAction(saPurge, 250);
  ASSERT_TRUE(PumpUntil([&] { return notified == 1; }));
  ASSERT_EQ(SkinManager->FormSkinners().size(), 1u) << "the live form keeps its skinner";
  EXPECT_EQ(SkinManager->FormSkinners()[0]->Window(), form->Handle());
  EXPECT_FALSE(SkinManager->ActionTimerRunning());
}

TEST_F(DeferredActions, AnActionWithoutAComponentIsDroppedAndTheTimerStops) {
  SkinManager = new TSkinManage;
  SkinManager->ActivationState = asActivated;
  SkinManager->ScheduleAction(saSkin, 50);
  ASSERT_TRUE(SkinManager->ActionTimerRunning());
  ASSERT_TRUE(PumpUntil([] { return !SkinManager->ActionTimerRunning(); }));
  EXPECT_FALSE(SkinManager->Active) << "nothing ran";
}

// ---- choosing the skin data

using ChoosingSkinData = ManagerTest;

TEST_F(ChoosingSkinData, TheLastMatchingRegistrationWinsAndDialogsPreferADialogComponent) {
  SkinManager = new TSkinManage;
  TSkinData first(nullptr), second(nullptr), dialog(nullptr);
  dialog.SetSkinFormtype(TSkinFormType::sfDialog);
  SkinManager->RegisterSkinData(&first);
  SkinManager->RegisterSkinData(&second);
  EXPECT_EQ(SkinManager->MainSkinData, &first) << "the first main-form registration decides";

  BareWindow plain;
  EXPECT_EQ(SkinManager->FindSkinData(plain.Handle()), &second);
  // A window of the system's dialog class (registering a class of that name ourselves would
  // hide the system's one from every later message box of this process).
  HWND box = CreateWindowExW(0, MAKEINTATOM(0x8002), L"Box", WS_POPUP, 0, 0, 100, 80, nullptr, nullptr,
                             nullptr, nullptr);
  ASSERT_EQ(WindowClassName(box), "#32770");
  EXPECT_EQ(SkinManager->FindSkinData(box), &second) << "no dialog component yet";
  SkinManager->RegisterSkinData(&dialog);
  EXPECT_EQ(SkinManager->FindSkinData(box), &dialog);
  DestroyWindow(box);
  EXPECT_EQ(SkinManager->FindSkinData(plain.Handle()), &second);

  // Without any main-form component the first registered one serves.
  SkinManager->UnregisterSkinData(&first);
  SkinManager->UnregisterSkinData(&second);
  EXPECT_EQ(SkinManager->MainSkinData, nullptr);
  EXPECT_EQ(SkinManager->FindSkinData(plain.Handle()), &dialog);
  SkinManager->UnregisterSkinData(&dialog);
  EXPECT_EQ(SkinManager->FindSkinData(plain.Handle()), nullptr);
}

TEST_F(ChoosingSkinData, AnOwnFormComponentServesOnlyItsOwnersWindow) {
  SkinManager = new TSkinManage;
  ui::TForm owner(nullptr);
  TSkinData main(nullptr);
  TSkinData own(&owner);
  own.SetSkinFormtype(TSkinFormType::sfOnlyThisForm);
  SkinManager->RegisterSkinData(&own);
  SkinManager->RegisterSkinData(&main);
  EXPECT_EQ(SkinManager->FindSkinData(owner.Handle()), &own);
  BareWindow other;
  EXPECT_EQ(SkinManager->FindSkinData(other.Handle()), &main);
}

TEST_F(ChoosingSkinData, TheMainComponentsDecisionGatesAttaching) {
  ui::TForm* form = FormReadyToAttach();
  std::vector<std::string> asked;
  DataOf(form)->OnFormSkin = [&](ui::TObject*, const std::string& name, bool& doSkin) {
    asked.push_back(name);
    doSkin = false;
  };
  EXPECT_FALSE(SkinManager->AttachWindow(form->Handle()));
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], WindowClassName(form->Handle()));
}

// ---- the checks before attaching

using AttachChecks = ManagerTest;

TEST_F(AttachChecks, AShownFormIsSkinnedOnceAndAnsweringIsSkinnedStopsASecondAttach) {
  ui::TForm* form = FormReadyToAttach();
  ASSERT_TRUE(SkinManager->AttachWindow(form->Handle()));
  TWinSkinForm* skinner = SkinManager->FindFormSkinner(form->Handle());
  ASSERT_NE(skinner, nullptr);
  EXPECT_EQ(skinner->Owner(), form) << "a form owns its frame skinner";
  EXPECT_EQ(skinner->SkinData(), DataOf(form));
  EXPECT_FALSE(SkinManager->AttachWindow(form->Handle()));
  EXPECT_EQ(SkinManager->FormSkinners().size(), 1u);
  // Finishing arrives as a posted message.
  EXPECT_TRUE(PumpUntil([&] { return skinner->LifeState() == 1; }));
}

TEST_F(AttachChecks, AWindowThatSaysItIsSkinnedIsLeftAlone) {
  FormReadyToAttach();
  BareWindow::answer = 1;
  BareWindow window;
  EXPECT_FALSE(SkinManager->AttachWindow(window.Handle()));
  BareWindow::answer = 0;
  EXPECT_TRUE(SkinManager->AttachWindow(window.Handle())) << "the same window, not claiming a skinner";
  TWinSkinForm* skinner = SkinManager->FindFormSkinner(window.Handle());
  ASSERT_NE(skinner, nullptr);
  EXPECT_EQ(skinner->Owner(), nullptr) << "a bare window's skinner belongs to the manager";
}

TEST_F(AttachChecks, AFormTaggedNinetyNineIsNeverSkinned) {
  ui::TForm* form = FormReadyToAttach("    DisableTag = 5\n");
  form->SetTag(99);
  EXPECT_FALSE(SkinManager->AttachWindow(form->Handle()));
  form->SetTag(199);
  EXPECT_TRUE(SkinManager->AttachWindow(form->Handle())) << "the literal 99, not DisableTag or 99 modulo 100";
}

TEST_F(AttachChecks, AZeroSizedWindowIsNotSkinnedUntilItHasASize) {
  FormReadyToAttach();
  BareWindow window(0, 0, L"VelaBareProbe", WS_POPUP);
  SetWindowPos(window.Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT r{};
  GetWindowRect(window.Handle(), &r);
  ASSERT_EQ((r.right - r.left) * (r.bottom - r.top), 0) << "the system kept the window empty";
  EXPECT_FALSE(SkinManager->AttachWindow(window.Handle()));
  SetWindowPos(window.Handle(), nullptr, 0, 0, 220, 140, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(SkinManager->AttachWindow(window.Handle()));
}

TEST_F(AttachChecks, NothingIsAttachedWhileInactiveOrWithAnEmptySkin) {
  ui::TForm* form = SkinnableForm();
  ASSERT_FALSE(SkinManager->Active);
  EXPECT_FALSE(SkinManager->AttachWindow(form->Handle()));
  SkinManager->Active = true;
  DataOf(form)->SetSkinFile(L"Z:\\missing.skn"); // leaves the component empty
  EXPECT_FALSE(SkinManager->AttachWindow(form->Handle()));
}

TEST_F(AttachChecks, MdiChildrenAreTakenOnlyByTheBulkPass) {
  FormReadyToAttach();
  BareWindow frame;
  CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
  HWND client = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 180, 100, frame.Handle(),
                                nullptr, GetModuleHandleW(nullptr), &ccs);
  ASSERT_NE(client, nullptr);
  HWND child = CreateWindowExW(0, L"STATIC", L"child", WS_CHILD | WS_VISIBLE, 0, 0, 80, 40, client, nullptr,
                               nullptr, nullptr);
  HWND plainChild = CreateWindowExW(0, L"STATIC", L"plain", WS_CHILD, 0, 0, 80, 40, frame.Handle(), nullptr,
                                    nullptr, nullptr);
  EXPECT_TRUE(SkinManager->IsMdiChild(child));
  EXPECT_FALSE(SkinManager->IsMdiChild(plainChild)) << "a child of another parent";
  EXPECT_FALSE(SkinManager->IsMdiChild(client)) << "the client itself";
  EXPECT_FALSE(SkinManager->AttachWindow(child)) << "outside the bulk pass";
  EXPECT_TRUE(SkinManager->FormSkinners().empty());
}

TEST_F(AttachChecks, SkinnersOfDestroyedWindowsArePurged) {
  FormReadyToAttach();
  auto* window = new BareWindow;
  ASSERT_TRUE(SkinManager->AttachWindow(window->Handle()));
  ASSERT_EQ(SkinManager->FormSkinners().size(), 1u);
  delete window; // destroys the window; its skinner lets go at WM_NCDESTROY
  SkinManager->PurgeDestroyedForms();
  EXPECT_TRUE(SkinManager->FormSkinners().empty());
}

// ---- the hook

using ThreadHook = ManagerTest;

TEST_F(ThreadHook, ActivatingAFormSkinsItAndMarksTheFirstActivation) {
  ui::TForm* form = ReadForm("    Active = True\n", DefaultSkinFile());
  ASSERT_EQ(SkinManager->ActivationState, 0);
  form->Show();
  SetActiveWindow(form->Handle());
  ASSERT_TRUE(PumpUntil([&] { return SkinManager->FindFormSkinner(form->Handle()) != nullptr; }));
  EXPECT_EQ(SkinManager->ActivationState, 1);
}

TEST_F(ThreadHook, AMessageBoxIsSkinnedWhenItIsActivated) {
  ui::TForm* form = SkinnableForm("    Active = True\n");
  SetActiveWindow(form->Handle());
  ASSERT_TRUE(PumpUntil([&] { return SkinManager->FindFormSkinner(form->Handle()) != nullptr; }));
  static TWinSkinForm* boxSkinner;
  static int ticks;
  boxSkinner = nullptr;
  ticks = 0;
  // The box runs its own loop; a timer of this thread looks at it from inside and closes it.
  UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindWindowW(L"#32770", L"Hooked");
    if (box && SkinManager) boxSkinner = SkinManager->FindFormSkinner(box);
    if (box && (boxSkinner || ++ticks > 400)) PostMessageW(box, WM_COMMAND, IDOK, 0);
    else if (!box && ++ticks > 400) PostQuitMessage(0); // no box came up: end its loop anyway
  });
  MessageBoxW(form->Handle(), L"Is this box skinned?", L"Hooked", MB_OK);
  KillTimer(nullptr, timer);
  EXPECT_NE(boxSkinner, nullptr);
}

TEST_F(ThreadHook, NewTopLevelWindowsAreAnnouncedAndAThrowingListenerStopsNothing) {
  ui::TForm* form = SkinnableForm("    Active = True\n");
  std::vector<std::string> created;
  DataOf(form)->OnWindowCreated = [&](TSkinData* sender, HWND, const std::string& className) {
    EXPECT_EQ(sender, DataOf(form));
    created.push_back(className);
    throw std::runtime_error("listener failure");
  };
  BareWindow window(200, 120, L"VelaAnnounced");
  EXPECT_TRUE(IsWindow(window.Handle()));
  EXPECT_NE(std::find(created.begin(), created.end(), "VelaAnnounced"), created.end());
  HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, window.Handle(), nullptr, nullptr, nullptr);
  EXPECT_TRUE(IsWindow(child));
  EXPECT_EQ(std::count(created.begin(), created.end(), "Static"), 0) << "child windows are not announced";
}

TEST_F(ThreadHook, FreeingTheManagerRemovesTheHook) {
  ui::TForm* form = ReadForm("    Active = True\n", DefaultSkinFile());
  ASSERT_TRUE(SkinManager->Active);
  FreeSkinManager();
  EXPECT_EQ(SkinManager, nullptr);
  form->Show();
  SetActiveWindow(form->Handle());
  PumpMessages();
  EXPECT_NE(SendMessageW(form->Handle(), SKM_ISSKINNED, 0, 0), 1) << "activation after the end skins nothing";
}

// ---- popup menus

using PopupDecision = ManagerTest;

TEST_F(PopupDecision, TheKindOfMenuDecidesWhichSwitchApplies) {
  ui::TForm* form = SkinnableForm("    Active = True\n    SkinControls = [xcMainMenu]\n");
  (void)form;
  BareWindow popup(100, 100, L"VelaPopupProbe");
  SkinManager->PopupKind = pkPopup;
  EXPECT_FALSE(SkinManager->AttachPopup(popup.Handle())) << "ordinary popups need xcPopupMenu";
  SkinManager->PopupKind = pkSystemMenu;
  EXPECT_FALSE(SkinManager->AttachPopup(popup.Handle())) << "xcSystemMenu is not among the switches";
  EXPECT_EQ(SkinManager->PopupSkinnerCount(), 0u);
  SkinManager->PopupKind = pkMenuBar;
  EXPECT_TRUE(SkinManager->AttachPopup(popup.Handle())) << "a menu-bar drop-down follows xcMainMenu";
  EXPECT_EQ(SkinManager->PopupSkinnerCount(), 1u);
}

TEST_F(PopupDecision, ASkinnedPopupIsNeverGivenASecondSkinnerAndLetsGoWhenDetached) {
  ui::TForm* form = SkinnableForm("    Active = True\n");
  (void)form;
  BareWindow popup(100, 100, L"VelaPopupProbe");
  const LONG_PTR own = GetWindowLongPtrW(popup.Handle(), GWLP_WNDPROC);
  SkinManager->PopupKind = pkPopup;
  ASSERT_TRUE(SkinManager->AttachPopup(popup.Handle()));
  EXPECT_TRUE(SkinManager->IsPopupSkinned(popup.Handle()));
  EXPECT_EQ(SendMessageW(popup.Handle(), SKM_ISSKINNED, 0, 0), 1);
  EXPECT_FALSE(SkinManager->AttachPopup(popup.Handle()));
  EXPECT_EQ(SkinManager->PopupSkinnerCount(), 1u);
  SkinManager->PopupKind = pkMenuBar;
  EXPECT_TRUE(SkinManager->DetachPopup(popup.Handle()));
  EXPECT_EQ(SkinManager->PopupSkinnerCount(), 0u);
  EXPECT_EQ(GetWindowLongPtrW(popup.Handle(), GWLP_WNDPROC), own) << "the procedure was not put back";
  EXPECT_NE(SendMessageW(popup.Handle(), SKM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(SkinManager->PopupKind, pkPopup) << "the kind starts over once no popup is skinned";
  EXPECT_FALSE(SkinManager->DetachPopup(popup.Handle()));
}

} // namespace
} // namespace vela::skin::test
