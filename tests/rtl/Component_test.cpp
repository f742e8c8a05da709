#include "framework/rtl/Component.h"

#include <gtest/gtest.h>

namespace {

// Records the removals it is told about.
class Watcher : public TComponent {
public:
    using TComponent::TComponent;
    std::vector<TComponent*> Removed;
    TComponent* Watched = nullptr;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove) {
            Removed.push_back(AComponent);
            if (AComponent == Watched) Watched = nullptr;
        }
    }
};

class Counted : public TComponent {
public:
    Counted(TComponent* AOwner, int& Alive) : TComponent(AOwner), FAlive(Alive) { ++FAlive; }
    ~Counted() override { --FAlive; }

private:
    int& FAlive;
};

TEST(Component, OwnerFreesWhatItOwnsDeepFirst) {
    int Alive = 0;
    auto* Root = new Counted(nullptr, Alive);
    auto* Child = new Counted(Root, Alive);
    new Counted(Child, Alive);
    new Counted(Root, Alive);
    EXPECT_EQ(Alive, 4);
    EXPECT_EQ(Root->ComponentCount(), 2);
    EXPECT_EQ(Child->Owner(), Root);
    Root->Free();
    EXPECT_EQ(Alive, 0);
}

TEST(Component, FreeingAChildRemovesItFromItsOwner) {
    TComponent Root(nullptr);
    auto* A = new TComponent(&Root);
    auto* B = new TComponent(&Root);
    A->Free();
    ASSERT_EQ(Root.ComponentCount(), 1);
    EXPECT_EQ(Root.Components(0), B);
    EXPECT_EQ(B->ComponentIndex(), 0);
    EXPECT_THROW(Root.Components(1), EListError);
}

TEST(Component, FreedComponentIsDroppedByEveryWatcher) {
    TComponent FormA(nullptr), FormB(nullptr);
    auto* W1 = new Watcher(&FormA);
    auto* W2 = new Watcher(&FormB);
    auto* Target = new TComponent(&FormB);
    W1->Watched = Target;
    W2->Watched = Target;
    Target->FreeNotification(W1);  // across owners: asks to be told
    Target->Free();
    EXPECT_EQ(W1->Watched, nullptr);
    EXPECT_EQ(W2->Watched, nullptr);  // same owner: the owner passes the removal on
    ASSERT_EQ(W1->Removed.size(), 1u);
}

TEST(Component, RemovedFreeNotificationIsNotSent) {
    TComponent FormA(nullptr), FormB(nullptr);
    auto* W = new Watcher(&FormA);
    auto* Target = new TComponent(&FormB);
    W->FreeNotification(Target);
    W->RemoveFreeNotification(Target);
    Target->Free();
    EXPECT_TRUE(W->Removed.empty());
}

TEST(Component, WatcherFreedFirstIsForgotten) {
    TComponent FormA(nullptr), FormB(nullptr);
    auto* W = new Watcher(&FormA);
    auto* Target = new Watcher(&FormB);
    Target->FreeNotification(W);
    W->Free();
    ASSERT_EQ(Target->Removed.size(), 1u);
    Target->Free();  // must not reach the freed watcher
}

TEST(Component, NamesAreUniqueIgnoringCase) {
    TComponent Root(nullptr);
    auto* A = new TComponent(&Root);
    A->SetName(QStringLiteral("Button1"));
    auto* B = new TComponent(&Root);
    EXPECT_THROW(B->SetName(QStringLiteral("BUTTON1")), EComponentError);
    EXPECT_EQ(Root.FindComponent(QStringLiteral("button1")), A);
    EXPECT_EQ(Root.FindComponent(QStringLiteral("")), nullptr);
}

TEST(Component, WeakReferenceClearsWhenFreed) {
    auto* C = new TComponent(nullptr);
    TWeak<TComponent> Ref(C);
    EXPECT_EQ(Ref.get(), C);
    C->Free();
    EXPECT_EQ(Ref.get(), nullptr);
}

// The link asks for the free notification itself: freeing the target clears it (once, with the
// callback); a target it was pointed away from, or a link gone first, is no longer watched.
TEST(Component, ComponentLinkClearsWhenItsTargetIsFreed) {
    auto* First = new TComponent(nullptr);
    auto* Second = new TComponent(nullptr);
    int Cleared = 0;
    {
        TComponentLink<TComponent> Link([&] { ++Cleared; });
        Link = First;
        EXPECT_EQ(Link.get(), First);
        Link = Second;
        First->Free();
        EXPECT_EQ(Link.get(), Second) << "the old target is not watched any more";
        EXPECT_EQ(Cleared, 0);
        Second->Free();
        EXPECT_EQ(Link.get(), nullptr);
        EXPECT_EQ(Cleared, 1);
        Second = new TComponent(nullptr);
        Link = Second;
    }
    Second->Free();  // the link went first: nothing is told to it
    EXPECT_EQ(Cleared, 1);
}

TEST(Component, AssignFromForeignClassRaises) {
    TComponent A(nullptr), B(nullptr);
    EXPECT_THROW(A.Assign(&B), EConvertError);
    EXPECT_EQ(A.ClassName(), QStringLiteral("TComponent"));
}

TEST(Component, DesigningAndLoadingState) {
    TComponent Root(nullptr);
    auto* Child = new TComponent(&Root);
    Root.SetDesigning(true);
    EXPECT_TRUE(Child->ComponentState().Contains(csDesigning));
    Root.SetLoading(true);
    Root.Loaded();
    EXPECT_FALSE(Root.ComponentState().Contains(csLoading));
}

}  // namespace

TEST(ComponentDesigning, AComponentPlacedOnADesignedOwnerIsDesignedToo) {
    TComponent Owner(nullptr);
    auto* Before = new TComponent(&Owner);
    Owner.SetDesigning(true, false);
    EXPECT_FALSE(Before->ComponentState().Contains(csDesigning));
    auto* After = new TComponent(&Owner);
    EXPECT_TRUE(After->ComponentState().Contains(csDesigning));
    TComponent Plain(nullptr);
    auto* Child = new TComponent(&Plain);
    EXPECT_FALSE(Child->ComponentState().Contains(csDesigning));
}
