// The item selector that the detail, image and colour pickers show in their popups: a scrolling
// container (TAdvCustomItemSelector) holding a panel (TCustomItemSelector) that lays the items out
// in cells of one size in a fixed number of columns, paints them with their caption and picture,
// list image or colour box, and tracks the hot and the selected item.
#pragma once

#include "components/dropdowns/ItemAppearance.h"
#include "framework/ui/ScrollBox.h"

#include <functional>
#include <memory>

class TCustomImageList;
class TAdvCustomItemSelector;

namespace advdropdown {
enum TSelectorType { stImage, stColor };
enum TItemLayout { ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom };
// The list box's event of this name has other parameters.
using TDrawItemEvent = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R, int Index)>;
}  // namespace advdropdown

using TItemSizeEvent = std::function<void(TObject* Sender, TSize& ASize)>;

// The panel: as large as the whole grid, so that the container's bars scroll it.
class TCustomItemSelector : public TCustomControl {
public:
    // AOwner must be the container; anything else raises "Invalid parent".
    explicit TCustomItemSelector(TComponent* AOwner);

    TAdvCustomItemSelector* AdvItemSelector() const { return FAdvItemSelector; }
    // -1 when nothing is selected, also for an index the items no longer reach.
    int ItemIndex() const;
    void SetItemIndex(int Value);
    int ItemHot() const { return FItemHot; }
    void SetItemHot(int Index);

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    // Selects the first item after the selected one whose plain caption starts with S (upper
    // case), wrapping round once; false when none does or S is empty.
    bool LookupItem(const String& S);

    // (-1,-1,-1,-1) for an index outside the items.
    void GetItemRect(int Index, TRect& R) const;
    // -1 when no item's cell holds the point.
    int ItemAtPos(int X, int Y) const;
    virtual void InvalidateItem(int Index);
    virtual void DrawItem(int Index, TCanvas* ACanvas);
    // The cell size every item gets.
    virtual void GetItemSize(TSize& Size);
    // The area the cells are laid out in.
    virtual void GetItemsRect(TRect& R);
    // Places every item's cell and sizes the panel to hold them with a 2-pixel margin.
    virtual void UpdateLayout();

    TNotifyEvent OnItemSelect;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;

private:
    int FItemIndex = -1;
    int FItemHot = -1;
    int FOffSetX = 2;
    int FOffSetY = 2;
    int FItemOffSetX = 4;
    int FItemOffSetY = 4;
    int FCaptionGap = 4;
    TAdvCustomItemSelector* FAdvItemSelector;

    bool validIndex(int Index) const;
    bool disabledItem(int Index) const;
    void drawItemNow(int Index);
    TRect shownArea() const;
    void drawCaption(TCanvas* C, const String& Caption, TRect R, bool Centred, TSize& Size);
};

class TAdvCustomItemSelector : public TScrollBox {
public:
    explicit TAdvCustomItemSelector(TComponent* AOwner);
    ~TAdvCustomItemSelector() override;

    TSelectorItems* Items() const { return FItems.get(); }
    void SetItems(TSelectorItems* Value) { FItems->Assign(Value); }
    advdropdown::TSelectorType SelectorType() const { return FSelectorType; }  // default stImage
    void SetSelectorType(advdropdown::TSelectorType Value);
    // Stored; the next layout uses it.
    advdropdown::TItemLayout ItemLayout() const { return FItemLayout; }  // default ilCaptionRight
    void SetItemLayout(advdropdown::TItemLayout Value) { FItemLayout = Value; }
    // Values below 1 are ignored.
    int Columns() const { return FColumns; }  // default 1
    void SetColumns(int Value);
    int ColorBoxWidth() const { return FColorBoxWidth; }  // default 14
    void SetColorBoxWidth(int Value);
    int ColorBoxHeight() const { return FColorBoxHeight; }  // default 14
    void SetColorBoxHeight(int Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
    // The panel's; writing scrolls the item into view.
    int ItemIndex() const { return FItemSelectorPanel ? FItemSelectorPanel->ItemIndex() : -1; }
    void SetItemIndex(int Value);
    int ItemHot() const { return FItemSelectorPanel ? FItemSelectorPanel->ItemHot() : -1; }
    TCustomItemSelector* SelectorPanel() const { return FItemSelectorPanel; }

    // Sender: the container.
    TNotifyEvent OnItemSelect;
    // Replaces the drawing of a cell's content (its state background is drawn first).
    advdropdown::TDrawItemEvent OnDrawItem;
    // Replaces the cell size; the handler sets both width and height.
    TItemSizeEvent OnItemSize;

    // Lays the panel out again (after filling the items).
    void UpdateSelectorPanel();
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const String& S);
    // Scrolls the bar so that the item's cell (and the bar's margin) shows.
    void ScrollItemInView(int Index);
    // How many items fit in the height at once; 0 without items or for an empty cell height.
    int GetVisibleItemCount() const;
    TSize GetSelectorPanelSize() const;

protected:
    virtual void CreateSelectorPanel();
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;

private:
    std::unique_ptr<TSelectorItems> FItems;
    advdropdown::TSelectorType FSelectorType = advdropdown::stImage;
    advdropdown::TItemLayout FItemLayout = advdropdown::ilCaptionRight;
    int FColumns = 1;
    int FColorBoxWidth = 14;
    int FColorBoxHeight = 14;
    TCustomImageList* FImages = nullptr;
    TCustomItemSelector* FItemSelectorPanel = nullptr;
    std::unique_ptr<TItemAppearance> FItemAppearance;
};
