// TAdvComboBox: the combo box with a flat or etched frame, a drawn drop-down button, frame and
// focus colours, a caption label in thirteen places, a grey hint while the text is empty,
// Enter-as-Tab and a settable drop-down width. TAdvCustomCombo holds the behaviour; AdvCombo.cpp
// has the properties, the label, focus and the edit part, AdvCombo_Paint.cpp the frame and button.
#pragma once

#include "framework/ui/StdCtrls.h"

#include <memory>

namespace advcombo {
// The typed edit's first thirteen places, in its order.
enum TLabelPosition {
    lpLeftTop,
    lpLeftCenter,
    lpLeftBottom,
    lpTopLeft,
    lpBottomLeft,
    lpLeftTopLeft,
    lpLeftCenterLeft,
    lpLeftBottomLeft,
    lpTopCenter,
    lpBottomCenter,
    lpRightTop,
    lpRightCenter,
    lpRighBottom
};
}  // namespace advcombo

class TAdvCustomCombo : public TCustomComboBox {
public:
    explicit TAdvCustomCombo(TComponent* AOwner);
    ~TAdvCustomCombo() override;

    // Ctl3D becomes the opposite; the colour follows the parent's (FlatParentColor) or returns.
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    TColor FlatLineColor() const { return FFlatLineColor; }  // default clBlack; clNone: no line
    void SetFlatLineColor(TColor Value);
    bool FlatParentColor() const { return FFlatParentColor; }  // default true
    void SetFlatParentColor(bool Value);
    // 14 .. 32; anything else is ignored. Default the scroll bar's width + 2.
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor Value);
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool Value) { FFocusBorder = Value; }
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor Value) { FFocusColor = Value; }
    TColor FocusFontColor() const { return FFocusFontColor; }
    void SetFocusFontColor(TColor Value) { FFocusFontColor = Value; }
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool Value) { FFocusLabel = Value; }
    // Under a theme, off: a disabled box gets a plain frame.
    bool DisabledBorder() const { return FDisabledBorder; }  // default true
    void SetDisabledBorder(bool Value);
    bool AutoFocus() const { return FAutoFocus; }
    void SetAutoFocus(bool Value) { FAutoFocus = Value; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    // 0: the box's width.
    int DropWidth() const { return FDropWidth; }
    void SetDropWidth(int Value);
    String EmptyText() const { return FEmptyText; }
    void SetEmptyText(const String& Value);
    bool EmptyTextFocused() const { return FEmptyTextFocused; }
    void SetEmptyTextFocused(bool Value) { FEmptyTextFocused = Value; }
    TFontStyles EmptyTextStyle() const { return FEmptyTextStyle; }
    void SetEmptyTextStyle(TFontStyles Value);
    // Writing it creates the label.
    String LabelCaption() const;
    void SetLabelCaption(const String& Value);
    advcombo::TLabelPosition LabelPosition() const { return FLabelPosition; }  // default lpLeftTop
    void SetLabelPosition(advcombo::TLabelPosition Value);
    int LabelMargin() const { return FLabelMargin; }  // default 4
    void SetLabelMargin(int Value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value);
    // The label's font while ParentFont is off.
    TFont* LabelFont() const { return FLabelFont.get(); }
    void SetLabelFont(TFont* Value);
    // "1.6.2.1"; writes are ignored.
    String Version() const;
    void SetVersion(const String&) {}

    // The drop-down button's own colours; all clNone (the system's button) at creation.
    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor Value);
    TColor ButtonColorHot() const { return FButtonColorHot; }
    void SetButtonColorHot(TColor Value) { FButtonColorHot = Value; }
    TColor ButtonColorDown() const { return FButtonColorDown; }
    void SetButtonColorDown(TColor Value) { FButtonColorDown = Value; }
    TColor ButtonTextColor() const { return FButtonTextColor; }
    void SetButtonTextColor(TColor Value);
    TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
    void SetButtonTextColorHot(TColor Value) { FButtonTextColorHot = Value; }
    TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
    void SetButtonTextColorDown(TColor Value) { FButtonTextColorDown = Value; }
    TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(TColor Value);
    // nullptr until LabelCaption is first written.
    TLabel* ComboLabel() const { return FLabel; }

    // Fired when the list closes.
    TNotifyEvent OnDropUp;

    void SetEnabled(bool Value) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    virtual int GetVersionNr() const { return 0x01060201; }
    using TCustomComboBox::SelectItem;
    // Picks the item equal to AString and fires OnChange; an unknown text does nothing.
    virtual void SelectItem(const String& AString);

    // Where the flat look's button and the painted button lie, in client coordinates.
    TRect FlatButtonRect() const;
    TRect DropDownButtonRect() const override;
    // The pointer is over the button.
    bool ButtonHover() const { return FButtonHover; }
    // The themed flag: the version-6 common controls are in use.
    bool IsThemed() const { return FIsThemed; }
    void SetThemed(bool Value) { FIsThemed = Value; }

protected:
    void BeforeDestruction() override;
    void Loaded() override;
    void CreateWnd() override;
    void PaintWindow(HDC DC) override;
    void EditWndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void Change() override;
    void DropDown() override;
    void CloseUp() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void DoEnter() override;
    void DoExit() override;
    void ChangeScale(int M, int D) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void CMFontChanged(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);

private:
    bool FFlat = false;
    bool FEtched = false;
    TColor FFlatLineColor = clBlack;
    bool FFlatParentColor = true;
    int FButtonWidth = 19;
    TColor FBorderColor = clNone;
    TColor FFocusBorderColor = clNone;
    bool FFocusBorder = false;
    TColor FFocusColor = clNone;
    TColor FFocusFontColor = clNone;
    bool FFocusLabel = false;
    bool FDisabledBorder = true;
    bool FAutoFocus = false;
    bool FReturnIsTab = false;
    int FDropWidth = 0;
    String FEmptyText;
    bool FEmptyTextFocused = false;
    TFontStyles FEmptyTextStyle;
    advcombo::TLabelPosition FLabelPosition = advcombo::lpLeftTop;
    int FLabelMargin = 4;
    bool FLabelTransparent = false;
    bool FLabelAlwaysEnabled = false;
    std::unique_ptr<TFont> FLabelFont;
    TLabel* FLabel = nullptr;
    TColor FButtonColor = clNone;
    TColor FButtonColorHot = clNone;
    TColor FButtonColorDown = clNone;
    TColor FButtonTextColor = clNone;
    TColor FButtonTextColorHot = clNone;
    TColor FButtonTextColorDown = clNone;
    TColor FButtonBorderColor = clNone;

    bool FMouseInControl = false;
    bool FButtonHover = false;
    bool FHasFocus = false;
    bool FGotEnter = false;
    bool FIsWinXP = false;
    bool FIsThemed = false;
    bool FLabelUpdating = false;
    int FLabelFontDesignHeight = 0;
    TColor FLoadColor = clWindow;
    TColor FNormalColor = clWindow;
    TColor FDisabledSavedColor = clWindow;
    bool FDisabledSavedParentColor = false;
    bool FDisabledColorSaved = false;
    TColor FSavedFontColor = clNone;
    bool FEditHooked = false;

    bool designing() const;
    bool loading() const;
    void createLabel();
    void labelFontChanged();
    void updateLabel();
    void updateLabelPos();
    // The frame, then the flat look's button edge.
    void drawFrame(HDC DC);
    void drawButton(HDC DC);
    void drawEmptyText(HDC DC);
    bool paintsOwnButton() const;
    bool themeActiveOnXP() const;
    bool hot() const;
    void repaintFrame();
};

class TAdvComboBox : public TAdvCustomCombo {
public:
    using TAdvCustomCombo::TAdvCustomCombo;
};
