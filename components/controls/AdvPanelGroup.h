// TAdvPanelGroup: a panel whose child panels it keeps arranged, stacked top to bottom in one or
// more columns (gsVertical) or side by side in one row (gsHorizontal), with fixed gaps. When the
// members do not fit, its own scroll bar shifts them. A member's collapse steps reach the group
// (Synchronize), which re-arranges at once, so the members below follow the animation. The group
// makes new members from a default settings object, opens or closes them all, stores their
// positions (one section per member) and reorders them.
#pragma once

#include "components/controls/AdvPanel.h"
#include "framework/rtl/ClassRegistry.h"
#include "framework/ui/StdCtrls.h"

#include <memory>
#include <vector>

class TAdvPanelSettings;

enum TGroupStyle { gsVertical, gsHorizontal };
// A class of TCustomAdvPanel: ClassOf<TAdvPanel>() and the like.
using TPanelClass = TPersistentClass;

class TAdvPanelGroup : public TAdvPanel {
public:
    explicit TAdvPanelGroup(TComponent* AOwner);
    ~TAdvPanelGroup() override;
    void BeforeDestruction() override;

    // Values of 0 or less are ignored; any other value re-arranges, also when unchanged.
    int Columns() const { return FColumns; }  // default 1
    void SetColumns(int Value);
    // Settings every panel the group makes starts from; the writer copies the values.
    TAdvPanelSettings* DefaultPanel() const { return FDefaultPanel.get(); }
    void SetDefaultPanel(TAdvPanelSettings* Value);
    TGroupStyle GroupStyle() const { return FGroupStyle; }  // default gsVertical
    void SetGroupStyle(TGroupStyle Value);
    // Redraw of the visible members is suspended while they move.
    bool ScrollSmooth() const { return FScrollSmooth; }
    void SetScrollSmooth(bool Value) { FScrollSmooth = Value; }
    // Also the scroll bar's SmallChange; a wheel notch scrolls by twice that.
    int MouseWheelDelta() const { return FMouseWheelDelta; }
    void SetMouseWheelDelta(int Value);
    // The gap left of, between and right of the members; above and between them.
    int HorzPadding() const { return FHorzPadding; }  // default 8
    void SetHorzPadding(int Value);
    int VertPadding() const { return FVertPadding; }  // default 8
    void SetVertPadding(int Value);

    // After every arrangement Arrange runs.
    TNotifyEvent OnArrangedControls;

    // The member list. Writing assigns Value into the member (TCustomAdvPanel::Assign); a bad
    // index raises EListError "List index out of bounds (%d)".
    TCustomAdvPanel* Panels(int Index) const { return GetPanel(Index); }
    TCustomAdvPanel* GetPanel(int Index) const;
    void SetPanel(int Index, TCustomAdvPanel* Value);
    int PanelCount() const { return static_cast<int>(FPanels.size()); }
    // The class AddPanel and InsertPanel make (default TCustomAdvPanel).
    TPanelClass PanelClass() const { return FPanelClass; }
    void SetPanelClass(TPanelClass Value) { FPanelClass = Value; }
    bool IsArranging() const { return FIsArranging; }
    TScrollBar* ScrollBar() const { return FScrollBar.get(); }
    // Writing scrolls there and ends the scroll (clamped to Max - PageSize).
    int ScrollPosition() const;
    void SetScrollPosition(int Value);

    // A member changed (its Synchronize): the scroll bar and the arrangement follow.
    void ChildPanelChanged(TCustomAdvPanel* APanel);
    // One arrangement ordered by Index.
    void ArrangePanels();
    void OpenAllPanels();
    void CloseAllPanels();
    // Every member uses the group's Position (kind, key) with a section named after it.
    void SavePanelPositions();
    void LoadPanelPositions();
    void UpdateGroup();
    // Frees the member panels (other children stay).
    void Clear();
    // Redraw off and arrangements held back until the matching EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    // The member list becomes the child panels in child order, Index 0, 1, 2, ...
    void InitPanels();
    // A new member from DefaultPanel, last in the list with Index = its position.
    virtual TCustomAdvPanel* AddPanel();
    // AddPanel, then moved to the list's start with the list numbered downwards: shown last.
    virtual TCustomAdvPanel* AppendPanel();
    // As AddPanel, at list position Index; EListError for an index outside 0 .. PanelCount.
    virtual TCustomAdvPanel* InsertPanel(int Index);
    // Nothing for an index outside the list.
    void RemovePanel(int Index);
    // Indices count screen positions from the top (the list's reversed order).
    void MovePanel(int FromIndex, int ToIndex);
    // VertPadding plus, per row of members, the tallest visible member and a gap.
    int TotalPanelHeight() const;
    int TotalPanelWidth() const;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    virtual void DoArrangedControls();
    void DoStateChanged() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void Dispatch(TMessage& Message) override;
    // Lays the members out unless loading, already arranging or inside BeginUpdate.
    void Arrange();
    void UpdateScrollBar();

private:
    TPanelClass FPanelClass;
    int FUpdateCount = 0;
    int FHorzPadding = 8;
    int FVertPadding = 8;
    TGroupStyle FGroupStyle = gsVertical;
    bool FIsArranging = false;
    TWeak<TScrollBar> FScrollBar;  // a child window: the group's teardown may free it first
    std::vector<TCustomAdvPanel*> FPanels;
    std::unique_ptr<TAdvPanelSettings> FDefaultPanel;
    int FColumns = 1;
    bool FCode = false;  // arrange by Index instead of by position
    bool FScrollSmooth = false;
    int FOldWidth = 0;
    int FOldHeight = 0;
    int FMouseWheelDelta = 0;

    void releaseMembers();
    std::vector<TCustomAdvPanel*> sortedMembers(bool ByIndex, bool ByLeft) const;
    void arrangeVertical();
    void arrangeHorizontal();
    void refreshMember(TCustomAdvPanel* Member);
    void scrollBarScroll(TScrollCode ScrollCode, int& ScrollPos);
    void endScroll();
    void moveListEntry(int CurIndex, int NewIndex);
    void numberByPosition();
    void addToList(TCustomAdvPanel* Panel, int At);
    TCustomAdvPanel* makePanel();
    void raiseIndex(int Index) const;
    void forEachChildPanel(const std::function<void(TCustomAdvPanel*)>& Action);
};
