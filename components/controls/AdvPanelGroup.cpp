#include "components/controls/AdvPanelGroup.h"

#include "components/controls/AdvPanelStyler.h"
#include "components/controls/AdvPanel_Internal.h"

#include <algorithm>

using namespace advpanel_detail;

namespace {

constexpr int kScrollBarSize = 16;

// Raises one counter for a scope and puts it back however the scope ends.
class TCountScope {
public:
    explicit TCountScope(int& Count) : FCount(Count), FSaved(Count) { ++FCount; }
    ~TCountScope() { FCount = FSaved; }
    TCountScope(const TCountScope&) = delete;
    TCountScope& operator=(const TCountScope&) = delete;

private:
    int& FCount;
    int FSaved;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Life cycle

TAdvPanelGroup::TAdvPanelGroup(TComponent* AOwner)
    : TAdvPanel(AOwner), FPanelClass(ClassOf<TCustomAdvPanel>()), FDefaultPanel(std::make_unique<TAdvPanelSettings>()) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls} - TControlStyle{csSetCaption});
    SetDoubleBuffered(!IsVistaOrLater());
    auto* Bar = new TScrollBar(nullptr);
    FScrollBar = Bar;
    Bar->SetParent(this);
    Bar->SetAlign(alRight);
    Bar->SetPosition(0);
    Bar->SetKind(sbVertical);
    Bar->OnScroll = [this](TObject*, TScrollCode Code, int& Pos) { scrollBarScroll(Code, Pos); };
    Bar->SetVisible(false);
    Bar->SetLargeChange(20);
    Bar->SetSmallChange(2);
    Bar->SetTabStop(false);
}

TAdvPanelGroup::~TAdvPanelGroup() { releaseMembers(); }

void TAdvPanelGroup::BeforeDestruction() {
    releaseMembers();
    TAdvPanel::BeforeDestruction();
}

// The members and the scroll bar go first, while the group is whole.
void TAdvPanelGroup::releaseMembers() {
    const std::vector<TCustomAdvPanel*> Members = FPanels;
    FPanels.clear();
    for (TCustomAdvPanel* P : Members) P->Free();
    if (TScrollBar* Bar = FScrollBar.get()) {
        Bar->OnScroll = nullptr;
        Bar->Free();
    }
}

void TAdvPanelGroup::Loaded() {
    TAdvPanel::Loaded();
    SetWidth(Width() + 1);
    SetWidth(Width() - 1);
    UpdateScrollBar();
    Arrange();
    InitPanels();
}

void TAdvPanelGroup::Notification(TComponent* AComponent, TOperation Operation) {
    TAdvPanel::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    // A member freed by anyone (its close button, say) leaves the list.
    const auto It = std::find(FPanels.begin(), FPanels.end(), AComponent);
    if (It != FPanels.end()) FPanels.erase(It);
}

// ---------------------------------------------------------------------------------------------
// Properties

void TAdvPanelGroup::SetColumns(int Value) {
    if (Value <= 0) return;
    FColumns = Value;
    UpdateScrollBar();
    Arrange();
    UpdateScrollBar();
}

void TAdvPanelGroup::SetDefaultPanel(TAdvPanelSettings* Value) { FDefaultPanel->Assign(Value); }

void TAdvPanelGroup::SetGroupStyle(TGroupStyle Value) {
    if (FGroupStyle == Value) return;
    FGroupStyle = Value;
    UpdateScrollBar();
    Arrange();
}

void TAdvPanelGroup::SetMouseWheelDelta(int Value) {
    if (FMouseWheelDelta == Value) return;
    FMouseWheelDelta = Value;
    if (TScrollBar* Bar = FScrollBar.get()) Bar->SetSmallChange(Value);
}

void TAdvPanelGroup::SetHorzPadding(int Value) {
    if (assignChanged(FHorzPadding, Value)) Arrange();
}

void TAdvPanelGroup::SetVertPadding(int Value) {
    if (assignChanged(FVertPadding, Value)) Arrange();
}

void TAdvPanelGroup::raiseIndex(int Index) const {
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

TCustomAdvPanel* TAdvPanelGroup::GetPanel(int Index) const {
    if (Index < 0 || Index >= PanelCount()) raiseIndex(Index);
    return FPanels[static_cast<std::size_t>(Index)];
}

void TAdvPanelGroup::SetPanel(int Index, TCustomAdvPanel* Value) { GetPanel(Index)->Assign(Value); }

int TAdvPanelGroup::ScrollPosition() const {
    const TScrollBar* Bar = FScrollBar.get();
    return Bar ? Bar->Position() : 0;
}

void TAdvPanelGroup::SetScrollPosition(int Value) {
    if (TScrollBar* Bar = FScrollBar.get()) Bar->SetPosition(Value);
    endScroll();
}

// ---------------------------------------------------------------------------------------------
// Members

TCustomAdvPanel* TAdvPanelGroup::makePanel() {
    TPersistent* Made = FPanelClass ? FPanelClass->Create(this) : nullptr;
    auto* Panel = dynamic_cast<TCustomAdvPanel*>(Made);
    if (!Panel) {
        if (Made) Made->Free();
        throw EInvalidCast(QStringLiteral("The group's panel class makes no panel"));
    }
    Panel->SetParent(this);
    Panel->AssignSettings(FDefaultPanel.get());
    TPanelCaption* Default = FDefaultPanel->Caption();
    Panel->Caption()->SetVisible(Default->Visible());
    Panel->Caption()->SetMinMaxButton(Default->MinMaxButton());
    Panel->Caption()->SetCloseButton(Default->CloseButton());
    return Panel;
}

void TAdvPanelGroup::addToList(TCustomAdvPanel* Panel, int At) {
    FPanels.insert(FPanels.begin() + At, Panel);
    Panel->FreeNotification(this);
}

void TAdvPanelGroup::numberByPosition() {
    for (int I = 0; I < PanelCount(); ++I) FPanels[static_cast<std::size_t>(I)]->SetIndex(I);
}

TCustomAdvPanel* TAdvPanelGroup::AddPanel() {
    TCustomAdvPanel* Panel = makePanel();
    Panel->SetIndex(PanelCount());
    addToList(Panel, PanelCount());
    UpdateScrollBar();
    Arrange();
    UpdateScrollBar();
    return Panel;
}

TCustomAdvPanel* TAdvPanelGroup::AppendPanel() {
    TCustomAdvPanel* Panel = AddPanel();
    if (PanelCount() > 1) moveListEntry(PanelCount() - 1, 0);
    return Panel;
}

TCustomAdvPanel* TAdvPanelGroup::InsertPanel(int Index) {
    if (Index < 0 || Index > PanelCount()) raiseIndex(Index);
    TCustomAdvPanel* Panel = makePanel();
    addToList(Panel, Index);
    numberByPosition();
    UpdateScrollBar();
    Arrange();
    UpdateScrollBar();
    return Panel;
}

void TAdvPanelGroup::RemovePanel(int Index) {
    if (Index < 0 || Index >= PanelCount()) return;
    TCustomAdvPanel* Panel = FPanels[static_cast<std::size_t>(Index)];
    FPanels.erase(FPanels.begin() + Index);
    Panel->Free();
    numberByPosition();
    Arrange();
}

void TAdvPanelGroup::MovePanel(int FromIndex, int ToIndex) {
    const int Count = PanelCount();
    moveListEntry(Count - FromIndex - 1, Count - ToIndex - 1);
}

// The list numbered downwards from its count, arranged by that number even inside BeginUpdate.
void TAdvPanelGroup::moveListEntry(int CurIndex, int NewIndex) {
    if (CurIndex < 0 || CurIndex >= PanelCount()) raiseIndex(CurIndex);
    if (NewIndex < 0 || NewIndex >= PanelCount()) raiseIndex(NewIndex);
    TCustomAdvPanel* Panel = FPanels[static_cast<std::size_t>(CurIndex)];
    FPanels.erase(FPanels.begin() + CurIndex);
    FPanels.insert(FPanels.begin() + NewIndex, Panel);
    const int Count = PanelCount();
    for (int I = 0; I < Count; ++I) FPanels[static_cast<std::size_t>(I)]->SetIndex(Count - I);
    const int SavedUpdates = FUpdateCount;
    FCode = true;
    FUpdateCount = 0;
    try {
        Arrange();
    } catch (...) {
        FCode = false;
        FUpdateCount = SavedUpdates;
        throw;
    }
    FCode = false;
    FUpdateCount = SavedUpdates;
}

void TAdvPanelGroup::InitPanels() {
    FPanels.clear();
    for (int I = 0; I < ControlCount(); ++I)
        if (auto* Panel = dynamic_cast<TCustomAdvPanel*>(Controls(I))) {
            Panel->SetIndex(PanelCount());
            addToList(Panel, PanelCount());
        }
}

void TAdvPanelGroup::forEachChildPanel(const std::function<void(TCustomAdvPanel*)>& Action) {
    // The children may change under a collapse's message processing: walk a guarded copy.
    std::vector<TWeak<TCustomAdvPanel>> Members;
    for (int I = 0; I < ControlCount(); ++I)
        if (auto* Panel = dynamic_cast<TCustomAdvPanel*>(Controls(I))) Members.emplace_back(Panel);
    const TWeak<TAdvPanelGroup> Self(this);
    for (const TWeak<TCustomAdvPanel>& Member : Members) {
        if (!Self) return;
        if (TCustomAdvPanel* Panel = Member.get()) Action(Panel);
    }
}

void TAdvPanelGroup::OpenAllPanels() {
    BeginUpdate();
    forEachChildPanel([](TCustomAdvPanel* P) { P->SetCollaps(false); });
    EndUpdate();
}

void TAdvPanelGroup::CloseAllPanels() {
    BeginUpdate();
    forEachChildPanel([](TCustomAdvPanel* P) { P->SetCollaps(true); });
    EndUpdate();
    Invalidate();
}

void TAdvPanelGroup::SavePanelPositions() {
    TPanelPosition Saved(this);
    forEachChildPanel([&](TCustomAdvPanel* P) {
        Saved.Assign(P->Position());
        P->Position()->Assign(Position());
        P->Position()->SetSection(P->Name());
        try {
            P->SavePosition();
        } catch (...) {
            P->Position()->Assign(&Saved);
            throw;
        }
        P->Position()->Assign(&Saved);
    });
}

void TAdvPanelGroup::LoadPanelPositions() {
    TPanelPosition Saved(this);
    forEachChildPanel([&](TCustomAdvPanel* P) {
        Saved.Assign(P->Position());
        P->Position()->Assign(Position());
        P->Position()->SetSection(P->Name());
        const TWeak<TCustomAdvPanel> Alive(P);
        try {
            P->LoadPosition();
        } catch (...) {
            if (Alive) P->Position()->Assign(&Saved);
            throw;
        }
        if (Alive) P->Position()->Assign(&Saved);
    });
}

void TAdvPanelGroup::UpdateGroup() {
    Arrange();
    UpdateScrollBar();
    // The framework realigns on a size change.
    SetHeight(Height() + 1);
    SetHeight(Height() - 1);
}

void TAdvPanelGroup::Clear() {
    std::vector<TCustomAdvPanel*> Panels;
    for (int I = 0; I < ControlCount(); ++I)
        if (auto* Panel = dynamic_cast<TCustomAdvPanel*>(Controls(I))) Panels.push_back(Panel);
    FPanels.clear();
    for (TCustomAdvPanel* P : Panels) P->Free();
    UpdateScrollBar();
}

void TAdvPanelGroup::BeginUpdate() {
    Perform(WM_SETREDRAW, 0, 0);
    ++FUpdateCount;
}

void TAdvPanelGroup::EndUpdate() {
    if (FUpdateCount <= 0) return;
    if (--FUpdateCount > 0) return;
    Perform(WM_SETREDRAW, 1, 0);
    UpdateScrollBar();
    Arrange();
    UpdateScrollBar();
}

void TAdvPanelGroup::ChildPanelChanged(TCustomAdvPanel*) {
    UpdateScrollBar();
    Arrange();
}

void TAdvPanelGroup::ArrangePanels() {
    FCode = true;
    try {
        Arrange();
    } catch (...) {
        FCode = false;
        throw;
    }
    FCode = false;
}

void TAdvPanelGroup::DoStateChanged() {
    Arrange();
    UpdateScrollBar();
}

void TAdvPanelGroup::DoArrangedControls() { fire(OnArrangedControls, this); }

// ---------------------------------------------------------------------------------------------
// Arranging

// The child panels in child order, sorted by Index, Left or Top; equal keys keep their order.
std::vector<TCustomAdvPanel*> TAdvPanelGroup::sortedMembers(bool ByIndex, bool ByLeft) const {
    std::vector<TCustomAdvPanel*> List;
    for (int I = 0; I < ControlCount(); ++I)
        if (auto* Panel = dynamic_cast<TCustomAdvPanel*>(Controls(I))) List.push_back(Panel);
    const auto key = [ByIndex, ByLeft](const TCustomAdvPanel* P) {
        return ByIndex ? P->Index() : ByLeft ? P->Left() : P->Top();
    };
    std::stable_sort(List.begin(), List.end(),
                     [&key](const TCustomAdvPanel* A, const TCustomAdvPanel* B) { return key(A) < key(B); });
    return List;
}

void TAdvPanelGroup::Arrange() {
    if (ComponentState().Contains(csLoading) || FIsArranging || FUpdateCount > 0) return;
    FIsArranging = true;
    try {
        if (FGroupStyle == gsVertical)
            arrangeVertical();
        else
            arrangeHorizontal();
    } catch (...) {
        FIsArranging = false;
        throw;
    }
    FIsArranging = false;
    DoArrangedControls();
}

void TAdvPanelGroup::arrangeVertical() {
    if (FUpdateCount > 0) return;
    const TCountScope Updating(FUpdateCount);
    const std::vector<TCustomAdvPanel*> Members = sortedMembers(FCode, false);
    TScrollBar* Bar = FScrollBar.get();
    const bool BarShown = Bar && Bar->Visible();
    int Y = FVertPadding;
    if (BarShown) Y -= Bar->Position();
    if (Caption()->Visible()) Y += CaptionHeight();
    if (FScrollSmooth)
        for (TCustomAdvPanel* M : Members)
            if (M->Visible()) M->BeginUpdate();
    const int C = FColumns;
    const int P = FHorzPadding;
    const int S = BarShown ? Bar->Width() : 0;
    const int ColumnWidth = (Width() - (C + 1) * P - S) / C;
    // A row advances by its tallest visible member; a row with none visible takes no room.
    int RowHeight = -1;
    for (std::size_t I = 0; I < Members.size(); ++I) {
        TCustomAdvPanel* M = Members[I];
        const int Column = static_cast<int>(I) % C;
        M->SetTop(Y);
        M->SetLeft(((Width() - S - P) / C) * Column + P);
        M->SetWidth(ColumnWidth);
        if (M->Visible()) RowHeight = std::max(RowHeight, M->Height());
        if (Column == C - 1) {
            if (RowHeight >= 0) Y += RowHeight + FVertPadding;
            RowHeight = -1;
        }
    }
    for (TCustomAdvPanel* M : Members) refreshMember(M);
    Repaint();
}

// Lets a moved member and its children repaint at their new places.
void TAdvPanelGroup::refreshMember(TCustomAdvPanel* M) {
    if (FScrollSmooth && M->Visible()) M->EndUpdate();
    M->Invalidate();
    for (int I = 0; I < M->ControlCount(); ++I) {
        TControl* Child = M->Controls(I);
        auto* Win = dynamic_cast<TWinControl*>(Child);
        if (Win && Win->Visible() && Win->ControlCount() == 0) {
            Win->Perform(WM_SETREDRAW, 0, 0);
            Win->Perform(WM_SETREDRAW, 1, 0);
        }
        Child->SetWidth(Child->Width() + 1);
        Child->SetWidth(Child->Width() - 1);
    }
}

void TAdvPanelGroup::arrangeHorizontal() {
    const std::vector<TCustomAdvPanel*> Members = sortedMembers(false, true);
    TScrollBar* Bar = FScrollBar.get();
    const bool BarShown = Bar && Bar->Visible();
    int X = FHorzPadding - (BarShown ? Bar->Position() : 0);
    for (TCustomAdvPanel* M : Members) {
        M->SetLeft(X);
        M->SetTop(FVertPadding);
        M->SetHeight(Height() - 2 * FVertPadding - (BarShown ? Bar->Height() : 0));
        if (M->Visible()) X += M->Width() + FHorzPadding;
    }
}

int TAdvPanelGroup::TotalPanelHeight() const {
    const std::vector<TCustomAdvPanel*> Members = sortedMembers(FCode, false);
    int Total = FVertPadding;
    int RowHeight = -1;
    for (std::size_t I = 0; I < Members.size(); ++I) {
        if (Members[I]->Visible()) RowHeight = std::max(RowHeight, Members[I]->Height());
        const bool RowEnds = static_cast<int>(I) % FColumns == FColumns - 1 || I + 1 == Members.size();
        if (RowEnds) {
            if (RowHeight >= 0) Total += RowHeight + FVertPadding;
            RowHeight = -1;
        }
    }
    return Total;
}

int TAdvPanelGroup::TotalPanelWidth() const {
    int Total = FHorzPadding;
    for (int I = 0; I < ControlCount(); ++I) {
        auto* Panel = dynamic_cast<TCustomAdvPanel*>(Controls(I));
        if (Panel && Panel->Visible()) Total += Panel->Width() + FHorzPadding;
    }
    return Total;
}

// ---------------------------------------------------------------------------------------------
// Scrolling

void TAdvPanelGroup::UpdateScrollBar() {
    TScrollBar* Bar = FScrollBar.get();
    if (FUpdateCount > 0 || !Bar) return;
    const bool Vertical = FGroupStyle == gsVertical;
    if (Vertical) {
        if (Bar->Kind() == sbHorizontal) Bar->SetKind(sbVertical);
        if (Bar->Align() == alBottom) Bar->SetAlign(alRight);
        Bar->SetWidth(kScrollBarSize);
    } else {
        if (Bar->Kind() == sbVertical) Bar->SetKind(sbHorizontal);
        if (Bar->Align() == alRight) Bar->SetAlign(alBottom);
        Bar->SetHeight(kScrollBarSize);
    }
    const int Total = Vertical ? TotalPanelHeight() : TotalPanelWidth();
    const int Extent = Vertical ? Height() : Width();
    if (Extent < Total && (Total > 0 || !Vertical)) {
        if (Total < Bar->Position()) Bar->SetPosition(Total);
        Bar->SetPageSize(Extent);
        Bar->SetLargeChange(Extent / 3);
        Bar->SetMax(Total);
    }
    Bar->SetVisible(Extent < Total);
    Bar->Invalidate();
}

void TAdvPanelGroup::endScroll() {
    TScrollBar* Bar = FScrollBar.get();
    if (Bar && Bar->Position() > Bar->Max() - Bar->PageSize()) Bar->SetPosition(Bar->Max() - Bar->PageSize());
    Arrange();
}

void TAdvPanelGroup::scrollBarScroll(TScrollCode ScrollCode, int& ScrollPos) {
    // Only letting go moves the members: tracking and stepping wait for it.
    if (ScrollCode != scEndScroll) return;
    endScroll();
    if (TScrollBar* Bar = FScrollBar.get()) ScrollPos = Bar->Position();
}

bool TAdvPanelGroup::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    if (TAdvPanel::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    TScrollBar* Bar = FScrollBar.get();
    if (!Bar || !Bar->Visible()) return false;
    const int Step = 2 * Bar->SmallChange();
    Bar->SetPosition(Bar->Position() + (WheelDelta < 0 ? Step : -Step));
    if (FGroupStyle == gsVertical)
        arrangeVertical();
    else
        arrangeHorizontal();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Sizes

void TAdvPanelGroup::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const bool Changed = AWidth != FOldWidth || AHeight != FOldHeight;
    TAdvPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (Changed) Arrange();
    FOldWidth = AWidth;
    FOldHeight = AHeight;
}

void TAdvPanelGroup::AlignControls(TControl* AControl, TRect& Rect) {
    TAdvPanel::AlignControls(AControl, Rect);
    UpdateScrollBar();
}

void TAdvPanelGroup::Dispatch(TMessage& Message) {
    const TWeak<TAdvPanelGroup> Self(this);
    TAdvPanel::Dispatch(Message);
    if (Self && Message.Msg == WM_SIZE) UpdateScrollBar();
}
