// The update tool's window as its description builds it: SkinData1 carries the default skin,
// the built-in class map and the switches, and registers as the process's main skin data.
#include "app/form1.h"
#include "skin/forms/skin_class_map.h"
#include "skin/forms/skin_manager.h"
#include "ui/application.h"
#include "ui/core/stream.h"
#include "ui/image_list.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace vela::skin::test {
namespace {

TEST(ToolDescription, SkinData1IsLoadedWithTheDefaultSkinAndRegistered) {
  ui::Application->Initialize();
  FreeSkinManager();
  auto* form = new app::TForm1(ui::Application);
  TSkinData* data = form->SkinData1;
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(data->Active());
  EXPECT_FALSE(data->SkinEmpty());
  EXPECT_EQ(data->SkinFormtype(), TSkinFormType::sfMainform);
  EXPECT_EQ(data->DisableTag(), 99);
  EXPECT_TRUE(data->HasControl(xcMainMenu));
  EXPECT_FALSE(data->HasControl(xcMenuItem)) << "Loaded drops it next to xcMainMenu";
  EXPECT_TRUE(data->HasControl(xcSystemMenu));
  EXPECT_FALSE(data->HasControl(xcFastReport));

  ASSERT_EQ(data->Skin3rd()->Count(), int(BuiltInSkin3rd().size()));
  for (int i = 0; i < data->Skin3rd()->Count(); ++i)
    EXPECT_EQ(data->Skin3rd()->Get(i), BuiltInSkin3rd()[std::size_t(i)]) << "line " << i;

  std::ifstream in(VELA_DEFAULT_SKN, std::ios::binary);
  std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)), {});
  ASSERT_FALSE(file.empty());
  ASSERT_EQ(std::size_t(data->SkinStream().Size()), file.size());
  EXPECT_TRUE(std::equal(file.begin(), file.end(), data->SkinStream().Memory()));
  EXPECT_EQ(data->Elements().SkinName, "Vela Calm");

  EXPECT_EQ(data->MenuGlyphs()->Count(), 4) << "the program carries the KILNMENU glyphs";

  ASSERT_NE(SkinManager, nullptr);
  EXPECT_EQ(SkinManager->MainSkinData, data);
  EXPECT_TRUE(SkinManager->HookInstalled());
  EXPECT_TRUE(SkinManager->Active);
  EXPECT_EQ(SkinManager->PendingAction(), saSkin);
  delete form;
  EXPECT_EQ(SkinManager->MainSkinData, nullptr);
  FreeSkinManager();
}

} // namespace
} // namespace vela::skin::test
