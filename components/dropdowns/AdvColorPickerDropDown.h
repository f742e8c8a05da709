// TAdvColorPickerDropDown: a drop-down edit that holds a colour. The edit area shows a swatch and
// a text for the colour (the chosen list entry's caption, or the value as hex, web name, RGB or
// HTML text); the popup offers a named list, the office boxes, the honeycomb or the spectrum.
// Mouse picks close the popup; keys and the wheel move the selection and keep it open.
#pragma once

#include "components/dropdowns/AdvColorPanels.h"
#include "components/dropdowns/AdvDropDown.h"
#include "components/dropdowns/AdvItemSelector.h"

#include <functional>
#include <memory>

class TTimer;

namespace advcolorpicker {
enum TColorSelectionStyle { csList, csDiscrete, csColorCube, csSpectrum };
enum TColorValueText { cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML };
using TOnDrawSelectedItem = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R)>;
using TDrawItemEvent = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R, int Index)>;
}  // namespace advcolorpicker

class TColorItem : public TCollectionItem {
public:
    explicit TColorItem(TCollection* Collection);

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    TColor Color() const { return FColor; }  // default clNone
    void SetColor(TColor Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }

    // Caption, colour, enabled state and hint.
    void Assign(TPersistent* Source) override;

private:
    String FCaption;
    TColor FColor = clNone;
    bool FEnabled = true;
    TRect FRect;
    String FHint;

    void changed();
};

class TColorItems : public TCollection {
public:
    explicit TColorItems(TPersistent* AOwner);

    TColorItem* Add() { return static_cast<TColorItem*>(TCollection::Add()); }
    TColorItem* Items(int Index) const { return static_cast<TColorItem*>(TCollection::Items(Index)); }

    TNotifyEvent OnChange;

protected:
    TPersistent* GetOwner() const override { return FMyOwner; }

private:
    TPersistent* FMyOwner;
};

class TAdvColorPickerDropDown : public TAdvDropDown {
public:
    // No typing, no header or footer, a 200-pixel popup, the arrow cursor; the list is empty.
    explicit TAdvColorPickerDropDown(TComponent* AOwner);
    ~TAdvColorPickerDropDown() override;

    int Columns() const { return FColumns; }  // default 1; columns of the list
    void SetColumns(int Value) { FColumns = Value; }
    TColorItems* Colors() const { return FColors.get(); }
    void SetColors(TColorItems* Value) { FColors->Assign(Value); }
    int ItemIndex() const { return FItemIndex; }
    // Ignored at or past the number of colours (below -1: -1); fires OnSelect, also for -1.
    void SetItemIndex(int Value);
    int ColorBoxHeight() const { return FColorBoxHeight; }  // default 14
    void SetColorBoxHeight(int Value);
    int ColorBoxWidth() const { return FColorBoxWidth; }  // default 14
    void SetColorBoxWidth(int Value);
    TColor ColorBoxBorderColor() const { return FColorBoxBorderColor; }  // default black
    void SetColorBoxBorderColor(TColor Value);
    advdropdown::TItemLayout Layout() const { return FLayout; }  // default ilCaptionRight
    void SetLayout(advdropdown::TItemLayout Value) { FLayout = Value; }
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
    // The text's form when no list entry is chosen.
    advcolorpicker::TColorValueText ColorValueText() const { return FColorValueText; }
    void SetColorValueText(advcolorpicker::TColorValueText Value) { FColorValueText = Value; }
    advcolorpicker::TColorSelectionStyle ColorSelectionStyle() const { return FColorSelectionStyle; }
    void SetColorSelectionStyle(advcolorpicker::TColorSelectionStyle Value);
    bool ShowText() const { return FShowText; }  // default true
    void SetShowText(bool Value);
    TColor SelectedColor() const { return FSelectedColor; }
    // Stored as RGB; the first list entry of that colour is chosen, none matching sets -1.
    void SetSelectedColor(TColor Value);
    String SelectedColorText() const { return GetSelectedColorText(); }
    TAdvColorCubePanel* CubePanel() const { return FColorCubePanel; }
    TAdvColorSpectrumPanel* SpectrumPanel() const { return FSpectrumPanel; }
    TAdvCustomItemSelector* ListSelector() const { return FItemSelector; }
    TCustomColorSelector* BoxSelector() const { return FColorSelector; }

    TNotifyEvent OnSelect;
    advcolorpicker::TOnDrawSelectedItem OnDrawSelectedColor;
    advcolorpicker::TDrawItemEvent OnDrawColor;

    // The sixteen basic colours by name.
    void AddDefaultColors();
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    void SetComponentStyle(TTesselStyle AStyle) override;

protected:
    void Loaded() override;
    void CreateWnd() override;
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void PlaceDropDownControl() override;
    void SizeDropDownForm() override;
    void ClosePopup(bool Cancelled) override;
    void PopupDestroyed() override;
    void DoSelectNext() override;
    void DoSelectPrevious() override;
    void DrawDisabledFocus() override;
    void SetSelectionColorStyle(advdropdown::TSelectionColorStyle Value) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;

    virtual void CreateColorList();
    virtual void CreateColorCube();
    virtual void CreateColorSpectrum();
    virtual void CreateColorSelector();
    virtual String GetSelectedColorText() const;

    // The edit area: the swatch and the colour text, or OnDrawSelectedColor.
    void DrawSelectedColor();
    void WMKeyDown(TMessage& Message);

private:
    int FUpdateCount = 0;
    TAdvCustomItemSelector* FItemSelector = nullptr;
    TAdvColorCubePanel* FColorCubePanel = nullptr;
    TAdvColorSpectrumPanel* FSpectrumPanel = nullptr;
    TCustomColorSelector* FColorSelector = nullptr;
    int FColumns = 1;
    advdropdown::TItemLayout FLayout = advdropdown::ilCaptionRight;
    std::unique_ptr<TColorItems> FColors;
    int FItemIndex = -1;
    int FColorBoxWidth = 14;
    int FColorBoxHeight = 14;
    advcolorpicker::TColorSelectionStyle FColorSelectionStyle = advcolorpicker::csList;
    TColor FSelectedColor = clNone;
    bool FShowText = true;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    bool FInternalCall = false;  // the picker moves the selection itself: the popup stays open
    TTimer* FKeyTimer = nullptr;
    String FCurSearch;
    int FOldItemIndex = -1;
    TColor FOldSelectedColor = clNone;
    bool FDesignTime = false;
    advcolorpicker::TColorValueText FColorValueText = advcolorpicker::cvtNone;
    TColor FColorBoxBorderColor = 0x000000;

    TControl* styleControl() const;
    void hideOtherControls(TControl* Shown);
    void prepareStyleControl();
    void ApplyListSettings();
    void FillListItems();
    void ListItemSelected(TObject* Sender);
    void SelectorSelected(TObject* Sender);
    void CubeSelected(TObject* Sender);
    void SpectrumSelected(TObject* Sender);
    void KeyTimerTick(TObject* Sender);
    void sizeListSelector();
    void listKey(Word Key, bool Taken);
    void selectInList(int Index);
    template <class F>
    void internally(F Step);
};
