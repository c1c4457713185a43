// The skin data component: its published properties and setter rules, the stored skin, loading
// and what Loaded hands to the skin manager.
#include "tests/win/skin_forms/skin_forms_test_util.h"

#include "skin/data/skin_reader.h"
#include "skin/forms/win_skin_form.h"
#include "ui/application.h"
#include "ui/bitmap.h"
#include "ui/core/props.h"
#include "ui/core/stream.h"
#include "ui/core/text.h"
#include "ui/image_list.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

namespace vela::skin::test {
namespace {

constexpr TSkinControls Bit(TSkinControlType t) { return SkinControlBit(t); }

using SkinDataDefaults = SkinFormsTest;

TEST_F(SkinDataDefaults, ANewComponentHasTheInitialValuesAndNoSkin) {
  TSkinData data(nullptr);
  EXPECT_FALSE(data.Active());
  EXPECT_EQ(data.DisableTag(), 99);
  EXPECT_EQ(data.SkinControls(), 0x7FFFFu & ~Bit(xcMenuItem)) << "all but xcMenuItem and xcFastReport";
  EXPECT_FALSE(data.HasControl(xcFastReport));
  EXPECT_EQ(data.Options(), 0u);
  EXPECT_EQ(data.SkinFormtype(), TSkinFormType::sfMainform);
  EXPECT_TRUE(data.MenuUpdate());
  EXPECT_FALSE(data.MenuMerge());
  EXPECT_TRUE(data.SkinEmpty());
  EXPECT_TRUE(data.MenuPaint());
  EXPECT_EQ(data.SkinStream().Size(), 0);
  EXPECT_EQ(data.Elements().Left.Name, "Left");
  EXPECT_EQ(data.Elements().Title.Name, "Title");
  EXPECT_TRUE(data.DefaultIcon()->Empty());
  LOGBRUSH face{};
  GetObjectW(data.FaceBrush(), sizeof face, &face);
  EXPECT_EQ(face.lbColor, GetSysColor(COLOR_BTNFACE)) << "the system's face colour before any skin";
  EXPECT_EQ(SkinManager, nullptr) << "only Loaded creates the manager";
}

TEST_F(SkinDataDefaults, TheBuiltInClassMapHasItsLinesInOrder) {
  TSkinData data(nullptr);
  ui::TStrings* map = data.Skin3rd();
  ASSERT_EQ(map->Count(), 110);
  EXPECT_EQ(map->Get(0), L"TAdvPanelGroup=embedscrollbar");
  EXPECT_EQ(map->Get(3), L"TControlBar=Panel");
  EXPECT_EQ(map->Get(39), L"TDBCheckboxEh=Checkbox");
  EXPECT_EQ(map->Get(40), L"TDBCheckboxEh=Checkbox") << "the doubled line stays doubled";
  EXPECT_EQ(map->Get(88), L"TWWDBCombobox=Combobox");
  EXPECT_EQ(map->Get(90), L"TWWDBCombobox=Combobox");
  EXPECT_EQ(map->Get(109), L"TOVCDBNUMERICFIELD=Edit");
}

TEST_F(SkinDataDefaults, MenuGlyphsAreCutFromTheProgramsBitmapResource) {
  TSkinData data(nullptr);
  ui::TImageList* glyphs = data.MenuGlyphs();
  EXPECT_EQ(glyphs->Width(), 16);
  EXPECT_EQ(glyphs->Height(), 16);
  EXPECT_EQ(glyphs->Count(), 4) << "restore, maximise, minimise, close";
  // White is the mask: a glyph drawn on red leaves red where the art is white.
  ui::TBitmap target;
  target.SetSize(16, 16);
  target.Canvas()->Brush()->SetColor(0x0000FF);
  target.Canvas()->FillRect(RECT{0, 0, 16, 16});
  glyphs->Draw(target.Canvas(), 0, 0, 3);
  vela::skin::Raster px = target.View();
  EXPECT_EQ(px.At(0, 0), 0xFF0000u) << "corner of the close glyph is mask";
  EXPECT_EQ(px.At(8, 8), 0x000000u) << "the middle of the cross is ink";
}

using SkinDataProperties = SkinFormsTest;

TEST_F(SkinDataProperties, VersionAndSkinStoreIgnoreWhatIsWritten) {
  TSkinData* data = NewLoadedSkinData(nullptr, TSkinFormType::sfMainform);
  std::unique_ptr<TSkinData> owner(data);
  ui::SetStrProp(data, "Version", L"9.9");
  ui::SetStrProp(data, "SkinStore", L"(Good)");
  EXPECT_EQ(ui::GetStrProp(data, "Version"), L"3.02.03.09");
  EXPECT_EQ(ui::GetStrProp(data, "SkinStore"), L"(none)") << "even with a stored skin, at run time";
}

TEST_F(SkinDataProperties, SetsAndEnumerationsAreReadByName) {
  ui::TForm* form = ReadForm(
      "    SkinControls = [xcMainMenu, xcTab, xcFastReport]\n"
      "    Options = [xoMDIScrollbar, xoNCPaint]\n"
      "    SkinFormtype = sfDialog\n"
      "    DisableTag = 7\n"
      "    MenuMerge = True\n"
      "    Skin3rd.Strings = (\n      'TFancy=button')\n");
  auto* data = dynamic_cast<TSkinData*>(form->FindComponent("SkinData1"));
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->SkinControls(), Bit(xcMainMenu) | Bit(xcTab) | Bit(xcFastReport));
  EXPECT_TRUE(data->HasOption(xoMDIScrollbar));
  EXPECT_FALSE(data->HasOption(xoMenuMerge));
  EXPECT_TRUE(data->HasOption(xoNCPaint));
  EXPECT_EQ(data->SkinFormtype(), TSkinFormType::sfDialog);
  EXPECT_EQ(data->DisableTag(), 7);
  EXPECT_TRUE(data->MenuMerge());
  ASSERT_EQ(data->Skin3rd()->Count(), 1) << "a stored list replaces the built-in one";
  EXPECT_EQ(data->Skin3rd()->Get(0), L"TFancy=button");
}

// ---- the stored skin

using StoredSkin = SkinFormsTest;

TEST_F(StoredSkin, ReadingTheDescriptionLoadsTheSkinAndWritingGivesTheSameBytes) {
  ui::TForm* form = ReadForm("    Active = True\n", DefaultSkinFile());
  auto* data = dynamic_cast<TSkinData*>(form->FindComponent("SkinData1"));
  ASSERT_NE(data, nullptr);
  EXPECT_FALSE(data->SkinEmpty());
  EXPECT_TRUE(data->Active());
  EXPECT_EQ(data->Elements().SkinName, "Vela Calm");
  ASSERT_EQ(std::size_t(data->SkinStream().Size()), DefaultSkinFile().size());

  ui::TMemoryStream written;
  data->WriteSkinStream(written);
  ASSERT_EQ(std::size_t(written.Size()), 4 + DefaultSkinFile().size());
  written.SetPosition(0);
  EXPECT_EQ(std::size_t(written.ReadInt32()), DefaultSkinFile().size());
  EXPECT_TRUE(std::equal(DefaultSkinFile().begin(), DefaultSkinFile().end(), written.Memory() + 4));

  // Read back into a fresh component, the bytes load the same skin.
  TSkinData copy(nullptr);
  written.SetPosition(0);
  copy.ReadSkinStream(written);
  EXPECT_FALSE(copy.SkinEmpty());
  EXPECT_EQ(copy.Elements().SkinName, "Vela Calm");
  EXPECT_EQ(copy.Elements().Colours.ButtonFace, data->Elements().Colours.ButtonFace);
}

TEST_F(StoredSkin, AnEmptyComponentWritesALengthOfZeroAndReadsItAsNothing) {
  TSkinData data(nullptr);
  ui::TMemoryStream written;
  data.WriteSkinStream(written);
  EXPECT_EQ(written.Size(), 4);
  written.SetPosition(0);
  data.ReadSkinStream(written);
  EXPECT_TRUE(data.SkinEmpty());
}

TEST_F(StoredSkin, ALengthBeyondTheStoredBytesIsAReadErrorAndLoadsNothing) {
  TSkinData data(nullptr);
  ui::TMemoryStream bad;
  bad.WriteInt32(1000);
  bad.WriteInt32(0);
  bad.SetPosition(0);
  EXPECT_THROW(data.ReadSkinStream(bad), ui::EReadError);
  EXPECT_EQ(data.SkinStream().Size(), 0);
  EXPECT_TRUE(data.SkinEmpty());
}

TEST_F(StoredSkin, TheFaceBrushTakesTheSkinsButtonFace) {
  std::unique_ptr<TSkinData> data(NewLoadedSkinData(nullptr, TSkinFormType::sfMainform));
  ColourCode face = data->Elements().Colours.ButtonFace;
  ASSERT_FALSE(IsSystemColour(face)) << "the default skin gives its own face colour";
  LOGBRUSH brush{};
  GetObjectW(data->FaceBrush(), sizeof brush, &brush);
  EXPECT_EQ(brush.lbColor, COLORREF(face));
}

TEST_F(StoredSkin, AnOtherVersionIsReportedAndKeepsTheElementsOfTheLastSkin) {
  std::unique_ptr<TSkinData> data(NewLoadedSkinData(nullptr, TSkinFormType::sfMainform));
  ASSERT_FALSE(data->SkinEmpty());
  std::vector<std::uint8_t> other = OtherVersionSkinFile();
  ui::TMemoryStream stored;
  stored.WriteInt32(std::int32_t(other.size()));
  stored.WriteBuffer(other.data(), other.size());
  stored.SetPosition(0);
  data->ReadSkinStream(stored);
  EXPECT_TRUE(data->SkinEmpty());
  EXPECT_EQ(data->Elements().SkinName, "Vela Calm");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], L"This is Older Skin File\rPlease update to new version !");
}

// The default handler is a real message box with the application's title: a second thread
// waits for it, reads its text and presses OK.
TEST_F(StoredSkin, TheOlderSkinMessageReachesTheOperatorAsAMessageBox) {
  ui::Application->SetTitle(L"Skin data probe");
  TSkinData data(nullptr);
  std::atomic<bool> seen{false};
  std::wstring text;
  std::thread watcher([&] {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 20000;) {
      HWND box = FindWindowW(L"#32770", L"Skin data probe");
      if (box) {
        wchar_t buffer[256] = {};
        GetDlgItemTextW(box, 0xFFFF, buffer, 256); // the message text of a message box
        text = buffer;
        seen = true;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return;
      }
      Sleep(20);
    }
  });
  std::vector<std::uint8_t> other = OtherVersionSkinFile();
  ui::TMemoryStream stored;
  stored.WriteInt32(std::int32_t(other.size()));
  stored.WriteBuffer(other.data(), other.size());
  stored.SetPosition(0);
  data.ReadSkinStream(stored); // returns once the box is closed
  watcher.join();
  EXPECT_TRUE(seen);
  EXPECT_NE(text.find(L"This is Older Skin File"), std::wstring::npos) << ui::WideToUtf8(text);
  EXPECT_TRUE(data.SkinEmpty());
}

// ---- SkinFile at run time

using SkinFileAtRunTime = SkinFormsTest;

TEST_F(SkinFileAtRunTime, AMissingFileKeepsTheElementsButLeavesTheComponentEmpty) {
  ui::TForm* form = ReadForm("    Active = False\n", DefaultSkinFile());
  auto* data = dynamic_cast<TSkinData*>(form->FindComponent("SkinData1"));
  data->SetSkinFile(L"Z:\\no\\such\\skin.skn");
  EXPECT_TRUE(data->SkinEmpty());
  EXPECT_EQ(data->SkinFile(), L"Z:\\no\\such\\skin.skn");
  EXPECT_EQ(data->Elements().SkinName, "Vela Calm");
  EXPECT_EQ(std::size_t(data->SkinStream().Size()), DefaultSkinFile().size()) << "the stored skin stays";
  // Switching on does nothing now.
  SkinManager->ActivationState = asActivated;
  data->SetActive(true);
  EXPECT_FALSE(SkinManager->ActionTimerRunning());
  EXPECT_EQ(SkinManager->PendingSkinData, nullptr);
}

TEST_F(SkinFileAtRunTime, AnExistingFileReplacesTheStoredSkinAndLoadsIt) {
  ui::TForm* form = ReadForm("    Active = False\n");
  auto* data = dynamic_cast<TSkinData*>(form->FindComponent("SkinData1"));
  ASSERT_TRUE(data->SkinEmpty());
  std::filesystem::path file = std::filesystem::temp_directory_path() / "vela_skin_file_test.skn";
  {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(DefaultSkinFile().data()), std::streamsize(DefaultSkinFile().size()));
  }
  data->SetSkinFile(file.wstring());
  std::filesystem::remove(file);
  EXPECT_FALSE(data->SkinEmpty());
  EXPECT_EQ(data->Elements().SkinName, "Vela Calm");
  EXPECT_EQ(std::size_t(data->SkinStream().Size()), DefaultSkinFile().size());
  EXPECT_EQ(SkinManager->PendingSkinData, data) << "a main-form component applies the new skin";
}

// ---- Loaded and the setters

using SkinDataLoaded = SkinFormsTest;

TEST_F(SkinDataLoaded, WithoutAStoredSkinActiveIsTurnedOffAndNothingIsScheduled) {
  ui::TForm* form = ReadForm("    Active = True\n");
  auto* data = dynamic_cast<TSkinData*>(form->FindComponent("SkinData1"));
  ASSERT_NE(SkinManager, nullptr);
  EXPECT_FALSE(data->Active());
  EXPECT_FALSE(SkinManager->Active);
  EXPECT_EQ(SkinManager->PendingAction(), 0);
  EXPECT_EQ(SkinManager->MainSkinData, data);
  EXPECT_TRUE(SkinManager->HookInstalled());
}

TEST_F(SkinDataLoaded, WithAStoredSkinTheManagerBecomesActiveBeforeAnyActivation) {
  ReadForm("    Active = True\n", DefaultSkinFile());
  ASSERT_NE(SkinManager, nullptr);
  EXPECT_TRUE(SkinManager->Active);
  EXPECT_EQ(SkinManager->PendingAction(), saSkin);
  EXPECT_FALSE(SkinManager->ActionTimerRunning()) << "no window has been activated yet";
}

TEST_F(SkinDataLoaded, MenuSwitchesAreMadeConsistentForAMainFormComponent) {
  struct Case {
    const char* stored;
    TSkinFormType type;
    TSkinControls expected;
  } cases[] = {
      {"[xcMainMenu, xcMenuItem, xcSystemMenu]", TSkinFormType::sfMainform, Bit(xcMainMenu) | Bit(xcSystemMenu)},
      {"[xcMenuItem, xcSystemMenu, xcTab]", TSkinFormType::sfMainform, Bit(xcMenuItem) | Bit(xcTab)},
      {"[xcMenuItem, xcSystemMenu]", TSkinFormType::sfDialog, Bit(xcMenuItem) | Bit(xcSystemMenu)},
  };
  for (const Case& c : cases) {
    std::string type = c.type == TSkinFormType::sfMainform ? "sfMainform" : "sfDialog";
    ui::TForm* form = ReadForm(std::string("    SkinControls = ") + c.stored + "\n    SkinFormtype = " + type + "\n");
    auto* data = dynamic_cast<TSkinData*>(form->FindComponent("SkinData1"));
    EXPECT_EQ(data->SkinControls(), c.expected) << c.stored << " " << type;
  }
}

TEST_F(SkinDataLoaded, AnOwnFormComponentActivatesTheManagerAndSkinsItsFormDirectly) {
  ui::TForm* form = ReadForm("    SkinFormtype = sfOnlyThisForm\n", DefaultSkinFile());
  ASSERT_NE(SkinManager, nullptr);
  EXPECT_TRUE(SkinManager->Active);
  EXPECT_EQ(SkinManager->ActivationState, 1);
  ASSERT_NE(SkinManager->FindFormSkinner(form->Handle()), nullptr) << "no activation needed";
  EXPECT_EQ(SkinManager->FindFormSkinner(form->Handle())->SkinData(), form->FindComponent("SkinData1"));
  EXPECT_FALSE(SkinManager->HookInstalled()) << "only main-form components watch the thread";
  EXPECT_EQ(SkinManager->MainSkinData, nullptr);
}

using SkinDataSetters = SkinFormsTest;

TEST_F(SkinDataSetters, SwitchingAMainFormComponentSchedulesSkinAndUnskin) {
  ui::TForm* form = ReadForm("    Active = False\n", DefaultSkinFile());
  auto* data = dynamic_cast<TSkinData*>(form->FindComponent("SkinData1"));
  data->SetActive(true);
  EXPECT_EQ(SkinManager->PendingAction(), saSkin);
  EXPECT_TRUE(SkinManager->Active) << "scheduled before any activation: switched on at once";
  EXPECT_FALSE(SkinManager->ActionTimerRunning());
  EXPECT_EQ(SkinManager->ActivationState, 1) << "switching on counts as the first activation";
  EXPECT_EQ(SkinManager->PendingSkinData, data);
  data->SetActive(false);
  EXPECT_EQ(SkinManager->PendingAction(), saUnskin);
  EXPECT_TRUE(SkinManager->ActionTimerRunning()) << "from now on requests go through the timer";
  // Setting the same value again changes nothing.
  SkinManager->PendingSkinData = nullptr;
  data->SetActive(false);
  EXPECT_EQ(SkinManager->PendingSkinData, nullptr);
}

TEST_F(SkinDataSetters, ADialogComponentSchedulesNothing) {
  ui::TForm* form = ReadForm("    SkinFormtype = sfDialog\n", DefaultSkinFile());
  auto* data = dynamic_cast<TSkinData*>(form->FindComponent("SkinData1"));
  data->SetActive(true);
  EXPECT_TRUE(data->Active());
  EXPECT_EQ(SkinManager->PendingAction(), 0);
  EXPECT_EQ(SkinManager->PendingSkinData, nullptr);
}

TEST_F(SkinDataSetters, ApplySkinAsksForASkinChangeOnceAWindowWasActivated) {
  ui::TForm* form = ReadForm("    Active = False\n", DefaultSkinFile());
  auto* data = dynamic_cast<TSkinData*>(form->FindComponent("SkinData1"));
  data->ApplySkin();
  EXPECT_EQ(SkinManager->PendingSkinData, data);
  EXPECT_EQ(SkinManager->PendingAction(), 0) << "nothing is skinned before an activation";
  SkinManager->ActivationState = asActivated;
  data->ApplySkin();
  EXPECT_EQ(SkinManager->PendingAction(), saSkinChanged);
}

TEST_F(SkinDataSetters, FreeingAComponentTakesItOutOfTheManager) {
  ui::TForm* form = ReadForm("    Active = False\n", DefaultSkinFile());
  auto* data = dynamic_cast<TSkinData*>(form->FindComponent("SkinData1"));
  data->SetActive(true);
  ASSERT_EQ(SkinManager->PendingSkinData, data);
  delete data;
  EXPECT_TRUE(SkinManager->SkinDataList().empty());
  EXPECT_EQ(SkinManager->PendingSkinData, nullptr);
  EXPECT_EQ(SkinManager->MainSkinData, nullptr);
  PumpUntil([] { return !SkinManager->ActionTimerRunning(); }); // the tick finds nothing to do
}

// ---- which windows a component agrees to skin

using FormSkinDecision = SkinFormsTest;

TEST_F(FormSkinDecision, CalendarsAndReportWindowsAreRefusedUnlessAHandlerDecides) {
  TSkinData data(nullptr);
  auto decide = [&](const std::string& name) {
    bool doSkin = true;
    data.DecideFormSkin(name, doSkin);
    return doSkin;
  };
  EXPECT_FALSE(decide("SysMonthCal32"));
  EXPECT_TRUE(decide("sysmonthcal32")) << "the calendar's name is compared exactly";
  EXPECT_TRUE(decide("TfrPreview"));
  data.SetSkinControls(data.SkinControls() | Bit(xcFastReport));
  EXPECT_FALSE(decide("TfrPreview"));
  EXPECT_TRUE(decide("TForm1"));

  std::vector<std::string> asked;
  data.OnFormSkin = [&](ui::TObject* sender, const std::string& name, bool& doSkin) {
    EXPECT_EQ(sender, &data);
    asked.push_back(name);
    doSkin = doSkin && name != "TForm1";
  };
  EXPECT_TRUE(decide("TfrPreview")) << "with a handler only the handler decides";
  EXPECT_TRUE(decide("SysMonthCal32"));
  EXPECT_FALSE(decide("TForm1"));
  EXPECT_EQ(asked.size(), 3u);
}

} // namespace
} // namespace vela::skin::test
