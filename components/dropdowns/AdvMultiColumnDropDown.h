// TAdvMultiColumnDropDown: a drop-down edit whose popup is a small grid with a header row and
// several columns (REroDavIdev). Every entry holds one text per column; the LookupColumn's text is
// the entry's value, completed while the user types and searched while the grid has the focus.
#pragma once

#include "components/dropdowns/AdvDropDown.h"
#include "framework/rtl/Collection.h"
#include "framework/ui/Grids.h"

#include <functional>
#include <memory>

class TStringList;
class TAdvMultiColumnDropDown;

namespace advmulticolumn {
enum TColumnType { ctText, ctImage };
using TDrawCellEvent = std::function<void(TObject* Sender, int Column, int Row, TCanvas* ACanvas, const TRect& ARect)>;
using TGetCellTextEvent = std::function<void(TObject* Sender, int Column, int Row, String& Text)>;
using TGetCellPropEvent =
    std::function<void(TObject* Sender, int Column, int Row, TFont* Font, TColor& AColor, TColor& AColorTo)>;
}  // namespace advmulticolumn

class TDropDownColumn : public TCollectionItem {
public:
    explicit TDropDownColumn(TCollection* Collection);
    ~TDropDownColumn() override;

    bool Wordwrap() const { return FWordwrap; }
    void SetWordwrap(bool Value) { FWordwrap = Value; }
    int Width() const { return FWidth; }  // default 80
    void SetWidth(int Value) { FWidth = Value; }
    // Measured to its content when the popup opens.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) { FAutoSize = Value; }
    const String& Header() const { return FHeader; }
    void SetHeader(const String& Value) { FHeader = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { FAlignment = Value; }
    TColor Color() const { return FColor; }  // default white
    void SetColor(TColor Value) { FColor = Value; }
    advmulticolumn::TColumnType ColumnType() const { return FColumnType; }
    void SetColumnType(advmulticolumn::TColumnType Value) { FColumnType = Value; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value);
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value) { FEllipsis = Value; }

    void Assign(TPersistent* Source) override;

private:
    bool FWordwrap = false;
    int FWidth = 80;
    bool FAutoSize = false;
    String FHeader;
    TAlignment FAlignment = taLeftJustify;
    TColor FColor = 0xFFFFFF;
    advmulticolumn::TColumnType FColumnType = advmulticolumn::ctText;
    std::unique_ptr<TFont> FFont;
    bool FEllipsis = false;
};

class TDropDownColumns : public TCollection {
public:
    explicit TDropDownColumns(TPersistent* AOwner);
    TDropDownColumn* Add() { return static_cast<TDropDownColumn*>(TCollection::Add()); }
    TDropDownColumn* Items(int Index) const { return static_cast<TDropDownColumn*>(TCollection::Items(Index)); }
    TNotifyEvent OnChange;

protected:
    TPersistent* GetOwner() const override { return FMyOwner; }

private:
    TPersistent* FMyOwner;
};

// One entry: a line of Text per column.
class TDropDownItem : public TCollectionItem {
public:
    explicit TDropDownItem(TCollection* Collection);
    ~TDropDownItem() override;

    int ImageIndex() const { return FImageIndex; }  // default -1
    void SetImageIndex(int Value) { FImageIndex = Value; }
    TStringList* Text() const { return FText.get(); }
    void SetText(TStrings* Value);
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }
    // The line for a column; false when the entry has none.
    bool ColumnText(int Column, String& Value) const;

    // From another entry only; anything else is ignored.
    void Assign(TPersistent* Source) override;

private:
    int FImageIndex = -1;
    std::unique_ptr<TStringList> FText;
    int FTag = 0;
};

class TDropDownItems : public TCollection {
public:
    explicit TDropDownItems(TPersistent* AOwner);
    TDropDownItem* Add() { return static_cast<TDropDownItem*>(TCollection::Add()); }
    TDropDownItem* Items(int Index) const { return static_cast<TDropDownItem*>(TCollection::Items(Index)); }
    // The first entry whose line Column exists and equals Value exactly; -1 for none.
    int IndexInColumn(int Column, const String& Value) const;
    TNotifyEvent OnChange;

protected:
    TPersistent* GetOwner() const override { return FMyOwner; }

private:
    TPersistent* FMyOwner;
};

// The popup's grid: a header row and one row per entry, every cell drawn by the grid itself.
class REroDavIdev : public TStringGrid {
public:
    explicit REroDavIdev(TComponent* AOwner);
    ~REroDavIdev() override;

    TDropDownColumns* Columns() const { return FColumns.get(); }
    void SetColumns(TDropDownColumns* Value) { FColumns->Assign(Value); }
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor Value) { FLineColor = Value; }
    TColor FixedLineColor() const { return FFixedLineColor; }
    void SetFixedLineColor(TColor Value) { FFixedLineColor = Value; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int Value) { FHeaderHeight = Value; }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* Value);
    // The lines the grid draws itself; the platform grid's own lines stay at 0.
    int GridLineWidth() const { return FGridLineWidth; }  // default 1
    void SetGridLineWidth(int Value);
    TAdvMultiColumnDropDown* AdvDropDown() const { return FAdvDropDown; }
    void SetAdvDropDown(TAdvMultiColumnDropDown* Value) { FAdvDropDown = Value; }
    // The current row was reached by a key or a click, not by the wheel.
    bool ConfirmSelection() const { return FConfirmSelection; }
    bool MouseWheelSelection() const { return FMouseWheelSelection; }

    TNotifyEvent OnSelect;

    void LoadFromDropDown();
    void AutoSizeColumn(int Index);
    void AutoSizeRows();
    int GetTotalWidth();
    TRect GetCellRect(int ACol, int ARow) const;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    virtual void DoSelect();
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void Dispatch(TMessage& Message) override;

private:
    TAdvMultiColumnDropDown* FAdvDropDown = nullptr;
    std::unique_ptr<TDropDownColumns> FColumns;
    TColor FHeaderColor = 0xFFFFFF;
    TColor FHeaderColorTo = 0x808080;
    TColor FLineColor = 0x808080;
    TCustomImageList* FImages = nullptr;
    int FHeaderHeight = 25;
    std::unique_ptr<TFont> FHeaderFont;
    TColor FFixedLineColor = 0xD1BBA4;
    int FGridLineWidth = 1;
    int FOldRow = 1;
    bool FMouseWheelSelection = false;
    bool FConfirmSelection = false;

    bool onPopup() const;
    void WMLButtonDown(TMessage& Message);
};

class TAdvMultiColumnDropDown : public TAdvDropDown {
public:
    explicit TAdvMultiColumnDropDown(TComponent* AOwner);
    ~TAdvMultiColumnDropDown() override;

    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
    bool DropDownAutoWidth() const { return FDropDownAutoWidth; }  // default true
    void SetDropDownAutoWidth(bool Value) { FDropDownAutoWidth = Value; }
    int DropDownRowHeight() const { return FDropDownRowHeight; }  // default 22
    void SetDropDownRowHeight(int Value) { FDropDownRowHeight = Value; }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor Value) { FLineColor = Value; }
    TColor FixedLineColor() const { return FFixedLineColor; }
    void SetFixedLineColor(TColor Value) { FFixedLineColor = Value; }
    bool ColumnSizing() const { return FColumnSizing; }
    void SetColumnSizing(bool Value) { FColumnSizing = Value; }
    // Column widths are scaled to the popup's width.
    bool ColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }  // default true
    void SetColumnSizeWithDropDown(bool Value) { FColumnSizeWithDropDown = Value; }
    TDropDownColumns* Columns() const { return FColumns.get(); }
    void SetColumns(TDropDownColumns* Value) { FColumns->Assign(Value); }
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
    int HeaderHeight() const { return FHeaderHeight; }  // default 25
    void SetHeaderHeight(int Value) { FHeaderHeight = Value; }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* Value);
    int LookupColumn() const { return FLookupColumn; }
    void SetLookupColumn(int Value);
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor Value) { FSelectionTextColor = Value; }
    TDropDownItems* Items() const { return FItems.get(); }
    void SetItems(TDropDownItems* Value) { FItems->Assign(Value); }
    int ItemIndex() const { return FItemIndex; }
    // Ignored at or past the number of entries; the text follows, no event fires.
    void SetItemIndex(int Value);
    int RowCount() const { return FItems->Count(); }
    bool MatchCase() const { return FMatchCase; }
    void SetMatchCase(bool Value) { FMatchCase = Value; }
    bool MatchStart() const { return FMatchStart; }
    void SetMatchStart(bool Value) { FMatchStart = Value; }
    REroDavIdev* Grid() const { return FAdvColGrid; }
    using TAdvCustomDropDown::SelectionColorStyle;

    TNotifyEvent OnSelect;
    advmulticolumn::TDrawCellEvent OnDropDownDrawItem;
    advmulticolumn::TGetCellPropEvent OnDropDownGetItemProp;
    advmulticolumn::TGetCellTextEvent OnDropDownGetItemText;

    // The first entry whose lookup text equals Value exactly; -1 for none.
    int GetItemIndex(const String& Value) const;
    void BeginUpdate() {}
    void EndUpdate() { UpdateLookupItems(); }
    void UpdateLookupItems();
    void Assign(TPersistent* Source) override;
    void SetComponentStyle(TTesselStyle AStyle) override;
    void SetSelectionColorStyle(advdropdown::TSelectionColorStyle Value) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    // Scales the grid's columns to the popup's width.
    void SizeColumnsToDropDown();
    using TAdvCustomDropDown::DrawSelectionBackground;
    using TAdvCustomDropDown::DrawSelectionGradient;

protected:
    void Loaded() override;
    void Change() override;
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void AdjustDropDownHeight(int& Height) override;
    void OpenPopup() override;
    void PlaceDropDownControl() override;
    void SizeDropDownForm() override;
    void ClosePopup(bool Cancelled) override;
    void ControlKeyDown(Word& Key, TShiftState Shift) override;
    void ControlKeyUp(Word& Key, TShiftState Shift) override;
    void ControlKeyPress(Char& Key) override;
    void PopupSizing() override;
    void DoSelectNext() override;
    void DoSelectPrevious() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;

    // The search in the open popup: an entry index, or -1.
    int LookupKey(Char Key);
    bool FindLookupMatch(const String& Search);

private:
    bool FShowing = false;
    bool FColumnSizing = false;
    int FLookupColumn = 0;
    TColor FHeaderColorTo = 0x808080;
    TColor FHeaderColor = 0xFFFFFF;
    TColor FLineColor = 0xF1EDEB;
    std::unique_ptr<TDropDownItems> FItems;
    std::unique_ptr<TDropDownColumns> FColumns;
    int FItemIndex = -1;
    int FHeaderHeight = 25;
    std::unique_ptr<TFont> FHeaderFont;
    REroDavIdev* FAdvColGrid = nullptr;
    TColor FFixedLineColor = 0xD1BBA4;
    bool workmode = true;
    String FLookupStr;
    String FOldValue;
    std::unique_ptr<TStringList> FLookupItems;
    bool FMatchCase = false;
    bool FMatchStart = true;
    bool FItemChange = false;
    int FItemIdx = 0;
    int FItemSel = 0;
    int FOldItemIndex = -1;
    bool FDropDownAutoWidth = true;
    bool FColumnSizeWithDropDown = true;
    TColor FSelectionTextColor = 0x000000;
    int FDropDownRowHeight = 22;
    String FLookupEntry;
    bool FCaseSensitive = false;
    int FOrgIndex = -1;

    String folded(const String& S) const;
    void GridSelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
    void GridSelect(TObject* Sender);
    void GridKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void completeTyping();
    void stepEntry(int Delta, bool Paging);
    void showGridRow(int Row);
};
