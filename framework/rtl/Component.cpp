#include "framework/rtl/Component.h"

#include <cxxabi.h>
#include <algorithm>
#include <typeinfo>

TObject::~TObject() {
    if (FAlive) *FAlive = nullptr;
}

String TObject::ClassName() const {
    const char* Mangled = typeid(*this).name();
    int Status = 0;
    char* Demangled = abi::__cxa_demangle(Mangled, nullptr, nullptr, &Status);
    String Result = QString::fromLatin1(Status == 0 && Demangled ? Demangled : Mangled);
    std::free(Demangled);
    const auto Scope = Result.lastIndexOf(QLatin1String("::"));
    return Scope >= 0 ? Result.mid(Scope + 2) : Result;
}

void TObject::Free() {
    BeforeDestruction();
    delete this;
}

std::shared_ptr<TObject*> TObject::aliveToken() {
    if (!FAlive) FAlive = std::make_shared<TObject*>(this);
    return FAlive;
}

void TPersistent::Assign(TPersistent* Source) {
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
    const String SourceName = Source ? Source->ClassName() : QStringLiteral("nil");
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2").arg(SourceName, ClassName()));
}

String TPersistent::GetNamePath() const { return ClassName(); }

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    BeforeDestruction();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::BeforeDestruction() {
    if (FTornDown) return;
    FTornDown = true;
    Destroying();
    notifyFreeNotifies();
    DestroyComponents();
}

TComponent* TComponent::Components(int Index) const {
    if (Index < 0 || Index >= ComponentCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FComponents[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const {
    if (!FOwner) return -1;
    const auto& L = FOwner->FComponents;
    auto It = std::find(L.begin(), L.end(), this);
    return It == L.end() ? -1 : static_cast<int>(It - L.begin());
}

TComponent* TComponent::FindComponent(const String& AName) const {
    if (AName.isEmpty()) return nullptr;
    for (TComponent* C : FComponents)
        if (C->FName.compare(AName, Qt::CaseInsensitive) == 0) return C;
    return nullptr;
}

void TComponent::SetName(const String& NewName) {
    if (NewName == FName) return;
    if (!NewName.isEmpty() && FOwner) {
        TComponent* Other = FOwner->FindComponent(NewName);
        if (Other && Other != this)
            throw EComponentError(QStringLiteral("A component named %1 already exists").arg(NewName));
    }
    FName = NewName;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (!AComponent->FName.isEmpty() && FindComponent(AComponent->FName))
        throw EComponentError(QStringLiteral("A component named %1 already exists").arg(AComponent->FName));
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    insert(AComponent);
    // A component placed on a form being designed is designed too.
    if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    Notification(AComponent, opRemove);
    remove(AComponent);
}

void TComponent::insert(TComponent* AComponent) {
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::remove(TComponent* AComponent) {
    auto It = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (It != FComponents.end()) FComponents.erase(It);
    AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
    // Last first, as the platform frees them; a child's destructor may free siblings.
    while (!FComponents.empty()) {
        TComponent* Child = FComponents.back();
        remove(Child);
        Child->Free();
    }
}

void TComponent::Destroying() {
    if (FComponentState.Contains(csDestroying)) return;
    FComponentState.Include(csDestroying);
    for (TComponent* C : FComponents) C->Destroying();
}

void TComponent::notifyFreeNotifies() {
    while (!FFreeNotifies.empty()) {
        TComponent* Other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& Theirs = Other->FFreeNotifies;
        Theirs.erase(std::remove(Theirs.begin(), Theirs.end(), this), Theirs.end());
        Other->Notification(this, opRemove);
    }
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
        FFreeNotifies.push_back(AComponent);
        AComponent->FreeNotification(this);
    }
    FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    auto It = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent);
    if (It == FFreeNotifies.end()) return;
    FFreeNotifies.erase(It);
    AComponent->RemoveFreeNotification(this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent) {
        auto It = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent);
        if (It != FFreeNotifies.end()) FFreeNotifies.erase(It);
    }
    // A handler may remove components from this list, so walk a copy.
    const std::vector<TComponent*> Owned = FComponents;
    for (TComponent* C : Owned)
        if (C != AComponent) C->Notification(AComponent, Operation);
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
    if (Value)
        FComponentState.Include(csDesigning);
    else
        FComponentState.Exclude(csDesigning);
    if (SetChildren)
        for (TComponent* C : FComponents) C->SetDesigning(Value, true);
}

void TComponent::SetLoading(bool Value) {
    if (Value)
        FComponentState.Include(csLoading);
    else
        FComponentState.Exclude(csLoading);
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponentLinkReceiver::SetTarget(TComponent* Value) {
    if (FTarget == Value) return;
    if (FTarget) RemoveFreeNotification(FTarget);
    FTarget = Value;
    if (FTarget) FreeNotification(FTarget);
}

void TComponentLinkReceiver::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove || !AComponent || AComponent != FTarget) return;
    FTarget = nullptr;
    if (FOnTargetFreed) FOnTargetFreed();
}
