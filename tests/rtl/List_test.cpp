#include "framework/rtl/List.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Records what the list reports about the pointers entering and leaving it.
class SpyList : public TList {
public:
    std::string Log;

protected:
    void Notify(void* Ptr, TListNotification Action) override {
        static const char* const Names[] = {"+", "x", "-"};
        Log += Names[Action];
        Log += *static_cast<char*>(Ptr);
    }
};

char A = 'a', B = 'b', C = 'c', D = 'd';

TEST(List, BadIndexRaisesWithTheIndexInTheMessage) {
    struct Case {
        const char* Name;
        std::function<void(TList&)> Call;
        const char* Message;
    };
    const Case Cases[] = {
        {"Items(-1)", [](TList& L) { L.Items(-1); }, "List index out of bounds (-1)"},
        {"Items(Count)", [](TList& L) { L.Items(2); }, "List index out of bounds (2)"},
        {"Delete", [](TList& L) { L.Delete(5); }, "List index out of bounds (5)"},
        {"Insert past end", [](TList& L) { L.Insert(3, &A); }, "List index out of bounds (3)"},
        {"Exchange", [](TList& L) { L.Exchange(0, 2); }, "List index out of bounds (2)"},
        {"Move", [](TList& L) { L.Move(-1, 0); }, "List index out of bounds (-1)"},
        {"SetItems", [](TList& L) { L.SetItems(9, &A); }, "List index out of bounds (9)"},
        {"Capacity below Count", [](TList& L) { L.SetCapacity(1); }, "List capacity out of bounds (1)"},
        {"Last of empty",
         [](TList& L) {
             L.Clear();
             L.Last();
         },
         "List index out of bounds (-1)"},
    };
    for (const Case& K : Cases) {
        TList L;
        L.Add(&A);
        L.Add(&B);
        try {
            K.Call(L);
            ADD_FAILURE() << K.Name << " did not raise";
        } catch (const EListError& E) {
            EXPECT_EQ(E.Message(), QString::fromLatin1(K.Message)) << K.Name;
        }
    }
}

TEST(List, EditsKeepOrderAndReportEachPointer) {
    SpyList L;
    L.Add(&A);
    L.Add(&C);
    L.Insert(1, &B);
    L.Add(nullptr);  // nil entries are stored but never reported
    L.Add(&D);
    EXPECT_EQ(L.Count(), 5);
    EXPECT_EQ(L.IndexOf(&C), 2);
    EXPECT_EQ(L.IndexOf(&L), -1);
    EXPECT_EQ(L.Log, "+a+c+b+d");

    L.Log.clear();
    EXPECT_EQ(L.Extract(&B), &B);  // taken out without deleting
    EXPECT_EQ(L.Extract(&B), nullptr);
    EXPECT_EQ(L.Remove(&A), 0);
    EXPECT_EQ(L.Remove(&A), -1);
    EXPECT_EQ(L.Log, "xb-a");
    ASSERT_EQ(L.Count(), 3);
    L.Pack();
    ASSERT_EQ(L.Count(), 2);
    EXPECT_EQ(L.First(), &C);
    EXPECT_EQ(L.Last(), &D);

    L.Log.clear();
    L.SetItems(0, &A);  // replaces: the old pointer goes, the new one comes
    L.Exchange(0, 1);
    EXPECT_EQ(L[0], &D);
    L.SetCount(4);
    EXPECT_EQ(L[3], nullptr);
    L.SetCount(1);  // shrinking deletes the tail
    EXPECT_EQ(L.Log, "-c+a-a");
    EXPECT_EQ(L.Count(), 1);
}

TEST(List, MoveAndSort) {
    TList L;
    for (char* P : {&A, &B, &C, &D}) L.Add(P);
    L.Move(0, 3);
    EXPECT_EQ(L[3], &A);
    EXPECT_EQ(L[0], &B);
    L.Sort([](void* X, void* Y) { return *static_cast<char*>(Y) - *static_cast<char*>(X); });
    std::string Order;
    for (int I = 0; I < L.Count(); ++I) Order += *static_cast<char*>(L[I]);
    EXPECT_EQ(Order, "dcba");
}

TEST(List, CapacityGrowsAheadOfCount) {
    TList L;
    EXPECT_EQ(L.Capacity(), 0);
    for (int I = 0; I < 20; ++I) L.Add(&A);
    EXPECT_GE(L.Capacity(), 20);
    L.SetCapacity(100);
    EXPECT_EQ(L.Capacity(), 100);
    L.Clear();
    EXPECT_EQ(L.Count(), 0);
    EXPECT_EQ(L.Capacity(), 0);
}

TEST(ListOf, TypedAccessAndSort) {
    struct Item {
        int Value;
    };
    Item X{3}, Y{1}, Z{2};
    TListOf<Item*> L;
    L.Add(&X);
    L.Add(&Y);
    L.Add(&Z);
    L.Sort([](Item* P, Item* Q) { return P->Value - Q->Value; });
    EXPECT_EQ(L.First()->Value, 1);
    EXPECT_EQ(L[1]->Value, 2);
    EXPECT_EQ(L.Last(), &X);
    EXPECT_EQ(L.Extract(&Z), &Z);
    EXPECT_EQ(L.Count(), 2);
}

}  // namespace
