// Ownership, free order, names and removal notifications of components.
#include "tests/unit/ui/test_classes.h"

#include <gtest/gtest.h>

namespace vela::ui::test {
namespace {

TGadget* Make(TComponent* owner, const std::string& name, Journal& journal) {
  auto* g = new TGadget(owner);
  g->SetName(name);
  g->journal = &journal;
  return g;
}

TEST(ComponentOwnership, OwnerFreesWhatItOwnsLastCreatedFirst) {
  Journal journal;
  auto* root = Make(nullptr, "Root", journal);
  Make(root, "A", journal);
  Make(root, "B", journal);
  auto* c = Make(root, "C", journal);
  Make(c, "C1", journal); // owned by C, freed with it
  delete root;
  EXPECT_EQ(journal, (Journal{"delete Root", "delete C", "delete C1", "delete B", "delete A"}));
}

TEST(ComponentOwnership, ComponentFreedEarlyLeavesItsOwnersList) {
  Journal journal;
  auto* root = Make(nullptr, "Root", journal);
  Make(root, "A", journal);
  auto* b = Make(root, "B", journal);
  Make(root, "C", journal);
  delete b;
  ASSERT_EQ(root->ComponentCount(), 2);
  EXPECT_EQ(root->Components(0)->Name(), "A");
  EXPECT_EQ(root->Components(1)->Name(), "C");
  EXPECT_EQ(root->FindComponent("B"), nullptr);
  delete root; // must not free B a second time
  EXPECT_EQ(journal, (Journal{"delete B", "delete Root", "delete C", "delete A"}));
}

TEST(ComponentOwnership, RemovalIsNotifiedToOwnerSiblingsAndFreeNotificationLinks) {
  Journal journal;
  auto* root = Make(nullptr, "Root", journal);
  auto* watcher = Make(root, "Watcher", journal);
  auto* target = Make(root, "Target", journal);
  auto* outsider = Make(nullptr, "Outsider", journal);
  outsider->SetBuddy(target); // asks for a free notification
  delete target;
  EXPECT_EQ(root->removed, (std::vector<std::string>{"Target"}));
  EXPECT_EQ(watcher->removed, (std::vector<std::string>{"Target"}));
  EXPECT_EQ(outsider->removed, (std::vector<std::string>{"Target"}));
  EXPECT_EQ(outsider->Buddy(), nullptr);
  delete outsider;
  delete root;
}

TEST(ComponentOwnership, FreeNotificationLinkIsDroppedWhenEitherSideGoes) {
  Journal journal;
  auto* a = Make(nullptr, "A", journal);
  auto* b = Make(nullptr, "B", journal);
  a->SetBuddy(b);
  delete a; // b must forget a, or deleting b would notify a freed object
  delete b;
  EXPECT_EQ(journal, (Journal{"delete A", "delete B"}));
}

TEST(ComponentNames, NamesAreIdentifiersUniqueWithoutCaseAmongSiblings) {
  TGadget root(nullptr);
  auto* a = new TGadget(&root);
  a->SetName("Button1");
  auto* b = new TGadget(&root);
  EXPECT_THROW(b->SetName("BUTTON1"), EComponentError);
  EXPECT_THROW(b->SetName("1Button"), EComponentError);
  EXPECT_THROW(b->SetName("Btn Connect"), EComponentError);
  b->SetName("Button2");
  EXPECT_EQ(root.FindComponent("button2"), b);
  EXPECT_EQ(b->ComponentIndex(), 1);
  b->SetName(""); // unnamed components are always allowed
  EXPECT_EQ(root.FindComponent("Button2"), nullptr);
}

TEST(ComponentClasses, ClassNamesInheritanceAndCreationByName) {
  RegisterClass(TBigGadget::StaticClassInfo());
  TGadget root(nullptr);
  TComponent* made = CreateComponentByClassName("tbiggadget", &root);
  EXPECT_EQ(made->ClassName(), "TBigGadget");
  EXPECT_TRUE(made->InheritsFrom("TGadget"));
  EXPECT_TRUE(made->InheritsFrom("tcomponent"));
  EXPECT_FALSE(made->InheritsFrom("TPart"));
  EXPECT_EQ(made->Owner(), &root);
  EXPECT_THROW(CreateComponentByClassName("TNoSuchThing", &root), EClassNotFound);
}

} // namespace
} // namespace vela::ui::test
