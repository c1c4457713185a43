// A form description compiled into the program as a resource (vela_embed_forms).
#include "tests/win/ui/ui_test_util.h"
#include "ui/form.h"
#include "ui/std_controls.h"

#include <gtest/gtest.h>

namespace vela::ui::test {
namespace {

class TProbeForm : public TForm {
  VELA_CLASS_INFO
public:
  TProbeForm(TComponent* owner, const wchar_t* resource) : TForm(owner) {
    BindField("Note", Note);
    ReadDescription(resource ? std::wstring_view(resource) : std::wstring_view());
  }
  TLabel* Note = nullptr;
};

const TClassInfo& TProbeForm::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TProbeForm>("TProbeForm", &TForm::StaticClassInfo(), {});
  return info;
}

TEST(ResourceForms, AFormReadsTheResourceNamedAfterItsClass) {
  Application->Initialize();
  TProbeForm form(nullptr, nullptr);
  EXPECT_EQ(form.Caption(), L"Probe 【资源】");
  ASSERT_NE(form.Note, nullptr);
  EXPECT_EQ(form.Note->Caption(), L"from the resource");
  EXPECT_EQ(form.ClientWidth(), 200);
}

TEST(ResourceForms, AMissingResourceIsAnErrorNamingIt) {
  Application->Initialize();
  try {
    TProbeForm form(nullptr, L"NOSUCHFORM");
    FAIL() << "read a missing resource";
  } catch (const EReadError& e) {
    EXPECT_NE(e.Message().find(L"NOSUCHFORM"), std::wstring::npos);
  }
}

} // namespace
} // namespace vela::ui::test
