// The colour picker's three mouse panels: a honeycomb of 127 fixed web-safe colours
// (TAdvColorCubePanel), a 128 x 128 spectrum picture with swatches of the picked and the pointed
// colour (TAdvColorSpectrumPanel), and a grid of colour boxes standing alone or joined into
// vertical shade groups (TCustomColorSelector). Hover and selection redraw single cells or boxes.
#pragma once

#include "components/dropdowns/AdvDropDownTypes.h"
#include "framework/rtl/Collection.h"
#include "framework/ui/Controls.h"

#include <array>
#include <memory>

class TImage;

class TAdvCustomColorSelectorPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    // A mouse release on the cube or the spectrum; nothing in the library connects it.
    TNotifyEvent OnShouldHide;
};

// ---------------------------------------------------------------------------------------------
// Cube

class TAdvColorCubePanel : public TAdvCustomColorSelectorPanel {
public:
    explicit TAdvColorCubePanel(TComponent* AOwner);

    TColor SelectedColor() const { return FSelectedColor; }
    // Selects the first cell of exactly that colour (or none); repaints nothing.
    void SetSelectedColor(TColor Value);
    int SelectedIndex() const { return FSelectedIndex; }
    int HotIndex() const { return FHotIndex; }
    bool ShowRGBHint() const { return FShowRGBHint; }  // default true; also sets ShowHint
    void SetShowRGBHint(bool Value);
    // Cells 1 .. 127, without repainting; other indexes read clNone and are not written.
    TColor CubeCellColor(int Index) const;
    void SetCubeCellColor(int Index, TColor Value);
    TPoint CubeCellCentre(int Index) const;

    TNotifyEvent OnSelect;

    // The built-in colours and places of the cells.
    void InitCubeCells();
    void ResetHotCell() { FHotIndex = -1; }
    void SizeCubePanel() { SetBounds(Left(), Top(), 182, 160); }
    // The first cell whose centre lies within 6 pixels of the point, edge included; -1 for none.
    int CubeCellAtPos(int X, int Y) const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    struct TCubeCell {
        int X = 0, Y = 0;
        TColor Color = clNone;
    };
    std::array<TCubeCell, 128> FCubeCells{};  // 1 .. 127; 0 unused
    TPoint FCubeSize{6, 3};
    TColor FSelectedColor = clNone;
    int FSelectedIndex = -1;
    int FHotIndex = -1;
    bool FShowRGBHint = true;

    void DrawCubeCell(int Index, TCanvas* C);
};

// ---------------------------------------------------------------------------------------------
// Spectrum

class TAdvColorSpectrumPanel : public TAdvCustomColorSelectorPanel {
public:
    explicit TAdvColorSpectrumPanel(TComponent* AOwner);

    TColor SelectedColor() const { return FSelectedColor; }  // default white
    void SetSelectedColor(TColor Value) { FSelectedColor = Value; }
    TColor HotColor() const { return FHotColor; }
    TRect SelectedRect() const { return FSelectedRect; }
    TRect HotRect() const { return FHotRect; }
    TImage* SpectrumImage() const { return FSpectrumImage; }

    TNotifyEvent OnSelect;

    // 150 x 174, the picture centred at the top, the swatches below it; no hot colour.
    void LayoutSpectrum();

protected:
    void Paint() override;

private:
    TImage* FSpectrumImage = nullptr;
    TColor FHotColor = clNone;
    TColor FSelectedColor = 0xFFFFFF;
    TRect FHotRect;
    TRect FSelectedRect;

    void ImageMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void ImageMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ImageMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void drawSwatch(TCanvas* C, const TRect& R, TColor Color);
};

// ---------------------------------------------------------------------------------------------
// Colour boxes

namespace advcolorselector {
enum TItemPos { ipStandAlone, ipTop, ipMiddle, ipBottom };
}

class TColorBoxItem : public TCollectionItem {
public:
    explicit TColorBoxItem(TCollection* Collection);

    TColor Color() const { return FColor; }  // default clNone
    void SetColor(TColor Value);
    // A disabled box takes neither the hot nor the selected state.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    advcolorselector::TItemPos ColorBoxPos() const { return FColorBoxPos; }
    void SetColorBoxPos(advcolorselector::TItemPos Value) { FColorBoxPos = Value; }
    TRect ItemRect() const { return FRect; }
    void SetItemRect(const TRect& Value) { FRect = Value; }

    // Colour and enabled state.
    void Assign(TPersistent* Source) override;

private:
    TColor FColor = clNone;
    bool FEnabled = true;
    TRect FRect;
    advcolorselector::TItemPos FColorBoxPos = advcolorselector::ipStandAlone;
};

class TColorBoxItems : public TCollection {
public:
    explicit TColorBoxItems(TPersistent* AOwner);

    TColorBoxItem* Add() { return static_cast<TColorBoxItem*>(TCollection::Add()); }
    TColorBoxItem* Items(int Index) const { return static_cast<TColorBoxItem*>(TCollection::Items(Index)); }

    // Fired by an item's colour writer.
    TNotifyEvent OnChange;

protected:
    TPersistent* GetOwner() const override { return FMyOwner; }

private:
    TPersistent* FMyOwner;
};

// Border colours of the boxes; writers store.
class TColorBoxAppearance : public TPersistent {
public:
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    TColor OuterBorderColorHot() const { return FOuterBorderColorHot; }
    void SetOuterBorderColorHot(TColor Value) { FOuterBorderColorHot = Value; }
    TColor InnerBorderColorHot() const { return FInnerBorderColorHot; }
    void SetInnerBorderColorHot(TColor Value) { FInnerBorderColorHot = Value; }
    TColor OuterBorderColorSelected() const { return FOuterBorderColorSelected; }
    void SetOuterBorderColorSelected(TColor Value) { FOuterBorderColorSelected = Value; }
    TColor InnerBorderColorSelected() const { return FInnerBorderColorSelected; }
    void SetInnerBorderColorSelected(TColor Value) { FInnerBorderColorSelected = Value; }

    TNotifyEvent OnChange;

    void Assign(TPersistent* Source) override;
    // The five colours back to their defaults.
    void Reset();

private:
    TColor FBorderColor = 0xC5C5C5;
    TColor FOuterBorderColorHot = 0x3694F2;
    TColor FInnerBorderColorHot = 0x94E2FF;
    TColor FOuterBorderColorSelected = 0x0000FF;
    TColor FInnerBorderColorSelected = 0x94E2FF;
};

class TCustomColorSelector : public TAdvCustomColorSelectorPanel {
public:
    explicit TCustomColorSelector(TComponent* AOwner);
    ~TCustomColorSelector() override;

    int ItemIndex() const { return FItemIndex; }
    // Ignored for a disabled box and for an index at or past the count.
    void SetItemIndex(int Index);
    int ItemHot() const { return FItemHot; }
    void SetItemHot(int Index);
    int Columns() const { return FColumns; }  // default 10
    void SetColumns(int Value);
    int ColumnGap() const { return FColumnGap; }  // default 4
    void SetColumnGap(int Value);
    int ColorBoxWidth() const { return FColorBoxWidth; }  // default 12
    void SetColorBoxWidth(int Value);
    int ColorBoxHeight() const { return FColorBoxHeight; }  // default 12
    void SetColorBoxHeight(int Value);
    TColorBoxAppearance* ColorBoxAppearance() const { return FColorBoxAppearance.get(); }
    void SetColorBoxAppearance(TColorBoxAppearance* Value) { FColorBoxAppearance->Assign(Value); }
    TColorBoxItems* Items() const { return FItems.get(); }
    void SetItems(TColorBoxItems* Value) { FItems->Assign(Value); }
    advdropdown::TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
    // The named styles reset the border colours; scCustom keeps them.
    void SetItemColorStyle(advdropdown::TSelectionColorStyle Value);
    TColor SelectedColor() const { return FSelectedColor; }
    // Selects the first box of exactly that colour (firing OnItemSelect), or clears the selection.
    void SetSelectedColor(TColor Value);

    TNotifyEvent OnItemSelect;

    // The 60-colour office palette in six rows of ten.
    void AddDefaultBoxes();
    void HandleNavigationKey(Word Key, bool EditorEnabled, bool DroppedDown);
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    int ItemAtPos(int X, int Y) const;

    virtual void DrawItem(int Index, TCanvas* ACanvas);
    virtual void GetItemArea(TRect& R);
    virtual void GetColorBoxSize(int& W, int& H);
    virtual void UpdateLayout();
    virtual void InvalidateItem(int Index);

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;

private:
    int FItemIndex = -1;
    int FItemHot = -1;
    int FOffSetX = 4;
    int FOffSetY = 4;
    int FColumns = 10;
    int FColumnGap = 4;
    int FColorBoxHeight = 12;
    int FColorBoxWidth = 12;
    std::unique_ptr<TColorBoxAppearance> FColorBoxAppearance;
    std::unique_ptr<TColorBoxItems> FItems;
    advdropdown::TSelectionColorStyle FItemColorStyle = advdropdown::scOffice2007;
    TColor FSelectedColor = clNone;

    bool validIndex(int Index) const { return Index >= 0 && Index < FItems->Count(); }
    bool disabledItem(int Index) const { return validIndex(Index) && !FItems->Items(Index)->Enabled(); }
};
