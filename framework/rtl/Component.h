// The object model: TObject, TPersistent, TComponent and its ownership tree, interfaces, event slots.
#pragma once

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Types.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TObject;
class TPersistent;
class TComponent;
class TFiler;

using TNotifyEvent = std::function<void(TObject* Sender)>;

// Calls a copy of an event handler: a handler that frees its sender also destroys the sender's
// event slot, and that must not happen to the function object still running.
template <class F, class... A>
void FireEvent(const F& Event, A&&... Args) {
    const F Handler = Event;
    Handler(std::forward<A>(Args)...);
}

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject();

    // The class name without namespaces, as the platform reports it ("TStringList").
    String ClassName() const;

    // Runs while the whole object is still alive, before the destructors:
    // owners free what they own here, so children still see their owner intact.
    virtual void BeforeDestruction() {}

    // Frees the object; FreeAndNil accepts a null reference.
    void Free();

private:
    template <class T>
    friend class TWeak;
    std::shared_ptr<TObject*> aliveToken();
    std::shared_ptr<TObject*> FAlive;
};

// Frees the object and clears the reference.
template <class T>
void FreeAndNil(T*& Obj) {
    T* Tmp = Obj;
    Obj = nullptr;
    if (Tmp) Tmp->Free();
}

// A reference that reads as nullptr once its target is freed: for code that must touch an
// object after firing an event whose handler may free it.
template <class T>
class TWeak {
public:
    TWeak() = default;
    TWeak(T* Obj) : FRef(Obj ? static_cast<TObject*>(Obj)->aliveToken() : nullptr) {}
    T* get() const { return FRef && *FRef ? static_cast<T*>(*FRef) : nullptr; }
    T* operator->() const { return get(); }
    explicit operator bool() const { return get() != nullptr; }

private:
    std::shared_ptr<TObject*> FRef;
};

// Interfaces are abstract classes; the implementing object owns its lifetime, so an
// interface is never used to free it.
class IInterface {
protected:
    ~IInterface() = default;
};

template <class I, class T>
bool Supports(T* Obj, I** Intf = nullptr) {
    I* Found = Obj ? dynamic_cast<I*>(Obj) : nullptr;
    if (Intf) *Intf = Found;
    return Found != nullptr;
}

class TPersistent : public TObject {
public:
    // Copies Source into this object; raises EConvertError when the classes do not fit.
    virtual void Assign(TPersistent* Source);
    virtual String GetNamePath() const;

protected:
    virtual void AssignTo(TPersistent* Dest);
    virtual void DefineProperties(TFiler* Filer) {}
    virtual TPersistent* GetOwner() const { return nullptr; }
    [[noreturn]] void AssignError(TPersistent* Source);
    friend class TFiler;
};

// A persistent object that offers interfaces; its lifetime stays its owner's, never an
// interface reference's.
class TInterfacedPersistent : public TPersistent, public IInterface {};

enum TOperation { opInsert, opRemove };

enum TComponentStateItem {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline,
    csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    const String& Name() const { return FName; }
    virtual void SetName(const String& NewName);
    NativeInt Tag() const { return FTag; }
    void SetTag(NativeInt Value) { FTag = Value; }
    TComponentState ComponentState() const { return FComponentState; }

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int Index) const;
    int ComponentIndex() const;
    // Finds an owned component by name, ignoring case; nullptr when none.
    TComponent* FindComponent(const String& AName) const;

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    void DestroyComponents();
    // Frees owned components and tells those that asked to be notified, while this
    // object is still whole.
    void BeforeDestruction() override;
    // Call both ways: each of the two is told (Notification with opRemove) when the other is freed.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Designing is false at run time but tests and the form reader may set it.
    void SetDesigning(bool Value, bool SetChildren = true);
    void SetLoading(bool Value);
    virtual void Loaded();
    void Destroying();

protected:
    // Told when a component is inserted into or removed from the owner tree, or when a
    // component this one asked to watch is freed. The default passes it to owned components.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    void SetComponentState(TComponentState Value) { FComponentState = Value; }
    void IncludeState(TComponentStateItem Item) { FComponentState.Include(Item); }
    void ExcludeState(TComponentStateItem Item) { FComponentState.Exclude(Item); }
    TPersistent* GetOwner() const override { return FOwner; }

private:
    void notifyFreeNotifies();
    void insert(TComponent* AComponent);
    void remove(TComponent* AComponent);

    TComponent* FOwner = nullptr;
    String FName;
    NativeInt FTag = 0;
    TComponentState FComponentState;
    bool FTornDown = false;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};

// The hidden component behind a TComponentLink: it receives the target's free notification.
class TComponentLinkReceiver : public TComponent {
public:
    explicit TComponentLinkReceiver(std::function<void()> OnTargetFreed)
        : TComponent(nullptr), FOnTargetFreed(std::move(OnTargetFreed)) {}
    TComponent* Target() const { return FTarget; }
    // Drops the notification of the old target and asks for the new one's.
    void SetTarget(TComponent* Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TComponent* FTarget = nullptr;
    std::function<void()> FOnTargetFreed;
};

// A reference to another component that clears itself when that component is freed: it asks
// for the free notification itself and drops it when pointed elsewhere or destroyed, so the
// holder needs no Notification branch of its own. OnCleared runs after the target's removal
// cleared it (not when the holder repoints it). T may be incomplete where the link is declared;
// Set needs it complete.
template <class T>
class TComponentLink {
public:
    explicit TComponentLink(std::function<void()> OnCleared = {})
        : FReceiver(std::make_unique<TComponentLinkReceiver>([this] {
              FTarget = nullptr;
              if (FOnCleared) FOnCleared();
          })),
          FOnCleared(std::move(OnCleared)) {}
    TComponentLink(const TComponentLink&) = delete;
    TComponentLink& operator=(const TComponentLink&) = delete;

    T* get() const { return FTarget; }
    operator T*() const { return FTarget; }
    T* operator->() const { return FTarget; }
    void Set(T* Value) {
        FTarget = Value;
        FReceiver->SetTarget(Value);
    }
    TComponentLink& operator=(T* Value) {
        Set(Value);
        return *this;
    }

private:
    std::unique_ptr<TComponentLinkReceiver> FReceiver;
    std::function<void()> FOnCleared;
    T* FTarget = nullptr;
};
