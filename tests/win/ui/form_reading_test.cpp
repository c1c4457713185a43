// A form read from its description: controls, layout, collections, string lists, binary
// glyph data, handlers bound by name; and freeing the form.
#include "tests/win/ui/ui_test_util.h"
#include "ui/bitmap.h"
#include "ui/com_controls.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/speed_button.h"
#include "ui/std_controls.h"
#include "ui/timer.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace vela::ui::test {
namespace {

class TTestForm : public TForm {
  VELA_CLASS_INFO
public:
  explicit TTestForm(TComponent* owner, const std::string& description) : TForm(owner) {
    BindField("Panel1", Panel1);
    BindField("Panel2", Panel2);
    BindField("ListView1", ListView1);
    BindField("StatusBar1", StatusBar1);
    BindField("MemoLog", MemoLog);
    BindField("BtnGo", BtnGo);
    BindField("BtnLoad", BtnLoad);
    BindField("Tick", Tick);
    BindMethod("FormCreate", &TTestForm::FormCreate);
    BindMethod("BtnLoadClick", &TTestForm::BtnLoadClick);
    BindMethod("FormClose", &TTestForm::FormClose);
    ReadDescriptionText(description);
  }
  TPanel* Panel1 = nullptr;
  TPanel* Panel2 = nullptr;
  TListView* ListView1 = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TMemo* MemoLog = nullptr;
  TSpeedButton* BtnGo = nullptr;
  TButton* BtnLoad = nullptr;
  TTimer* Tick = nullptr;
  std::vector<std::string> calls;
  void FormCreate(TObject*) { calls.push_back(std::string("create:") + (ListView1 ? "fields bound" : "no fields")); }
  void BtnLoadClick(TObject* sender) { calls.push_back("load:" + static_cast<TComponent*>(sender)->Name()); }
  void FormClose(TObject*, TCloseAction& action) {
    calls.push_back("close");
    action = TCloseAction::caNone;
  }
};

const TClassInfo& TTestForm::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TTestForm>("TTestForm", &TForm::StaticClassInfo(), {});
  return info;
}

// A 2-cell glyph strip: left cell red, right cell blue, bottom-left pixel magenta.
std::string GlyphHex() {
  TBitmap strip;
  strip.SetSize(8, 4);
  auto r = strip.View();
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) r.At(x, y) = x < 4 ? 0xFF0000 : 0x0000FF;
  r.At(0, 3) = 0xFF00FF;
  std::vector<std::uint8_t> bmp = strip.SaveToBytes();
  std::string hex;
  char b[3];
  auto n = std::uint32_t(bmp.size());
  for (int i = 0; i < 4; ++i) {
    std::snprintf(b, sizeof b, "%02X", unsigned((n >> (8 * i)) & 0xFF));
    hex += b;
  }
  for (std::uint8_t v : bmp) {
    std::snprintf(b, sizeof b, "%02X", unsigned(v));
    hex += b;
  }
  return hex;
}

std::string Description() {
  return R"(object Form1: TTestForm
  Left = 60
  Top = 50
  Caption = 'Vela '#12304'Test'#12305'：'
  ClientWidth = 400
  ClientHeight = 300
  OnCreate = FormCreate
  OnClose = FormClose
  object Panel1: TPanel
    Top = 0
    Height = 40
    Align = alTop
    BevelOuter = bvNone
    object BtnGo: TSpeedButton
      Left = 8
      Top = 4
      Width = 88
      Height = 32
      Caption = 'Connect'
      Flat = True
      NumGlyphs = 2
      Glyph.Data = {)" + GlyphHex() + R"(}
    end
  end
  object StatusBar1: TStatusBar
    Top = 281
    Height = 19
    Panels = <
      item
        Width = 150
      end
      item
        Text = 'ready'
        Width = 150
      end
      item
        Width = 0
      end>
  end
  object Panel2: TPanel
    Top = 200
    Height = 60
    Align = alBottom
    object BtnLoad: TButton
      Left = 4
      Top = 4
      Caption = '........'
      OnClick = BtnLoadClick
    end
    object MemoLog: TMemo
      Left = 100
      Top = 4
      Width = 200
      Height = 50
      ScrollBars = ssVertical
      Visible = False
      Lines.Strings = (
        'first'
        #20869#23481)
    end
  end
  object ListView1: TListView
    Align = alClient
    Checkboxes = True
    GridLines = True
    MultiSelect = True
    RowSelect = True
    ViewStyle = vsReport
    Columns = <
      item
        Width = 25
      end
      item
        Caption = 'Device Name'
        Width = 180
      end
      item
        Caption = 'Card Name '
        Width = 120
      end>
  end
  object Tick: TTimer
    Enabled = False
    Interval = 100
  end
end
)";
}

class FormFromDescription : public ::testing::Test {
protected:
  void SetUp() override {
    Application->Initialize();
    form = new TTestForm(nullptr, Description());
  }
  void TearDown() override { delete form; }
  TTestForm* form = nullptr;
};

TEST_F(FormFromDescription, FieldsAreBoundBeforeOnCreateAndTextsKeepFullWidthCharacters) {
  EXPECT_EQ(form->calls, (std::vector<std::string>{"create:fields bound"}));
  EXPECT_EQ(form->Name(), "Form1");
  EXPECT_EQ(form->ComponentCount(), 8);
  EXPECT_EQ(form->Caption(), L"Vela 【Test】：");
  wchar_t title[64] = {};
  GetWindowTextW(form->Handle(), title, 64);
  EXPECT_STREQ(title, L"Vela 【Test】：");
  EXPECT_EQ(form->Tick->Interval(), 100u);
  EXPECT_FALSE(form->Tick->Enabled());
}

TEST_F(FormFromDescription, AlignedControlsShareTheClientAreaInOrder) {
  form->Show();
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 400);
  EXPECT_EQ(client.bottom, 300);
  EXPECT_EQ(form->Left(), 60);
  auto bounds = [](TControl* c) { return std::vector<int>{c->Left(), c->Top(), c->Width(), c->Height()}; };
  EXPECT_EQ(bounds(form->Panel1), (std::vector<int>{0, 0, 400, 40}));
  EXPECT_EQ(bounds(form->StatusBar1), (std::vector<int>{0, 281, 400, 19}));
  EXPECT_EQ(bounds(form->Panel2), (std::vector<int>{0, 221, 400, 60}));
  EXPECT_EQ(bounds(form->ListView1), (std::vector<int>{0, 40, 400, 181}));
  // The windows are where the objects say.
  RECT r;
  GetWindowRect(form->ListView1->Handle(), &r);
  MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.bottom, 221);
}

TEST_F(FormFromDescription, CollectionsReachTheNativeControls) {
  HWND list = form->ListView1->Handle();
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3);
  wchar_t text[32] = {};
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH;
  col.pszText = text;
  col.cchTextMax = 32;
  SendMessageW(list, LVM_GETCOLUMNW, 2, LPARAM(&col));
  EXPECT_STREQ(text, L"Card Name ");
  EXPECT_EQ(col.cx, 120);
  DWORD ex = DWORD(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  EXPECT_EQ(ex & (LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
            DWORD(LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
  EXPECT_EQ(GetWindowLongW(list, GWL_STYLE) & LVS_SINGLESEL, 0);

  HWND bar = form->StatusBar1->Handle();
  int edges[4] = {};
  EXPECT_EQ(SendMessageW(bar, SB_GETPARTS, 4, LPARAM(edges)), 3);
  EXPECT_EQ(edges[0], 150);
  EXPECT_EQ(edges[1], 300);
  EXPECT_EQ(form->StatusBar1->NativePanelText(1), L"ready");
  form->StatusBar1->Panels()->Items(0)->SetText(L"Successful connection！");
  EXPECT_EQ(form->StatusBar1->NativePanelText(0), L"Successful connection！");
}

TEST_F(FormFromDescription, StringListsAndHiddenMemoKeepTheirLines) {
  TStrings* lines = form->MemoLog->Lines();
  ASSERT_EQ(lines->Count(), 2);
  EXPECT_EQ(lines->Get(1), L"内容");
  form->MemoLog->HandleNeeded();
  EXPECT_FALSE(IsWindowVisible(form->MemoLog->Handle()));
  EXPECT_NE(GetWindowLongW(form->MemoLog->Handle(), GWL_STYLE) & WS_VSCROLL, 0);
  lines->Add(L"【Send to 127.0.0.1: 5000】：!Bootloader:");
  ASSERT_EQ(lines->Count(), 3);
  EXPECT_EQ(lines->Get(2), L"【Send to 127.0.0.1: 5000】：!Bootloader:");
  EXPECT_EQ(form->MemoLog->Text(), L"first\r\n内容\r\n【Send to 127.0.0.1: 5000】：!Bootloader:\r\n");
  // Recreating the window (another scroll-bar style) keeps the text.
  form->MemoLog->SetScrollBars(TScrollStyle::ssBoth);
  EXPECT_EQ(lines->Count(), 3);
  lines->Clear();
  EXPECT_EQ(lines->Count(), 0);
}

TEST_F(FormFromDescription, BinaryGlyphDataBecomesTheButtonsBitmap) {
  TBitmap* glyph = form->BtnGo->Glyph();
  ASSERT_EQ(glyph->Width(), 8);
  ASSERT_EQ(glyph->Height(), 4);
  auto r = glyph->View();
  EXPECT_EQ(r.At(1, 0), 0xFF0000u);
  EXPECT_EQ(r.At(6, 2), 0x0000FFu);
  EXPECT_EQ(glyph->TransparentColor(), TColor(0xFF00FF));
  EXPECT_EQ(GetOrdProp(form->BtnGo, "NumGlyphs"), 2);
  EXPECT_EQ(GetEnumProp(form->BtnGo, "Flat"), "True");
  EXPECT_EQ(GetObjectProp<TBitmap>(form->BtnGo, "Glyph"), glyph);
}

TEST_F(FormFromDescription, HandlersBoundByNameRunOnTheirEvents) {
  SendMessageW(form->BtnLoad->Handle(), BM_CLICK, 0, 0);
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(form->calls, (std::vector<std::string>{"create:fields bound", "load:BtnLoad", "close"}));
  EXPECT_TRUE(IsWindow(form->Handle())); // OnClose said caNone
}

TEST_F(FormFromDescription, FreeingTheFormFreesItsControlsAndTheirWindows) {
  form->Show();
  HWND formWindow = form->Handle();
  HWND listWindow = form->ListView1->Handle();
  HWND memoWindow = form->MemoLog->Handle();
  int forms = Screen->FormCount();
  delete form;
  form = nullptr;
  EXPECT_FALSE(IsWindow(formWindow));
  EXPECT_FALSE(IsWindow(listWindow));
  EXPECT_FALSE(IsWindow(memoWindow));
  EXPECT_EQ(Screen->FormCount(), forms - 1);
}

TEST(FormDescriptionErrors, ADescriptionWithAnUnknownHandlerIsRefused) {
  Application->Initialize();
  std::string text = "object Form1: TTestForm\n  OnShow = FormShown\nend\n";
  try {
    TTestForm form(nullptr, text);
    FAIL() << "read without error";
  } catch (const EReadError& e) {
    EXPECT_NE(std::string(e.what()).find("FormShown"), std::string::npos) << e.what();
  }
}

} // namespace
} // namespace vela::ui::test
