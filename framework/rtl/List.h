// TList: a list of untyped pointers, and TListOf, a typed view over it.
#pragma once

#include "framework/rtl/Component.h"

#include <functional>
#include <type_traits>
#include <vector>

// Negative when Item1 sorts first, zero when equal, positive otherwise.
using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

class TList : public TObject {
public:
    TList() = default;
    ~TList() override;

    int Count() const { return static_cast<int>(FList.size()); }
    // Growing fills with nullptr; shrinking deletes the items past the new end.
    void SetCount(int NewCount);
    int Capacity() const { return FCapacity; }
    // Raises EListError when smaller than Count.
    void SetCapacity(int NewCapacity);
    void* Items(int Index) const;
    void SetItems(int Index, void* Item);
    void* operator[](int Index) const { return Items(Index); }

    int Add(void* Item);
    void Insert(int Index, void* Item);
    void Delete(int Index);
    // Returns the index the item had, or -1.
    int Remove(void* Item);
    // Takes the item out without deleting it; nullptr when absent.
    void* Extract(void* Item);
    int IndexOf(void* Item) const;
    void Clear();
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    void Sort(const TListSortCompare& Compare);
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }
    // Removes every nullptr item.
    void Pack();
    TList* Expand();
    const std::vector<void*>& List() const { return FList; }

protected:
    // Told of every pointer that enters or leaves the list; derived lists free owned objects here.
    virtual void Notify(void* Ptr, TListNotification Action) {}
    [[noreturn]] static void Error(const char* Pattern, int Value);

private:
    std::vector<void*> FList;
    int FCapacity = 0;

    void checkIndex(int Index) const;
    void grow();
};

// A TList of T pointers (TListOf<TFoo*>), for callers that want no casts.
template <class P>
class TListOf : public TList {
    static_assert(std::is_pointer_v<P>, "TListOf holds pointers: TListOf<TFoo*>");

public:
    P Items(int Index) const { return static_cast<P>(TList::Items(Index)); }
    void SetItems(int Index, P Item) { TList::SetItems(Index, Item); }
    P operator[](int Index) const { return Items(Index); }
    int Add(P Item) { return TList::Add(Item); }
    void Insert(int Index, P Item) { TList::Insert(Index, Item); }
    int Remove(P Item) { return TList::Remove(Item); }
    P Extract(P Item) { return static_cast<P>(TList::Extract(Item)); }
    int IndexOf(P Item) const { return TList::IndexOf(Item); }
    P First() const { return Items(0); }
    P Last() const { return Items(Count() - 1); }
    void Sort(const std::function<int(P, P)>& Compare) {
        TList::Sort([&Compare](void* A, void* B) { return Compare(static_cast<P>(A), static_cast<P>(B)); });
    }
};
