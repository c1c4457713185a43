// Reading stored descriptions into components.
#include "tests/unit/ui/test_classes.h"
#include "ui/core/form_reader.h"

#include <gtest/gtest.h>

namespace vela::ui::test {
namespace {

class FormReading : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterClass(TGadget::StaticClassInfo());
    RegisterClass(TBigGadget::StaticClassInfo());
  }
  TPanelRoot root{nullptr};
};

constexpr char kDescription[] = R"(object Panel1: TPanelRoot
  Title = 'It''s '#$FF1A'ok' +
    ' more'
  Count = -3
  Options = [goSafe, goLoud]
  object First: TGadget
    Shade = shDark
    Active = True
    Buddy = Second
    Colour = clRed
    OnPing = FirstPing
    Lines.Strings = (
      'first line'
      'second ''line''')
    Style.Weight = 700
    Style.Data = {0102FF}
    Parts = <
      item
        Label = 'left'
        Size = 25
      end
      item
        Size = 180
      end>
    object Inner: TGadget
      Count = 9
    end
  end
  object Second: TBigGadget
    Depth = 2
    OnPoke = SecondPoke
    Blob = {03000000414243}
  end
end
)";

TEST_F(FormReading, NestedObjectsAreOwnedByTheRootParentedByTheirEnclosingObjectAndBound) {
  ReadComponentFromText(&root, kDescription);
  EXPECT_EQ(root.Name(), "Panel1");
  ASSERT_EQ(root.ComponentCount(), 3); // First, Inner and Second all belong to the root
  ASSERT_NE(root.First, nullptr);
  ASSERT_NE(root.Second, nullptr);
  auto* inner = static_cast<TGadget*>(root.FindComponent("Inner"));
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->Owner(), &root);
  EXPECT_EQ(inner->parent_, root.First);
  EXPECT_EQ(root.First->parent_, &root);
  EXPECT_EQ(inner->Count(), 9);
  EXPECT_EQ(root.Second->Depth(), 2);
}

TEST_F(FormReading, ValuesOfEveryKindReachTheirProperties) {
  ReadComponentFromText(&root, kDescription);
  EXPECT_EQ(root.Title(), L"It's \uFF1Aok more");
  EXPECT_EQ(root.Count(), -3);
  EXPECT_EQ(root.Options(), 0b110u);
  TGadget* first = root.First;
  EXPECT_EQ(first->Shade(), TShade::shDark);
  EXPECT_TRUE(first->Active());
  EXPECT_EQ(first->Colour(), 0xFF);
  EXPECT_EQ(first->Buddy(), root.Second); // a reference to an object read later
  ASSERT_EQ(first->Lines()->Count(), 2);
  EXPECT_EQ(first->Lines()->Get(1), L"second 'line'");
  EXPECT_EQ(first->Style()->Weight(), 700);
  EXPECT_EQ(first->Style()->data, (std::vector<std::uint8_t>{1, 2, 0xFF}));
  ASSERT_EQ(first->Parts()->Count(), 2);
  EXPECT_EQ(first->Parts()->Items(0)->Label(), L"left");
  EXPECT_EQ(first->Parts()->Items(1)->Size(), 180);
  EXPECT_EQ(root.Second->blob, (std::vector<std::uint8_t>{'A', 'B', 'C'}));
}

TEST_F(FormReading, HandlersAreBoundByNameToTheRootsMethods) {
  ReadComponentFromText(&root, kDescription);
  ASSERT_TRUE(root.First->OnPing);
  root.First->OnPing(root.First);
  int count = 1;
  root.Second->OnPoke(root.Second, count);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(root.calls, (std::vector<std::string>{"FirstPing from First", "SecondPoke"}));
}

TEST_F(FormReading, LoadedRunsOnceForEveryComponentAfterAllReferencesAreResolved) {
  ReadComponentFromText(&root, kDescription);
  EXPECT_EQ(root.loadedCalls, 1);
  EXPECT_EQ(root.Second->loadedCalls, 1);
  EXPECT_TRUE(root.First->buddyResolvedAtLoaded);
  EXPECT_FALSE(root.First->HasState(csLoading | csReading));
}

TEST_F(FormReading, ScalarSyntaxOfNumbersCharacterCodesAndComments) {
  ReadComponentFromText(&root, "// a stored description\n"
                               "object P: TPanelRoot\n"
                               "  Count = $7F // hexadecimal\n"
                               "  Colour = -1\n"
                               "  Title = 'a'#13#10'b'#$1F600\n"
                               "  Options = []\n"
                               "end\n");
  EXPECT_EQ(root.Count(), 0x7F);
  EXPECT_EQ(root.Colour(), -1);
  EXPECT_EQ(WideToUtf8(root.Title()), "a\r\nb\xF0\x9F\x98\x80");
  EXPECT_EQ(root.Options(), 0u);
  TPanelRoot other(nullptr);
  EXPECT_THROW(ReadComponentFromText(&other, "object P: TPanelRoot\n  Count = 1.5\nend\n"), EReadError);
  EXPECT_THROW(ReadComponentFromText(&other, "object P: TPanelRoot\n  Count = 99999999999\nend\n"), EReadError);
}

struct BadCase {
  const char* text;
  const char* expected; // part of the message
};

TEST_F(FormReading, FaultyDescriptionsStopWithAnErrorNamingWhatAndWhere) {
  const BadCase cases[] = {
      {"object P: TPanelRoot\n  Colourful = 1\nend", "Colourful"},
      {"object P: TPanelRoot\n  object X: TNoSuchClass\n  end\nend", "TNoSuchClass"},
      {"object P: TPanelRoot\n  OnPing = Missing\nend", "Missing"},
      {"object P: TPanelRoot\n  OnPing = NotAPing\nend", "OnPing"}, // wrong parameters
      {"object P: TPanelRoot\n  Shade = shPurple\nend", "Shade"},
      {"object P: TPanelRoot\n  Buddy = Nobody\nend", "Nobody"},
      {"object P: TPanelRoot\n  Count = 'text'\nend", "Count"},
      {"object P: TPanelRoot\n  Title = 'unterminated\nend", "line 2"},
      {"object P: TPanelRoot\n  Count = 1\n", "'end' expected"},
      {"object P: TPanelRoot\n  Style.Data = {0A0}\nend", "odd number"},
      {"object P: TBigGadget\nend", "TBigGadget"}, // the root is of another class
      {"object P: TPanelRoot\n  object First: TPanelRoot\n  end\nend", "First"},
  };
  std::string deepList = "object P: TPanelRoot\n  Count = " + std::string(1'000'000, '(');
  std::string deepObjects;
  for (int i = 0; i < 100'000; ++i) deepObjects += "object X: TPanelRoot\n";
  const std::string deep[] = {deepList, deepObjects};
  for (const BadCase& c : cases) {
    TPanelRoot fresh(nullptr);
    try {
      ReadComponentFromText(&fresh, c.text);
      ADD_FAILURE() << "no error for:\n" << c.text;
    } catch (const EReadError& e) {
      EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
    }
  }
  // Nesting deeper than any form is refused before it can exhaust the stack.
  for (const std::string& text : deep) {
    TPanelRoot fresh(nullptr);
    try {
      ReadComponentFromText(&fresh, text);
      ADD_FAILURE() << "no error for a deep description";
    } catch (const EReadError& e) {
      EXPECT_NE(std::string(e.what()).find("nested more than 200 deep"), std::string::npos)
          << e.what();
    }
  }
}

} // namespace
} // namespace vela::ui::test
