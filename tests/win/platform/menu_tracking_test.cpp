// Records how the platform's popup-menu loop behaves, because the skinned menu bar opens its
// drop-downs with TrackPopupMenu and steers between them from a thread message-filter hook.
// Every case runs a real menu loop on a real top-level window and acts from inside it (timers
// dispatched by the loop, or the hook itself). A watchdog timer ends any loop that outlives
// its bound with EndMenu and the case then fails, so no case can hang.
//
// Cases whose name ends in OnWine record a behaviour where Wine differs from what Windows
// documents; the comment above each says both, so a run on Windows shows the difference.
// Set VELA_MENU_TRACE=1 to print every recorded event of each case.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr UINT kFirstId = 101;
constexpr UINT kSecondId = 102;
constexpr UINT kThirdId = 103;
constexpr UINT_PTR kWatchdogTimer = 1;
constexpr UINT_PTR kDriveTimer = 2;
constexpr UINT kWatchdogMs = 20000;
// The drive timer only polls for the state a case waits for; it never stands in for a wait.
constexpr UINT kDriveMs = 25;
// The message the skin manager sends a popup window to ask whether it is already skinned.
constexpr UINT kIsSkinnedMessage = 0x3504;
constexpr LRESULT kSkinnedAnswer = 1;
constexpr wchar_t kOwnerClass[] = L"VelaMenuProbeOwner";

enum class Source { Window, Filter, Cbt, MenuWindow, Track };

struct Event {
  Source source;
  UINT message; // for Cbt: the hook code
  WPARAM wp;
  LPARAM lp;
  HWND hwnd;
  int code; // for Filter: the hook code
  POINT pt; // for Filter: the message's screen point
};

struct Probe {
  HWND menuWindow{};
  WNDPROC menuWindowPrevious{};
  bool subclassMenuWindow{};
  int watchdogFires{};
  int menuWindowsCreated{};
  std::array<Event, 16384> events{};
  size_t count{};
  bool overflow{};
  std::function<void(const MSG&)> onFilter; // each MSGF_MENU call of the filter hook
  std::function<void()> onTick;             // each drive tick while the loop runs
};

Probe* g_probe = nullptr;

void Record(Source source, UINT message, WPARAM wp, LPARAM lp, HWND hwnd, int code = 0,
            POINT pt = {}) {
  if (g_probe == nullptr) {
    return;
  }
  if (g_probe->count == g_probe->events.size()) {
    g_probe->overflow = true;
    return;
  }
  g_probe->events[g_probe->count++] = Event{source, message, wp, lp, hwnd, code, pt};
}

// Callbacks run inside window procedures and hooks; nothing may escape from them.
template <typename F> void Guarded(F&& f) {
  try {
    f();
  } catch (...) {
    std::fputs("menu probe: exception swallowed at a callback boundary\n", stderr);
  }
}

bool IsMenuWindow(HWND hwnd) {
  wchar_t name[16] = {};
  return GetClassNameW(hwnd, name, 16) > 0 && std::wcscmp(name, L"#32768") == 0;
}

LRESULT CALLBACK MenuWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  WNDPROC previous = g_probe != nullptr ? g_probe->menuWindowPrevious : nullptr;
  switch (msg) {
  case kIsSkinnedMessage:
    Record(Source::MenuWindow, msg, wp, lp, hwnd);
    return kSkinnedAnswer;
  case WM_NCPAINT:
  case WM_PRINT:
  case WM_DESTROY:
    Record(Source::MenuWindow, msg, wp, lp, hwnd);
    break;
  case WM_NCDESTROY:
    Record(Source::MenuWindow, msg, wp, lp, hwnd);
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    break;
  default:
    break;
  }
  return previous != nullptr ? CallWindowProcW(previous, hwnd, msg, wp, lp)
                             : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK CbtHook(int code, WPARAM wp, LPARAM lp) {
  if (g_probe != nullptr && (code == HCBT_CREATEWND || code == HCBT_DESTROYWND)) {
    auto hwnd = reinterpret_cast<HWND>(wp);
    if (IsMenuWindow(hwnd)) {
      Record(Source::Cbt, static_cast<UINT>(code), wp, 0, hwnd);
      if (code == HCBT_CREATEWND) {
        ++g_probe->menuWindowsCreated;
        g_probe->menuWindow = hwnd;
        if (g_probe->subclassMenuWindow) {
          g_probe->menuWindowPrevious = reinterpret_cast<WNDPROC>(
              SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MenuWindowProc)));
        }
      }
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK FilterHook(int code, WPARAM wp, LPARAM lp) {
  if (g_probe != nullptr && code >= 0) {
    const MSG& m = *reinterpret_cast<const MSG*>(lp);
    Record(Source::Filter, m.message, m.wParam, m.lParam, m.hwnd, code, m.pt);
    if (code == MSGF_MENU && g_probe->onFilter) {
      Guarded([&] { g_probe->onFilter(m); });
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
  case WM_MENUSELECT:
  case WM_INITMENU:
  case WM_INITMENUPOPUP:
  case WM_UNINITMENUPOPUP:
  case WM_ENTERMENULOOP:
  case WM_EXITMENULOOP:
  case WM_COMMAND:
  case WM_CANCELMODE:
    Record(Source::Window, msg, wp, lp, hwnd);
    break;
  case WM_MEASUREITEM: {
    Record(Source::Window, msg, wp, lp, hwnd);
    auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
    mi->itemWidth = 80;
    mi->itemHeight = 20;
    return TRUE;
  }
  case WM_DRAWITEM:
    Record(Source::Window, msg, wp, lp, hwnd);
    return TRUE;
  case WM_NCLBUTTONDOWN:
    Record(Source::Window, msg, wp, lp, hwnd);
    // The skinned frame consumes its own non-client clicks; the default handling would start
    // the system's menu-bar tracking instead.
    return 0;
  case WM_TIMER:
    if (wp == kWatchdogTimer && g_probe != nullptr) {
      // First EndMenu; should the loop ignore it, Escape presses until it gives up.
      if (g_probe->watchdogFires++ == 0) {
        EndMenu();
      } else {
        PostMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
      }
      return 0;
    }
    if (wp == kDriveTimer && g_probe != nullptr && g_probe->onTick) {
      Guarded([] { g_probe->onTick(); });
      return 0;
    }
    break;
  default:
    break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void PumpMessages() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

const char* SourceName(Source s) {
  switch (s) {
  case Source::Window:
    return "window";
  case Source::Filter:
    return "filter";
  case Source::Cbt:
    return "cbt";
  case Source::MenuWindow:
    return "menuwnd";
  case Source::Track:
    return "track";
  }
  return "?";
}

// A tiny step sequencer for drive ticks: each step is retried on every tick until it reports
// that the state it waits for has come, then the next one runs.
class Steps {
public:
  explicit Steps(std::initializer_list<std::function<bool()>> steps) : steps_(steps) {}
  void operator()() {
    if (next_ < steps_.size() && steps_[next_]())
      ++next_;
  }
  size_t done() const { return next_; }

private:
  std::vector<std::function<bool()>> steps_;
  size_t next_ = 0;
};

class MenuTracking : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kOwnerClass;
    if (RegisterClassW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
      std::fprintf(stderr, "menu probe: RegisterClassW failed, error %lu\n", GetLastError());
    }
  }

  void SetUp() override {
    probe_ = std::make_unique<Probe>();
    g_probe = probe_.get();
    owner_ = CreateWindowExW(0, kOwnerClass, L"menu probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                             100, 400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr) << "CreateWindowExW failed, error " << GetLastError();
    menu_ = CreatePopupMenu();
    ASSERT_NE(menu_, nullptr);
    AppendMenuW(menu_, MF_STRING, kFirstId, L"&Alpha");
    AppendMenuW(menu_, MF_STRING, kSecondId, L"&Beta");
    AppendMenuW(menu_, MF_STRING, kThirdId, L"&Gamma");
    filter_ = SetWindowsHookExW(WH_MSGFILTER, FilterHook, nullptr, GetCurrentThreadId());
    cbt_ = SetWindowsHookExW(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(filter_, nullptr);
    ASSERT_NE(cbt_, nullptr);
    SetForegroundWindow(owner_);
    UpdateWindow(owner_);
    PumpMessages();
    probe_->count = 0; // only what the menu loop causes matters
  }

  void TearDown() override {
    if (std::getenv("VELA_MENU_TRACE") != nullptr) {
      DumpEvents();
    }
    EXPECT_FALSE(probe_->overflow) << "event log overflowed";
    if (filter_ != nullptr)
      UnhookWindowsHookEx(filter_);
    if (cbt_ != nullptr)
      UnhookWindowsHookEx(cbt_);
    if (menu_ != nullptr)
      DestroyMenu(menu_);
    if (owner_ != nullptr)
      DestroyWindow(owner_);
    PumpMessages();
    g_probe = nullptr;
  }

  // Runs one menu loop; the result is TrackPopupMenu's.
  UINT Track(UINT flags) {
    POINT at{20, 20};
    ClientToScreen(owner_, &at);
    SetTimer(owner_, kWatchdogTimer, kWatchdogMs, nullptr);
    SetTimer(owner_, kDriveTimer, kDriveMs, nullptr);
    BOOL result = TrackPopupMenu(menu_, flags, at.x, at.y, 0, owner_, nullptr);
    Record(Source::Track, 0, static_cast<WPARAM>(result), 0, nullptr);
    KillTimer(owner_, kWatchdogTimer);
    KillTimer(owner_, kDriveTimer);
    return static_cast<UINT>(result);
  }

  bool MenuShown() const {
    HWND w = probe_->menuWindow;
    return w != nullptr && IsWindow(w) && IsWindowVisible(w);
  }

  bool Highlighted(UINT position) const {
    return (GetMenuState(menu_, position, MF_BYPOSITION) & MF_HILITE) != 0;
  }

  void PostKey(UINT vk) const { PostMessageW(owner_, WM_KEYDOWN, vk, 1); }

  // Drives the loop with the keyboard: Down once the menu shows, then `vk` once Down has
  // highlighted the first item.
  void DriveDownThen(UINT vk) {
    auto steps = std::make_shared<Steps>(Steps{[this] { return MenuShown(); },
                                               [this] {
                                                 PostKey(VK_DOWN);
                                                 return true;
                                               },
                                               [this, vk] {
                                                 if (!Highlighted(0))
                                                   return false;
                                                 PostKey(vk);
                                                 return true;
                                               }});
    probe_->onTick = [steps] { (*steps)(); };
  }

  // Index of the first event at or after `from` that matches, or -1.
  template <typename Pred> long Find(Pred pred, size_t from = 0) const {
    for (size_t i = from; i < probe_->count; ++i) {
      if (pred(probe_->events[i]))
        return static_cast<long>(i);
    }
    return -1;
  }

  template <typename Pred> long FindLast(Pred pred) const {
    for (size_t i = probe_->count; i-- > 0;) {
      if (pred(probe_->events[i]))
        return static_cast<long>(i);
    }
    return -1;
  }

  long TrackReturn() const {
    return Find([](const Event& e) { return e.source == Source::Track; });
  }

  static auto Is(Source s, UINT message) {
    return [s, message](const Event& e) { return e.source == s && e.message == message; };
  }

  static bool IsCloseSelect(const Event& e) {
    return e.source == Source::Window && e.message == WM_MENUSELECT && HIWORD(e.wp) == 0xFFFF &&
           e.lp == 0;
  }

  void ExpectEndedWithoutWatchdog() const {
    EXPECT_EQ(probe_->watchdogFires, 0) << "the menu loop had to be ended by the watchdog";
  }

  void DumpEvents() const {
    std::printf("---- %s\n", ::testing::UnitTest::GetInstance()->current_test_info()->name());
    for (size_t i = 0; i < probe_->count; ++i) {
      const Event& e = probe_->events[i];
      if (e.source == Source::Filter && e.message == WM_TIMER)
        continue;
      std::printf("%4zu %-8s msg=%04x wp=%llx lp=%llx hwnd=%p code=%d\n", i, SourceName(e.source),
                  e.message, static_cast<unsigned long long>(e.wp),
                  static_cast<unsigned long long>(e.lp), static_cast<void*>(e.hwnd), e.code);
    }
  }

  std::unique_ptr<Probe> probe_;
  HWND owner_{};
  HMENU menu_{};
  HHOOK filter_{};
  HHOOK cbt_{};
};

// Windows documents that a WH_MSGFILTER hook gets MSGF_MENU for the messages a menu loop
// retrieves; Wine agrees. Sent messages such as WM_MENUSELECT never pass through the filter.
TEST_F(MenuTracking, FilterHookSeesKeyboardAndTimerMessagesAsMsgfMenu) {
  DriveDownThen(VK_ESCAPE);
  Track(TPM_RIGHTBUTTON);
  ExpectEndedWithoutWatchdog();

  long key = Find([](const Event& e) {
    return e.source == Source::Filter && e.message == WM_KEYDOWN && e.wp == VK_DOWN;
  });
  ASSERT_GE(key, 0) << "the filter hook never saw the posted Down key";
  EXPECT_EQ(probe_->events[key].code, MSGF_MENU);
  EXPECT_EQ(probe_->events[key].hwnd, owner_) << "keys keep the window they were posted to";
  EXPECT_GE(Find(Is(Source::Filter, WM_TIMER)), 0);
  EXPECT_LT(Find(Is(Source::Filter, WM_MENUSELECT)), 0);
  EXPECT_LT(Find([](const Event& e) { return e.source == Source::Filter && e.code != MSGF_MENU; }),
            0);
}

// While the loop runs the menu window holds the capture, so mouse messages name it, and
// MSG.pt is the screen point. Windows documents WM_MOUSEMOVE's lParam as client coordinates;
// in Wine's menu loop it is the screen point too, which differs by the menu's client origin.
TEST_F(MenuTracking, CapturedMouseMovesNameMenuWindowWithScreenPointInLParamOnWine) {
  POINT centre{};
  POINT menuOrigin{};
  Steps steps{[&] {
                if (!MenuShown())
                  return false;
                RECT r;
                GetWindowRect(probe_->menuWindow, &r);
                centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
                ClientToScreen(probe_->menuWindow, &menuOrigin);
                SetCursorPos(centre.x, centre.y);
                return true;
              },
              [&] {
                if (Find(Is(Source::Filter, WM_MOUSEMOVE)) < 0)
                  return false;
                EndMenu();
                return true;
              }};
  probe_->onTick = [&] { steps(); };
  Track(TPM_NONOTIFY | TPM_RIGHTBUTTON);
  ExpectEndedWithoutWatchdog();

  long move = Find(Is(Source::Filter, WM_MOUSEMOVE));
  ASSERT_GE(move, 0);
  const Event& e = probe_->events[move];
  EXPECT_EQ(e.code, MSGF_MENU);
  EXPECT_EQ(e.hwnd, probe_->menuWindow);
  EXPECT_EQ(e.pt.x, centre.x);
  EXPECT_EQ(e.pt.y, centre.y);
  ASSERT_TRUE(menuOrigin.x != 0 || menuOrigin.y != 0) << "cannot tell the two apart";
  EXPECT_EQ(static_cast<short>(LOWORD(e.lp)), centre.x);
  EXPECT_EQ(static_cast<short>(HIWORD(e.lp)), centre.y);
}

// Windows documents WM_MENUSELECT with 0xFFFF and no menu when a menu closes, sent to the
// owner; Wine sends it, also under TPM_NONOTIFY, before TrackPopupMenu returns.
class MenuCloseNotification : public MenuTracking, public ::testing::WithParamInterface<UINT> {};

TEST_P(MenuCloseNotification, MenuSelectCloseArrivesOnceBeforeTrackPopupMenuReturns) {
  DriveDownThen(VK_ESCAPE);
  Track(GetParam());
  ExpectEndedWithoutWatchdog();

  long selected = Find([](const Event& e) {
    return e.source == Source::Window && e.message == WM_MENUSELECT && LOWORD(e.wp) == kFirstId;
  });
  EXPECT_GE(selected, 0) << "no WM_MENUSELECT for the highlighted item";
  long close = Find(IsCloseSelect);
  ASSERT_GE(close, 0) << "no closing WM_MENUSELECT";
  EXPECT_LT(Find(IsCloseSelect, close + 1), 0) << "closing WM_MENUSELECT sent twice";
  EXPECT_LT(selected, close);
  EXPECT_LT(close, TrackReturn());
  EXPECT_GT(close, Find(Is(Source::Cbt, HCBT_DESTROYWND))) << "sent after the popup is gone";
}

INSTANTIATE_TEST_SUITE_P(Flags, MenuCloseNotification,
                         ::testing::Values(TPM_RIGHTBUTTON, TPM_NONOTIFY | TPM_RIGHTBUTTON));

// Windows does not document what its menu loop does with a WM_NCLBUTTONDOWN posted to the
// owner; moving to another drop-down by posting one assumes the loop reads it as a press
// outside the menu and closes. Wine's loop does not: it passes the message through the filter
// hook and dispatches it to the window while the menu stays open.
TEST_F(MenuTracking, PostedNcLButtonDownIsDispatchedWithoutClosingMenuOnWine) {
  RECT frame{};
  GetWindowRect(owner_, &frame);
  LPARAM at = MAKELPARAM(frame.left + 40, frame.top + 5);
  bool shownAfterDispatch = false;
  Steps steps{[&] { return MenuShown(); },
              [&] {
                PostMessageW(owner_, WM_NCLBUTTONDOWN, HTMENU, at);
                return true;
              },
              [&] {
                if (Find(Is(Source::Window, WM_NCLBUTTONDOWN)) < 0)
                  return false;
                shownAfterDispatch = MenuShown();
                EndMenu();
                return true;
              }};
  probe_->onTick = [&] { steps(); };
  Track(TPM_NONOTIFY | TPM_RIGHTBUTTON);
  ExpectEndedWithoutWatchdog();

  long click = Find(Is(Source::Window, WM_NCLBUTTONDOWN));
  ASSERT_GE(click, 0);
  EXPECT_LT(click, TrackReturn()) << "delivered inside the loop";
  EXPECT_EQ(probe_->events[click].wp, static_cast<WPARAM>(HTMENU));
  long filtered = Find(Is(Source::Filter, WM_NCLBUTTONDOWN));
  ASSERT_GE(filtered, 0) << "the loop did not retrieve the posted press";
  EXPECT_EQ(probe_->events[filtered].code, MSGF_MENU);
  EXPECT_LT(filtered, click);
  EXPECT_TRUE(shownAfterDispatch) << "the posted click closed the menu";
  MSG left{};
  EXPECT_FALSE(PeekMessageW(&left, owner_, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
}

// A real button press outside the menu closes it, and Wine leaves the press queued for the
// window under the cursor, so it is delivered after TrackPopupMenu returns. Windows documents
// only that the menu is dismissed, not whether the press reaches the window afterwards.
TEST_F(MenuTracking, RealPressOutsideMenuClosesItAndReachesWindowAfterReturnOnWine) {
  RECT frame{};
  GetWindowRect(owner_, &frame);
  POINT caption{frame.left + 60, frame.top + GetSystemMetrics(SM_CYFRAME) + 4};
  Steps steps{[&] { return MenuShown(); },
              [&] {
                SetCursorPos(caption.x, caption.y);
                INPUT in[2] = {};
                in[0].type = in[1].type = INPUT_MOUSE;
                in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
                in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
                SendInput(2, in, sizeof(INPUT));
                return true;
              }};
  probe_->onTick = [&] { steps(); };
  Track(TPM_NONOTIFY | TPM_RIGHTBUTTON);
  ExpectEndedWithoutWatchdog();
  EXPECT_LT(Find(Is(Source::Window, WM_NCLBUTTONDOWN)), 0) << "not delivered inside the loop";

  // The loop saw the press as WM_LBUTTONDOWN on the capturing menu window; what reaches the
  // window afterwards is the press hit-tested again at its real position.
  EXPECT_GE(Find([](const Event& e) {
              return e.source == Source::Filter && e.message == WM_LBUTTONDOWN &&
                     e.code == MSGF_MENU;
            }),
            0);
  MSG press{};
  ASSERT_TRUE(PeekMessageW(&press, owner_, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE))
      << "the press that closed the menu was swallowed";
  EXPECT_EQ(press.wParam, static_cast<WPARAM>(HTCAPTION));
  EXPECT_EQ(press.pt.x, caption.x);
  EXPECT_EQ(press.pt.y, caption.y);
}

// Posting Down from the first MSGF_MENU call selects the first item, which the skinned bar
// does so that a drop-down opened from the keyboard starts on its first item. The loop reads
// keys whatever window they were posted to: the owner, or the menu window itself.
enum class KeyTarget { Owner, MenuWindow };

class FirstItemSelection : public MenuTracking, public ::testing::WithParamInterface<KeyTarget> {};

TEST_P(FirstItemSelection, DownPostedFromFirstFilterCallSelectsFirstItem) {
  bool posted = false;
  probe_->onFilter = [&](const MSG&) {
    if (!posted) {
      posted = true;
      HWND target = GetParam() == KeyTarget::Owner ? owner_ : probe_->menuWindow;
      PostMessageW(target, WM_KEYDOWN, VK_DOWN, 1);
    }
  };
  bool onlyFirstHighlighted = false;
  Steps steps{[&] {
    if (!Highlighted(0))
      return false;
    onlyFirstHighlighted = !Highlighted(1) && !Highlighted(2);
    PostKey(VK_RETURN);
    return true;
  }};
  probe_->onTick = [&] { steps(); };
  UINT chosen = Track(TPM_NONOTIFY | TPM_RIGHTBUTTON | TPM_RETURNCMD);
  ExpectEndedWithoutWatchdog();
  EXPECT_TRUE(posted);
  EXPECT_TRUE(onlyFirstHighlighted);
  EXPECT_EQ(chosen, kFirstId);
}

INSTANTIATE_TEST_SUITE_P(Targets, FirstItemSelection,
                         ::testing::Values(KeyTarget::Owner, KeyTarget::MenuWindow));

// Windows documents TPM_NONOTIFY as suppressing notifications when an item is clicked; Wine
// still posts the chosen item's WM_COMMAND under it (only TPM_RETURNCMD stops that), and posts
// it, so it arrives after TrackPopupMenu returns.
class ItemChoice : public MenuTracking, public ::testing::WithParamInterface<UINT> {};

TEST_P(ItemChoice, ChosenItemsCommandIsPostedAndArrivesAfterReturnOnWine) {
  DriveDownThen(VK_RETURN);
  UINT result = Track(GetParam());
  ExpectEndedWithoutWatchdog();
  EXPECT_EQ(result, 1u);
  EXPECT_LT(Find(Is(Source::Window, WM_COMMAND)), 0) << "sent inside the loop";
  PumpMessages();
  long command = Find(Is(Source::Window, WM_COMMAND));
  ASSERT_GE(command, 0) << "the chosen item's command never arrived";
  EXPECT_EQ(LOWORD(probe_->events[command].wp), kFirstId);
}

INSTANTIATE_TEST_SUITE_P(Flags, ItemChoice,
                         ::testing::Values(TPM_RIGHTBUTTON, TPM_NONOTIFY | TPM_RIGHTBUTTON));

TEST_F(MenuTracking, MenuOpensWithNoItemSelected) {
  bool anyHighlighted = true;
  Steps steps{[&] {
    if (!MenuShown())
      return false;
    anyHighlighted = Highlighted(0) || Highlighted(1) || Highlighted(2);
    EndMenu();
    return true;
  }};
  probe_->onTick = [&] { steps(); };
  Track(TPM_NONOTIFY | TPM_RIGHTBUTTON);
  ExpectEndedWithoutWatchdog();
  EXPECT_FALSE(anyHighlighted);
}

// Windows documents WM_INITMENUPOPUP as sent when the menu is about to become active, without
// saying whether its window exists yet; Wine creates the "#32768" window first. Under
// TPM_NONOTIFY Wine sends no WM_INITMENUPOPUP at all.
class MenuWindowLifecycle : public MenuTracking, public ::testing::WithParamInterface<UINT> {};

TEST_P(MenuWindowLifecycle, CbtSeesMenuWindowComeAndGoAndItsSubclassAnswersOnWine) {
  probe_->subclassMenuWindow = true;
  LRESULT answer = 0;
  Steps steps{[&] {
    if (!MenuShown())
      return false;
    answer = SendMessageW(probe_->menuWindow, kIsSkinnedMessage, 0, 0);
    EndMenu();
    return true;
  }};
  probe_->onTick = [&] { steps(); };
  Track(GetParam());
  ExpectEndedWithoutWatchdog();

  EXPECT_EQ(probe_->menuWindowsCreated, 1);
  long created = Find(Is(Source::Cbt, HCBT_CREATEWND));
  long destroyed = Find(Is(Source::Cbt, HCBT_DESTROYWND));
  ASSERT_GE(created, 0);
  ASSERT_GE(destroyed, 0);
  EXPECT_EQ(probe_->events[created].hwnd, probe_->events[destroyed].hwnd);
  EXPECT_LT(destroyed, TrackReturn()) << "the menu window outlived the loop";
  EXPECT_EQ(answer, kSkinnedAnswer);
  EXPECT_GE(Find(Is(Source::MenuWindow, WM_NCPAINT)), 0) << "frame painting bypasses the subclass";
  long destroyMsg = Find(Is(Source::MenuWindow, WM_DESTROY));
  EXPECT_GT(destroyMsg, destroyed) << "WM_DESTROY follows HCBT_DESTROYWND";
  EXPECT_FALSE(IsWindow(probe_->events[created].hwnd));
  // Windows prints the menu window for its opening animation; Wine does not animate menus.
  EXPECT_LT(Find(Is(Source::MenuWindow, WM_PRINT)), 0);

  long init = Find(Is(Source::Window, WM_INITMENUPOPUP));
  if (GetParam() & TPM_NONOTIFY) {
    EXPECT_LT(init, 0) << "TPM_NONOTIFY still sent WM_INITMENUPOPUP";
    // Wine sends WM_EXITMENULOOP under TPM_NONOTIFY although it sent no WM_ENTERMENULOOP.
    EXPECT_LT(Find(Is(Source::Window, WM_ENTERMENULOOP)), 0);
    EXPECT_GE(Find(Is(Source::Window, WM_EXITMENULOOP)), 0);
  } else {
    ASSERT_GE(init, 0);
    EXPECT_GT(init, created) << "WM_INITMENUPOPUP came before the menu window";
    EXPECT_EQ(reinterpret_cast<HMENU>(probe_->events[init].wp), menu_);
  }
}

INSTANTIATE_TEST_SUITE_P(Flags, MenuWindowLifecycle,
                         ::testing::Values(TPM_RIGHTBUTTON, TPM_NONOTIFY | TPM_RIGHTBUTTON));

// The drop-downs' items are owner-drawn and their window's frame is painted by a subclass;
// item painting needs WM_MEASUREITEM and WM_DRAWITEM at the owner even under TPM_NONOTIFY,
// and the subclass sees the frame paint before the first item is drawn.
TEST_P(MenuWindowLifecycle, OwnerDrawnItemsAreMeasuredThenDrawnAfterFramePaint) {
  for (UINT i = 0; i < 3; ++i) {
    UINT id = GetMenuItemID(menu_, static_cast<int>(i));
    ASSERT_TRUE(ModifyMenuW(menu_, i, MF_BYPOSITION | MF_OWNERDRAW, id, nullptr));
  }
  probe_->subclassMenuWindow = true;
  Steps steps{[&] {
    if (!MenuShown() || Find(Is(Source::Window, WM_DRAWITEM)) < 0)
      return false;
    EndMenu();
    return true;
  }};
  probe_->onTick = [&] { steps(); };
  Track(GetParam());
  ExpectEndedWithoutWatchdog();

  long created = Find(Is(Source::Cbt, HCBT_CREATEWND));
  long measured = Find(Is(Source::Window, WM_MEASUREITEM));
  long frame = Find(Is(Source::MenuWindow, WM_NCPAINT));
  long drawn = Find(Is(Source::Window, WM_DRAWITEM));
  ASSERT_GE(measured, 0);
  ASSERT_GE(drawn, 0);
  ASSERT_GE(frame, 0);
  EXPECT_LT(created, measured) << "items measured before the menu window exists";
  EXPECT_LT(measured, frame);
  EXPECT_LT(frame, drawn) << "an item was drawn before the frame was painted";
}

// Moving to a neighbouring drop-down without a posted click: the hook ends the menu when it
// sees Right, and the next drop-down opens once TrackPopupMenu has returned. The key that
// triggered the move must not be left for the window, and the second loop must run normally.
TEST_F(MenuTracking, EndMenuFromHookThenSecondTrackOpensCleanly) {
  probe_->onFilter = [](const MSG& m) {
    if (m.message == WM_KEYDOWN && m.wParam == VK_RIGHT)
      EndMenu();
  };
  Steps first{[&] { return MenuShown(); },
              [&] {
                PostKey(VK_RIGHT);
                return true;
              }};
  probe_->onTick = [&] { first(); };
  UINT firstResult = Track(TPM_NONOTIFY | TPM_RIGHTBUTTON | TPM_RETURNCMD);
  MSG stray{};
  bool keyLeft = PeekMessageW(&stray, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) != FALSE;

  probe_->onFilter = nullptr;
  HWND firstWindow = probe_->menuWindow;
  Steps second{[&] {
    if (!MenuShown() || probe_->menuWindow == firstWindow)
      return false;
    EndMenu();
    return true;
  }};
  probe_->onTick = [&] { second(); };
  UINT secondResult = Track(TPM_NONOTIFY | TPM_RIGHTBUTTON | TPM_RETURNCMD);
  ExpectEndedWithoutWatchdog();
  EXPECT_EQ(firstResult, 0u);
  EXPECT_EQ(secondResult, 0u);
  EXPECT_FALSE(keyLeft) << "message " << stray.message << " left in the queue";
  EXPECT_EQ(probe_->menuWindowsCreated, 2);
}

// Windows defines ERROR_POPUP_ALREADY_ACTIVE for a popup menu opened while one is active,
// which suggests a refusal; Wine runs a second, nested loop with its own menu window, and the outer
// loop goes on after it, so a handler reached from inside the loop can stack drop-downs.
TEST_F(MenuTracking, NestedTrackPopupMenuRunsSecondLoopOnWine) {
  HMENU other = CreatePopupMenu();
  ASSERT_NE(other, nullptr);
  AppendMenuW(other, MF_STRING, kThirdId + 1, L"&Delta");
  HWND outerWindow = nullptr;
  bool inNested = false;
  bool nestedShown = false;
  bool outerShownAfter = false;
  BOOL nested = -1;
  probe_->onTick = [&] {
    if (inNested) {
      if (MenuShown() && probe_->menuWindow != outerWindow && !nestedShown) {
        nestedShown = true;
        EndMenu();
      }
      return;
    }
    if (outerWindow != nullptr || !MenuShown())
      return;
    outerWindow = probe_->menuWindow;
    POINT at{60, 60};
    ClientToScreen(owner_, &at);
    inNested = true;
    nested = TrackPopupMenu(other, TPM_NONOTIFY | TPM_RETURNCMD, at.x, at.y, 0, owner_, nullptr);
    inNested = false;
    outerShownAfter = IsWindow(outerWindow) && IsWindowVisible(outerWindow);
    EndMenu();
  };
  Track(TPM_NONOTIFY | TPM_RIGHTBUTTON);
  DestroyMenu(other);
  ExpectEndedWithoutWatchdog();
  EXPECT_TRUE(nestedShown);
  EXPECT_EQ(nested, FALSE) << "ended by EndMenu, so no command";
  EXPECT_TRUE(outerShownAfter) << "the outer menu did not survive the nested loop";
  EXPECT_EQ(probe_->menuWindowsCreated, 2);
  long firstClose = Find(IsCloseSelect);
  ASSERT_GE(firstClose, 0);
  EXPECT_GE(Find(IsCloseSelect, firstClose + 1), 0) << "each loop announces its own close";
}

// Ways to end tracking from inside the loop, none of them a key press or a click.
enum class Ender {
  EndMenuCall,
  EndMenuFromFilterHook,
  CancelModeSentToOwner,
  CancelModePostedToMenuWindow
};

class MenuEnding : public MenuTracking, public ::testing::WithParamInterface<Ender> {};

TEST_P(MenuEnding, EndsTrackingWithNothingChosen) {
  Steps steps{[&] {
    if (!MenuShown())
      return false;
    switch (GetParam()) {
    case Ender::EndMenuCall:
      EndMenu();
      break;
    case Ender::EndMenuFromFilterHook:
      probe_->onFilter = [](const MSG&) { EndMenu(); };
      PostMessageW(owner_, WM_NULL, 0, 0);
      break;
    case Ender::CancelModeSentToOwner:
      SendMessageW(owner_, WM_CANCELMODE, 0, 0);
      break;
    case Ender::CancelModePostedToMenuWindow:
      PostMessageW(probe_->menuWindow, WM_CANCELMODE, 0, 0);
      break;
    }
    return true;
  }};
  probe_->onTick = [&] { steps(); };
  UINT chosen = Track(TPM_NONOTIFY | TPM_RIGHTBUTTON | TPM_RETURNCMD);
  ExpectEndedWithoutWatchdog();
  EXPECT_EQ(chosen, 0u);
  EXPECT_GE(Find(IsCloseSelect), 0);
  EXPECT_LT(Find(Is(Source::Window, WM_COMMAND)), 0);
}

INSTANTIATE_TEST_SUITE_P(Ways, MenuEnding,
                         ::testing::Values(Ender::EndMenuCall, Ender::EndMenuFromFilterHook,
                                           Ender::CancelModeSentToOwner,
                                           Ender::CancelModePostedToMenuWindow));

} // namespace
