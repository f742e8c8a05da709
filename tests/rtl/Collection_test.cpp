#include "framework/rtl/Collection.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ValueItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    int Value() const { return FValue; }
    void SetValue(int V) {
        if (V == FValue) return;
        FValue = V;
        Changed(false);
    }
    void Assign(TPersistent* Source) override {
        if (auto* Other = dynamic_cast<ValueItem*>(Source)) {
            SetValue(Other->FValue);
            return;
        }
        TCollectionItem::Assign(Source);
    }

protected:
    String GetDisplayName() const override { return QStringLiteral("Value %1").arg(FValue); }

private:
    int FValue = 0;
};

// Writes every Update and Notify it is told of into one log, in order.
class SpyCollection : public TCollection {
public:
    SpyCollection() : TCollection(CollectionItemClass<ValueItem>()) {}
    std::string* Log = nullptr;
    ValueItem* Add() { return static_cast<ValueItem*>(TCollection::Add()); }

protected:
    void Update(TCollectionItem* Item) override { write("U" + name(Item)); }
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
        static const char* const Names[] = {"add", "ext", "del"};
        write(std::string(Names[Action]) + name(Item));
    }

private:
    static std::string name(TCollectionItem* Item) {
        return Item ? "(" + std::to_string(static_cast<ValueItem*>(Item)->Value()) + ")" : "(*)";
    }
    void write(const std::string& S) {
        if (Log) *Log += S + " ";
    }
};

TEST(Collection, UpdateAndNotifyOrder) {
    std::string Log;
    SpyCollection C;
    C.Log = &Log;
    ValueItem* A = C.Add();
    EXPECT_EQ(Log, "add(0) U(*) ");
    Log.clear();
    A->SetValue(1);
    C.Add()->SetValue(2);
    EXPECT_EQ(Log, "U(1) add(0) U(*) U(2) ");
    Log.clear();
    A->SetIndex(1);
    EXPECT_EQ(Log, "U(*) ");
    EXPECT_EQ(C.Items(0)->ID(), 1);
    Log.clear();
    C.Delete(1);
    EXPECT_EQ(Log, "del(1) ext(1) U(*) ");
    Log.clear();
    C.Items(0)->Free();  // freeing an item takes it out
    EXPECT_EQ(Log, "ext(2) U(*) ");
    EXPECT_EQ(C.Count(), 0);
}

TEST(Collection, UpdatesWaitForTheOutermostEndUpdate) {
    std::string Log;
    SpyCollection C;
    C.Log = &Log;
    C.BeginUpdate();
    C.BeginUpdate();
    C.Add()->SetValue(5);
    C.Add()->SetValue(6);
    C.Delete(0);
    C.EndUpdate();
    EXPECT_EQ(Log, "add(0) add(0) del(5) ext(5) ") << "Notify is never held back";
    Log.clear();
    C.EndUpdate();
    EXPECT_EQ(Log, "U(*) ") << "one Update for the whole batch";
    Log.clear();
    C.Clear();
    EXPECT_EQ(Log, "del(6) ext(6) U(*) ");
}

TEST(Collection, InsertIdsAndLookup) {
    SpyCollection C;
    C.Add()->SetValue(10);
    C.Add()->SetValue(30);
    auto* Middle = static_cast<ValueItem*>(C.Insert(1));
    Middle->SetValue(20);
    EXPECT_EQ(Middle->Index(), 1);
    EXPECT_EQ(Middle->ID(), 2);
    C.Delete(0);
    EXPECT_EQ(C.Add()->ID(), 3) << "IDs are never reused";
    EXPECT_EQ(C.FindItemID(2), Middle);
    EXPECT_EQ(C.FindItemID(0), nullptr);
    EXPECT_EQ(Middle->DisplayName(), QStringLiteral("Value 20"));
    EXPECT_EQ(Middle->Collection(), &C);
    for (int Bad : {-1, 3}) {
        try {
            C.Items(Bad);
            ADD_FAILURE() << Bad;
        } catch (const EListError& E) {
            EXPECT_EQ(E.Message(), QStringLiteral("List index out of bounds (%1)").arg(Bad));
        }
    }
    EXPECT_THROW(Middle->SetIndex(7), EListError);
    EXPECT_THROW(C.Insert(9), EListError);
    EXPECT_EQ(C.Count(), 3);
}

TEST(Collection, AssignCopiesItemByItem) {
    SpyCollection Source, Dest;
    Source.Add()->SetValue(7);
    Source.Add()->SetValue(8);
    Dest.Add()->SetValue(99);
    std::string Log;
    Dest.Log = &Log;
    Dest.Assign(&Source);
    ASSERT_EQ(Dest.Count(), 2);
    EXPECT_EQ(static_cast<ValueItem*>(Dest.Items(1))->Value(), 8);
    EXPECT_NE(Dest.Items(0), Source.Items(0));
    EXPECT_EQ(Log, "del(99) ext(99) add(0) add(0) U(*) ");

    TPersistent Foreign;
    EXPECT_THROW(Dest.Assign(&Foreign), EConvertError);
    EXPECT_EQ(Dest.Count(), 2);
}

TEST(Collection, FreeingTheCollectionTellsNotifyButNotUpdate) {
    std::string Log;
    auto* C = new SpyCollection;
    C->Add()->SetValue(1);
    C->Add()->SetValue(2);
    C->Log = &Log;
    C->Free();
    EXPECT_EQ(Log, "del(2) ext(2) del(1) ext(1) ");
}

TEST(Collection, OwnedCollectionReportsItsOwner) {
    TComponent Owner(nullptr);
    TOwnedCollection C(&Owner, CollectionItemClass<ValueItem>());
    EXPECT_EQ(C.Owner(), &Owner);
    TCollectionItem* Item = C.Add();
    EXPECT_EQ(Item->Collection(), &C);
    TCollection Other(CollectionItemClass<ValueItem>());
    EXPECT_EQ(Other.Owner(), nullptr);
    Item->SetCollection(&Other);  // moves across
    EXPECT_EQ(C.Count(), 0);
    EXPECT_EQ(Other.Items(0), Item);
}

}  // namespace
