#include "framework/ui/ActnList.h"

#include "framework/ui/ImgList.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// TBasicAction

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction() {
    // The links outlive the action: they only forget it.
    while (!FClients.empty()) FClients.back()->SetAction(nullptr);
}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::Change() {
    if (OnChange) OnChange(this);
    const std::vector<TBasicActionLink*> Links = FClients;  // a client may unlink while told
    for (TBasicActionLink* Link : Links)
        if (std::find(FClients.begin(), FClients.end(), Link) != FClients.end()) Link->Change();
}

// ---------------------------------------------------------------------------------------------
// TBasicActionLink

TBasicActionLink::TBasicActionLink(TObject* AClient) { (void)AClient; }

TBasicActionLink::~TBasicActionLink() { SetAction(nullptr); }

void TBasicActionLink::SetAction(TBasicAction* Value) {
    if (FAction == Value) return;
    if (FAction) {
        auto& C = FAction->FClients;
        C.erase(std::remove(C.begin(), C.end(), this), C.end());
    }
    FAction = Value;
    if (FAction) FAction->FClients.push_back(this);
}

bool TBasicActionLink::Execute(TComponent* AComponent) {
    (void)AComponent;
    return FAction && FAction->Execute();
}

bool TBasicActionLink::Update() { return FAction && FAction->Update(); }

void TBasicActionLink::Change() {
    if (OnChange) OnChange(FAction);
}

// ---------------------------------------------------------------------------------------------
// TContainedAction

TContainedAction::TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}

TContainedAction::~TContainedAction() { SetActionList(nullptr); }

void TContainedAction::SetActionList(TCustomActionList* Value) {
    if (FActionList == Value) return;
    if (FActionList) {
        auto& A = FActionList->FActions;
        A.erase(std::remove(A.begin(), A.end(), this), A.end());
    }
    FActionList = Value;
    if (FActionList) FActionList->FActions.push_back(this);
}

int TContainedAction::Index() const {
    if (!FActionList) return -1;
    const auto& A = FActionList->FActions;
    const auto It = std::find(A.begin(), A.end(), this);
    return It == A.end() ? -1 : static_cast<int>(It - A.begin());
}

bool TContainedAction::Execute() {
    if (FActionList && FActionList->ExecuteAction(this)) return true;
    return TBasicAction::Execute();
}

bool TContainedAction::Update() {
    if (FActionList && FActionList->UpdateAction(this)) return true;
    return TBasicAction::Update();
}

// ---------------------------------------------------------------------------------------------
// TCustomAction

TCustomAction::TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}

template <class F>
void TCustomAction::forEachLink(F Fn) {
    const std::vector<TBasicActionLink*> Links = Clients();
    for (TBasicActionLink* L : Links)
        if (auto* Link = dynamic_cast<TActionLink*>(L)) Fn(Link);
}

void TCustomAction::SetCaption(const String& Value) {
    if (Value == FCaption) return;
    forEachLink([&](TActionLink* L) { L->SetCaption(Value); });
    FCaption = Value;
    Change();
}

void TCustomAction::SetChecked(bool Value) {
    if (Value == FChecked || FChecking) return;
    FChecking = true;
    forEachLink([&](TActionLink* L) { L->SetChecked(Value); });
    FChecked = Value;
    if (Value && FGroupIndex > 0 && ActionList()) {
        for (int I = 0; I < ActionList()->ActionCount(); ++I) {
            auto* Other = dynamic_cast<TCustomAction*>(ActionList()->Actions(I));
            if (Other && Other != this && Other->FGroupIndex == FGroupIndex) Other->SetChecked(false);
        }
    }
    FChecking = false;
    Change();
}

void TCustomAction::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    forEachLink([&](TActionLink* L) { L->SetEnabled(Value); });
    FEnabled = Value;
    Change();
}

void TCustomAction::SetGroupIndex(int Value) {
    if (Value == FGroupIndex) return;
    forEachLink([&](TActionLink* L) { L->SetGroupIndex(Value); });
    FGroupIndex = Value;
    Change();
}

void TCustomAction::SetHint(const String& Value) {
    if (Value == FHint) return;
    forEachLink([&](TActionLink* L) { L->SetHint(Value); });
    FHint = Value;
    Change();
}

void TCustomAction::SetImageIndex(int Value) {
    if (Value == FImageIndex) return;
    forEachLink([&](TActionLink* L) { L->SetImageIndex(Value); });
    FImageIndex = Value;
    Change();
}

void TCustomAction::SetShortCut(TShortCut Value) {
    if (Value == FShortCut) return;
    forEachLink([&](TActionLink* L) { L->SetShortCut(Value); });
    FShortCut = Value;
    Change();
}

void TCustomAction::SetVisible(bool Value) {
    if (Value == FVisible) return;
    forEachLink([&](TActionLink* L) { L->SetVisible(Value); });
    FVisible = Value;
    Change();
}

bool TCustomAction::Execute() {
    if (!FEnabled) return false;
    if (FAutoCheck) SetChecked(!FChecked);
    return TContainedAction::Execute();
}

// ---------------------------------------------------------------------------------------------
// TActionLink

TCustomAction* TActionLink::customAction() const { return dynamic_cast<TCustomAction*>(Action()); }

bool TActionLink::IsCaptionLinked() const { return customAction() != nullptr; }
bool TActionLink::IsCheckedLinked() const { return customAction() != nullptr; }
bool TActionLink::IsEnabledLinked() const { return customAction() != nullptr; }
bool TActionLink::IsGroupIndexLinked() const { return customAction() != nullptr; }
bool TActionLink::IsHintLinked() const { return customAction() != nullptr; }
bool TActionLink::IsImageIndexLinked() const { return customAction() != nullptr; }
bool TActionLink::IsShortCutLinked() const { return customAction() != nullptr; }
bool TActionLink::IsVisibleLinked() const { return customAction() != nullptr; }

// ---------------------------------------------------------------------------------------------
// TControlActionLink

TControlActionLink::TControlActionLink(TControl* AClient) : TActionLink(AClient) { AssignClient(AClient); }

void TControlActionLink::AssignClient(TObject* AClient) { FClient = dynamic_cast<TControl*>(AClient); }

bool TControlActionLink::IsCaptionLinked() const {
    return TActionLink::IsCaptionLinked() && FClient && FClient->Caption() == customAction()->Caption();
}

bool TControlActionLink::IsEnabledLinked() const {
    return TActionLink::IsEnabledLinked() && FClient && FClient->Enabled() == customAction()->Enabled();
}

bool TControlActionLink::IsHintLinked() const {
    return TActionLink::IsHintLinked() && FClient && FClient->Hint() == customAction()->Hint();
}

bool TControlActionLink::IsVisibleLinked() const {
    return TActionLink::IsVisibleLinked() && FClient && FClient->Visible() == customAction()->Visible();
}

void TControlActionLink::SetCaption(const String& Value) {
    if (IsCaptionLinked()) FClient->SetCaption(Value);
}

void TControlActionLink::SetEnabled(bool Value) {
    if (IsEnabledLinked()) FClient->SetEnabled(Value);
}

void TControlActionLink::SetHint(const String& Value) {
    if (IsHintLinked()) FClient->SetHint(Value);
}

void TControlActionLink::SetVisible(bool Value) {
    if (IsVisibleLinked()) FClient->SetVisible(Value);
}

// ---------------------------------------------------------------------------------------------
// TCustomActionList

TCustomActionList::TCustomActionList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomActionList::~TCustomActionList() {
    while (!FActions.empty()) FActions.back()->SetActionList(nullptr);
    SetImages(nullptr);
}

TContainedAction* TCustomActionList::Actions(int Index) const {
    if (Index < 0 || Index >= ActionCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FActions[static_cast<std::size_t>(Index)];
}

void TCustomActionList::SetImages(TCustomImageList* Value) {
    if (FImages == Value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action) {
    bool Handled = false;
    if (OnExecute) OnExecute(Action, Handled);
    return Handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* Action) {
    bool Handled = false;
    if (OnUpdate) OnUpdate(Action, Handled);
    return Handled;
}

void TCustomActionList::UpdateActions() {
    const std::vector<TContainedAction*> Copy = FActions;
    for (TContainedAction* A : Copy)
        if (std::find(FActions.begin(), FActions.end(), A) != FActions.end()) A->Update();
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}
