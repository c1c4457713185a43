// Drives VelaUpdate.exe from outside, as an operator would: types the device's address and
// port, clicks Connect, ticks a card, picks the image in the real file dialog, clicks Upgrade
// and waits for the success box. Run under Wine in the same virtual desktop as the tool.
//
//   operator_driver <VelaUpdate.exe> <address> <port> <image path> <marker directory>
//
// When the success box is up it writes "success-box" into the marker directory and waits for
// "shot-taken" (the calling script's screenshot) before pressing OK. Exit code 0 on success.
#include <windows.h>
#include <commctrl.h>

#include "tests/win/mouse_input.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kTitle[] = L"Vela System Firmware Update Tool";
constexpr wchar_t kSuccess[] = L"Card program upgrade success\xFF01";
constexpr wchar_t kConnected[] =
    L"Successful connection\xFF01---Binding Ports---TCP---Client";

// The tool's process, ended when the drive fails so that nothing is left behind.
HANDLE tool = nullptr;

[[noreturn]] void Fail(const char* what) {
  std::printf("operator_driver: FAILED: %s\n", what);
  std::fflush(stdout);
  if (tool) TerminateProcess(tool, 1);
  ExitProcess(1);
}

void Step(const char* what) {
  std::printf("operator_driver: %s\n", what);
  std::fflush(stdout);
}

bool WaitFor(const std::function<bool()>& done, int ms) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Sleep(50);
  }
  return true;
}

// ---- input -------------------------------------------------------------------------------

using vela::test::MouseAt;

void Click(POINT screen) {
  INPUT in[3] = {MouseAt(screen, 0), MouseAt(screen, MOUSEEVENTF_LEFTDOWN), MouseAt(screen, MOUSEEVENTF_LEFTUP)};
  SendInput(1, &in[0], sizeof(INPUT));
  Sleep(60);
  SendInput(2, &in[1], sizeof(INPUT));
  Sleep(150);
}

void ClickClient(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  Click(p);
}

void ClickCentre(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  Click(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void TypeText(const std::wstring& text) {
  for (wchar_t c : text) {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wScan = in[1].ki.wScan = c;
    in[0].ki.dwFlags = KEYEVENTF_UNICODE;
    in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    Sleep(15);
  }
  Sleep(100);
}

void PressKeyFast(WORD vk) {
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

void PressKey(WORD vk) {
  PressKeyFast(vk);
  Sleep(100);
}

// ---- windows of the tool -----------------------------------------------------------------

std::wstring ClassOf(HWND w) {
  wchar_t buf[128] = {};
  GetClassNameW(w, buf, 127);
  return buf;
}

// GetWindowText does not ask a window of another process; WM_GETTEXT is marshalled.
std::wstring TextOf(HWND w) {
  wchar_t buf[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(w, WM_GETTEXT, 1023, LPARAM(buf), SMTO_ABORTIFHUNG, 2000, &copied);
  return buf;
}

std::vector<HWND> TopWindowsOf(DWORD pid) {
  std::vector<HWND> out;
  struct Ctx {
    DWORD pid;
    std::vector<HWND>* out;
  } ctx{pid, &out};
  EnumWindows(
      [](HWND w, LPARAM l) -> BOOL {
        auto* c = reinterpret_cast<Ctx*>(l);
        DWORD p = 0;
        GetWindowThreadProcessId(w, &p);
        if (p == c->pid && IsWindowVisible(w)) c->out->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&ctx));
  return out;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> out;
  EnumChildWindows(
      parent,
      [](HWND w, LPARAM l) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(l)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&out));
  return out;
}

HWND FindChild(HWND parent, const std::function<bool(HWND)>& match) {
  for (HWND w : Children(parent))
    if (match(w)) return w;
  return nullptr;
}

bool ClassHas(HWND w, const wchar_t* part) {
  std::wstring c = ClassOf(w);
  for (auto& ch : c) ch = wchar_t(towlower(ch));
  std::wstring p = part;
  for (auto& ch : p) ch = wchar_t(towlower(ch));
  return c.find(p) != std::wstring::npos;
}

// A message box or file dialog of the tool, found by a text it shows.
HWND FindDialog(DWORD pid, const std::function<bool(HWND)>& match) {
  for (HWND w : TopWindowsOf(pid))
    if (ClassOf(w) == L"#32770" && match(w)) return w;
  return nullptr;
}

// Memory inside the tool's process for messages that carry pointers (list view, status bar).
class RemoteBuffer {
public:
  RemoteBuffer(HANDLE process, std::size_t size) : process_(process) {
    base_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!base_) Fail("VirtualAllocEx in the tool's process");
  }
  ~RemoteBuffer() { VirtualFreeEx(process_, base_, 0, MEM_RELEASE); }
  template <class T>
  void Write(std::size_t offset, const T& value) {
    WriteProcessMemory(process_, static_cast<char*>(base_) + offset, &value, sizeof value, nullptr);
  }
  template <class T>
  T Read(std::size_t offset) {
    T value{};
    ReadProcessMemory(process_, static_cast<char*>(base_) + offset, &value, sizeof value, nullptr);
    return value;
  }
  LPARAM At(std::size_t offset) const { return LPARAM(static_cast<char*>(base_) + offset); }

private:
  HANDLE process_;
  void* base_;
};

std::wstring ListText(HANDLE process, HWND list, int row, int column) {
  RemoteBuffer buf(process, 4096);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = reinterpret_cast<LPWSTR>(buf.At(1024));
  item.cchTextMax = 512;
  buf.Write(0, item);
  SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(row), buf.At(0));
  auto text = buf.Read<std::array<wchar_t, 512>>(1024);
  text[511] = 0;
  return text.data();
}

RECT ListRowRect(HANDLE process, HWND list, int row) {
  RemoteBuffer buf(process, 64);
  RECT r{LVIR_BOUNDS, 0, 0, 0};
  buf.Write(0, r);
  SendMessageW(list, LVM_GETITEMRECT, WPARAM(row), buf.At(0));
  return buf.Read<RECT>(0);
}

bool RowTicked(HWND list, int row) {
  return ((SendMessageW(list, LVM_GETITEMSTATE, WPARAM(row), LVIS_STATEIMAGEMASK) >> 12) & 0xF) == 2;
}

std::wstring StatusText(HANDLE process, HWND bar, int panel) {
  RemoteBuffer buf(process, 4096);
  SendMessageW(bar, SB_GETTEXTW, WPARAM(panel), buf.At(0));
  auto text = buf.Read<std::array<wchar_t, 1024>>(0);
  text[1023] = 0;
  return text.data();
}

// Clicks into a field and types; a keystroke lost to completion or to another window taking
// the focus is made good by clearing the field and typing once more.
bool TypeInto(HWND window, HWND field, const std::wstring& text) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    SetForegroundWindow(window);
    ClickCentre(field);
    if (attempt > 0) {
      PressKey(VK_END);
      for (int i = 0; i < 300; ++i) PressKeyFast(VK_BACK);
    }
    TypeText(text);
    if (WaitFor([&] { return TextOf(field) == text; }, 3000)) return true;
  }
  return false;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

} // namespace

// Whether a window wears its skin completely: it answers the skin engine's "is skinned"
// message (0x3504) and the skinner has fitted it and cut its region, the last step of skinning.
bool IsSkinned(HWND window) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, 0x3504, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) || answer != 1) return false;
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  const bool cut = GetWindowRgn(window, probe) != ERROR;
  DeleteObject(probe);
  return cut;
}

int wmain(int argc, wchar_t** argv) {
  if (argc != 6) {
    std::printf("usage: operator_driver <VelaUpdate.exe> <address> <port> <image> <marker-dir>\n");
    return 2;
  }
  std::wstring exe = argv[1], address = argv[2], port = argv[3], image = argv[4], markers = argv[5];

  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + exe + L"\"";
  if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    Fail("cannot start VelaUpdate.exe");
  tool = pi.hProcess;
  Step("started VelaUpdate.exe");

  HWND main = nullptr;
  if (!WaitFor([&] {
        for (HWND w : TopWindowsOf(pi.dwProcessId))
          if (TextOf(w) == kTitle) main = w;
        return main != nullptr;
      }, 30000))
    Fail("the main window did not appear");
  // Other programs may share the desktop: keep the tool on top so that every click lands on it.
  SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(main);
  // The tool wears its skin once its window is first activated; clicks go by client
  // coordinates, and the client area moves when the skin's frame replaces the system's.
  if (!WaitFor([&] { return IsSkinned(main); }, 30000)) Fail("the main window was not skinned");
  Step("the window wears its skin");
  WaitForInputIdle(pi.hProcess, 10000); // the skinned controls have had their first paint

  // The three edits: address and port share the top row, the file field sits below.
  std::vector<HWND> edits;
  for (HWND w : Children(main))
    if (ClassHas(w, L"edit") && IsWindowVisible(w)) edits.push_back(w);
  if (edits.size() < 3) Fail("expected the address, port and file edits");
  auto top = [](HWND w) { RECT r; GetWindowRect(w, &r); return std::pair<LONG, LONG>(r.top, r.left); };
  std::sort(edits.begin(), edits.end(), [&](HWND a, HWND b) { return top(a) < top(b); });
  HWND editIp = edits[0], editPort = edits[1], editFile = edits[2];
  if (top(editIp).second > top(editPort).second) std::swap(editIp, editPort);
  HWND topPanel = GetParent(editIp);
  HWND fileGroup = GetParent(editFile);

  if (!TypeInto(main, editIp, address) || !TypeInto(main, editPort, port)) Fail("typing into the edits");
  Step("typed the address and port");

  ClickClient(topPanel, 521 + 44, 11 + 16); // Connect
  HWND list = FindChild(main, [](HWND w) { return ClassHas(w, L"listview"); });
  HWND bar = FindChild(main, [](HWND w) { return ClassHas(w, L"statusbar") || ClassHas(w, L"msctls_statusbar32"); });
  if (!list || !bar) Fail("list view or status bar not found");
  if (!WaitFor([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) >= 2; }, 15000))
    Fail("no device rows after Connect");
  if (StatusText(pi.hProcess, bar, 0) != kConnected) Fail("status panel 0 after connecting");
  Step("connected; rows listed");

  int card = -1;
  int rows = int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int r = 0; r < rows && card < 0; ++r)
    if (ListText(pi.hProcess, list, r, 2) != L"Main") card = r;
  if (card < 0) Fail("no card row");
  RECT row = ListRowRect(pi.hProcess, list, card);
  ClickClient(list, row.left + 10, (row.top + row.bottom) / 2); // the row's tick box
  if (!WaitFor([&] { return RowTicked(list, card); }, 3000)) Fail("ticking the card");
  Step("ticked a card");

  HWND loadButton = FindChild(fileGroup, [](HWND w) { return TextOf(w) == L"........"; });
  if (!loadButton) Fail("the file button");
  ClickCentre(loadButton);
  HWND dialog = nullptr;
  if (!WaitFor([&] { return (dialog = FindDialog(pi.dwProcessId, [](HWND) { return true; })) != nullptr; }, 15000))
    Fail("the file dialog did not open");
  // Its fields move when the dialog is fitted to the skin's frame, so clicks wait for that.
  if (!WaitFor([&] { return IsSkinned(dialog); }, 30000)) Fail("the file dialog was not skinned");
  HWND nameField = nullptr;
  if (!WaitFor([&] {
        nameField = FindChild(dialog, [](HWND w) {
          int id = GetDlgCtrlID(w);
          return (id == 0x47C || id == 0x480) && IsWindowVisible(w);
        });
        return nameField != nullptr;
      }, 15000))
    Fail("the file name field of the dialog");
  if (!TypeInto(dialog, nameField, image)) Fail("typing the file name");
  PressKey(VK_RETURN);
  if (!WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 10000))
    Fail("the file dialog did not close");
  if (TextOf(editFile).empty()) Fail("no file in the file field");
  Step("picked the image in the file dialog");

  ClickClient(fileGroup, 344 + 44, 14 + 14); // Upgrade
  HWND box = nullptr;
  auto isSuccess = [](HWND w) {
    HWND text = GetDlgItem(w, 0xFFFF);
    return text && TextOf(text) == kSuccess;
  };
  if (!WaitFor([&] { return (box = FindDialog(pi.dwProcessId, isSuccess)) != nullptr; }, 120000))
    Fail("no success box after Upgrade");
  Step("the success box is up");

  HANDLE marker = CreateFileW((markers + L"\\success-box").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, 0, nullptr);
  CloseHandle(marker);
  WaitFor([&] { return FileExists(markers + L"\\shot-taken"); }, 20000);

  // The box is skinned too; its button moves when the box is fitted to the skin's frame.
  if (!WaitFor([&] { return IsSkinned(box); }, 30000)) Fail("the success box was not skinned");
  HWND ok = FindChild(box, [](HWND w) { return GetDlgCtrlID(w) == IDOK; });
  if (ok) ClickCentre(ok);
  else PressKey(VK_RETURN);
  if (!WaitFor([&] { return !IsWindow(box); }, 5000)) Fail("the success box did not close");

  PostMessageW(main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) {
    TerminateProcess(pi.hProcess, 1);
    Fail("the tool did not exit after its window was closed");
  }
  Step("closed the window; done");
  return 0;
}
