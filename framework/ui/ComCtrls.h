// The list view in report style, painted by the library: columns, items with sub-items,
// selection, grid lines and small images.
#pragma once

#include "framework/rtl/Collection.h"
#include "framework/rtl/StringList.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/StdCtrls.h"

#include <memory>
#include <vector>

class TCustomListView;
class TListItems;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TItemChange { ctText, ctImage, ctState };

class TListColumn : public TCollectionItem {
public:
    explicit TListColumn(TCollection* Collection);

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    int Width() const { return FWidth; }  // default 50
    void SetWidth(int Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // Takes the width left over by the other columns.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);

    void Assign(TPersistent* Source) override;

protected:
    String GetDisplayName() const override;

private:
    String FCaption;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = false;
};

class TListColumns : public TCollection {
public:
    explicit TListColumns(TCustomListView* AOwner);

    TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
    TListColumn* Items(int Index) const { return static_cast<TListColumn*>(TCollection::Items(Index)); }
    TCustomListView* Owner() const { return FOwner; }

protected:
    TPersistent* GetOwner() const override;
    void Update(TCollectionItem* Item) override;

private:
    TCustomListView* FOwner;
};

class TListItem : public TPersistent {
public:
    explicit TListItem(TListItems* AOwner);
    ~TListItem() override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    // The texts of the columns after the first; a change redraws the row.
    TStrings* SubItems() const { return FSubItems.get(); }
    void SetSubItems(TStrings* Value) { FSubItems->Assign(Value); }
    int Index() const;
    bool Selected() const { return FSelected; }
    void SetSelected(bool Value);
    bool Focused() const { return FFocused; }
    void SetFocused(bool Value);
    void* Data() const { return FData; }
    void SetData(void* Value) { FData = Value; }
    int ImageIndex() const { return FImageIndex; }  // default -1
    void SetImageIndex(int Value);
    TListItems* Owner() const { return FOwner; }
    TCustomListView* ListView() const;

    // Removes the item from its list and frees it.
    void Delete();
    void Assign(TPersistent* Source) override;

private:
    friend class TListItems;
    friend class TCustomListView;
    TListItems* FOwner;
    String FCaption;
    std::unique_ptr<TStringList> FSubItems;
    bool FSelected = false;
    bool FFocused = false;
    void* FData = nullptr;
    int FImageIndex = -1;
};

class TListItems : public TPersistent {
public:
    explicit TListItems(TCustomListView* AOwner);
    ~TListItems() override;

    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises EListError for a bad index.
    TListItem* Item(int Index) const;
    TListItem* operator[](int Index) const { return Item(Index); }
    TCustomListView* Owner() const { return FOwner; }

    TListItem* Add();
    TListItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    int IndexOf(TListItem* Value) const;
    // Holds back repainting until the outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    void Assign(TPersistent* Source) override;

private:
    friend class TListItem;
    friend class TCustomListView;
    TCustomListView* FOwner;
    std::vector<TListItem*> FItems;
    int FUpdateCount = 0;
};

using TLVChangeEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
using TLVDeletedEvent = std::function<void(TObject* Sender, TListItem* Item)>;

class TCustomListView : public TCustomControl {
public:
    explicit TCustomListView(TComponent* AOwner);
    ~TCustomListView() override;
    void BeforeDestruction() override;

    // Only vsReport is drawn; the other styles show the report too.
    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle Value);
    TListColumns* Columns() const { return FColumns.get(); }
    TListItems* Items() const { return FItems.get(); }
    // The selected item's index (the first one with MultiSelect); -1 = none. Setting it selects
    // that item alone and focuses it.
    int ItemIndex() const;
    void SetItemIndex(int Value);
    // The first selected item, nullptr when none.
    TListItem* Selected() const;
    void SetSelected(TListItem* Value);
    TListItem* ItemFocused() const;
    void SetItemFocused(TListItem* Value);
    int SelCount() const;
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool Value);
    bool GridLines() const { return FGridLines; }
    void SetGridLines(bool Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    // The selection is shown only while focused when set.
    bool HideSelection() const { return FHideSelection; }  // default true
    void SetHideSelection(bool Value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    // Clicking a header fires OnColumnClick.
    bool ColumnClick() const { return FColumnClick; }  // default true
    void SetColumnClick(bool Value) { FColumnClick = Value; }
    bool ShowColumnHeaders() const { return FShowColumnHeaders; }  // default true
    void SetShowColumnHeaders(bool Value);
    // Dropped when the image list is freed.
    TCustomImageList* SmallImages() const { return FSmallImages; }
    void SetSmallImages(TCustomImageList* Value);

    TLVChangeEvent OnChange;
    TLVSelectItemEvent OnSelectItem;
    TLVColumnClickEvent OnColumnClick;
    TLVDeletedEvent OnDeletion;

    // The first row shown; rows scroll vertically when they do not fit (wheel, scroll bar, keys).
    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int Value);
    // Whole rows that fit below the header.
    int VisibleRowCount() const;
    // Whether the vertical scroll bar is shown (more rows than fit), and where.
    bool VertScrollBarVisible() const;
    TRect VertScrollBarRect() const;
    TRect VertScrollThumbRect() const;
    // Scrolls as little as needed to show row Index whole.
    void MakeVisible(int Index);

    // Layout, in client coordinates.
    int HeaderHeight() const;
    int RowHeight() const;
    TRect ItemRect(int Index) const;
    // The item under the point, nullptr when none.
    TListItem* GetItemAt(int X, int Y) const;
    void ClearSelection();
    void SelectAll();

protected:
    virtual void Change(TListItem* Item, TItemChange Change);
    virtual void DoSelectItem(TListItem* Item, bool Selected);
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message);

private:
    friend class TListItem;
    friend class TListItems;
    friend class TListColumns;
    TViewStyle FViewStyle = vsIcon;
    int FTopIndex = 0;
    std::unique_ptr<TListColumns> FColumns;
    std::unique_ptr<TListItems> FItems;
    bool FRowSelect = false;
    bool FGridLines = false;
    bool FReadOnly = false;
    bool FHideSelection = true;
    bool FMultiSelect = false;
    bool FColumnClick = true;
    bool FShowColumnHeaders = true;
    TCustomImageList* FSmallImages = nullptr;
    std::unique_ptr<TChangeLink> FImageChangeLink;

    std::vector<int> columnWidths() const;
    void itemChanged(TListItem* Item, TItemChange Change);
    void selectionChanged(TListItem* Item, bool Selected);
    void paintHeader(const std::vector<int>& Widths);
    void paintRow(int Index, const std::vector<int>& Widths);
    void paintVertScrollBar();
    int maxTopIndex() const;
    void selectOnly(TListItem* Item);
};

class TListView : public TCustomListView {
public:
    using TCustomListView::TCustomListView;
};
